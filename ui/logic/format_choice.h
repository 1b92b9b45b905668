// The two format drop-down lists: their contents, and the registry row that a
// shown name stands for.
#pragma once

#include <string>
#include <vector>

#include "core/format_registry.h"
#include "support/strings.h"

namespace lettrix {

inline constexpr std::size_t kMaxFormatText = 49;  // characters read from a drop-down list

// The first entry of the Source Format list, selected at start: each file is
// converted with the format its content shows; files of no source format
// are skipped. The named formats follow it, sorted.
inline constexpr const char* kAutomaticFormat = "Automatic (by content)";

// Windows code page 1252 to DOS code page 437, one byte each: 0x20-0x7F, CR
// and LF stay; other control characters give 0; the curly quotes 0x91-0x94
// give ' and "; accented letters that 437 lacks give their base letter; every
// other character without a 437 counterpart (0x80-0x9F among them) gives "_".
const ByteTable& windows_to_dos_table();

// Maps name through the table and returns the first row whose shown name is
// byte for byte equal to it, or row 0 when none is.
int find_format_row(std::string name, const FormatRegistry& registry);

// The shown names of a registry in the order of a sorted drop-down list
// (alphabetical, ignoring case).
std::vector<std::string> sorted_format_names(const FormatRegistry& registry);

// The order of a sorted list: alphabetical ignoring the case of ASCII letters,
// byte order between names that differ only in case.
bool list_order_less(const std::string& a, const std::string& b);

}  // namespace lettrix
