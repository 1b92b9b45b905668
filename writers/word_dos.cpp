// Word for DOS from the intermediate stream (layout in word_dos_layout.h).
//
// One pass over the stream writes the text after a header page of zeros and
// collects the property pages in two work files: a character run ends at every
// change of attributes, font, size or character set, a paragraph entry at
// every paragraph end. Headers and footers stay in the text where the stream
// has them, as paragraphs marked as running heads. A footnote leaves its
// reference mark (byte 5) in the text; its stream text goes to a work file
// and is written after the main text in a second pass, which begins each
// note with the mark and a tab. Then the pages and the footnote table follow
// the text and the header is written over page 0.
#include "writers/word_dos.h"

#include <algorithm>
#include <cstdint>

#include "core/charset.h"
#include "core/driver_state.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/units.h"
#include "support/byte_io.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "support/work_file.h"
#include "writers/word_common.h"
#include "writers/word_dos_layout.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"

namespace lettrix {

namespace {

using namespace word_dos;
using word::Paragraph;

constexpr std::uint8_t kNoteMarkByte = 0x05;
constexpr std::uint8_t kPageNumberByte = 0x01;
constexpr std::uint8_t kHardSpaceByte = 0xFF;
constexpr std::uint8_t kBackspaceByte = 0x08;
constexpr std::uint8_t kSoftHyphenByte = 0x1F;
constexpr std::uint8_t kFieldOpenByte = 0xAE;
constexpr std::uint8_t kFieldCloseByte = 0xAF;

// Running-head kinds: 0 none, 1 a footnote, 10 to 15 a header or footer.
constexpr int kHeadFootnote = 1;

// Sizes beyond 127 points do not fit the record's half-point byte.
constexpr int kLargestPoints = 127;
constexpr int kDefaultPoints = 12;  // Word's default character size
constexpr int kSingleSpacingTwips = static_cast<int>(units::spacing_to_twips(units::kSingleSpacing));

// The text stops before the page numbers of what follows could not be held.
constexpr std::uint32_t kTextEndLimit = static_cast<std::uint32_t>(kLastPage) * kPageSize;

// The character values a run is written with.
struct RunValues {
  unsigned attrs = 0;
  int charset = 0;
  int font_class = 0;
  int points = 10;
};

struct DosWriter {
  DosWriter(BlockInput* stream, OutputBuffer& target, const TranslationGroup& translation)
      : in(stream), out(target), group(translation) {}

  BlockInput* in;  // the stream, then the notes' work file
  OutputBuffer& out;
  const TranslationGroup& group;

  std::uint32_t position = kTextStart;  // where the next text byte goes
  RunValues current;                    // as the codes last set them
  RunValues open;                       // the run not yet written
  std::uint32_t last_run_limit = kTextStart;
  CharState cs;                         // character set, font class and size of the open run
  std::uint8_t font_byte = 0;           // of the last translated character that had one

  Paragraph para;
  int head_kind = 0;
  bool in_embedded = false;  // inside a header or footer of the main text

  PropertyPages chars;
  PropertyPages paras;
  word::EncodedTab tab_cache[kMaxTabStops];
  int tab_cache_count = 0;

  bool note_pass = false;
  unsigned notes = 0;       // notes of the main text
  unsigned notes_seen = 0;  // notes begun in the note pass
  FilePtr note_text;        // the notes' stream text
  FilePtr note_table;       // the footnote table under construction

  bool failed = false;  // stop: a work file or a write failed, or the document is too large
  bool too_large = false;  // the text reached what the header's page numbers can address
};

// The value of a Font, FontSize or CharSet code becomes the current one;
// false when nothing changed (a size of 0 points, another code).
bool set_value(DosWriter& w, std::uint8_t code, int operand) {
  switch (code) {
    case Font: w.current.font_class = operand; return true;
    case FontSize: {
      const int points = decode_font_size(static_cast<std::uint8_t>(operand));
      if (points == 0) return false;  // no size
      w.current.points = std::min(points, kLargestPoints);
      return true;
    }
    case CharSet: w.current.charset = operand; return true;
    default: return false;
  }
}

void put_text(DosWriter& w, std::uint8_t byte) {
  w.out.put(static_cast<char>(byte));
  ++w.position;
}

void take_current(DosWriter& w, unsigned attrs) {
  w.open = w.current;
  w.open.attrs = attrs;
  w.cs.charset = static_cast<std::uint8_t>(w.current.charset);
  w.cs.font_class = static_cast<std::uint8_t>(w.current.font_class);
  w.cs.size = -w.current.points;
}

// The record of the open run, or nothing for Word's default properties.
bool run_record(const DosWriter& w, PropertyRecord& record) {
  const RunValues& r = w.open;
  CharFields f;
  if (r.attrs & word::kAttrNoteMark) f.mark = kCharNoteMark;
  if (r.attrs & word::kAttrBold) f.font |= kCharBold;
  if (r.attrs & word::kAttrItalic) f.font |= kCharItalic;
  // A symbol character's font replaces bold, italic and the class's font.
  if (r.charset == 1 && w.font_byte != 0)
    f.font = w.font_byte;
  else
    f.font |= font_number_bits(word_class_fonts(static_cast<std::uint8_t>(r.font_class)).word_dos);
  f.half_points = static_cast<std::uint8_t>(units::points_to_half_points(r.points));
  if (r.attrs & word::kAttrDoubleUnderline)
    f.style |= kCharDoubleUnderline;
  else if (r.attrs & word::kAttrUnderline)
    f.style |= kCharUnderline;
  if (r.attrs & word::kAttrStrike) f.style |= kCharStrike;
  if (r.attrs & word::kAttrSmallCaps)
    f.style |= kCharSmallCaps;
  else if (r.attrs & word::kAttrCaps)
    f.style |= kCharCaps;
  if (r.attrs & word::kAttrSpecial) f.style |= kCharSpecial;
  if (r.attrs & word::kAttrSubscript)
    f.position = kCharSubscript;
  else if (r.attrs & word::kAttrSuperscript)
    f.position = kCharSuperscript;
  if (f.mark == 0 && f.font == 0 && f.style == 0 && f.position == 0 && r.points == kDefaultPoints) return false;
  record = char_record(f);
  return true;
}

// Ends the open run at the output position; the next run has the attribute
// word given and the current character values. Without text since the last
// run there is nothing to write: the open run simply takes the new values.
void close_run(DosWriter& w, unsigned attrs) {
  if (w.position != w.last_run_limit) {
    PropertyRecord record;
    const bool has_record = run_record(w, record);
    add_run(w.chars, w.position, has_record ? &record : nullptr);
    w.last_run_limit = w.position;
  }
  take_current(w, attrs);
}

void add_tab_stops(DosWriter& w, PropertyRecord& r, unsigned flags) {
  Paragraph& p = w.para;
  // The stops are stated wherever the stream set any, as the RTF writer does.
  if (p.tab_state == word::kTabsDefault) return;
  // The encoding is kept until the stops change.
  if (p.tab_state == word::kTabsChanged) {
    w.tab_cache_count =
        word::encode_tab_stops(p.tabs, units::kTwipsPerColumn, w.tab_cache, kMaxTabStops, p.indents.left_margin);
    p.tab_state = word::kTabsEncoded;
  }
  if (w.tab_cache_count == 0) return;
  TabField fields[kMaxTabStops];
  for (int i = 0; i < w.tab_cache_count; ++i) fields[i] = {w.tab_cache[i].position, w.tab_cache[i].kind};
  set_tab_stops(r, fields, w.tab_cache_count);
  if (!(flags & word::kParaSpacing)) r.set16(kParaLineSpacing, kSingleSpacingTwips);
}

// The record of the paragraph that ends here; its length stays 0 when
// nothing is set.
void paragraph_record(DosWriter& w, PropertyRecord& r, unsigned flags) {
  const Paragraph& p = w.para;
  if (w.head_kind > kHeadFootnote) {
    r.set(kParaRunningHead, static_cast<std::uint8_t>(w.head_kind));
    r.set(kParaAlignByte, kAlignRunningHead);
  }
  if (flags & word::kParaFlushRight) r.set(kParaAlignByte, kAlignRight);
  if (flags & word::kParaCentred) r.set(kParaAlignByte, kAlignCentred);
  if (flags & word::kParaJustified) r.set(kParaAlignByte, kAlignJustified);
  const word::IndentTwips indents = word::indent_twips(p.indents);
  if (indents.right != 0) r.set16(kParaRightIndent, word::clamp_twips(indents.right));
  if (indents.left != 0) r.set16(kParaLeftIndent, word::clamp_twips(indents.left));
  if (indents.first != 0) r.set16(kParaFirstIndent, word::clamp_twips(indents.first));
  if (flags & word::kParaSpacing)
    r.set16(kParaLineSpacing, static_cast<int>(units::spacing_to_twips(p.ps.line_spacing)));
  add_tab_stops(w, r, flags);
  if (flags & word::kParaNoteEnd)
    r.set(kParaStyleByte, kParaNoteText);
  else
    r.bytes[kParaStyleByte] = kParaOrdinary;
}

// Writes the entry of the paragraph that ends at the output position: a
// default one when nothing is set.
void close_paragraph(DosWriter& w, unsigned flags) {
  // Every paragraph of a note is note text, not only its last one: readers
  // take a note's text from its paragraphs so marked.
  if (w.note_pass && flags != word::kParaDefault) flags |= word::kParaNoteEnd;
  PropertyRecord r;
  if (flags != word::kParaDefault) paragraph_record(w, r, flags);
  add_run(w.paras, w.position, r.length > 0 ? &r : nullptr);
  w.para.tab_count = 0;
  w.para.column = 0;
}

// A paragraph mark and the paragraph's entry; the next paragraph begins.
void end_paragraph(DosWriter& w, unsigned flags) {
  put_text(w, '\r');
  put_text(w, '\n');
  close_paragraph(w, flags);
  word::next_paragraph(w.para);
}

// The paragraph that holds text but no mark yet gets its mark.
void finish_open_paragraph(DosWriter& w) {
  if (!w.para.empty) end_paragraph(w, w.para.flags);
}

void put_char(DosWriter& w, std::uint8_t byte) {
  put_text(w, byte);
  word::advance(w.para);
}

bool beyond_page_numbers(const DosWriter& w);

void table_char(DosWriter& w, const StreamItem& item) {
  if (item.op1 < 1 || item.op1 > 14) return;  // no such table: no character
  if (const SystemSymbolForms* symbol = system_symbol_forms(item.op1, item.op2)) {
    if (w.cs.charset != 0) close_run(w, w.current.attrs);
    // Several bytes for one item: each is checked as an item is.
    for (const char c : symbol->code_page_437) {
      if (beyond_page_numbers(w)) {
        w.failed = w.too_large = true;
        return;
      }
      put_char(w, static_cast<std::uint8_t>(c));
    }
    return;
  }
  if (beyond_code_pages(item.op1)) note_unshown_script_chars();
  const std::uint16_t entry = translate_position(w.group, item.op1, item.op2);
  const std::uint8_t font = static_cast<std::uint8_t>(entry >> 8);
  if (font != 0) {
    w.font_byte = font;
    close_run(w, w.current.attrs);
    if (font >= 0xE0) w.cs.charset = 1;  // the next plain character ends this run
  } else if (w.cs.charset != 0) {
    close_run(w, w.current.attrs);
  }
  const std::uint8_t byte = static_cast<std::uint8_t>(entry & 0xFF);
  if (byte != 0) put_char(w, byte);
}

// A special character in a one-character run of its own.
void special_char(DosWriter& w, std::uint8_t byte, unsigned extra) {
  const unsigned attrs = w.current.attrs;
  close_run(w, attrs | word::kAttrSpecial | extra);
  put_char(w, byte);
  close_run(w, attrs);
}

bool write_table_bytes(std::FILE* f, const std::uint8_t* bytes, std::size_t n) {
  return std::fwrite(bytes, 1, n, f) == n;
}

// Main text: the reference mark; the note's stream text goes to the work file.
void note_call(DosWriter& w, const StreamItem& item) {
  if (w.notes >= kMaxNotes) {
    w.failed = w.too_large = true;  // the table's count could not hold another one
    return;
  }
  if (!w.note_text) {
    w.note_text = open_work_file();
    w.note_table = open_work_file();
    const std::uint8_t zero[4] = {};
    if (!w.note_text || !w.note_table || !write_table_bytes(w.note_table.get(), zero, 4)) {
      w.failed = true;
      return;
    }
  }
  ++w.notes;
  const std::uint32_t mark = w.position - kTextStart;
  special_char(w, kNoteMarkByte, word::kAttrNoteMark);
  bool ended = false;
  // What the note's codes change holds for the main text after it.
  word::StateAfter after;
  after.paragraph = &w.para;
  after.attrs = w.current.attrs;
  if (!write_stream_item(w.note_text.get(), item) || !word::copy_embedded_text(*w.in, w.note_text.get(), ended, &after)) {
    w.failed = true;
    return;
  }
  w.current.attrs = after.attrs;
  if (after.font >= 0) set_value(w, Font, after.font);
  if (after.font_size >= 0) set_value(w, FontSize, after.font_size);
  if (after.charset >= 0) set_value(w, CharSet, after.charset);
  close_run(w, w.current.attrs);

  const auto entry = footnote_entry(mark, mark);
  if (!write_table_bytes(w.note_table.get(), entry.data(), entry.size())) w.failed = true;
}

// Note pass: the start of a note's text, the mark again and a tab.
void note_start(DosWriter& w) {
  word::start_note(w.para);
  ++w.notes_seen;
  const std::uint32_t mark = w.position - kTextStart;
  special_char(w, kNoteMarkByte, word::kAttrNoteMark);
  if (w.notes_seen <= w.notes) {
    std::uint8_t b[4];
    put32(b, mark);
    const long at = 4 + 8 * static_cast<long>(w.notes_seen - 1) + 4;
    if (std::fseek(w.note_table.get(), at, SEEK_SET) != 0 || !write_table_bytes(w.note_table.get(), b, 4))
      w.failed = true;
  }
  w.head_kind = kHeadFootnote;
  put_text(w, kTab);
  ++w.para.column;
}

void end_of_text(DosWriter& w) {
  if (w.note_pass) {
    // A note whose last paragraph has its mark is complete: every paragraph
    // of it is already marked as note text.
    if (!w.para.empty) end_paragraph(w, word::kParaNoteEnd);
  } else {
    if (!w.in_embedded) return;  // it ends nothing
    // A header or footer whose last paragraph has its mark needs no other.
    finish_open_paragraph(w);
    w.in_embedded = false;
  }
  w.head_kind = 0;
}

// Header and footer codes 0x9C to 0xA1: even, odd, all pages; headers, then footers.
int running_head_kind(std::uint8_t code) {
  static constexpr int kKinds[] = {12, 10, 14, 13, 11, 15};
  return kKinds[code - HeaderEven];
}

void header_or_footer(DosWriter& w, std::uint8_t code) {
  if (w.note_pass || w.in_embedded) return;
  // Text before it on the same paragraph stays body text.
  if (!w.para.empty) end_paragraph(w, w.para.flags);
  w.head_kind = running_head_kind(code);
  w.in_embedded = true;
}

void value_change(DosWriter& w, const StreamItem& item) {
  if (set_value(w, item.value, item.op2)) close_run(w, w.current.attrs);
}

void code(DosWriter& w, const StreamItem& item) {
  if (item.value == TableChar) {  // the most frequent code first
    table_char(w, item);
    return;
  }
  if (word::apply_attribute_code(item.value, w.current.attrs)) {
    close_run(w, w.current.attrs);
    return;
  }
  if (word::apply_paragraph_code(w.para, item)) return;
  switch (item.value) {
    case RightOn:
      for (int n = word::right_on(w.para); n > 0; --n) put_text(w, kTab);
      break;
    case PageNumber: special_char(w, kPageNumberByte, 0); break;
    case UnicodeChar:
      if (w.cs.charset != 0) close_run(w, w.current.attrs);
      put_char(w, kFillChar);
      note_unshown_script_chars();
      break;
    case HardSpace: put_char(w, kHardSpaceByte); break;
    case Backspace: put_char(w, kBackspaceByte); break;
    case SoftHyphen: {
      put_char(w, kSoftHyphenByte);
      const int next = w.in->get();  // a line break after it belongs to it
      if (next != EOF && next != kLineBreak) w.in->unget();
      break;
    }
    case FieldOpen: put_char(w, kFieldOpenByte); break;
    case FieldClose: put_char(w, kFieldCloseByte); break;
    case Backslash: put_char(w, '\\'); break;
    case EndOfText: end_of_text(w); break;
    case Font:
    case FontSize:
    case CharSet: value_change(w, item); break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll:
    case FooterEven:
    case FooterOdd:
    case FooterAll: header_or_footer(w, item.value); break;
    case NoteCall:
      if (w.note_pass)
        note_start(w);
      else if (!w.in_embedded)  // a header or footer holds no notes
        note_call(w, item);
      break;
    default: break;  // no Word form; pictures are skipped whole by the stream reader
  }
}

void plain_byte(DosWriter& w, std::uint8_t byte) {
  switch (byte) {
    case kTab:
      put_text(w, kTab);
      word::tab_written(w.para);
      break;
    case kLineBreak:
      if (w.para.previous != 0x1A && w.para.previous != '-') {
        put_text(w, ' ');
        w.para.empty = false;
      }
      w.para.column = 0;
      break;
    case kPageBreak:
      put_text(w, kPageBreak);
      end_paragraph(w, w.para.flags);
      break;
    case kParagraphEnd: end_paragraph(w, w.para.flags); break;
    default:
      if (w.cs.charset != 0) {
        close_run(w, w.current.attrs);
        w.cs.charset = 0;
      }
      put_char(w, byte);
      break;
  }
}

// Whether the text and the property pages so far leave the page numbers of
// the header behind.
bool beyond_page_numbers(const DosWriter& w) {
  return w.position >= kTextEndLimit ||
         w.position / kPageSize + 1 + w.chars.pages_written + w.paras.pages_written >= kLastPage;
}

// Whether a whole block of text, and the property pages it may add, stays
// far enough from that limit for its bytes to go without a check each.
bool far_from_page_numbers(const DosWriter& w) {
  constexpr std::uint32_t kMargin = 2 * BlockInput::kBlockSize + 4 * kPageSize;
  const long pages = w.chars.pages_written + w.paras.pages_written + 1;
  const long long limit = std::min<long long>(kTextEndLimit, (static_cast<long long>(kLastPage) - pages) * kPageSize);
  return static_cast<long long>(w.position) + kMargin < limit;
}

// One run of the main loop over the stream or over the notes' text.
void run_pass(DosWriter& w) {
  static constexpr auto kSpecial = stop_bytes(kEscape, kTab, kLineBreak, kPageBreak, kParagraphEnd);
  static constexpr TextStops kText = text_stops(kSpecial);
  w.current.attrs = 0;
  w.para.flags = w.para.carried = 0;
  StreamItem item;
  // (The writer's group is always code page 437's.)
  static const CharBytes chars = code_page_chars(*select_translation_group(0), false);
  while (!w.failed) {
    if (far_from_page_numbers(w)) {
      // Text and the characters of the code page in one piece. Plain text
      // ends a run of another character set first.
      const int next = w.in->peek();
      if (next != EOF && !kSpecial[static_cast<std::size_t>(next)] && w.cs.charset != 0) {
        close_run(w, w.current.attrs);
        w.cs.charset = 0;
      }
      if (w.cs.charset == 0 && starts_text(*w.in, kText, chars)) {
        const TextRun run = copy_text(*w.in, w.out, kText, chars);
        if (run.taken > 0) {
          w.position += static_cast<std::uint32_t>(run.written);
          w.para.column += static_cast<int>(run.plain + run.chars);
          w.para.empty = false;
          w.para.previous = run.last;
          continue;
        }
      }
    }
    if (!read_stream_item(*w.in, item)) break;
    // Text and property pages so far must stay within what the header's
    // page numbers can reach.
    if (beyond_page_numbers(w)) {
      w.failed = w.too_large = true;
      break;
    }
    if (item.kind == StreamItem::Kind::Byte)
      plain_byte(w, item.value);
    else
      code(w, item);
    w.para.previous = item.kind == StreamItem::Kind::Byte ? item.value : -1;
  }
}

void note_pass(DosWriter& w) {
  std::FILE* text = w.note_text.get();
  if (std::fflush(text) != 0 || std::fseek(text, 0, SEEK_SET) != 0) {
    w.failed = true;
    return;
  }
  BlockInput notes(text);
  w.in = &notes;
  w.note_pass = true;
  close_run(w, 0);
  run_pass(w);
  if (notes.failed()) w.failed = true;
  if (w.failed) return;
  finish_open_paragraph(w);
  const std::uint32_t end = w.position - kTextStart;
  const auto closing = footnote_entry(end, end);
  const auto start = footnote_table_start(w.notes);
  const long size = 4 + 8 * (static_cast<long>(w.notes) + 1);
  const std::uint8_t zeros[kPageSize] = {};
  std::FILE* table = w.note_table.get();
  if (std::fseek(table, size - 8, SEEK_SET) != 0 || !write_table_bytes(table, closing.data(), closing.size()) ||
      !write_table_bytes(table, zeros, static_cast<std::size_t>((kPageSize - size % kPageSize) % kPageSize)) ||
      std::fseek(table, 0, SEEK_SET) != 0 || !write_table_bytes(table, start.data(), start.size()))
    w.failed = true;
}

long file_pages(std::FILE* f) {
  if (std::fflush(f) != 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(f);
  return size < 0 ? -1 : (size + kPageSize - 1) / kPageSize;
}

// After the text: the padding, the property pages, the footnote table, the header.
int complete(DosWriter& w, std::FILE* target) {
  const std::uint32_t text_limit = w.position;
  const int padding = text_padding(text_limit);
  for (int i = 0; i < padding; ++i) w.out.put('\0');
  close_run(w, 0);
  flush_page(w.chars);
  add_run(w.paras, text_limit, nullptr);
  add_run(w.paras, text_limit + 1, nullptr);
  flush_page(w.paras);
  w.out.flush();
  if (w.chars.failed || w.paras.failed) return kHandlerCannotOpen;

  Header h;
  h.text_limit = text_limit;
  const long first_char_page = (static_cast<long>(text_limit) + padding) / kPageSize;
  const long paragraph_page = first_char_page + w.chars.pages_written;
  const long footnote_page = paragraph_page + w.paras.pages_written;
  const long table_pages = w.notes > 0 ? file_pages(w.note_table.get()) : 0;
  const long end_page = footnote_page + table_pages;
  if (table_pages < 0) return kHandlerCannotOpen;
  if (end_page > kLastPage) return kHandlerTooLarge;
  h.paragraph_page = static_cast<std::uint16_t>(paragraph_page);
  h.footnote_page = static_cast<std::uint16_t>(footnote_page);
  h.end_page = static_cast<std::uint16_t>(end_page);

  if (!word::append_work_file(w.chars.sink, target) || !word::append_work_file(w.paras.sink, target))
    return kHandlerCannotOpen;
  if (w.notes > 0 && !word::append_work_file(w.note_table.get(), target)) return kHandlerCannotOpen;
  const Page header = header_page(h);
  if (std::fseek(target, 0, SEEK_SET) != 0 || !write_table_bytes(target, header.data(), header.size()))
    return kHandlerCannotOpen;
  return kHandlerOk;
}

int write_document(std::FILE* in, std::FILE* target) {
  const TranslationGroup* group = select_translation_group(0);
  FilePtr char_pages = open_work_file();
  FilePtr para_pages = open_work_file();
  if (!group || !char_pages || !para_pages) return kHandlerCannotOpen;

  OutputBuffer buffer(target);
  BlockInput input(in);
  DosWriter w(&input, buffer, *group);
  // An empty stream is an empty document: the state starts the same way.
  init_stream_state(input, w.cs, w.para.ps, &w.para.tabs);
  w.cs.size = -10;
  word::start_document(w.para);
  start_pages(w.chars, char_pages.get());
  start_pages(w.paras, para_pages.get());
  for (int i = 0; i < kPageSize; ++i) buffer.put('\0');

  run_pass(w);
  if (w.too_large) return kHandlerTooLarge;
  if (w.failed) return kHandlerCannotOpen;
  finish_open_paragraph(w);
  // A document holds one paragraph at least: Word cannot open one without text.
  if (w.position == kTextStart) end_paragraph(w, w.para.flags);
  if (w.notes > 0) {
    note_pass(w);
    if (w.failed) return kHandlerCannotOpen;
  }
  const int rc = complete(w, target);
  if (rc != kHandlerOk) return rc;
  if (std::fflush(target) != 0 || std::ferror(target) || input.failed()) return kHandlerCannotOpen;
  return kHandlerOk;
}

}  // namespace

int dest_word_dos(const char* stream_path, const char* target_path) {
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;  // (before the target is created)
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  set_target_kind(KindNeutral);
  const int rc = write_document(in.get(), out.get());
  if (rc != kHandlerOk) {
    // No half-written document is left behind.
    out.reset();
    open_file(target_path, "wb");
  }
  return rc;
}

OutputMatch output_test_word_dos(std::span<const std::uint8_t> b) {
  return starts_with(b, std::string_view("\x31\xBE\x00\x00\x00\xAB", 6)) ? OutputMatch{"Word for DOS"} : OutputMatch{};
}

}  // namespace lettrix
