#include "writers/wp5_check.h"

#include <cstdint>

#include "writers/wp5_functions.h"

namespace lettrix::wp5 {

namespace {

unsigned byte_at(std::string_view d, std::size_t at) { return static_cast<unsigned char>(d[at]); }
unsigned u16_at(std::string_view d, std::size_t at) { return byte_at(d, at) | (byte_at(d, at + 1) << 8); }

std::string at_offset(const std::string& what, std::size_t offset) {
  return what + " at offset " + std::to_string(offset);
}

// The length a variable-length function of a fixed size must carry; 0 for
// headers, footers and notes; -1 for a function not written by this program.
long expected_length(unsigned code, unsigned subfunction) {
  if (code == kFormat && subfunction == kFormatMargins) return 12;
  if (code == kFormat && subfunction == kFormatSpacing) return 8;
  if (code == kFormat && subfunction == kFormatTabSet) return 208;
  if (code == kFormat && subfunction == kFormatJustification) return 6;
  if (code == kFont && subfunction == kFontChange) return 36;
  if (code == kFont && subfunction == kFontColour) return 10;
  if (code == kDefinition && subfunction == kDefinitionColumns) return 198;
  if (code == kHeaderFooter && subfunction <= 3) return 0;
  if (code == kNote && subfunction <= 1) return 0;
  return -1;
}

// Walks the functions from begin to end; inside a header, footer or note
// (embedded) no other header, footer or note may stand.
std::string walk(std::string_view d, std::size_t begin, std::size_t end, bool embedded) {
  std::size_t at = begin;
  while (at < end) {
    const unsigned code = byte_at(d, at);
    if (code == 0x00 || code == 0x7F) return at_offset("byte " + std::to_string(code) + " in the text", at);
    if (code < 0xC0) {
      ++at;
      continue;
    }
    if (code < 0xD0) {
      const int size = fixed_function_size(static_cast<std::uint8_t>(code));
      if (size == 0) return at_offset("unknown fixed-length function " + std::to_string(code), at);
      if (at + static_cast<std::size_t>(size) > end) return at_offset("cut fixed-length function", at);
      if (byte_at(d, at + size - 1) != code) return at_offset("fixed-length function without its closing code", at);
      at += static_cast<std::size_t>(size);
      continue;
    }
    if (at + 4 > end) return at_offset("cut variable-length function", at);
    const unsigned subfunction = byte_at(d, at + 1);
    const std::size_t length = u16_at(d, at + 2);
    const long expected = expected_length(code, subfunction);
    if (expected < 0) return at_offset("unknown function " + std::to_string(code) + "/" + std::to_string(subfunction), at);
    if (expected > 0 && length != static_cast<std::size_t>(expected))
      return at_offset("function " + std::to_string(code) + " of length " + std::to_string(length), at);
    const std::size_t close = at + 4 + length;  // just after the function
    if (length < 4 || close > end) return at_offset("function length beyond its room", at);
    if (u16_at(d, close - 4) != length || byte_at(d, close - 2) != subfunction || byte_at(d, close - 1) != code)
      return at_offset("function closing bytes do not match its opening", at);
    if (expected == 0) {
      if (embedded) return at_offset("header, footer or note inside another", at);
      std::size_t lead = kHeaderFooterLead;
      if (code == kNote) lead = subfunction == 0 ? 16 : 9;
      if (at + 4 + lead > close - 4) return at_offset("header, footer or note too short", at);
      if (code == kNote && byte_at(d, at + 4 + lead - 1) != kNoteNumber)
        return at_offset("note without its number", at);
      std::string inner = walk(d, at + 4 + lead, close - 4, true);
      if (!inner.empty()) return inner;
    }
    at = close;
  }
  return {};
}

}  // namespace

std::string layout_problem(std::string_view d) {
  if (d.size() < kPrefixSize) return "shorter than the prefix";
  std::string prefix;
  put_prefix(prefix);
  if (d.substr(0, kPrefixSize) != prefix) return "prefix differs";
  return walk(d, kPrefixSize, d.size(), false);
}

}  // namespace lettrix::wp5
