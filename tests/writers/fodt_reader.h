// What LibreOffice makes of a document: the document is imported by
// LibreOffice headless and exported as flat ODF text (one XML file), which
// is read back here into paragraphs with their resolved properties and their
// characters with the point size each one is shown at.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lettrix::testing {

struct FodtChar {
  std::string text;  // one character, UTF-8; "\t" for a tab
  double points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool raised = false;  // superscript
  std::string font;     // style:font-name as read (the font's declared name)
};

struct FodtParagraph {
  // "body", "note", or the page style part: "header", "header-left",
  // "footer", "footer-left".
  std::string where;
  std::string align;  // fo:text-align as read ("start", "center", "end", "justify"), empty for left
  double margin_left = 0;  // inches
  double margin_right = 0;
  double text_indent = 0;
  std::string line_height;           // fo:line-height as read ("200%"), empty for single
  std::vector<double> tabs;          // tab stop positions, inches
  std::vector<std::string> tab_kinds;  // style:type of each ("left" when absent)
  bool page_break_before = false;
  std::vector<FodtChar> chars;
  std::string text() const;
};

struct FodtDocument {
  // Page style parts first, then the body; a note's paragraphs follow the
  // paragraph that holds its mark.
  std::vector<FodtParagraph> paragraphs;
  // Every character in reading order: running heads, then the body with each
  // note's text at its mark.
  std::vector<FodtChar> chars;
  int notes = 0;
};

// Reads a flat ODF text document; false when it cannot be read.
bool read_fodt(const std::filesystem::path& file, FodtDocument& doc);

// Whether LibreOffice headless can be run ("soffice" on the PATH).
bool libreoffice_available();
// Converts documents with LibreOffice headless into `format` ("fodt") in
// out_dir, with a private profile below out_dir. Returns false when
// LibreOffice could not be run; a document it rejects simply has no output.
bool libreoffice_convert(const std::vector<std::filesystem::path>& files, const std::string& format,
                         const std::filesystem::path& out_dir);

}  // namespace lettrix::testing
