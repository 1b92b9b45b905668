#pragma once

#include "core/signature.h"

namespace lettrix {

// "Markdown": CommonMark with footnotes ([^1]), as pandoc and common
// renderers read it: paragraphs, bold and italic, hard line breaks, notes,
// every character that Markdown would read as markup escaped.
int dest_markdown(const char* stream_path, const char* target_path);

// Its output test: none that could tell our Markdown from any other text
// (a Markdown file has Unix line ends, which detection passes over).
OutputMatch output_test_markdown(std::span<const std::uint8_t> head);

}  // namespace lettrix
