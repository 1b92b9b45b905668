#include "core/signature.h"

#include <cstring>

#include "core/byte_helpers.h"

namespace lettrix {

Confidence refuse(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return Confidence::None;
}

bool starts_with(std::span<const std::uint8_t> b, std::string_view s, std::size_t at) {
  return b.size() >= at + s.size() && std::memcmp(b.data() + at, s.data(), s.size()) == 0;
}

std::uint16_t word_at(std::span<const std::uint8_t> b, std::size_t at) {
  return b.size() >= at + 2 ? be16_at(b.data() + at) : 0;
}

bool any_zero(std::span<const std::uint8_t> b, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < b.size(); ++i)
    if (b[i] == 0) return true;
  return false;
}

bool has_codes(const DataForkView& f, std::string_view type, std::string_view creator) {
  return f.type == type && (creator.empty() || f.creator == creator);
}

std::string hex_word(unsigned value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) s += digits[(value >> shift) & 15];
  return s;
}

std::string code_text(std::string_view code) {
  if (code.empty()) return "none";
  std::string s = "\"";
  for (char c : code) s += (c >= 0x20 && c < 0x7F) ? c : '?';
  return s + "\"";
}

bool looks_like_text(std::span<const std::uint8_t> b, std::string* why) {
  if (b.empty()) {
    if (why) *why = "it is empty";
    return false;
  }
  std::size_t odd = 0;
  std::size_t ascii = 0;
  std::size_t nuls = 0;
  const std::size_t nuls_allowed = stray_nuls_allowed(b.size());
  for (std::size_t i = 0; i < b.size(); ++i) {
    const std::uint8_t c = b[i];
    if (c == 0 && ++nuls > nuls_allowed) {
      if (why)
        *why = nuls_allowed == 0 ? "a NUL byte at byte " + std::to_string(i) + " (text holds none)"
                                 : "NUL bytes up to byte " + std::to_string(i) + ", more than one in 4,096 (text holds few)";
      return false;
    }
    if ((c >= 0x20 && c < 0x7F) || c == '\t' || c == '\r' || c == '\n') ++ascii;
    else if (is_stray_control(c)) ++odd;
  }
  if (odd * 50 > b.size()) {
    if (why) *why = std::to_string(odd) + " control bytes in the first " + std::to_string(b.size()) + " (text holds few)";
    return false;
  }
  if (ascii * 4 < b.size() * 3) {
    if (why)
      *why = "only " + std::to_string(ascii) + " of the first " + std::to_string(b.size()) +
             " bytes are plain text characters";
    return false;
  }
  return true;
}

}  // namespace lettrix
