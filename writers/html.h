#pragma once

#include "core/signature.h"

namespace lettrix {

// "HTML": one self-contained HTML5 file in UTF-8, every character and
// paragraph format a CSS class of the <style> block (writers/html.cpp).
int dest_html(const char* stream_path, const char* target_path);

// Its output test: the doctype and the generator line this writer begins with.
OutputMatch output_test_html(std::span<const std::uint8_t> head);

}  // namespace lettrix
