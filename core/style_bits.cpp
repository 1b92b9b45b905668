#include "core/style_bits.h"

namespace lettrix {

const StyleBitTable kMacStyleBits = {{
    {bold_on, bold_off},
    {italic_on, italic_off},
    {underline_on, underline_off},
    {outline_on, outline_off},
    {shadow_on, shadow_off},
    {superscript_on, superscript_off},
    {subscript_on, subscript_off},
    {},
}};

void apply_style_bits(std::FILE* out, CharState& cs, std::uint8_t style, const StyleBitTable& table) {
  for (int bit = 0; bit < 8; ++bit) {
    const AttributeOps& a = table[static_cast<std::size_t>(bit)];
    if (!a.on) continue;
    if (style & (1 << bit))
      a.on(out, cs, 1);
    else
      a.off(out, cs);
  }
}

}  // namespace lettrix
