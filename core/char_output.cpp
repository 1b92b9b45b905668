#include "core/char_output.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/double_byte.h"
#include "core/unicode_tables.h"

namespace lettrix {

void write_backslash(std::FILE* out) {
  put_byte(kEscape, out);
  put_byte(Backslash, out);
}

namespace {

// (code point, entry) of every position with one code point, by code point.
std::vector<std::pair<std::uint16_t, std::uint16_t>> make_repertoire_index() {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> index;
  for (int table = 1; table <= 14; ++table)
    for (int i = 0; i < 256; ++i)
      if (const std::uint16_t cp = position_code_point(table, i))
        index.emplace_back(cp, static_cast<std::uint16_t>(table << 8 | i));
  std::stable_sort(index.begin(), index.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return index;
}

}  // namespace

std::uint16_t repertoire_entry_of(std::uint16_t cp) {
  static const std::vector<std::pair<std::uint16_t, std::uint16_t>> kIndex = make_repertoire_index();
  const auto at = std::lower_bound(kIndex.begin(), kIndex.end(), cp,
                                   [](const auto& entry, std::uint16_t value) { return entry.first < value; });
  return at != kIndex.end() && at->first == cp ? at->second : 0;
}

std::size_t code_point_stream_bytes(std::uint16_t cp, std::uint8_t (&bytes)[4]) {
  if (cp == 0xA0) cp = ' ';
  if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) cp = kReplacementCharacter;
  if (cp == kEscape) {
    bytes[0] = kEscape;
    bytes[1] = Backslash;
    return 2;
  }
  if (cp < 0x80) {
    bytes[0] = static_cast<std::uint8_t>(cp);
    return 1;
  }
  const std::uint16_t entry = repertoire_entry_of(cp);
  bytes[0] = kEscape;
  bytes[1] = entry ? TableChar : UnicodeChar;
  bytes[2] = static_cast<std::uint8_t>((entry ? entry : cp) >> 8);
  bytes[3] = static_cast<std::uint8_t>(entry ? entry : cp);
  return 4;
}

}  // namespace lettrix
