#include "writers/wp5_embedded.h"

#include "core/stream_codes.h"
#include "writers/wp5_functions.h"
#include "writers/wp5_look.h"
#include "writers/wp5_tabs.h"

namespace lettrix::wp5 {

namespace {

// Room kept below the longest length for what one stream item can add (the
// first character of a paragraph, after its tab set, margins,
// justification, font, indent and first line, is the largest, some 310
// bytes).
constexpr std::size_t kItemRoom = 1024;

struct HeaderFooterKind {
  std::uint8_t code;
  std::uint8_t subfunction;  // 0, 1 headers, 2, 3 footers
  std::uint8_t occurrence;   // 1 all pages, 2 odd pages, 3 even pages
};

constexpr HeaderFooterKind kHeaderFooterKinds[] = {
    {HeaderEven, 0, 3}, {HeaderOdd, 1, 2}, {HeaderAll, 0, 1},
    {FooterEven, 2, 3}, {FooterOdd, 3, 2}, {FooterAll, 2, 1},
};

// Subfunction 0 is a footnote, 1 an endnote. Every note of the stream is a
// footnote: the readers put the note's number into one of the two operands
// (Nisus Writer into the first, so its first note would otherwise become an
// endnote), and none of them writes endnotes.
std::uint8_t note_subfunction(std::uint8_t /*first_operand*/) { return 0; }

}  // namespace

void begin_embedded(Wp5Writer& w, std::uint8_t code, std::uint8_t first_operand) {
  end_embedded(w);
  EmbeddedFunction& fn = w.fn;
  fn.body_column = w.column;
  fn.body_alignment_open = w.alignment_open;
  fn.body_look = w.look;
  fn.body_paragraph_open = w.paragraph_open;
  w.column = 0;
  w.alignment_open = false;
  // Its text starts a paragraph of its own, with its justification and font
  // written; the page's margins are those of the body.
  w.look = WrittenLook{};
  w.look.right = w.ps.right_margin;
  paragraph_closed(w);
  if (code == NoteCall) {
    fn.code = kNote;
    fn.subfunction = note_subfunction(first_operand);
    fn.length_at = open_note(w.out, fn.subfunction);
  } else {
    for (const HeaderFooterKind& k : kHeaderFooterKinds) {
      if (k.code != code) continue;
      fn.code = kHeaderFooter;
      fn.subfunction = k.subfunction;
      fn.length_at = open_header_footer(w.out, k.subfunction, k.occurrence);
    }
  }
  fn.value = fn.subfunction + 1;
}

void end_embedded(Wp5Writer& w) {
  if (w.fn.value == 0) return;
  end_alignment_tab(w);
  close_function(w.out, w.fn.length_at, w.fn.subfunction, w.fn.code);
  w.column = w.fn.body_column;
  w.alignment_open = w.fn.body_alignment_open;
  w.look = w.fn.body_look;
  w.paragraph_open = w.fn.body_paragraph_open;
  w.look_pending = true;
  w.fn = EmbeddedFunction{};
}

void end_embedded_if_full(Wp5Writer& w) {
  if (w.fn.value != 0 && w.out.size() - w.fn.length_at > kMaxFunctionLength - kItemRoom) end_embedded(w);
}

}  // namespace lettrix::wp5
