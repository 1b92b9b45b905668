// Macintosh file names made into names a PC file system can hold.
#pragma once

#include <string>
#include <string_view>

namespace lettrix {

// The Mac Roman name as UTF-8 (through the character repertoire's tables),
// with each character a PC name cannot hold (/ \ : * ? " < > | and control
// characters) as "_", trailing dots and spaces as "_", "." and ".." as "_"
// and "__", an empty name as "_", and at most 255 bytes.
std::string safe_file_name(std::string_view mac_roman);

// The Mac Roman text as UTF-8, nothing replaced but characters without one
// (control characters, shown as "_").
std::string mac_roman_to_utf8(std::string_view mac_roman);

}  // namespace lettrix
