#include "ui/logic/format_choice.h"

#include <algorithm>

namespace lettrix {

namespace {

// Code page 1252 0xA0-0xFF (the Latin-1 half) in code page 437.
constexpr unsigned char kHighHalf[96] = {
    // 0xA0: nbsp ¡ ¢ £ ¤ ¥ ¦ § ¨ © ª « ¬ shy ® ¯
    0xFF, 0xAD, 0x9B, 0x9C, '_', 0x9D, '_', '_', '_', '_', 0xA6, 0xAE, 0xAA, '_', '_', '_',
    // 0xB0: ° ± ² ³ ´ µ ¶ · ¸ ¹ º » ¼ ½ ¾ ¿
    0xF8, 0xF1, 0xFD, '_', '_', 0xE6, '_', 0xFA, '_', '_', 0xA7, 0xAF, 0xAC, 0xAB, '_', 0xA8,
    // 0xC0: À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    'A', 'A', 'A', 'A', 0x8E, 0x8F, 0x92, 0x80, 'E', 0x90, 'E', 'E', 'I', 'I', 'I', 'I',
    // 0xD0: Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    '_', 0xA5, 'O', 'O', 'O', 'O', 0x99, '_', 'O', 'U', 'U', 'U', 0x9A, 'Y', '_', 0xE1,
    // 0xE0: à á â ã ä å æ ç è é ê ë ì í î ï
    0x85, 0xA0, 0x83, 'a', 0x84, 0x86, 0x91, 0x87, 0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,
    // 0xF0: ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
    '_', 0xA4, 0x95, 0xA2, 0x93, 'o', 0x94, 0xF6, 'o', 0x97, 0xA3, 0x96, 0x81, 'y', '_', 0x98,
};

ByteTable make_windows_to_dos() {
  ByteTable t{};
  for (int c = 0; c < 0x20; ++c) t[c] = 0;
  t['\r'] = '\r';
  t['\n'] = '\n';
  for (int c = 0x20; c <= 0x7F; ++c) t[c] = static_cast<unsigned char>(c);
  for (int c = 0x80; c <= 0x9F; ++c) t[c] = '_';
  t[0x91] = '\'';
  t[0x92] = '\'';
  t[0x93] = '"';
  t[0x94] = '"';
  for (int c = 0xA0; c <= 0xFF; ++c) t[c] = kHighHalf[c - 0xA0];
  return t;
}

char fold_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

const ByteTable& windows_to_dos_table() {
  static const ByteTable table = make_windows_to_dos();
  return table;
}

int find_format_row(std::string name, const FormatRegistry& registry) {
  translate_bytes(name, name, windows_to_dos_table());
  for (std::size_t i = 0; registry.rows[i].name; ++i)
    if (name == registry.rows[i].name) return static_cast<int>(i);
  return 0;
}

bool list_order_less(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(fold_lower(a[i]));
    unsigned char y = static_cast<unsigned char>(fold_lower(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::vector<std::string> sorted_format_names(const FormatRegistry& registry) {
  std::vector<std::string> names;
  for (std::size_t i = 0; registry.rows[i].name; ++i) names.emplace_back(registry.rows[i].name);
  std::stable_sort(names.begin(), names.end(), list_order_less);
  return names;
}

}  // namespace lettrix
