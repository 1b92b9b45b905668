// A strict reading of the WordPerfect 5 documents this program writes: the
// prefix, then every function whole, with matching closing codes, lengths and
// subfunctions, headers, footers and notes holding only text and the
// functions allowed there. Used by the tests and the fuzz target.
#pragma once

#include <string>
#include <string_view>

namespace lettrix::wp5 {

// Empty when the document is sound, else what is wrong and where.
std::string layout_problem(std::string_view document);

}  // namespace lettrix::wp5
