// Small string routines shared by the dialog and the stream library: Latin-1
// case maps, byte translation through a table, character-set membership,
// shortening a path for display, and opening a write-protected file.
//
// Strings are byte strings changed in place. Like the C strings they stand
// for, they end at their first NUL byte where a routine says "up to the
// terminator".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lettrix {

using ByteTable = std::array<unsigned char, 256>;

// Bytes 0x61-0x7A and 0xE0-0xFE lose 0x20 (0xF7 becomes 0xD7); others stay.
std::string& upper_latin1(std::string& s);
// Bytes 0x41-0x5A and 0xC0-0xDE gain 0x20 (0xD7 becomes 0xF7); others stay.
std::string& lower_latin1(std::string& s);

// dest := every byte of src up to its first NUL replaced by the table entry it
// indexes. A byte that the table maps to 0 ends the result, as it would end a
// C string. dest and src may be the same string.
std::string& translate_bytes(std::string& dest, std::string_view src, const ByteTable& table);

// 1 when c equals one of the characters of set before its first NUL, else 0
// (so NUL is never in a set).
int char_in_set(char c, std::string_view set);

std::string& append_char(std::string& s, char c);

// Shortens a path for display to at most max characters. The name (the text
// after the last "/" or "\") is kept; leading directories give way to "...".
// A name longer than max becomes its first max - 3 characters and "...";
// a name that leaves no room for a directory becomes "..." + separator + as
// much of the end of the name as fits in max - 1 characters.
std::string& shorten_path(std::string& path, std::size_t max);

// Opens path with open(2) flags; when that fails, makes the file readable and
// writable by its owner and tries once more. When the second open fails too,
// the file gets its original permissions back. A descriptor, or -1.
int open_retry_writable(const char* path, int flags);

// n in decimal with a comma between groups of three digits ("22,976").
std::string with_thousands(std::uint64_t n);

}  // namespace lettrix
