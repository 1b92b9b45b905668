#include "writers/unicode_chars.h"

#include <algorithm>
#include <cstring>

#include "core/charset.h"
#include "core/unicode_tables.h"
#include "writers/system_symbols.h"

namespace lettrix {

WideCharBytes unicode_char_bytes(bool fill_undefined, bool leave_ascii) {
  WideCharBytes chars;
  for (int table = 1; table <= WideCharBytes::kTables; ++table)
    for (int index = 0; index < 256; ++index) {
      if (system_symbol(table, index) >= 0) continue;
      const char* text = position_utf8(table, index);
      if (!text && fill_undefined) text = "_";
      if (!text) continue;
      const std::size_t n = std::strlen(text);
      if (leave_ascii && std::any_of(text, text + n, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        continue;
      if (n <= WideCharBytes::kMaxBytes) chars.set(table, index, reinterpret_cast<const std::uint8_t*>(text), n);
    }
  return chars;
}

std::string_view utf8_of(std::uint16_t cp, char (&buf)[4]) {
  std::size_t n = 0;
  if (cp < 0x80) {
    buf[n++] = static_cast<char>(cp);
  } else if (cp < 0x800) {
    buf[n++] = static_cast<char>(0xC0 | cp >> 6);
    buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    buf[n++] = static_cast<char>(0xE0 | cp >> 12);
    buf[n++] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return std::string_view(buf, n);
}

std::string_view unicode_char_text(int high, int low, char (&buf)[4]) {
  std::uint16_t cp = static_cast<std::uint16_t>((high & 0xFF) << 8 | (low & 0xFF));
  if (cp < 0xA0 || (cp >= 0xD800 && cp < 0xE000) || (cp >= 0xFDD0 && cp < 0xFDF0) || cp >= 0xFFFE) cp = 0xFFFD;
  return utf8_of(cp, buf);
}

bool append_work_file(std::FILE* from, OutputBuffer& out) {
  if (std::fflush(from) != 0 || std::fseek(from, 0, SEEK_SET) != 0) return false;
  char block[1 << 14];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, from)) > 0;) out.put(std::string_view(block, n));
  return !std::ferror(from);
}

std::string_view table_char_text(int table, int index, char (&buf)[4]) {
  if (const SystemSymbolForms* symbol = system_symbol_forms(table, index))
    return symbol->unicode ? utf8_of(symbol->unicode, buf) : symbol->code_page_1252;
  if (table < 1 || table > 14) return {};
  const char* text = position_utf8(table, index);
  return text ? std::string_view(text) : std::string_view("_");
}

}  // namespace lettrix
