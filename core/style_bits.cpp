#include "core/style_bits.h"

#include <initializer_list>

namespace lettrix {

namespace {

using enum Attr;

// One bit of a style word and the attribute it stands for.
struct StyleBit {
  std::uint16_t mask;
  Attr attribute;
};

// A word of single bits; a change is written in the emitter's order.
constexpr StyleTable bit_table(std::initializer_list<StyleBit> bits) {
  StyleTable t;
  CharFormat scope;
  for (const StyleBit& b : bits) {
    const CharFormat bit = char_format(b.attribute);
    for (unsigned v = 0; v < 256; ++v) {
      if (v & b.mask) t.low[v] = t.low[v] | bit;
      if (v & (b.mask >> 8)) t.high[v] = t.high[v] | bit;
    }
    scope = scope | bit;
  }
  t.order = kAttributeOrder.within(scope);
  return t;
}

constexpr StyleTable with_order(StyleTable t, const AttributeOrder& order) {
  t.order = order;
  return t;
}

constexpr CharFormat f(Attr a) { return char_format(a); }

constexpr StyleTable mac_style() {
  return bit_table({{0x01, Bold}, {0x02, Italic}, {0x04, Underline}, {0x08, Outline}, {0x10, Shadow},
                    {0x20, Superscript}, {0x40, Subscript}});
}

constexpr StyleTable macwrite_ii_style() {
  StyleTable t = mac_style();
  for (unsigned a = 0; a < 256; ++a) {
    CharFormat g;
    if (a & 0x01) g = g | f(Superscript);
    if (a & 0x02) g = g | f(Strike);
    if (a & 0x04) g = g | f(Caps);
    if (a & 0x08) g = g | f(SmallCaps);
    if ((a & 0x10) && !(a & 0x20)) g = g | f(Underline);
    if (a & 0x20) g = g | f(DoubleUnderline);
    t.high[a] = g;
  }
  CharFormat scope = t.order.scope;
  for (Attr a : {Strike, Caps, SmallCaps, DoubleUnderline}) scope = scope | f(a);
  t.order = kReassertOrder.within(scope);
  return t;
}

constexpr StyleTable clarisworks_position() {
  StyleTable t;
  t.low[1] = f(Superscript);
  t.low[2] = f(Subscript);
  t.order = AttributeOrder({Superscript, Subscript}, true);
  return t;
}

constexpr StyleTable ragtime3_numbered_style() {
  StyleTable t;
  t.low[2] = f(Italic);
  t.low[3] = f(Underline) | f(Bold);
  t.low[4] = f(Underline);
  t.low[5] = f(Bold);
  t.low[6] = f(Subscript);
  t.low[7] = f(Superscript);
  t.order = AttributeOrder{Underline, Bold, Italic, Superscript, Subscript};
  return t;
}

constexpr StyleTable ragtime3_position() {
  StyleTable t;
  for (unsigned v = 1; v < 256; ++v) t.low[v] = v <= 0x80 ? f(Subscript) : f(Superscript);
  t.order = kAttributeOrder.within(f(Superscript) | f(Subscript));
  return t;
}

}  // namespace

constexpr StyleTable kMacStyle = mac_style();

constexpr StyleTable kWorks3Style = bit_table(
    {{0x01, Bold}, {0x02, Italic}, {0x04, Underline}, {0x08, Strike}, {0x20, Superscript}, {0x40, Subscript}});

constexpr StyleTable kMacWriteIIStyle = macwrite_ii_style();

constexpr StyleTable kClarisWorksStyle =
    bit_table({{0x01, Bold}, {0x02, Italic}, {0x04, Underline}, {0x08, Outline}, {0x10, Shadow}});
constexpr StyleTable kClarisWorksPosition = clarisworks_position();

constexpr StyleTable kTextEditStyle =
    bit_table({{0x01, Bold}, {0x02, Italic}, {0x04, Underline}, {0x08, Outline}, {0x10, Shadow}});

constexpr StyleTable kRagtime2Style =
    with_order(bit_table({{0x01, Bold}, {0x02, Italic}, {0x04, Underline}, {0x08, Outline}, {0x10, Shadow},
                          {0x80, Superscript}}),
               AttributeOrder{Bold, Italic, Underline, Outline, Shadow, Subscript, Superscript});

constexpr StyleTable kRagtime3Style = bit_table({{0x01, Bold},
                                                 {0x02, Italic},
                                                 {0x04, Underline},
                                                 {0x08, Outline},
                                                 {0x10, Shadow},
                                                 {0x80, Superscript},
                                                 {0x100, Subscript}});
constexpr StyleTable kRagtime3NumberedStyle = ragtime3_numbered_style();
constexpr StyleTable kRagtime3Position = ragtime3_position();

}  // namespace lettrix
