#include "core/charset.h"

namespace lettrix {

const TranslationGroup* select_translation_group(int group) {
  switch (group) {
    case 0:
    case 2:  // groups 2..4 are not used by any writer; they give the code page 437 group
    case 3:
    case 4:
      return &kCodePage437Group;
    case 1:
      return &kCodePage1252Group;
    default:
      return nullptr;
  }
}

std::uint16_t translate_position(const TranslationGroup& group, int table, int index) {
  if (table < 1 || table > 14 || index < 0 || index > 255) return 0;
  const TranslationTable* t = group.tables[table - 1];
  return t ? (*t)[static_cast<std::size_t>(index)] : 0;
}

}  // namespace lettrix
