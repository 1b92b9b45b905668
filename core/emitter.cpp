#include "core/emitter.h"
#include "support/byte_io.h"

#include <climits>

namespace lettrix {

namespace {

std::uint8_t low_byte(std::int64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

// The on and off codes of each attribute, by Attr.
struct AttributeCodes {
  std::uint8_t on;
  std::uint8_t off;
};

constexpr AttributeCodes kCodes[kAttrCount] = {
    {BoldOn, BoldOff},         {ItalicOn, ItalicOff},       {UnderlineOn, UnderlineOff},
    {StrikeOn, StrikeOff},     {OutlineOn, OutlineOff},     {ShadowOn, ShadowOff},
    {SuperscriptOn, SuperscriptOff}, {SubscriptOn, SubscriptOff}, {CapsOn, CapsOff},
    {SmallCapsOn, SmallCapsOff}, {DoubleUnderlineOn, DoubleUnderlineOff}, {HiddenOn, HiddenOff},
    {SpareAttrOn, SpareAttrOff}};

// close_attributes writes its off codes in the order of reassert_attributes,
// but for the spare attribute, which comes ahead of outline and shadow.
constexpr AttributeOrder kCloseOrder{
    Attr::Bold,      Attr::Underline, Attr::Superscript, Attr::Subscript,       Attr::Strike,
    Attr::Italic,    Attr::Caps,      Attr::SmallCaps,   Attr::DoubleUnderline, Attr::Hidden,
    Attr::Spare,     Attr::Outline,   Attr::Shadow};

constexpr bool has(CharFormat set, Attr a) {
  const CharFormat bit = char_format(a);
  return ((set.flags1 & bit.flags1) | (set.flags2 & bit.flags2)) != 0;
}

// The on code of an attribute that is off, the off code of one that is on,
// with its bit and the open count.
void switch_on(std::FILE* out, CharState& cs, Attr a) {
  const CharFormat bits = char_format(a);
  write_code(out, kCodes[static_cast<int>(a)].on);
  cs.flags1 |= bits.flags1;
  cs.flags2 |= bits.flags2;
  // The count saturates rather than wrapping to 0, which would read as
  // "nothing open" and keep close_attributes from closing anything.
  if (cs.open_count < 0xFF) ++cs.open_count;
}

void switch_off(std::FILE* out, CharState& cs, Attr a) {
  const CharFormat bits = char_format(a);
  write_code(out, kCodes[static_cast<int>(a)].off);
  cs.flags1 = static_cast<std::uint8_t>(cs.flags1 & ~bits.flags1);
  cs.flags2 = static_cast<std::uint8_t>(cs.flags2 & ~bits.flags2);
  // A byte: a record copied in from a style table with bits set and a count
  // of 0 wraps to 255 here, which still lets close_attributes close the rest.
  --cs.open_count;
}

void attribute_on(std::FILE* out, CharState& cs, Attr a, int only_if_off) {
  if (!only_if_off || !has(char_format(cs), a)) switch_on(out, cs, a);
}

void attribute_off(std::FILE* out, CharState& cs, Attr a) {
  if (has(char_format(cs), a)) switch_off(out, cs, a);
}

// Alignment switches: the field of the paragraph state and the codes.
void alignment_on(std::FILE* out, std::int32_t& field, std::uint8_t code, int only_if_off) {
  if (only_if_off && field == 1) return;
  write_code(out, code);
  field = 1;
}

void alignment_off(std::FILE* out, std::int32_t& field, std::uint8_t code) {
  if (field != 1) return;
  write_code(out, code);
  field = 0;
}

// A value code that is written only when the value changes.
void change_value(std::FILE* out, std::uint8_t code, std::int32_t& stored, int value) {
  if (value == stored) return;
  write_code(out, code, low_byte(stored), low_byte(value));
  stored = value;
}

// The same for the one-byte fields of the character state.
void change_byte(std::FILE* out, std::uint8_t code, std::uint8_t& stored, int value) {
  std::uint8_t v = low_byte(value);
  if (v == stored) return;
  write_code(out, code, stored, v);
  stored = v;
}

// A value code that is written on every call.
void write_value(std::FILE* out, std::uint8_t code, std::int32_t& stored, int value) {
  write_code(out, code, low_byte(stored), low_byte(value));
  stored = value;
}

bool is_tab_kind(int kind) { return kind >= 1 && kind < TabTable::kMark; }

}  // namespace

int init_stream_state(std::FILE* in, CharState& cs, ParaState& ps, TabTable* tabs) {
  if (std::fgetc(in) == EOF) return -2;
  std::rewind(in);
  cs = CharState{};
  ps = ParaState{};
  if (tabs) *tabs = TabTable{};
  return 0;
}

void write_code(std::FILE* out, std::uint8_t code) {
  put_byte(kEscape, out);
  put_byte(code, out);
}

void write_code(std::FILE* out, std::uint8_t code, int op1, int op2) {
  const unsigned char bytes[4] = {kEscape, code, low_byte(op1), low_byte(op2)};
  std::fwrite(bytes, 1, sizeof bytes, out);
}

// ---------------------------------------------------------------------------
// Character attributes

void bold_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Bold, only_if_off); }
void bold_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Bold); }
void underline_on(std::FILE* out, CharState& cs, int only_if_off) {
  attribute_on(out, cs, Attr::Underline, only_if_off);
}
void underline_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Underline); }
void superscript_on(std::FILE* out, CharState& cs, int only_if_off) {
  attribute_on(out, cs, Attr::Superscript, only_if_off);
}
void superscript_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Superscript); }
void subscript_on(std::FILE* out, CharState& cs, int only_if_off) {
  attribute_on(out, cs, Attr::Subscript, only_if_off);
}
void subscript_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Subscript); }
void strike_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Strike, only_if_off); }
void strike_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Strike); }
void italic_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Italic, only_if_off); }
void italic_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Italic); }
void caps_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Caps, only_if_off); }
void caps_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Caps); }
void small_caps_on(std::FILE* out, CharState& cs, int only_if_off) {
  attribute_on(out, cs, Attr::SmallCaps, only_if_off);
}
void small_caps_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::SmallCaps); }
void double_underline_on(std::FILE* out, CharState& cs, int only_if_off) {
  attribute_on(out, cs, Attr::DoubleUnderline, only_if_off);
}
void double_underline_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::DoubleUnderline); }
void hidden_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Hidden, only_if_off); }
void hidden_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Hidden); }
void outline_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Outline, only_if_off); }
void outline_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Outline); }
void shadow_on(std::FILE* out, CharState& cs, int only_if_off) { attribute_on(out, cs, Attr::Shadow, only_if_off); }
void shadow_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Shadow); }
void spare_attr_on(std::FILE* out, CharState& cs, int only_if_off) {
  attribute_on(out, cs, Attr::Spare, only_if_off);
}
void spare_attr_off(std::FILE* out, CharState& cs) { attribute_off(out, cs, Attr::Spare); }

void write_attribute_changes(std::FILE* out, CharState& cs, CharFormat want, const AttributeOrder& order) {
  // The attributes still to be written, as 16 bits (flags1 high): the loops
  // end with the last of them.
  const auto bits16 = [](CharFormat f) { return static_cast<unsigned>(f.flags1 << 8 | f.flags2); };
  const unsigned scope = bits16(order.scope);
  const unsigned wanted = bits16(want);
  const unsigned changed = (bits16(char_format(cs)) ^ wanted) & scope;
  const Attr* const first = order.list.data();
  const Attr* const last = first + order.count;
  if (order.offs_first) {
    unsigned offs = changed & ~wanted;
    for (const Attr* a = first; offs != 0 && a != last; ++a) {
      const unsigned bit = bits16(char_format(*a));
      if (offs & bit) switch_off(out, cs, *a);
      offs &= ~bit;
    }
    unsigned ons = changed & wanted;
    for (const Attr* a = first; ons != 0 && a != last; ++a) {
      const unsigned bit = bits16(char_format(*a));
      if (ons & bit) switch_on(out, cs, *a);
      ons &= ~bit;
    }
    return;
  }
  unsigned left = changed;
  for (const Attr* a = first; left != 0 && a != last; ++a) {
    const unsigned bit = bits16(char_format(*a));
    if (!(left & bit)) continue;
    left &= ~bit;
    if (wanted & bit)
      switch_on(out, cs, *a);
    else
      switch_off(out, cs, *a);
  }
}

void close_attributes(std::FILE* out, CharState& cs) {
  if (cs.open_count != 0) {
    for (std::uint8_t i = 0; i < kCloseOrder.count && (cs.flags1 | cs.flags2) != 0; ++i)
      attribute_off(out, cs, kCloseOrder.list[i]);
  }
  cs.open_count = 0;
}

void reassert_attributes(std::FILE* out, CharState& cs) {
  if (cs.open_count == 0) return;
  for (std::uint8_t i = 0; i < kReassertOrder.count; ++i) {
    const Attr a = kReassertOrder.list[i];
    if (has(char_format(cs), a)) attribute_on(out, cs, a, 0);
  }
}

// ---------------------------------------------------------------------------
// Paragraph alignment

void center_on(std::FILE* out, ParaState& ps, int only_if_off) { alignment_on(out, ps.centre, CenterOn, only_if_off); }
void justify_on(std::FILE* out, ParaState& ps, int only_if_off) {
  alignment_on(out, ps.justify, JustifyOn, only_if_off);
}
void right_on(std::FILE* out, ParaState& ps, int only_if_off) { alignment_on(out, ps.right, RightOn, only_if_off); }
void left_on(std::FILE* out, ParaState& ps, int only_if_off) { alignment_on(out, ps.left, LeftOn, only_if_off); }
void center_off(std::FILE* out, ParaState& ps) { alignment_off(out, ps.centre, CenterOff); }
void justify_off(std::FILE* out, ParaState& ps) { alignment_off(out, ps.justify, JustifyOff); }
void right_off(std::FILE* out, ParaState& ps) { alignment_off(out, ps.right, RightOff); }

void set_alignment(std::FILE* out, ParaState& ps, int type) {
  switch (type) {
    case AlignLeft:
      right_off(out, ps);
      justify_off(out, ps);
      center_off(out, ps);
      left_on(out, ps, 1);
      break;
    case AlignCentre:
      justify_off(out, ps);
      right_off(out, ps);
      center_on(out, ps, 1);
      break;
    case AlignJustify:
      center_off(out, ps);
      right_off(out, ps);
      justify_on(out, ps, 1);
      break;
    case AlignRight:
      center_off(out, ps);
      justify_off(out, ps);
      right_on(out, ps, 1);
      break;
    default:
      break;
  }
}

void close_alignment(std::FILE* out, ParaState& ps) {
  center_off(out, ps);
  justify_off(out, ps);
  right_off(out, ps);
}

void reassert_alignment(std::FILE* out, ParaState& ps) {
  if (ps.centre == 1) center_on(out, ps, 0);
  if (ps.justify == 1) justify_on(out, ps, 0);
  if (ps.right == 1) right_on(out, ps, 0);
}

// ---------------------------------------------------------------------------
// Values

void set_font_size(std::FILE* out, CharState& cs, int points) {
  if (points == 0) return;
  const std::int64_t negated64 = -static_cast<std::int64_t>(points);
  const std::int32_t negated = negated64 > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(negated64);
  if (negated == cs.size) return;
  // The new operand is (256 - points) mod 256, the low byte of -points.
  write_code(out, FontSize, low_byte(cs.size), low_byte(negated64));
  cs.size = negated;
}

void set_font_class(std::FILE* out, CharState& cs, int font_class) { change_byte(out, Font, cs.font_class, font_class); }
void set_charset(std::FILE* out, CharState& cs, int value) { change_byte(out, CharSet, cs.charset, value); }
void set_text_colour(std::FILE* out, CharState& cs, int colour) { change_byte(out, TextColour, cs.colour, colour); }

void set_line_spacing(std::FILE* out, ParaState& ps, int value) {
  const int magnitude = value < 0 ? (value == INT_MIN ? INT_MAX : -value) : value;
  change_value(out, LineSpacing, ps.line_spacing, magnitude);
}

void set_para_value_8e(std::FILE* out, ParaState& ps, int value) { change_value(out, ParaValue8E, ps.value8e, value); }
void set_para_value_97(std::FILE* out, ParaState& ps, int value) { change_value(out, ParaValue97, ps.value97, value); }
void set_left_margin(std::FILE* out, ParaState& ps, int column) { write_value(out, LeftMargin, ps.left_margin, column); }
void set_right_margin(std::FILE* out, ParaState& ps, int column) {
  write_value(out, RightMargin, ps.right_margin, column);
}
void set_indent_here(std::FILE* out, ParaState& ps, int column) {
  write_value(out, IndentHere, ps.hanging_indent, column);
}
void set_indent2(std::FILE* out, ParaState& ps, int value) { write_value(out, Indent2, ps.second_indent, value); }

void indent_reset(std::FILE* out, ParaState& ps) {
  write_code(out, IndentReset, low_byte(ps.hanging_indent), low_byte(ps.second_indent));
  ps.hanging_indent = 0;
  ps.second_indent = 0;
  ps.indent_flag = 0;
}

void write_plain_code(std::FILE* out, std::uint8_t code) { write_code(out, code, 0, 0); }

// ---------------------------------------------------------------------------
// Tab stops

bool is_tab_column(long column) { return column >= 0 && column < TabTable::kColumns; }

void set_tab(std::FILE* out, TabTable& tabs, int kind, int column) {
  if (!is_tab_column(column) || !is_tab_kind(kind)) return;
  write_code(out, SetTab, kind, column);
  tabs.entries[column] = kind;
  tabs.entries[TabTable::kSentinel] = 255;
}

void clear_tab(std::FILE* out, TabTable& tabs, int column) {
  if (!is_tab_column(column)) return;
  write_code(out, ClearTab, low_byte(tabs.entries[column] & ~TabTable::kMark), column);
  tabs.entries[column] = 0;
}

void set_tab_series(TabTable& tabs, std::FILE* out, int first, int step, int last, int emit) {
  if (step >= 1) {
    // Only columns 0 to 255 have entries; start at the first of the series
    // that is not below 0 and stop after 255.
    std::int64_t column = first;
    if (column < 0) column += (-column + step - 1) / step * step;
    const std::int64_t end = last < TabTable::kColumns - 1 ? last : TabTable::kColumns - 1;
    for (; column <= end; column += step) {
      if (emit) write_code(out, SetTab, TabLeft, static_cast<int>(column));
      tabs.entries[column] = TabLeft;
    }
  }
  tabs.entries[TabTable::kSentinel] = 255;
}

void mark_all_tabs(TabTable& tabs) {
  for (int c = 0; c < TabTable::kColumns; ++c) {
    if (tabs.entries[c] != 0) tabs.entries[c] |= TabTable::kMark;
  }
}

int flush_marked_tabs(std::FILE* out, TabTable& tabs) {
  for (int c = 0; c < TabTable::kColumns; ++c) {
    if (tabs.entries[c] & TabTable::kMark) clear_tab(out, tabs, c);
  }
  return 0;
}

void install_ruler(std::FILE* out, TabTable& tabs, std::span<const TabStop> stops) {
  mark_all_tabs(tabs);
  for (const TabStop& stop : stops) {
    if (!is_tab_column(stop.column) || !is_tab_kind(stop.kind)) continue;
    std::int32_t& entry = tabs.entries[stop.column];
    entry &= ~TabTable::kMark;
    if (entry == stop.kind) continue;
    if (entry != 0) clear_tab(out, tabs, stop.column);
    set_tab(out, tabs, stop.kind, stop.column);
  }
  flush_marked_tabs(out, tabs);
}

int first_tab(const TabTable& tabs) {
  for (int c = 0; c < TabTable::kColumns; ++c) {
    if (tabs.entries[c] != 0) return c;
  }
  return 0;
}

namespace {

int next_tab_column(const TabTable& tabs, int column, int distance) {
  std::int64_t start = static_cast<std::int64_t>(column) + distance;
  if (start < 0) start = 0;
  for (std::int64_t c = start; c < TabTable::kColumns; ++c) {
    if (tabs.entries[c] != 0) return static_cast<int>(c);
  }
  return -1;
}

}  // namespace

int next_tab(const TabTable& tabs, int column, int distance) { return next_tab_column(tabs, column, distance); }

int next_tab_kind(const TabTable& tabs, int column, int distance) {
  const int c = next_tab_column(tabs, column, distance);
  return c < 0 ? -1 : (tabs.entries[c] & ~TabTable::kMark);
}

int count_tabs(const TabTable& tabs, int start, int end) {
  const std::int64_t span = static_cast<std::int64_t>(end) - start;
  if (span <= 0) return 0;
  const std::int64_t last = span < TabTable::kColumns - 1 ? span : TabTable::kColumns - 1;
  int count = 0;
  for (std::int64_t c = 1; c <= last; ++c) {
    if (tabs.entries[c] != 0) ++count;
  }
  return count > 50 ? 1 : count;
}

}  // namespace lettrix
