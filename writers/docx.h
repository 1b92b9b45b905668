#pragma once

#include "core/signature.h"

namespace lettrix {

// "Word (DOCX)": an Office Open XML word-processing package, as Word and
// LibreOffice open it: the text with its character and paragraph
// formatting, headers and footers, and footnotes.
int dest_docx(const char* stream_path, const char* target_path);

// Its output test: a zip package whose first entry is [Content_Types].xml.
OutputMatch output_test_docx(std::span<const std::uint8_t> head);

}  // namespace lettrix
