// The emitter: the operations with which readers write the codes of the
// intermediate stream, and the three records of the formatting in force that
// readers keep while writing and writers keep while reading the stream back.
//
// Every operation writes to the output stream it is given and changes only the
// record it is given. A code is written only when the stream's rules call for
// it: an attribute goes on only while it is off, a value code carries the
// previous value as its old operand and is written only when the value changes,
// and a new ruler is written as its difference from the tab stops in force.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <span>

#include "core/stream_codes.h"

namespace lettrix {

// Character state. Readers keep their style tables as records of this exact
// layout and copy a whole record into the state when a style starts, so the
// fields follow each other without gaps:
//
//   offset size  field
//    0      2    reserved
//    2      1    character set (CharSet value)
//    3      1    font class (Font value)
//    4      1    colour (TextColour value)
//    5      4    size in points, negated (-10 is 10 points)
//    9      1    open count: attribute-on writes minus attribute-off writes
//   10      1    flags1: attribute bits (kBold ... kCaps)
//   11      1    flags2: attribute bits (kShadow ... kOutline)
//
// The size lies at an odd offset: use it by value, never bind a reference or
// a pointer to it.
#pragma pack(push, 1)
struct CharState {
  std::uint8_t reserved[2] = {0, 0};
  std::uint8_t charset = 0;
  std::uint8_t font_class = 0;
  std::uint8_t colour = 0;
  std::int32_t size = -10;
  std::uint8_t open_count = 0;
  std::uint8_t flags1 = 0;
  std::uint8_t flags2 = 0;
};
#pragma pack(pop)

static_assert(sizeof(CharState) == 12);
static_assert(offsetof(CharState, charset) == 2);
static_assert(offsetof(CharState, font_class) == 3);
static_assert(offsetof(CharState, colour) == 4);
static_assert(offsetof(CharState, size) == 5);
static_assert(offsetof(CharState, open_count) == 9);
static_assert(offsetof(CharState, flags1) == 10);
static_assert(offsetof(CharState, flags2) == 11);

// Attribute bits of CharState::flags1.
inline constexpr std::uint8_t kBold = 0x01;
inline constexpr std::uint8_t kUnderline = 0x02;
inline constexpr std::uint8_t kSubscript = 0x04;
inline constexpr std::uint8_t kSuperscript = 0x08;
inline constexpr std::uint8_t kStrike = 0x10;
inline constexpr std::uint8_t kItalic = 0x20;
inline constexpr std::uint8_t kHidden = 0x40;
inline constexpr std::uint8_t kCaps = 0x80;
// Attribute bits of CharState::flags2.
inline constexpr std::uint8_t kShadow = 0x01;
inline constexpr std::uint8_t kSpareAttr = 0x02;
inline constexpr std::uint8_t kDoubleUnderline = 0x04;
inline constexpr std::uint8_t kSmallCaps = 0x08;
inline constexpr std::uint8_t kOutline = 0x10;

// The character attributes by name, for the orders in which a change of
// attributes is written.
enum class Attr : std::uint8_t {
  Bold,
  Italic,
  Underline,
  Strike,
  Outline,
  Shadow,
  Superscript,
  Subscript,
  Caps,
  SmallCaps,
  DoubleUnderline,
  Hidden,
  Spare,
};
inline constexpr int kAttrCount = 13;

// A set of character attributes, held as the bits of CharState::flags1 and
// flags2: the attributes a run asks for, or those in force.
struct CharFormat {
  std::uint8_t flags1 = 0;
  std::uint8_t flags2 = 0;

  bool operator==(const CharFormat&) const = default;
  constexpr CharFormat operator|(CharFormat other) const {
    return {static_cast<std::uint8_t>(flags1 | other.flags1), static_cast<std::uint8_t>(flags2 | other.flags2)};
  }
  constexpr bool contains(CharFormat other) const {
    return (flags1 & other.flags1) == other.flags1 && (flags2 & other.flags2) == other.flags2;
  }
};

// The set of one attribute.
constexpr CharFormat char_format(Attr a) {
  constexpr CharFormat kBits[kAttrCount] = {
      {kBold, 0},       {kItalic, 0},     {kUnderline, 0}, {kStrike, 0},          {0, kOutline},
      {0, kShadow},     {kSuperscript, 0}, {kSubscript, 0}, {kCaps, 0},           {0, kSmallCaps},
      {0, kDoubleUnderline}, {kHidden, 0}, {0, kSpareAttr}};
  return kBits[static_cast<int>(a)];
}

// The attributes in force.
constexpr CharFormat char_format(const CharState& cs) { return {cs.flags1, cs.flags2}; }

// The attributes that a change writes, in the order of their codes. In an
// order with offs_first every off code comes before the first on code;
// otherwise each attribute's code, on or off, comes at its place.
struct AttributeOrder {
  std::array<Attr, kAttrCount> list{};
  std::uint8_t count = 0;
  bool offs_first = false;
  CharFormat scope;  // every attribute of the list

  constexpr AttributeOrder() = default;
  constexpr AttributeOrder(std::initializer_list<Attr> attrs, bool offs_first_ = false) : offs_first(offs_first_) {
    for (Attr a : attrs) add(a);
  }
  // The attributes of `set` in this order.
  constexpr AttributeOrder within(CharFormat set) const {
    AttributeOrder o;
    o.offs_first = offs_first;
    for (std::uint8_t i = 0; i < count; ++i)
      if (set.contains(char_format(list[i]))) o.add(list[i]);
    return o;
  }

 private:
  constexpr void add(Attr a) {
    list[count++] = a;
    scope = scope | char_format(a);
  }
};

// The emitter's order: the Macintosh style bits (bold, italic, underline,
// then strike-through where a format has it, outline, shadow, superscript,
// subscript), then the stream's other attributes.
inline constexpr AttributeOrder kAttributeOrder{
    Attr::Bold,   Attr::Italic,      Attr::Underline, Attr::Strike, Attr::Outline,
    Attr::Shadow, Attr::Superscript, Attr::Subscript, Attr::Caps,   Attr::SmallCaps,
    Attr::DoubleUnderline, Attr::Hidden, Attr::Spare};
// The order in which reassert_attributes writes its on codes.
inline constexpr AttributeOrder kReassertOrder{
    Attr::Bold,      Attr::Underline, Attr::Superscript, Attr::Subscript,       Attr::Strike,
    Attr::Italic,    Attr::Caps,      Attr::SmallCaps,   Attr::DoubleUnderline, Attr::Hidden,
    Attr::Outline,   Attr::Shadow,    Attr::Spare};

// Paragraph state: signed 32-bit fields in this order. The fields after
// indent_flag belong to the readers and writers that need more.
struct ParaState {
  std::int32_t alignment_count = 0;  // counted by the RTF writer; the emitter leaves it
  std::int32_t justify = 0;          // 1 while JustifyOn is in force
  std::int32_t right = 0;            // 1 while RightOn is in force
  std::int32_t centre = 0;           // 1 while CenterOn is in force
  std::int32_t left = 0;             // 1 once LeftOn has been written (never cleared)
  std::int32_t left_margin = 0;      // LeftMargin, columns
  std::int32_t right_margin = 79;    // RightMargin, columns
  std::int32_t hanging_indent = 0;   // IndentHere
  std::int32_t second_indent = 0;    // Indent2
  std::int32_t line_spacing = 8;     // LineSpacing (8 single, 16 double)
  std::int32_t value97 = 6;          // ParaValue97
  std::int32_t value8e = 0;          // ParaValue8E
  std::int32_t aux1 = 0;             // free for readers and writers
  std::int32_t aux2 = 0;             // free for readers and writers
  std::int32_t indent_flag = 0;      // cleared by IndentReset
  std::int32_t extra[8] = {};        // free for readers and writers
};

static_assert(sizeof(ParaState) == (15 + 8) * 4);
static_assert(offsetof(ParaState, justify) == 4);
static_assert(offsetof(ParaState, right) == 8);
static_assert(offsetof(ParaState, centre) == 12);
static_assert(offsetof(ParaState, left) == 16);
static_assert(offsetof(ParaState, left_margin) == 20);
static_assert(offsetof(ParaState, right_margin) == 24);
static_assert(offsetof(ParaState, hanging_indent) == 28);
static_assert(offsetof(ParaState, second_indent) == 32);
static_assert(offsetof(ParaState, line_spacing) == 36);
static_assert(offsetof(ParaState, value97) == 40);
static_assert(offsetof(ParaState, value8e) == 44);
static_assert(offsetof(ParaState, indent_flag) == 56);
static_assert(offsetof(ParaState, extra) == 60);

// Tab table: entries 0 to 255 hold the kind of the stop at that column (1 left,
// 2 centre, 3 right, 4 decimal, 5 bar; 0 no stop); bit 0x80 marks a stop that
// is to be removed. Entry 256 is a sentinel: 255 once stops have been defined
// (the Word writers also use 254 there).
struct TabTable {
  static constexpr int kColumns = 256;
  static constexpr int kSentinel = 256;
  static constexpr std::int32_t kMark = 0x80;
  std::int32_t entries[kColumns + 1] = {};
};

static_assert(sizeof(TabTable) == 257 * 4);

// One stop of a ruler that a reader installs.
struct TabStop {
  int column = 0;
  int kind = TabLeft;
};

// Starts a stream pass. Reads one byte of `in`; at end of file returns -2 and
// changes nothing else. Otherwise rewinds `in`, puts the records (the tab
// table only when given) into the initial state of every stream and returns 0.
int init_stream_state(std::FILE* in, CharState& cs, ParaState& ps, TabTable* tabs = nullptr);

// Writes the escape byte and a code with no operands, or with two operands.
void write_code(std::FILE* out, std::uint8_t code);
void write_code(std::FILE* out, std::uint8_t code, int op1, int op2);

// Character attributes. An on operation does nothing when only_if_off is
// nonzero and the attribute is already on; otherwise it writes the on code,
// sets the bit and counts one more open attribute (so with only_if_off 0 the
// code is written again). An off operation writes the off code, clears the
// bit and counts one less, but only when the bit is set.
void bold_on(std::FILE* out, CharState& cs, int only_if_off);
void bold_off(std::FILE* out, CharState& cs);
void underline_on(std::FILE* out, CharState& cs, int only_if_off);
void underline_off(std::FILE* out, CharState& cs);
void superscript_on(std::FILE* out, CharState& cs, int only_if_off);
void superscript_off(std::FILE* out, CharState& cs);
void subscript_on(std::FILE* out, CharState& cs, int only_if_off);
void subscript_off(std::FILE* out, CharState& cs);
void strike_on(std::FILE* out, CharState& cs, int only_if_off);
void strike_off(std::FILE* out, CharState& cs);
void italic_on(std::FILE* out, CharState& cs, int only_if_off);
void italic_off(std::FILE* out, CharState& cs);
void caps_on(std::FILE* out, CharState& cs, int only_if_off);
void caps_off(std::FILE* out, CharState& cs);
void small_caps_on(std::FILE* out, CharState& cs, int only_if_off);
void small_caps_off(std::FILE* out, CharState& cs);
void double_underline_on(std::FILE* out, CharState& cs, int only_if_off);
void double_underline_off(std::FILE* out, CharState& cs);
void hidden_on(std::FILE* out, CharState& cs, int only_if_off);
void hidden_off(std::FILE* out, CharState& cs);
void outline_on(std::FILE* out, CharState& cs, int only_if_off);
void outline_off(std::FILE* out, CharState& cs);
void shadow_on(std::FILE* out, CharState& cs, int only_if_off);
void shadow_off(std::FILE* out, CharState& cs);
void spare_attr_on(std::FILE* out, CharState& cs, int only_if_off);
void spare_attr_off(std::FILE* out, CharState& cs);

// Writes the change from the attributes in force to `want`, for the
// attributes of `order` in its order: the on code of each one that is off
// and wanted, the off code of each one that is on and not wanted (with the
// bits and the open count changed as by the operations above). Attributes
// outside the order stay as they are. Most runs change nothing, which costs
// the compare here.
void write_attribute_changes(std::FILE* out, CharState& cs, CharFormat want, const AttributeOrder& order);
inline void change_attributes(std::FILE* out, CharState& cs, CharFormat want,
                              const AttributeOrder& order = kAttributeOrder) {
  if ((((cs.flags1 ^ want.flags1) & order.scope.flags1) | ((cs.flags2 ^ want.flags2) & order.scope.flags2)) != 0)
    write_attribute_changes(out, cs, want, order);
}

// When any attribute is open, switches off every attribute that is on (bold,
// underline, superscript, subscript, strike, italic, capitals, small capitals,
// double underline, hidden, spare, outline, shadow); the open count becomes 0.
void close_attributes(std::FILE* out, CharState& cs);
// When the open count is nonzero, writes the on code of every attribute whose
// bit is set (bold, underline, superscript, subscript, strike, italic,
// capitals, small capitals, double underline, hidden, outline, shadow, spare).
// Used after a style's record has been copied into the state.
void reassert_attributes(std::FILE* out, CharState& cs);

// Paragraph alignment. At most one of centre, justify and right is on; left
// alignment is the state in which none of them is, and LeftOn is written only
// the first time.
void center_on(std::FILE* out, ParaState& ps, int only_if_off);
void justify_on(std::FILE* out, ParaState& ps, int only_if_off);
void right_on(std::FILE* out, ParaState& ps, int only_if_off);
void left_on(std::FILE* out, ParaState& ps, int only_if_off);
void center_off(std::FILE* out, ParaState& ps);
void justify_off(std::FILE* out, ParaState& ps);
void right_off(std::FILE* out, ParaState& ps);

enum Alignment { AlignLeft = 0, AlignCentre = 1, AlignJustify = 2, AlignRight = 3 };
// Switches to an alignment (0 left, 1 centre, 2 justify, 3 right; any other
// type does nothing): the off codes of the others that are on, then the on code.
void set_alignment(std::FILE* out, ParaState& ps, int type);
// Switches off centre, justify and right, whichever are on.
void close_alignment(std::FILE* out, ParaState& ps);
// Writes the on code of each of centre, justify and right that is on.
void reassert_alignment(std::FILE* out, ParaState& ps);

// Value codes: the old operand is the low byte of the stored value, the new
// operand the low byte of the new one, which is then stored.
// FontSize when points is nonzero and differs from the stored size.
void set_font_size(std::FILE* out, CharState& cs, int points);
// Font when the class differs from the stored one.
void set_font_class(std::FILE* out, CharState& cs, int font_class);
// CharSet when the value differs from the stored one.
void set_charset(std::FILE* out, CharState& cs, int value);
// TextColour when the colour differs from the stored one.
void set_text_colour(std::FILE* out, CharState& cs, int colour);
// LineSpacing with the absolute value of the argument, when that differs.
void set_line_spacing(std::FILE* out, ParaState& ps, int value);
// ParaValue8E and ParaValue97 when the value differs.
void set_para_value_8e(std::FILE* out, ParaState& ps, int value);
void set_para_value_97(std::FILE* out, ParaState& ps, int value);
// LeftMargin, RightMargin, IndentHere and Indent2 are written on every call.
void set_left_margin(std::FILE* out, ParaState& ps, int column);
void set_right_margin(std::FILE* out, ParaState& ps, int column);
void set_indent_here(std::FILE* out, ParaState& ps, int column);
void set_indent2(std::FILE* out, ParaState& ps, int value);
// IndentReset with the two indent values, which then become 0 with the indent flag.
void indent_reset(std::FILE* out, ParaState& ps);
// The given code with the operands 0, 0 (header and footer codes).
void write_plain_code(std::FILE* out, std::uint8_t code);

// Tab stops. Columns outside 0 to 255 have no entry and are ignored by every
// operation below.
bool is_tab_column(long column);
// Writes SetTab kind column and stores the kind; the sentinel becomes 255.
void set_tab(std::FILE* out, TabTable& tabs, int kind, int column);
// Writes ClearTab with the column's kind and empties the entry.
void clear_tab(std::FILE* out, TabTable& tabs, int column);
// A left stop at every step-th column from first up to and including last,
// with SetTab codes when emit is nonzero; the sentinel becomes 255. A step
// below 1 lays down no stops.
void set_tab_series(TabTable& tabs, std::FILE* out, int first, int step, int last, int emit);
// Marks every stop as one to be removed.
void mark_all_tabs(TabTable& tabs);
// Removes every marked stop with a ClearTab code. Returns 0.
int flush_marked_tabs(std::FILE* out, TabTable& tabs);
// Installs a new ruler as its difference from the stops in force: stops that
// stay as they are write nothing, new or changed stops write SetTab (after a
// ClearTab of a different old kind), stops the ruler lacks write ClearTab.
// Stops of a kind outside 1 to 127 are ignored.
void install_ruler(std::FILE* out, TabTable& tabs, std::span<const TabStop> stops);
// The lowest column with a stop, 0 if none.
int first_tab(const TabTable& tabs);
// The first column at or after column + distance (up to 255) with a stop, -1 if none.
int next_tab(const TabTable& tabs, int column, int distance);
// The kind of that stop, -1 if none.
int next_tab_kind(const TabTable& tabs, int column, int distance);
// The stops among columns 1 to end - start; 0 when end - start is not
// positive, and 1 when there are more than 50.
int count_tabs(const TabTable& tabs, int start, int end);

}  // namespace lettrix
