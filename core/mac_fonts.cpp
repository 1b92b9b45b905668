#include "core/mac_fonts.h"

namespace lettrix {

const ReaderTable& select_mac_font(CharState& cs, int font_number, std::FILE* out) {
  switch (font_number) {
    case 13:
      set_font_class(out, cs, FontDingbats);
      return kDingbatTable;
    case 14:
    case 20:
    case 156:
      set_font_class(out, cs, FontSerif);
      return kMacintoshTable;
    case 21:
      set_font_class(out, cs, FontSans);
      return kMacintoshTable;
    case 23:
      set_font_class(out, cs, FontSymbol);
      return kSymbolTable;
    default:
      set_font_class(out, cs, FontOther);
      return kMacintoshTable;
  }
}

}  // namespace lettrix
