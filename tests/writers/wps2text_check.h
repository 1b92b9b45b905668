// An independent reading of our Word for DOS output: `wps2text` (libwps)
// prints the document's text, which must be the text of its stream in order,
// whitespace aside. Headers and footers are paragraphs of the text there;
// each note is printed as "[n]" at its reference and again, with its text,
// after the paragraph that holds the reference. Characters outside ASCII come
// out as UTF-8, so each matches up to four bytes of any value.
#pragma once

#include <optional>
#include <string>

#include "writers/unrtf_check.h"

namespace lettrix::testing {

bool wps2text_available();

// The text wps2text prints for a document, or nothing when it fails on it.
std::optional<std::string> wps2text_text(const std::string& doc_path);

// The text of an intermediate stream as wps2text prints its Word for DOS form.
TextPattern word_dos_text(const std::string& stream);

// Converts the source with its reader and the Word 3/4/5 DOS writer through
// the driver and checks that wps2text reads the document as the stream's text.
void expect_wps2text_reads_document(int source_row, const std::string& source_path);

}  // namespace lettrix::testing
