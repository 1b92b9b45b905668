// Format names on the command line: the registries' shown names, matched
// ignoring case, and short aliases.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lettrix {

// The registry row for a name or alias, or -1.
int find_source_format(std::string_view name);
int find_target_format(std::string_view name);

// The aliases of a row, in the order --list-formats prints them.
std::vector<std::string> source_aliases(int row);
std::vector<std::string> target_aliases(int row);

// The text of --list-formats.
std::string format_listing();

}  // namespace lettrix
