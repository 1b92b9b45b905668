// What an independent reading of each real document shows of its formatting
// (the corpus's FORMATTING.md table), and how close a reading of ours comes:
// the shares of characters by point size and by font class, the paragraphs
// by alignment, the indented paragraphs, the page breaks and the running
// heads.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lettrix::tools {

struct ExpectedHead {
  bool footer = false;
  std::string text;  // as listed, a tab as a tab, "#" for a page number
};

struct ExpectedIndent {
  std::string opening;  // the paragraph's opening characters, as listed
  double left = 0;      // inches from the page margin
  double first = 0;     // first line, inches from the left indent
};

struct ExpectedFormatting {
  bool blank = false;
  std::map<int, double> sizes;                // points: share of the characters, 0 to 1
  std::map<std::string, double> font_classes;  // "serif", "sans", "mono": share
  std::map<std::string, int> alignments;       // "center", "justify", "right": paragraphs
  int indented = 0;
  bool has_indent_example = false;
  ExpectedIndent indent_example;
  int page_breaks = 0;
  std::vector<ExpectedHead> heads;
};

// The rows of the table, by document ("FOLDER/NAME", as the table names them); empty when
// the file cannot be read.
std::map<std::string, ExpectedFormatting> read_expected_formatting(const std::filesystem::path& file);

// A reading of a converted document, in the same terms.
struct ObservedParagraph {
  std::string text;   // UTF-8
  std::string align;  // "center", "justify", "right", or empty for left
  double left = 0;    // inches, from the page margin
  double first = 0;   // inches, relative to left
};
struct ObservedChar {
  int points = 0;
  std::string font_class;  // "serif", "sans", "mono", "other" (mono or serif), or another word
};
struct ObservedFormatting {
  std::vector<ObservedChar> chars;  // the visible characters (no spaces)
  std::vector<ObservedParagraph> paragraphs;  // the body's, empty ones too
  int page_breaks = 0;
  std::vector<ExpectedHead> heads;
};

// How close a reading comes, each share 0 to 1 (1 when the table lists
// nothing to compare with).
struct Agreement {
  double sizes = 1;
  double font_classes = 1;
  double alignment = 1;
  double indents = 1;
  bool indent_example = true;  // the listed example paragraph has its indents
  int page_breaks = 0;         // observed, to set against the listed count
  int heads_found = 0;         // listed running heads whose text was found
};
Agreement compare_formatting(const ExpectedFormatting& expected, const ObservedFormatting& observed);

}  // namespace lettrix::tools
