#include "writers/text_run.h"

#include "core/charset.h"

namespace lettrix {

CharBytes code_page_chars(const TranslationGroup& group, bool with_zero) {
  CharBytes chars;
  for (int table = 1; table <= CharBytes::kTables; ++table) {
    for (int index = 0; index < 256; ++index) {
      if (system_symbol(table, index) >= 0) continue;  // the writer's own (writers/system_symbols.h)
      if (beyond_code_pages(table)) continue;          // the writer's too: "_", and a note
      const std::uint16_t entry = translate_position(group, table, index);
      const std::uint8_t byte = entry & 0xFF;
      if ((entry & 0xFF00) == 0 && (byte != 0 || with_zero)) chars.set(table, index, &byte, 1);
    }
  }
  return chars;
}

}  // namespace lettrix
