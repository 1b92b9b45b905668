#include "writers/word_common.h"

#include <limits>
#include <memory>

#include "core/stream_codes.h"
#include "core/units.h"

namespace lettrix::word {

namespace {

// Attribute codes: the bits an on code sets and its off code clears.
struct AttributeCode {
  std::uint8_t on;
  std::uint8_t off;
  unsigned bits;
};

constexpr AttributeCode kAttributeCodes[] = {
    {BoldOn, BoldOff, kAttrBold},
    {UnderlineOn, UnderlineOff, kAttrUnderline},
    {SubscriptOn, SubscriptOff, kAttrSubscript},
    {SuperscriptOn, SuperscriptOff, kAttrSuperscript},
    {StrikeOn, StrikeOff, kAttrStrike},
    {ItalicOn, ItalicOff, kAttrItalic},
    {CapsOn, CapsOff, kAttrCaps},
    {DoubleUnderlineOn, DoubleUnderlineOff, kAttrDoubleUnderline},
    {SmallCapsOn, SmallCapsOff, kAttrSmallCaps},
};

// Line spacing codes: LineSpacing and the four codes before it.
constexpr std::uint8_t kFirstSpacingCode = 0x92;

// At most this many tab bytes reach toward the right margin.
constexpr int kMaxRightTabs = 14;

void set_flags(Paragraph& p, unsigned bits) {
  p.flags |= bits;
  p.carried |= bits;
}

void clear_flags(Paragraph& p, unsigned bits) {
  p.flags &= ~bits;
  p.carried &= ~bits;
}

// Ends a property with the next paragraph, or at once when the current one
// holds no text yet.
void end_flags(Paragraph& p, unsigned bits) {
  p.carried &= ~bits;
  if (p.empty) p.flags &= ~bits;
}

void replace_default_tabs(Paragraph& p) {
  if (p.tabs.entries[TabTable::kSentinel] == 255) {
    for (int c = 0; c < TabTable::kColumns; ++c) p.tabs.entries[c] = 0;
  }
  p.tabs.entries[TabTable::kSentinel] = kTabsReplaced;
  p.tab_state = kTabsChanged;
}

// The column after a tab: the next stop, or 1 when there is none.
int column_after_tab(const Paragraph& p) {
  const int next = next_tab(p.tabs, p.column, 1);
  return next < 0 ? 1 : next;
}

Indents stream_indents(const ParaState& ps) {
  return {ps.left_margin, ps.right_margin, ps.hanging_indent, ps.second_indent};
}

// The stream's indents become the current paragraph's while it holds no
// text. Tab stops count from the left margin: a new one needs them encoded
// again.
void take_indents(Paragraph& p) {
  if (!p.empty) return;
  const Indents now = stream_indents(p.ps);
  if (now.left_margin != p.indents.left_margin && p.tab_state == kTabsEncoded) p.tab_state = kTabsChanged;
  p.indents = now;
}

}  // namespace

IndentTwips indent_twips(const Indents& indents) {
  IndentTwips t;
  t.left = units::columns_to_twips(static_cast<long long>(indents.left_margin) + indents.hanging);
  if (indents.hanging != 0)
    t.first = -units::columns_to_twips(indents.hanging);
  else
    t.first = units::columns_to_twips(indents.second);
  if (indents.right_margin < kFullRightMargin)
    t.right = units::columns_to_twips(static_cast<long long>(kFullRightMargin) - indents.right_margin);
  return t;
}

bool apply_attribute_code(std::uint8_t code, unsigned& attrs) {
  for (const AttributeCode& a : kAttributeCodes) {
    if (code == a.on) {
      attrs |= a.bits;
      return true;
    }
    if (code == a.off) {
      attrs &= ~a.bits;
      return true;
    }
  }
  return false;
}

void start_document(Paragraph& p) {
  set_tab_series(p.tabs, nullptr, kDefaultTabStep, kDefaultTabStep, kDefaultTabLast, 0);
  p.tab_state = kTabsDefault;
  p.flags = p.carried = 0;
  p.column = p.tab_count = 0;
  p.previous = -1;
  p.empty = true;
  p.indents = stream_indents(p.ps);
}

void start_note(Paragraph& p) {
  p.ps = ParaState{};
  start_document(p);
}

void next_paragraph(Paragraph& p) {
  p.flags = p.carried;
  p.column = 0;
  p.tab_count = 0;
  p.empty = true;
  take_indents(p);
}

bool has_indents(const Paragraph& p) {
  const IndentTwips t = indent_twips(p.indents);
  return t.left != 0 || t.first != 0 || t.right != 0;
}

void tab_written(Paragraph& p) {
  p.previous = kTab;
  ++p.tab_count;
  p.column = column_after_tab(p);
  p.empty = false;
}

int right_on(Paragraph& p) {
  if (p.column == 0) {
    set_flags(p, kParaFlushRight);
    return 0;
  }
  int n = count_tabs(p.tabs, p.column, p.ps.right_margin);
  if (n == 0) n = (p.ps.right_margin - p.column) / 5;
  return (n >= 1 && n <= kMaxRightTabs) ? n : 0;
}

bool apply_paragraph_code(Paragraph& p, const StreamItem& item) {
  switch (item.value) {
    case CenterOn:
      set_flags(p, kParaCentred);
      clear_flags(p, kParaJustified);
      return true;
    case CenterOff: end_flags(p, kParaCentred); return true;
    case JustifyOn: set_flags(p, kParaJustified); return true;
    case JustifyOff: clear_flags(p, kParaJustified); return true;
    case RightOff: end_flags(p, kParaFlushRight); return true;
    case ClearAllTabs:
      replace_default_tabs(p);
      for (int c = 0; c < TabTable::kColumns; ++c) p.tabs.entries[c] = 0;
      return true;
    case SetTab:
      replace_default_tabs(p);
      p.tabs.entries[item.op2] = (item.op1 >= TabLeft && item.op1 <= TabBar) ? item.op1 : static_cast<int>(TabLeft);
      return true;
    case ClearTab:
      replace_default_tabs(p);
      p.tabs.entries[item.op2] = 0;
      return true;
    case LeftMargin: p.ps.left_margin = item.op2; break;
    case RightMargin: p.ps.right_margin = item.op2; break;
    case IndentHere:
      p.ps.hanging_indent = item.op2;
      p.ps.indent_flag = 1;
      break;
    case Indent2: p.ps.second_indent = item.op2; break;
    case IndentReset:
      p.ps.hanging_indent = 0;
      p.ps.second_indent = 0;
      p.ps.indent_flag = 0;
      break;
    default: break;
  }
  switch (item.value) {
    case LeftMargin:
    case RightMargin:
    case IndentHere:
    case Indent2:
    case IndentReset:
      take_indents(p);
      return true;
    default: break;
  }
  if (item.value >= kFirstSpacingCode && item.value <= LineSpacing) {
    p.ps.line_spacing = item.op2;
    if (item.op2 != units::kSingleSpacing)
      set_flags(p, kParaSpacing);
    else
      end_flags(p, kParaSpacing);
    return true;
  }
  return false;
}

std::int16_t clamp_twips(long long twips) {
  if (twips > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (twips < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(twips);
}

int encode_tab_stops(const TabTable& tabs, int twips_per_col, EncodedTab* out, int max, int left_margin) {
  int n = 0;
  for (int c = 0; c < TabTable::kColumns && n < max; ++c) {
    const std::int32_t kind = tabs.entries[c] & ~TabTable::kMark;
    if (kind == 0) continue;
    out[n].position = clamp_twips((static_cast<long long>(left_margin) + c) * twips_per_col);
    out[n].kind = static_cast<std::uint8_t>(kind - 1);
    ++n;
  }
  return n;
}

namespace {

void follow_code(StateAfter& after, const StreamItem& item) {
  switch (item.value) {
    case Font: after.font = item.op2; return;
    case FontSize: after.font_size = item.op2; return;
    case CharSet: after.charset = item.op2; return;
    default: break;
  }
  if (apply_attribute_code(item.value, after.attrs)) return;
  // Line spacing is LineSpacing's alone here, as in the RTF writer.
  if (item.value >= kFirstSpacingCode && item.value < LineSpacing) return;
  if (after.paragraph) apply_paragraph_code(*after.paragraph, item);
}

}  // namespace

bool copy_embedded_text(BlockInput& in, std::FILE* work, bool& ended, StateAfter* after) {
  ended = false;
  StreamItem item;
  bool ok = true;
  while (read_stream_item(in, item)) {
    if (item.kind == StreamItem::Kind::Code) {
      if (is_header_code(item.value) || is_footer_code(item.value) || item.value == NoteCall) continue;
      if (after) follow_code(*after, item);
    }
    ok = write_stream_item(work, item) && ok;
    if (item.is_code(EndOfText)) {
      ended = true;
      return ok;
    }
  }
  StreamItem end;
  end.kind = StreamItem::Kind::Code;
  end.value = EndOfText;
  return write_stream_item(work, end) && ok;
}

bool copy_work_bytes(std::FILE* work, std::uint64_t size, std::FILE* out) {
  if (std::fflush(work) != 0 || std::fseek(work, 0, SEEK_SET) != 0) return false;
  constexpr std::size_t kBlock = 1 << 16;
  const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[kBlock]);
  for (std::uint64_t left = size; left > 0;) {
    const std::size_t want = left < kBlock ? static_cast<std::size_t>(left) : kBlock;
    if (std::fread(block.get(), 1, want, work) != want) return false;
    if (std::fwrite(block.get(), 1, want, out) != want) return false;
    left -= want;
  }
  return !std::ferror(work) && !std::ferror(out);
}

bool append_work_file(std::FILE* work, std::FILE* out) {
  if (std::fflush(work) != 0 || std::fseek(work, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(work);
  if (size < 0) return false;
  return copy_work_bytes(work, static_cast<std::uint64_t>(size), out);
}

}  // namespace lettrix::word
