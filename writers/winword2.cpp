// Word for Windows 2.0 documents from the intermediate stream (the layout is
// drawn in writers/winword2_layout.h).
//
// One pass over the stream writes the main text from offset 384 and closes a
// character run at every property change and a paragraph run at every
// paragraph mark. Note texts are copied to a work file as they come and
// written after the main text; the last header and the last footer are
// copied to work files of their own and written after the notes. Then
// come the closing paragraph mark, the section record, the property pages
// (kept in two work files while the text is written) and the tables.
#include "writers/winword2.h"

#include <string>

#include "core/charset.h"
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
#include "writers/winword2_layout.h"
#include "writers/word_common.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"

namespace lettrix {

namespace {

using namespace ww2;
using word::Paragraph;

constexpr std::uint8_t kNoteMarkByte = 0x02;
constexpr std::uint8_t kHardSpaceByte = 0xA0;
constexpr std::uint8_t kBackspaceByte = 0x08;
constexpr std::uint8_t kSoftHyphenByte = 0x1F;
constexpr std::uint8_t kFieldOpenByte = 0x5B;
constexpr std::uint8_t kFieldCloseByte = 0x5D;

// Subdocument kinds: the style code of the last paragraph of each.
constexpr std::uint8_t kMainText = 0;

// Property pages are addressed by 16-bit page numbers.
constexpr std::uint32_t kLastPage = 0xFFFF;

struct CharValues {
  unsigned attrs = 0;
  std::uint8_t charset = 0;
  std::uint8_t font_class = 0;
  int points = 10;  // the stream's size until a FontSize code
  bool operator==(const CharValues&) const = default;
};

struct Writer {
  Writer(OutputBuffer& target, const TranslationGroup& translation, std::FILE* char_file, std::FILE* para_file)
      : out(target),
        group(translation),
        chars(PropertyPage::Kind::Character, char_file, kTextStart),
        paras(PropertyPage::Kind::Paragraph, para_file, kTextStart) {}

  OutputBuffer& out;  // the text, in front of the target
  const TranslationGroup& group;
  PropertyPages chars;
  PropertyPages paras;
  std::uint32_t pos = kTextStart;
  std::uint32_t mark_end = 0;  // the output position just after the last paragraph mark
  bool failed = false;
  bool too_large = false;  // (failed too)

  CharValues cur;  // as the codes last set them
  CharValues run;  // of the open run
  // Run records built lately, with what they were built from and where they
  // are on the current page: text that switches among a few formats
  // (letters and symbols, plain and bold) builds no more and looks for them
  // on the page no more.
  struct BuiltRecord {
    CharValues values;
    bool font_and_size = false;
    bool valid = false;
    Bytes record;
    PropertyPage::Ticket ticket;  // where the record is on the current page
  };
  // (In the place a hash of the values gives: a format takes the place of
  // another with the same hash.)
  static constexpr int kBuiltBits = 4;
  BuiltRecord built[1 << kBuiltBits];
  Paragraph para;
  std::vector<TabStopTwips> tab_encoding;

  bool note_pass = false;
  std::uint8_t subdocument = kMainText;
  std::uint8_t paragraph_style = 0;
  Bytes style_sheet;  // 2-byte length, then the data; empty: none given

  FilePtr notes;  // the note texts, copied out of the stream
  std::vector<std::uint32_t> note_refs;
  std::vector<std::uint32_t> note_marks;
  std::uint32_t footnote_start = 0;
  FilePtr header;  // the last header's and the last footer's text
  FilePtr footer;
};

void close_run(Writer& w);

// Copies an embedded text into a fresh work file, or into the note texts.
// What its codes change holds for the main text after it.
void copy_text(Writer& w, BlockInput& in, FilePtr& work, bool fresh) {
  if ((fresh || !work) && !(work = open_work_file())) {
    w.failed = true;
    return;
  }
  bool ended = false;
  word::StateAfter after;
  after.paragraph = &w.para;
  after.attrs = w.cur.attrs;
  if (!word::copy_embedded_text(in, work.get(), ended, &after)) w.failed = true;
  w.cur.attrs = after.attrs;
  if (after.font >= 0) w.cur.font_class = static_cast<std::uint8_t>(after.font);
  if (after.font_size >= 0) w.cur.points = decode_font_size(static_cast<std::uint8_t>(after.font_size));
  if (after.charset >= 0) w.cur.charset = static_cast<std::uint8_t>(after.charset);
  close_run(w);
}

// ---- Text and character runs ---------------------------------------------

void emit(Writer& w, std::uint8_t byte) {
  w.out.put(static_cast<char>(byte));
  ++w.pos;
}

// The font table index: the Symbol font for a run of Symbol characters, the
// document's font for another character set, else the class's font.
int font_index(const CharValues& v) {
  if (v.charset == 1) return PcSymbol;
  if (v.charset != 0) return kDocumentFont;
  return word_class_fonts(v.font_class).winword2;
}

Bytes run_record(const Writer& w, const CharValues& v) {
  CharProps p;
  p.bold = v.attrs & word::kAttrBold;
  p.italic = v.attrs & word::kAttrItalic;
  p.caps = v.attrs & word::kAttrCaps;
  p.small_caps = v.attrs & word::kAttrSmallCaps;
  p.strike = v.attrs & word::kAttrStrike;
  p.underline = v.attrs & word::kAttrUnderline;
  p.double_underline = v.attrs & word::kAttrDoubleUnderline;
  p.superscript = v.attrs & word::kAttrSuperscript;
  p.subscript = v.attrs & word::kAttrSubscript;
  p.note_mark = v.attrs & word::kAttrNoteMark;
  p.font_and_size = w.paragraph_style == 0;
  p.font_index = font_index(v);
  p.points = v.points;
  return char_record(p);
}

// run_record, built once for each of the formats asked for lately.
Writer::BuiltRecord& built_run_record(Writer& w, const CharValues& v) {
  const bool font_and_size = w.paragraph_style == 0;
  std::uint32_t h = v.attrs ^ (static_cast<std::uint32_t>(v.charset) << 11) ^
                    (static_cast<std::uint32_t>(v.font_class) << 13) ^ (static_cast<std::uint32_t>(v.points) << 16) ^
                    (font_and_size ? 1u << 31 : 0u);
  h *= 0x9E3779B1u;
  Writer::BuiltRecord& b = w.built[h >> (32 - Writer::kBuiltBits)];
  if (!(b.valid && b.values == v && b.font_and_size == font_and_size)) b = {v, font_and_size, true, run_record(w, v), {}};
  return b;
}

void add_char_run(Writer& w, std::span<const std::uint8_t> record) {
  if (!w.chars.add_run(w.pos, record)) w.failed = true;
}

// Gives the open run its record when text was written since it began.
void end_run(Writer& w) {
  if (w.chars.last_offset() == w.pos) return;
  Writer::BuiltRecord& b = built_run_record(w, w.run);
  if (!w.chars.add_run(w.pos, b.record, b.ticket)) w.failed = true;
}

// A property changed: the open run ends here and a run with the current
// values begins. Nothing changes when the values are those of the open run.
void close_run(Writer& w) {
  if (w.cur == w.run) return;
  end_run(w);
  w.run = w.cur;
}

// A character of the text: it ends a run of Symbol characters.
void put_text(Writer& w, std::uint8_t byte) {
  if (w.cur.charset != 0) {
    w.cur.charset = 0;
    close_run(w);
  }
  emit(w, byte);
  word::advance(w.para);
}

void put_note_mark(Writer& w) {
  w.cur.charset = 0;
  w.cur.attrs |= word::kAttrSpecial | word::kAttrNoteMark;
  close_run(w);
  emit(w, kNoteMarkByte);
  word::advance(w.para);
  w.cur.attrs &= ~(word::kAttrSpecial | word::kAttrNoteMark);
  close_run(w);
}

// ---- Paragraphs -----------------------------------------------------------

void encode_tabs(Writer& w) {
  word::EncodedTab encoded[kMaxTabStops];
  const int n = word::encode_tab_stops(w.para.tabs, units::kTwipsPerColumn, encoded, kMaxTabStops,
                                       w.para.indents.left_margin);
  w.tab_encoding.clear();
  for (int i = 0; i < n; ++i) w.tab_encoding.push_back({encoded[i].position, encoded[i].kind});
  w.para.tab_state = word::kTabsEncoded;
}

Bytes paragraph_modifiers(Writer& w, unsigned f) {
  Paragraph& p = w.para;
  Bytes mods;
  std::uint8_t alignment = 0;
  if (f & word::kParaFlushRight) alignment = AlignFlushRight;
  if (f & word::kParaCentred) alignment = AlignCentred;
  if (f & word::kParaJustified) alignment = AlignJustified;
  if (alignment) add_alignment(mods, alignment);

  const word::IndentTwips indents = word::indent_twips(p.indents);
  if (indents.right != 0) add_twips(mods, ModRightIndent, indents.right);
  if (indents.left != 0) add_twips(mods, ModLeftIndent, indents.left);
  if (indents.first != 0) add_twips(mods, ModFirstIndent, indents.first);
  if (f & word::kParaSpacing) add_twips(mods, ModLineSpacing, units::spacing_to_twips(p.ps.line_spacing));
  // The stops are stated wherever the stream set any, as the RTF writer does.
  if (p.tab_state != word::kTabsDefault) {
    if (p.tab_state == word::kTabsChanged) encode_tabs(w);
    add_tab_stops(mods, w.tab_encoding);
  }
  return mods;
}

// A paragraph run ends just after the carriage return of its mark: the line
// feed that follows belongs to the next paragraph's run, so that readers that
// take a paragraph's properties from where it begins find its own. The very
// last mark of the text is covered whole.
enum class MarkEnd { AfterReturn, Whole };

void close_paragraph(Writer& w, unsigned f, MarkEnd mark_end = MarkEnd::AfterReturn) {
  const std::uint32_t end = (w.pos == w.mark_end && mark_end == MarkEnd::AfterReturn) ? w.pos - 1 : w.pos;
  if (w.paras.last_offset() >= end) return;  // no text since the last paragraph mark
  Bytes record;
  if (f != word::kParaDefault) {
    if (w.paragraph_style != 0) {
      record = para_record(w.paragraph_style, {});
    } else {
      const std::uint8_t style = f == word::kParaNoteEnd ? w.subdocument : 0;
      record = para_record(style, paragraph_modifiers(w, f));
    }
  }
  if (!w.paras.add_run(end, record)) w.failed = true;
  word::next_paragraph(w.para);
}

void paragraph_mark(Writer& w) {
  emit(w, 0x0D);
  emit(w, 0x0A);
  w.mark_end = w.pos;
}

void end_paragraph(Writer& w) {
  paragraph_mark(w);
  close_paragraph(w, w.para.flags);
}

void mark_and_close(Writer& w, unsigned f) {
  paragraph_mark(w);
  close_paragraph(w, f);
}

// ---- Codes ----------------------------------------------------------------

void keep_style_sheet(Writer& w, const StreamItem& item) {
  constexpr std::size_t kMaxData = 510;
  const std::size_t kept = item.data.size() < kMaxData ? item.data.size() : kMaxData;
  w.style_sheet.clear();
  if (kept == 0) return;
  put16(w.style_sheet, static_cast<std::uint32_t>(kept));
  w.style_sheet.insert(w.style_sheet.end(), item.data.begin(), item.data.begin() + static_cast<long>(kept));
}

void note_call(Writer& w, BlockInput& in, const StreamItem& item) {
  if (!w.note_pass) {
    w.note_refs.push_back(w.pos - kTextStart);
    put_note_mark(w);
    if (!w.notes && !(w.notes = open_work_file())) {
      w.failed = true;
      return;
    }
    if (!write_stream_item(w.notes.get(), item)) w.failed = true;
    copy_text(w, in, w.notes, false);
    return;
  }
  word::start_note(w.para);
  w.note_marks.push_back(w.pos - w.footnote_start);
  put_note_mark(w);
  w.subdocument = kStyleFootnote;
  const int next = in.peek();
  if (next != kTab && next != ' ' && next != kEscape) {
    emit(w, kTab);
    ++w.para.tab_count;
    const int next_stop = next_tab(w.para.tabs, w.para.column, 1);
    w.para.column = next_stop < 0 ? 1 : next_stop;
  }
}

void end_of_text(Writer& w) {
  if (!w.para.empty) paragraph_mark(w);
  close_paragraph(w, word::kParaNoteEnd);
  if (w.subdocument != kStyleFootnote) w.para.flags &= ~word::kParaNoteEnd;
  w.subdocument = kMainText;
}

bool beyond_page_numbers(const Writer& w);

void table_char(Writer& w, const StreamItem& item) {
  if (item.op1 < 1 || item.op1 > 14) return;  // no such table: no character
  if (beyond_code_pages(item.op1)) note_unshown_script_chars();
  const SystemSymbolForms* symbol = system_symbol_forms(item.op1, item.op2);
  const std::uint16_t entry = symbol ? 0 : translate_position(w.group, item.op1, item.op2);
  const std::uint8_t charset = (entry & 0xFF00) ? 1 : 0;
  if (w.cur.charset != charset) {
    w.cur.charset = charset;
    close_run(w);
  }
  if (symbol) {
    // Several bytes for one item: each is checked as an item is.
    for (const char c : symbol->code_page_1252) {
      if (beyond_page_numbers(w)) {
        w.failed = w.too_large = true;
        return;
      }
      emit(w, static_cast<std::uint8_t>(c));
      word::advance(w.para);
    }
    return;
  }
  emit(w, static_cast<std::uint8_t>(entry));
  word::advance(w.para);
}

// Reserved codes that the Word DOS writer reads as line spacing.
bool is_reserved_spacing_code(std::uint8_t code) { return code >= 0x92 && code < LineSpacing; }

void code(Writer& w, const StreamItem& item, BlockInput& in) {
  if (item.value == TableChar) {  // the most frequent code first
    table_char(w, item);
    return;
  }
  if (word::apply_attribute_code(item.value, w.cur.attrs)) {
    close_run(w);
    return;
  }
  if (!is_reserved_spacing_code(item.value) && word::apply_paragraph_code(w.para, item)) return;
  const std::uint8_t value = item.op2;
  switch (item.value) {
    case RightOn:
      for (int n = word::right_on(w.para); n > 0; --n) emit(w, kTab);
      break;
    case UnicodeChar:
      put_text(w, kFillChar);
      note_unshown_script_chars();
      break;
    case HardSpace: put_text(w, kHardSpaceByte); break;
    case Backspace: put_text(w, kBackspaceByte); break;
    case SoftHyphen: {
      put_text(w, kSoftHyphenByte);
      const int next = in.get();
      if (next != kLineBreak && next != EOF) in.unget();
      break;
    }
    case FieldOpen: put_text(w, kFieldOpenByte); break;
    case FieldClose: put_text(w, kFieldCloseByte); break;
    case Backslash: put_text(w, kEscape); break;
    case EndOfText: end_of_text(w); break;
    case StyleSheet: keep_style_sheet(w, item); break;
    case ParaStyle: w.paragraph_style = item.op1; break;
    case Font:
      w.cur.font_class = value;
      close_run(w);
      break;
    case FontSize:
      w.cur.points = decode_font_size(value);
      close_run(w);
      break;
    case CharSet:
      w.cur.charset = value;
      close_run(w);
      break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll: copy_text(w, in, w.header, true); break;
    case FooterEven:
    case FooterOdd:
    case FooterAll: copy_text(w, in, w.footer, true); break;
    case NoteCall: note_call(w, in, item); break;
    default: break;  // read with exactly its operands, nothing to write
  }
}

void plain_byte(Writer& w, std::uint8_t byte) {
  switch (byte) {
    case kTab:
      emit(w, kTab);
      word::tab_written(w.para);
      break;
    case kLineBreak:
      if (w.para.previous != 0x1A && w.para.previous != '-') put_text(w, ' ');
      break;
    case kPageBreak:
      emit(w, kPageBreak);
      end_paragraph(w);
      break;
    case kParagraphEnd: end_paragraph(w); break;
    default: put_text(w, byte); break;
  }
}

// Whether the text and the property pages so far (the two current ones,
// the section record page and its padding included) leave the last page
// number behind: the document could not be written.
bool beyond_page_numbers(const Writer& w) {
  const std::size_t pages = w.pos / kPageSize + 4 + w.chars.page_starts().size() + w.paras.page_starts().size();
  return pages > kLastPage;
}

// Whether a whole block of text, and the property pages it may add, stays
// far enough from that limit for its bytes to go without a check each.
bool far_from_page_numbers(const Writer& w) {
  constexpr std::size_t kMarginPages = 2 * BlockInput::kBlockSize / kPageSize + 8;
  const std::size_t pages = w.pos / kPageSize + 4 + w.chars.page_starts().size() + w.paras.page_starts().size();
  return pages + kMarginPages < kLastPage;
}

// One run of the main loop over a stream: the main text, the note texts, a
// header or a footer.
void write_text(Writer& w, BlockInput& in) {
  static constexpr auto kSpecial = stop_bytes(kEscape, kTab, kLineBreak, kPageBreak, kParagraphEnd);
  static constexpr TextStops kText = text_stops(kSpecial);
  w.cur.attrs = 0;
  close_run(w);
  w.para.flags = w.para.carried = 0;
  w.para.previous = -1;
  // (The writer's group is always code page 1252's.)
  static const CharBytes chars = code_page_chars(*select_translation_group(1), true);
  StreamItem item;
  while (!w.failed) {
    if (far_from_page_numbers(w)) {
      // Text and the characters of the code page in one piece. Plain text
      // ends a run of another character set first.
      const int next = in.peek();
      if (next != EOF && !kSpecial[static_cast<std::size_t>(next)] && w.cur.charset != 0) {
        w.cur.charset = 0;
        close_run(w);
      }
      if (w.cur.charset == 0 && starts_text(in, kText, chars)) {
        const TextRun run = copy_text(in, w.out, kText, chars);
        if (run.taken > 0) {
          w.pos += static_cast<std::uint32_t>(run.written);
          w.para.column += static_cast<int>(run.plain + run.chars);
          w.para.empty = false;
          w.para.previous = run.last;
          continue;
        }
      }
    }
    if (!read_stream_item(in, item)) break;
    if (beyond_page_numbers(w)) {
      w.failed = w.too_large = true;
      break;
    }
    if (item.kind == StreamItem::Kind::Code)
      code(w, item, in);
    else
      plain_byte(w, item.value);
    w.para.previous = item.kind == StreamItem::Kind::Byte ? item.value : -1;
  }
  if (in.failed()) w.failed = true;
}

// Writes a header or footer text from its copy. Returns its length.
std::uint32_t write_running_head(Writer& w, std::FILE* text, std::uint8_t kind) {
  const std::uint32_t start = w.pos;
  BlockInput input(text);
  if (!input.rewind()) w.failed = true;
  w.subdocument = kind;
  write_text(w, input);
  mark_and_close(w, 0);
  return w.pos - start;
}

bool copy_pages(std::FILE* pages, std::size_t count, std::FILE* out) {
  return word::copy_work_bytes(pages, static_cast<std::uint64_t>(count) * kPageSize, out);
}

int write_document(std::FILE* in, std::FILE* out) {
  FilePtr char_pages = open_work_file();
  FilePtr para_pages = open_work_file();
  const TranslationGroup* group = select_translation_group(1);
  if (!char_pages || !para_pages || !group) return kHandlerCannotOpen;
  OutputBuffer text(out);
  Writer w(text, *group, char_pages.get(), para_pages.get());
  CharState cs;
  // An empty stream gives a document of one empty paragraph (below).
  BlockInput input(in);
  const bool empty = init_stream_state(input, cs, w.para.ps, &w.para.tabs) != 0;
  word::start_document(w.para);
  for (std::uint32_t i = 0; i < kTextStart; ++i) put_byte(0, out);

  DocumentParts parts;
  if (!empty) write_text(w, input);
  if (!w.para.empty) end_paragraph(w);
  // A main text holds at least one paragraph: readers refuse a document without one.
  if (w.pos == kTextStart) mark_and_close(w, 0);
  parts.main_length = w.pos - kTextStart;

  w.note_pass = true;
  if (!w.note_refs.empty() && !w.failed) {
    BlockInput notes(w.notes.get());
    if (!notes.rewind()) w.failed = true;
    w.footnote_start = w.pos;
    write_text(w, notes);
    mark_and_close(w, 0);
    mark_and_close(w, 0);
    parts.footnote_length = w.pos - w.footnote_start;
    parts.footnote_end = w.pos - kTextStart;
    parts.note_refs = w.note_refs;
    parts.note_marks = w.note_marks;
  }
  const std::uint32_t heads_start = w.pos;
  parts.has_header = w.header != nullptr;
  parts.has_footer = w.footer != nullptr;
  if (parts.has_header && !w.failed) parts.header_text = write_running_head(w, w.header.get(), kStyleHeader);
  if (parts.has_footer && !w.failed) parts.footer_text = write_running_head(w, w.footer.get(), kStyleFooter);
  if (parts.has_header || parts.has_footer) {
    mark_and_close(w, 0);
    parts.header_length = w.pos - heads_start;
  }
  paragraph_mark(w);
  close_paragraph(w, 0, MarkEnd::Whole);
  parts.text_limit = w.pos;
  if (w.too_large) return kHandlerTooLarge;
  if (w.failed || !w.paras.finish()) return kHandlerCannotOpen;

  // The last run of text, then the run of the section record.
  w.cur.attrs = 0;
  close_run(w);
  end_run(w);
  for (std::uint8_t b : section_record(parts.has_header, parts.has_footer)) emit(w, b);
  add_char_run(w, section_run_record());
  if (w.failed || !w.chars.finish()) return kHandlerCannotOpen;
  const std::uint32_t padding = kPageSize - w.pos % kPageSize;
  for (std::uint32_t i = 0; i < padding; ++i) emit(w, 0);

  text.flush();
  parts.char_pages = w.chars.page_starts();
  parts.para_pages = w.paras.page_starts();
  parts.first_char_page = w.pos / kPageSize;
  parts.first_para_page = parts.first_char_page + static_cast<std::uint32_t>(parts.char_pages.size());
  if (!copy_pages(w.chars.file(), parts.char_pages.size(), out) ||
      !copy_pages(w.paras.file(), parts.para_pages.size(), out))
    return kHandlerCannotOpen;
  const std::uint32_t tables_at = (parts.first_para_page + static_cast<std::uint32_t>(parts.para_pages.size())) * kPageSize;
  if (w.style_sheet.size() > 0) parts.style_sheet = w.style_sheet;

  Bytes tables;
  InformationBlock fib;
  if (!build_tables(parts, tables_at, tables, fib)) return kHandlerTooLarge;
  if (std::fwrite(tables.data(), 1, tables.size(), out) != tables.size()) return kHandlerCannotOpen;
  if (std::fseek(out, 0, SEEK_SET) != 0 || std::fwrite(fib.data(), 1, fib.size(), out) != fib.size())
    return kHandlerCannotOpen;
  if (std::fflush(out) != 0 || std::ferror(out)) return kHandlerCannotOpen;
  return kHandlerOk;
}

}  // namespace

int dest_winword2(const char* stream_path, const char* target_path) {
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  RemoveGuard unfinished{std::string(target_path)};
  const int result = write_document(in.get(), out.get());
  if (result != kHandlerOk) {
    out.reset();
    return result;  // the guard removes the unfinished target
  }
  unfinished.release();
  return kHandlerOk;
}

OutputMatch output_test_winword2(std::span<const std::uint8_t> b) {
  return starts_with(b, "\xDB\xA5") ? OutputMatch{"Word for Windows 2"} : OutputMatch{};
}

}  // namespace lettrix
