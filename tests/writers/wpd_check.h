// An independent reading of our WordPerfect 5 output: `wpd2text` and
// `wpd2html` (Debian libwpd-tools) read the document back.
//
// wpd2text prints headers and footers that stand at the start of the text
// where they stand, the body, each note's number as "[n]" at its reference
// and the note itself ("[n] text") after the paragraph that refers to it.
// Characters come out in UTF-8; we compare them in code page 1252, so that a
// character of the repertoire must read back as the very character that the
// code page 1252 group gives its position (where that group has one).
#pragma once

#include <optional>
#include <string>

#include "writers/unrtf_check.h"

namespace lettrix::testing {

// True when wpd2text and wpd2html can be run.
bool wpd_tools_available();

// What the tool prints for the document, or nothing when it fails on it.
std::optional<std::string> wpd2text(const std::string& wp5_path);
std::optional<std::string> wpd2html(const std::string& wp5_path);

// UTF-8 text in code page 1252; a character that the code page lacks becomes 0x01.
std::string utf8_to_cp1252(const std::string& utf8);

// The text of an intermediate stream as wpd2text shows its WordPerfect document.
TextPattern wpd_expected_text(const std::string& stream);

// Converts the source to "Wordperfect 5" through the driver and checks the
// document: sound functions (wp5::layout_problem), the stream's text as
// wpd2text reads it, and bold, italic and underline where the stream has them
// as wpd2html shows them.
void expect_wpd_reads_document(int source_row, const std::string& source_path);

}  // namespace lettrix::testing
