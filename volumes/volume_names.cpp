#include "volumes/volume_names.h"

#include <cstdint>

#include "core/charset.h"
#include "core/unicode_tables.h"

namespace lettrix {
namespace {

constexpr std::size_t kMaxNameBytes = 255;

// The UTF-8 text of one Mac Roman byte; null for control characters.
const char* mac_roman_char(std::uint8_t byte, char (&ascii)[2]) {
  if (byte < 0x20 || byte == 0x7F) return nullptr;
  const std::uint16_t entry = kMacintoshTable[byte];
  if (!is_table_char(entry)) {
    if (entry == 0) return nullptr;
    ascii[0] = static_cast<char>(entry);
    ascii[1] = 0;
    return ascii;
  }
  return position_utf8(entry_table(entry), entry_index(entry));
}

bool forbidden(char c) {
  switch (c) {
    case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
      return true;
    default:
      return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  }
}

}  // namespace

std::string mac_roman_to_utf8(std::string_view mac_roman) {
  std::string out;
  out.reserve(mac_roman.size());
  char ascii[2];
  for (const char c : mac_roman) {
    const char* text = mac_roman_char(static_cast<std::uint8_t>(c), ascii);
    out += text ? text : "_";
  }
  return out;
}

std::string safe_file_name(std::string_view mac_roman) {
  std::string out;
  char ascii[2];
  for (const char c : mac_roman) {
    const char* text = mac_roman_char(static_cast<std::uint8_t>(c), ascii);
    if (!text) text = "_";
    std::string_view piece(text);
    if (out.size() + piece.size() > kMaxNameBytes) break;  // whole characters only
    for (const char p : piece) out += forbidden(p) ? '_' : p;
  }
  for (std::size_t i = out.size(); i > 0 && (out[i - 1] == '.' || out[i - 1] == ' '); --i) out[i - 1] = '_';
  if (out.empty()) out = "_";
  return out;
}

}  // namespace lettrix
