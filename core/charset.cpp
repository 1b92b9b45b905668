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

}  // namespace lettrix
