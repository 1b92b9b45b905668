// Paragraph properties in RTF. Every paragraph starts with "\pard" and states
// all of its properties before its text:
//
//   \pard \qc \li1440\fi-720\ri288 \sl360\slmult1 \box\brdrs... \tqr\tx2880 text\par
//
// Positions are in twips, one stream column being a tenth of an inch. Codes
// that switch an alignment on in the middle of a paragraph take effect at
// once (an RTF paragraph has the properties in force at its end); every other
// change in the middle of a paragraph, and every off code, takes effect with
// the next paragraph, so a reader that switches its alignment off just
// before a paragraph mark does not lose the paragraph's own alignment.
#include <cstdint>
#include <cstring>
#include <string>

#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/units.h"
#include "writers/paragraph_codes.h"
#include "writers/rtf_writer.h"

namespace lettrix {

namespace {

// The right margin of the stream's initial state: no right indent.
constexpr int kDefaultRightMargin = 79;

void write_border(RtfWriter& w, std::uint8_t sides) {
  constexpr std::uint8_t kAllSides = kBorderTop | kBorderLeft | kBorderBottom | kBorderRight;
  // Each side keyword is followed by the line of that side.
  auto side = [&](int number) {
    keyword(w, number);
    keyword(w, (sides & kBorderDouble) ? KwBrdrdb : KwBrdrs);
    keyword_number(w, KwBrdrw, 15);
    keyword_number(w, KwBrsp, 20);
  };
  if ((sides & kAllSides) == 0) return;
  if ((sides & kAllSides) == kAllSides) {
    side(KwBox);
    return;
  }
  if (sides & kBorderTop) side(KwBrdrt);
  if (sides & kBorderLeft) side(KwBrdrl);
  if (sides & kBorderBottom) side(KwBrdrb);
  if (sides & kBorderRight) side(KwBrdrr);
}

void tab_stop_keywords(std::string& text, const TabTable& tabs, long long left_margin, bool dos) {
  auto keyword = [&](int number) {
    text += '\\';
    text += rtf_keyword(number);
  };
  auto keyword_number = [&](int number, long long value) {
    keyword(number);
    text += std::to_string(value);
  };
  text.clear();
  for (int column = 0; column < TabTable::kColumns; ++column) {
    const std::int32_t kind = tabs.entries[column];
    if (kind == 0) continue;
    const long long position = units::columns_to_twips(left_margin + column);
    if (kind == TabBar) {
      if (dos) keyword_number(KwTb, position);
      continue;
    }
    if (kind == TabCentre) keyword(KwTqc);
    if (kind == TabRight) keyword(KwTqr);
    if (kind == TabDecimal) keyword(KwTqdec);
    keyword_number(KwTx, position);
  }
}

void write_tab_stops(RtfWriter& w, const TabTable& tabs, long long left_margin) {
  RtfWriter::TabText& cached = w.tab_text;
  if (!cached.valid || cached.left_margin != left_margin ||
      std::memcmp(cached.tabs.entries, tabs.entries, sizeof tabs.entries) != 0) {
    tab_stop_keywords(cached.text, tabs, left_margin, w.dos);
    cached.tabs = tabs;
    cached.left_margin = left_margin;
    cached.valid = true;
  }
  w.out.put(cached.text);
}

}  // namespace

void write_paragraph_properties(RtfWriter& w) {
  const ParaState& ps = w.in_note ? w.note_ps : w.ps;
  const TabTable& tabs = w.in_note ? w.note_tabs : w.tabs;
  keyword(w, KwPard);
  if (ps.centre)
    keyword(w, KwQc);
  else if (ps.justify)
    keyword(w, KwQj);
  else if (ps.right)
    keyword(w, KwQr);
  // A hanging indent: the lines after the first align at the indent column.
  const long long left = ps.left_margin + ps.hanging_indent;
  if (left != 0) keyword_number(w, KwLi, units::columns_to_twips(left));
  if (ps.hanging_indent != 0)
    keyword_number(w, KwFi, units::columns_to_twips(-static_cast<long long>(ps.hanging_indent)));
  // The second indent: the first line starts that many columns to the right.
  else if (ps.second_indent != 0) keyword_number(w, KwFi, units::columns_to_twips(ps.second_indent));
  if (ps.right_margin < kDefaultRightMargin)
    keyword_number(w, KwRi, units::columns_to_twips(static_cast<long long>(kDefaultRightMargin) - ps.right_margin));
  if (ps.line_spacing > 0 && ps.line_spacing != units::kSingleSpacing) {
    keyword_number(w, KwSl, units::spacing_to_twips(ps.line_spacing));
    keyword_number(w, KwSlmult, 1);
  }
  write_border(w, w.in_note ? w.note_border : w.border);
  write_tab_stops(w, tabs, ps.left_margin);
  w.out.put(' ');
  for (; w.page_breaks_pending > 0; --w.page_breaks_pending) keyword_space(w, KwPage);
}

bool paragraph_code(RtfWriter& w, const StreamItem& item) {
  if (!apply_paragraph_code(w.ps, w.tabs, w.border, item)) return false;
  if (w.in_note) apply_paragraph_code(w.note_ps, w.note_tabs, w.note_border, item);
  switch (item.value) {
    case CenterOn: case JustifyOn: case RightOn: ++w.ps.alignment_count; break;
    case CenterOff: case JustifyOff: case RightOff: --w.ps.alignment_count; break;
    default: break;
  }
  if (w.paragraph_pending) return true;
  // In the middle of a paragraph: an alignment or a border that goes on is
  // the paragraph's own.
  switch (item.value) {
    case CenterOn: keyword_space(w, KwQc); break;
    case JustifyOn: keyword_space(w, KwQj); break;
    case RightOn: keyword_space(w, KwQr); break;
    case BorderOn:
      if (item.op1 & (kBorderTop | kBorderLeft | kBorderBottom | kBorderRight)) {
        write_border(w, item.op1);
        w.out.put(' ');
      }
      break;
    default: break;
  }
  return true;
}

}  // namespace lettrix
