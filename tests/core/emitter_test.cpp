#include "core/emitter.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <initializer_list>
#include <vector>

#include "core/stream_printer.h"
#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix {
namespace {

// Runs the operations on a fresh output stream and returns what they wrote, as tokens.
std::string emitted(const std::function<void(std::FILE*)>& ops) {
  FilePtr out(std::tmpfile());
  ops(out.get());
  std::rewind(out.get());
  return print_stream(out.get());
}

TEST(StreamState, InitStartsEveryRecordFromTheInitialState) {
  CharState cs;
  cs.size = -24;
  cs.flags1 = kBold;
  cs.open_count = 3;
  ParaState ps;
  ps.centre = 1;
  ps.right_margin = 60;
  TabTable tabs;
  tabs.entries[10] = TabRight;
  tabs.entries[TabTable::kSentinel] = 255;

  // An empty input is reported and nothing changes.
  FilePtr empty(std::tmpfile());
  EXPECT_EQ(init_stream_state(empty.get(), cs, ps, &tabs), -2);
  EXPECT_EQ(int{cs.size}, -24);
  EXPECT_EQ(ps.right_margin, 60);
  EXPECT_EQ(tabs.entries[10], TabRight);

  FilePtr in(std::tmpfile());
  std::fputs("abc", in.get());
  std::fseek(in.get(), 2, SEEK_SET);

  // Without a tab table the table is left alone.
  EXPECT_EQ(init_stream_state(in.get(), cs, ps), 0);
  EXPECT_EQ(std::ftell(in.get()), 0);
  EXPECT_EQ(tabs.entries[10], TabRight);

  EXPECT_EQ(init_stream_state(in.get(), cs, ps, &tabs), 0);
  EXPECT_EQ(std::fgetc(in.get()), 'a');
  EXPECT_EQ(int{cs.size}, -10);
  EXPECT_EQ(cs.charset, 0);
  EXPECT_EQ(cs.font_class, 0);
  EXPECT_EQ(cs.colour, 0);
  EXPECT_EQ(cs.open_count, 0);
  EXPECT_EQ(cs.flags1, 0);
  EXPECT_EQ(cs.flags2, 0);
  EXPECT_EQ(ps.centre, 0);
  EXPECT_EQ(ps.left_margin, 0);
  EXPECT_EQ(ps.right_margin, 79);
  EXPECT_EQ(ps.line_spacing, 8);
  EXPECT_EQ(ps.value97, 6);
  EXPECT_EQ(ps.value8e, 0);
  EXPECT_EQ(tabs.entries[10], 0);
  EXPECT_EQ(tabs.entries[TabTable::kSentinel], 0);
}

// The thirteen attributes: operations, codes and bits.
struct AttributeCase {
  const char* name;
  void (*on)(std::FILE*, CharState&, int);
  void (*off)(std::FILE*, CharState&);
  std::uint8_t on_code;
  std::uint8_t off_code;
  bool second;  // bit in flags2
  std::uint8_t bit;
};

const AttributeCase kAttributes[] = {
    {"bold", bold_on, bold_off, BoldOn, BoldOff, false, 0x01},
    {"underline", underline_on, underline_off, UnderlineOn, UnderlineOff, false, 0x02},
    {"subscript", subscript_on, subscript_off, SubscriptOn, SubscriptOff, false, 0x04},
    {"superscript", superscript_on, superscript_off, SuperscriptOn, SuperscriptOff, false, 0x08},
    {"strike", strike_on, strike_off, StrikeOn, StrikeOff, false, 0x10},
    {"italic", italic_on, italic_off, ItalicOn, ItalicOff, false, 0x20},
    {"hidden", hidden_on, hidden_off, HiddenOn, HiddenOff, false, 0x40},
    {"caps", caps_on, caps_off, CapsOn, CapsOff, false, 0x80},
    {"shadow", shadow_on, shadow_off, ShadowOn, ShadowOff, true, 0x01},
    {"spare", spare_attr_on, spare_attr_off, SpareAttrOn, SpareAttrOff, true, 0x02},
    {"double underline", double_underline_on, double_underline_off, DoubleUnderlineOn, DoubleUnderlineOff, true,
     0x04},
    {"small caps", small_caps_on, small_caps_off, SmallCapsOn, SmallCapsOff, true, 0x08},
    {"outline", outline_on, outline_off, OutlineOn, OutlineOff, true, 0x10},
};

TEST(AttributeCodes, OnAndOffFollowTheBitsAndTheOpenCount) {
  for (const AttributeCase& a : kAttributes) {
    SCOPED_TRACE(a.name);
    CharState cs;
    const std::string on = print_stream(testing::bytes({0x5C, a.on_code}));
    const std::string off = print_stream(testing::bytes({0x5C, a.off_code}));
    EXPECT_EQ(emitted([&](std::FILE* out) { a.on(out, cs, 1); }), on);
    EXPECT_EQ((a.second ? cs.flags2 : cs.flags1), a.bit);
    EXPECT_EQ((a.second ? cs.flags1 : cs.flags2), 0);
    EXPECT_EQ(cs.open_count, 1);
    // Already on: nothing with only_if_off, the code again without it.
    EXPECT_EQ(emitted([&](std::FILE* out) { a.on(out, cs, 1); }), "");
    EXPECT_EQ(emitted([&](std::FILE* out) { a.on(out, cs, 0); }), on);
    EXPECT_EQ(cs.open_count, 2);
    EXPECT_EQ(emitted([&](std::FILE* out) { a.off(out, cs); }), off);
    EXPECT_EQ(cs.flags1 | cs.flags2, 0);
    EXPECT_EQ(cs.open_count, 1);
    // Off while off writes nothing and counts nothing.
    EXPECT_EQ(emitted([&](std::FILE* out) { a.off(out, cs); }), "");
    EXPECT_EQ(cs.open_count, 1);
  }
}

TEST(AttributeCodes, CloseWritesOffCodesInItsOwnOrder) {
  CharState cs;
  std::string s = emitted([&](std::FILE* out) {
    bold_on(out, cs, 1);
    italic_on(out, cs, 1);
    close_attributes(out, cs);
  });
  EXPECT_EQ(s, "{BoldOn}{ItalicOn}{BoldOff}{ItalicOff}");
  EXPECT_EQ(cs.open_count, 0);

  s = emitted([&](std::FILE* out) {
    italic_on(out, cs, 1);
    bold_on(out, cs, 1);
    close_attributes(out, cs);
  });
  EXPECT_EQ(s, "{ItalicOn}{BoldOn}{BoldOff}{ItalicOff}");

  // Every attribute on: the spare attribute closes before outline and shadow.
  s = emitted([&](std::FILE* out) {
    for (const AttributeCase& a : kAttributes) a.on(out, cs, 1);
  });
  EXPECT_EQ(cs.open_count, 13);
  s = emitted([&](std::FILE* out) { close_attributes(out, cs); });
  EXPECT_EQ(s,
            "{BoldOff}{UnderlineOff}{SuperscriptOff}{SubscriptOff}{StrikeOff}{ItalicOff}{CapsOff}{SmallCapsOff}"
            "{DoubleUnderlineOff}{HiddenOff}{SpareAttrOff}{OutlineOff}{ShadowOff}");
  EXPECT_EQ(cs.flags1 | cs.flags2, 0);
  EXPECT_EQ(cs.open_count, 0);

  // Nothing counted open: nothing is written, even with bits set.
  cs.flags1 = kBold;
  EXPECT_EQ(emitted([&](std::FILE* out) { close_attributes(out, cs); }), "");
  EXPECT_EQ(cs.flags1, kBold);
}

TEST(AttributeCodes, ReassertWritesOnCodesInItsOwnOrder) {
  // A style record copied into the state after close_attributes.
  CharState style;
  style.flags1 = 0xFF;
  style.flags2 = 0x1F;
  style.open_count = 1;
  CharState cs = style;
  EXPECT_EQ(emitted([&](std::FILE* out) { reassert_attributes(out, cs); }),
            "{BoldOn}{UnderlineOn}{SuperscriptOn}{SubscriptOn}{StrikeOn}{ItalicOn}{CapsOn}{SmallCapsOn}"
            "{DoubleUnderlineOn}{HiddenOn}{OutlineOn}{ShadowOn}{SpareAttrOn}");
  EXPECT_EQ(cs.open_count, 14);

  // A record whose open count is 0 reasserts nothing.
  cs = style;
  cs.open_count = 0;
  EXPECT_EQ(emitted([&](std::FILE* out) { reassert_attributes(out, cs); }), "");

  // A style switch: bold+underline to italic at 12 points.
  cs = CharState{};
  CharState italic12;
  italic12.flags1 = kItalic;
  italic12.open_count = 1;
  italic12.size = -12;
  std::string s = emitted([&](std::FILE* out) {
    bold_on(out, cs, 1);
    underline_on(out, cs, 1);
    std::fputc('a', out);
    close_attributes(out, cs);
    set_font_size(out, cs, 12);
    cs = italic12;
    reassert_attributes(out, cs);
    std::fputc('b', out);
  });
  EXPECT_EQ(s, "{BoldOn}{UnderlineOn}a{BoldOff}{UnderlineOff}{FontSize 246,244}{ItalicOn}b");
}

TEST(AttributeCodes, OpenCountNeitherLosesNorWrapsToZero) {
  CharState cs;
  FilePtr out(std::tmpfile());
  for (int i = 0; i < 300; ++i) bold_on(out.get(), cs, 0);
  EXPECT_EQ(cs.open_count, 255);
  std::string s = emitted([&](std::FILE* o) { close_attributes(o, cs); });
  EXPECT_EQ(s, "{BoldOff}");

  // A record copied in with bits set and no count: an off leaves the rest closable.
  cs = CharState{};
  cs.flags1 = kBold | kItalic;
  s = emitted([&](std::FILE* o) {
    bold_off(o, cs);
    close_attributes(o, cs);
  });
  EXPECT_EQ(s, "{BoldOff}{ItalicOff}");
}

CharFormat attrs(std::initializer_list<Attr> list) {
  CharFormat f;
  for (Attr a : list) f = f | char_format(a);
  return f;
}

int count_of(CharFormat f) { return std::popcount(unsigned{f.flags1}) + std::popcount(unsigned{f.flags2}); }

const CharFormat kEveryAttribute = kAttributeOrder.scope;

TEST(AttributeCodes, ChangeWritesTheDifferenceInTheOrderGiven) {
  using enum Attr;
  const AttributeOrder offs_first({Bold, Italic}, true);
  struct Case {
    const char* name;
    CharFormat from, to;
    const AttributeOrder& order;
    const char* codes;
    CharFormat after;
  };
  const Case cases[] = {
      {"no change", attrs({Bold, Italic}), attrs({Bold, Italic}), kAttributeOrder, "", attrs({Bold, Italic})},
      {"each code at its place", attrs({Italic}), attrs({Bold}), kAttributeOrder, "{BoldOn}{ItalicOff}",
       attrs({Bold})},
      {"offs first", attrs({Italic}), attrs({Bold}), offs_first, "{ItalicOff}{BoldOn}", attrs({Bold})},
      {"outside the order stays", attrs({Bold, Strike}), attrs({Italic}),
       kAttributeOrder.within(attrs({Bold, Italic})), "{BoldOff}{ItalicOn}", attrs({Strike, Italic})},
      {"the emitter's order", {}, kEveryAttribute, kAttributeOrder,
       "{BoldOn}{ItalicOn}{UnderlineOn}{StrikeOn}{OutlineOn}{ShadowOn}{SuperscriptOn}{SubscriptOn}{CapsOn}"
       "{SmallCapsOn}{DoubleUnderlineOn}{HiddenOn}{SpareAttrOn}",
       kEveryAttribute},
      {"reassert order", {}, kEveryAttribute, kReassertOrder,
       "{BoldOn}{UnderlineOn}{SuperscriptOn}{SubscriptOn}{StrikeOn}{ItalicOn}{CapsOn}{SmallCapsOn}"
       "{DoubleUnderlineOn}{HiddenOn}{OutlineOn}{ShadowOn}{SpareAttrOn}",
       kEveryAttribute},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CharState cs;
    cs.flags1 = c.from.flags1;
    cs.flags2 = c.from.flags2;
    cs.open_count = static_cast<std::uint8_t>(count_of(c.from));
    EXPECT_EQ(emitted([&](std::FILE* out) { change_attributes(out, cs, c.to, c.order); }), c.codes);
    EXPECT_EQ(char_format(cs), c.after);
    // The count follows the codes: close_attributes closes what is left.
    EXPECT_EQ(cs.open_count, count_of(c.after));
  }
}

TEST(AlignmentCodes, SwitchesWriteOffCodesThenTheNewOn) {
  ParaState ps;
  // Centred to left twice: LeftOn only the first time.
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignCentre); }), "{CenterOn}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignLeft); }), "{CenterOff}{LeftOn}");
  EXPECT_EQ(ps.left, 1);
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignCentre); }), "{CenterOn}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignLeft); }), "{CenterOff}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignLeft); }), "");

  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignJustify); }), "{JustifyOn}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignJustify); }), "");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignRight); }), "{JustifyOff}{RightOn}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, AlignCentre); }), "{RightOff}{CenterOn}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, 4); }), "");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_alignment(out, ps, -1); }), "");
  EXPECT_EQ(ps.centre + ps.justify + ps.right, 1);

  // Off operations only act on what is on; the on operations as the attributes.
  EXPECT_EQ(emitted([&](std::FILE* out) { right_off(out, ps); }), "");
  EXPECT_EQ(emitted([&](std::FILE* out) { center_on(out, ps, 0); }), "{CenterOn}");
  EXPECT_EQ(emitted([&](std::FILE* out) { left_on(out, ps, 1); }), "");
  EXPECT_EQ(emitted([&](std::FILE* out) { left_on(out, ps, 0); }), "{LeftOn}");
}

TEST(AlignmentCodes, CloseAndReassertAroundAParagraphRun) {
  ParaState ps;
  ps.justify = 1;
  ps.right = 1;  // a copied run may carry both flags
  EXPECT_EQ(emitted([&](std::FILE* out) { close_alignment(out, ps); }), "{JustifyOff}{RightOff}");
  EXPECT_EQ(ps.justify + ps.right, 0);
  EXPECT_EQ(emitted([&](std::FILE* out) { close_alignment(out, ps); }), "");

  ps.centre = 1;
  ps.right = 1;
  EXPECT_EQ(emitted([&](std::FILE* out) { reassert_alignment(out, ps); }), "{CenterOn}{RightOn}");
  ps = ParaState{};
  EXPECT_EQ(emitted([&](std::FILE* out) { reassert_alignment(out, ps); }), "");
}

TEST(ValueCodes, CarryTheOldAndTheNewValue) {
  CharState cs;
  ParaState ps;
  EXPECT_EQ(emitted([&](std::FILE* out) { set_font_size(out, cs, 10); }), "");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_font_size(out, cs, 12); }), "{FontSize 246,244}");
  EXPECT_EQ(int{cs.size}, -12);
  EXPECT_EQ(emitted([&](std::FILE* out) { set_font_size(out, cs, 10); }), "{FontSize 244,246}");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_font_size(out, cs, 0); }), "");
  EXPECT_EQ(int{cs.size}, -10);
  // A record holding a positive size (copied from a source run) differs from every request.
  cs.size = 12;
  EXPECT_EQ(emitted([&](std::FILE* out) { set_font_size(out, cs, 12); }), "{FontSize 12,244}");

  std::string s = emitted([&](std::FILE* out) {
    set_font_class(out, cs, FontSans);
    set_font_class(out, cs, FontSans);
    set_charset(out, cs, 1);
    set_charset(out, cs, 1);
    set_charset(out, cs, 0);
    set_text_colour(out, cs, 3);
  });
  EXPECT_EQ(s, "{Font 0,2}{CharSet 0,1}{CharSet 1,0}{TextColour 0,3}");

  s = emitted([&](std::FILE* out) {
    set_line_spacing(out, ps, 8);
    set_line_spacing(out, ps, -16);
    set_line_spacing(out, ps, 16);
    set_para_value_97(out, ps, 6);
    set_para_value_97(out, ps, 9);
    set_para_value_8e(out, ps, 2);
    set_para_value_8e(out, ps, 2);
  });
  EXPECT_EQ(s, "{LineSpacing 8,16}{ParaValue97 6,9}{ParaValue8E 0,2}");
  EXPECT_EQ(ps.line_spacing, 16);

  // Margins and indents are written on every call.
  ps.indent_flag = 1;
  s = emitted([&](std::FILE* out) {
    set_left_margin(out, ps, 0);
    set_left_margin(out, ps, 5);
    set_right_margin(out, ps, 70);
    set_right_margin(out, ps, 70);
    set_indent_here(out, ps, 4);
    set_indent2(out, ps, 3);
    set_indent2(out, ps, 3);
    indent_reset(out, ps);
  });
  EXPECT_EQ(s,
            "{LeftMargin 0,0}{LeftMargin 0,5}{RightMargin 79,70}{RightMargin 70,70}{IndentHere 0,4}"
            "{Indent2 0,3}{Indent2 3,3}{IndentReset 4,3}");
  EXPECT_EQ(ps.hanging_indent, 0);
  EXPECT_EQ(ps.second_indent, 0);
  EXPECT_EQ(ps.indent_flag, 0);

  EXPECT_EQ(emitted([&](std::FILE* out) {
              write_plain_code(out, HeaderAll);
              std::fputc('T', out);
            }),
            print_stream(testing::bytes({0x5C, 0x9E, 0, 0, 'T'})));
}

TEST(TabRulers, NewRulerIsWrittenAsItsDifference) {
  TabTable tabs;
  const std::vector<TabStop> first = {{10, TabLeft}, {20, TabDecimal}, {30, TabRight}};
  EXPECT_EQ(emitted([&](std::FILE* out) { install_ruler(out, tabs, first); }),
            "{SetTab 1,10}{SetTab 4,20}{SetTab 3,30}");
  EXPECT_EQ(tabs.entries[TabTable::kSentinel], 255);
  // The same ruler again writes nothing.
  EXPECT_EQ(emitted([&](std::FILE* out) { install_ruler(out, tabs, first); }), "");

  // One stop fewer: exactly one ClearTab.
  const std::vector<TabStop> fewer = {{10, TabLeft}, {30, TabRight}};
  EXPECT_EQ(emitted([&](std::FILE* out) { install_ruler(out, tabs, fewer); }), "{ClearTab 4,20}");
  EXPECT_EQ(tabs.entries[20], 0);

  // A changed kind clears the old kind first; a new stop is only set.
  const std::vector<TabStop> changed = {{10, TabCentre}, {30, TabRight}, {40, TabBar}};
  EXPECT_EQ(emitted([&](std::FILE* out) { install_ruler(out, tabs, changed); }),
            "{ClearTab 1,10}{SetTab 2,10}{SetTab 5,40}");

  // Columns outside the table and kinds that are no tab kind are ignored.
  const std::vector<TabStop> odd = {{10, TabCentre}, {30, TabRight}, {40, TabBar}, {256, TabLeft},
                                    {-1, TabLeft},   {1000, TabLeft}, {50, 0},       {60, 0x81}};
  EXPECT_EQ(emitted([&](std::FILE* out) { install_ruler(out, tabs, odd); }), "");
  for (int c : {10, 30, 40}) EXPECT_EQ(tabs.entries[c] & TabTable::kMark, 0);

  // An empty ruler removes every stop, lowest column first.
  EXPECT_EQ(emitted([&](std::FILE* out) { install_ruler(out, tabs, {}); }),
            "{ClearTab 2,10}{ClearTab 3,30}{ClearTab 5,40}");
  EXPECT_EQ(first_tab(tabs), 0);
}

TEST(TabRulers, MarkedStopsAreFlushedWithTheirKinds) {
  TabTable tabs;
  tabs.entries[0] = TabRight;
  tabs.entries[255] = TabDecimal;
  mark_all_tabs(tabs);
  EXPECT_EQ(tabs.entries[0], 0x83);
  EXPECT_EQ(tabs.entries[1], 0);
  std::string s = emitted([&](std::FILE* out) { EXPECT_EQ(flush_marked_tabs(out, tabs), 0); });
  EXPECT_EQ(s, "{ClearTab 3,0}{ClearTab 4,255}");
  EXPECT_EQ(tabs.entries[0] | tabs.entries[255], 0);

  std::string single = emitted([&](std::FILE* out) {
    set_tab(out, tabs, TabLeft, 300);
    set_tab(out, tabs, TabLeft, -5);
    set_tab(out, tabs, TabCentre, 7);
    clear_tab(out, tabs, 256);
    clear_tab(out, tabs, 7);
  });
  EXPECT_EQ(single, "{SetTab 2,7}{ClearTab 2,7}");
}

TEST(TabRulers, SeriesLaysDownLeftStops) {
  TabTable tabs;
  EXPECT_EQ(emitted([&](std::FILE* out) { set_tab_series(tabs, out, 5, 5, 200, 0); }), "");
  EXPECT_EQ(tabs.entries[TabTable::kSentinel], 255);
  int count = 0;
  for (int c = 0; c < 256; ++c) count += tabs.entries[c] != 0;
  EXPECT_EQ(count, 40);
  EXPECT_EQ(tabs.entries[5], TabLeft);
  EXPECT_EQ(tabs.entries[200], TabLeft);
  EXPECT_EQ(tabs.entries[205], 0);

  TabTable other;
  EXPECT_EQ(emitted([&](std::FILE* out) { set_tab_series(other, out, 0, 40, 100, 1); }),
            "{SetTab 1,0}{SetTab 1,40}{SetTab 1,80}");

  // Columns beyond the table are left out; a step below 1 lays down nothing.
  TabTable wide;
  EXPECT_EQ(emitted([&](std::FILE* out) { set_tab_series(wide, out, -95, 100, 1000, 1); }),
            "{SetTab 1,5}{SetTab 1,105}{SetTab 1,205}");
  TabTable none;
  EXPECT_EQ(emitted([&](std::FILE* out) { set_tab_series(none, out, 5, 0, 100, 1); }), "");
  EXPECT_EQ(emitted([&](std::FILE* out) { set_tab_series(none, out, 5, -5, 100, 1); }), "");
  EXPECT_EQ(first_tab(none), 0);
}

TEST(TabQueries, FindAndCountStops) {
  TabTable tabs;
  EXPECT_EQ(first_tab(tabs), 0);
  EXPECT_EQ(next_tab(tabs, 0, 0), -1);
  EXPECT_EQ(next_tab_kind(tabs, 0, 0), -1);
  EXPECT_EQ(count_tabs(tabs, 0, 79), 0);

  tabs.entries[8] = TabLeft;
  tabs.entries[16] = TabDecimal;
  tabs.entries[255] = TabRight;
  EXPECT_EQ(first_tab(tabs), 8);
  EXPECT_EQ(next_tab(tabs, 8, 0), 8);
  EXPECT_EQ(next_tab(tabs, 8, 1), 16);
  EXPECT_EQ(next_tab_kind(tabs, 8, 1), TabDecimal);
  EXPECT_EQ(next_tab(tabs, 17, 0), 255);
  EXPECT_EQ(next_tab(tabs, 250, 10), -1);
  EXPECT_EQ(next_tab_kind(tabs, 255, 1), -1);
  EXPECT_EQ(next_tab(tabs, -100, 0), 8);
  EXPECT_EQ(next_tab(tabs, 2147483647, 2147483647), -1);

  // Columns 1 to end - start.
  EXPECT_EQ(count_tabs(tabs, 10, 26), 2);
  EXPECT_EQ(count_tabs(tabs, 10, 25), 1);
  EXPECT_EQ(count_tabs(tabs, 10, 10), 0);
  EXPECT_EQ(count_tabs(tabs, 10, 5), 0);
  EXPECT_EQ(count_tabs(tabs, 0, 100000), 3);

  TabTable dense;
  for (int c = 1; c <= 51; ++c) dense.entries[c] = TabLeft;
  EXPECT_EQ(count_tabs(dense, 0, 50), 50);
  EXPECT_EQ(count_tabs(dense, 0, 51), 1);
}

}  // namespace
}  // namespace lettrix
