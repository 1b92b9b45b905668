// An independent reading of our RTF output: `unrtf --text` extracts the text,
// which must be the document's text in order, whitespace aside. What the
// document's text is comes from its intermediate stream: the body with each
// note's text at its reference (unrtf prints notes in place), headers and
// footers left out (unrtf does not print them). unrtf prints a character
// outside ASCII as one byte of no fixed value, or none, so such characters
// match any one byte or nothing.
//
// For any source format: expect_unrtf_reads_document(SrcMacWriteII, path).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lettrix::testing {

struct TextPattern {
  // Gap: any text or none (what a reader repeats on a new page, say).
  enum class Kind { Char, Space, AnyChar, Gap };
  struct Element {
    Kind kind;
    char c;
  };
  std::vector<Element> elements;
};

// True when the unrtf program can be run.
bool unrtf_available();

// The text `unrtf --text` extracts from an RTF file (after its banner), or
// nothing when unrtf fails on it.
std::optional<std::string> unrtf_text(const std::string& rtf_path);

// The text of an intermediate stream as an RTF reader shows it.
TextPattern expected_text(const std::string& stream);

// Empty when the text matches the pattern (runs of whitespace match runs of
// whitespace; leading and trailing whitespace is ignored), else where it
// stops matching.
std::string mismatch(const TextPattern& pattern, const std::string& text);

// Converts the source with the given source format to both RTF targets
// through the driver and checks that unrtf reads each output as the text of
// the stream that the format's reader writes.
void expect_unrtf_reads_document(int source_row, const std::string& source_path);

}  // namespace lettrix::testing
