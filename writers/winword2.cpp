// Word for Windows 2.0 documents from the intermediate stream (the layout is
// drawn in writers/winword2_layout.h).
//
// One pass over the stream writes the main text from offset 384 and closes a
// character run at every property change and a paragraph run at every
// paragraph mark. Note texts are copied to a work file as they come and
// written after the main text; the last header and the last footer are
// remembered by their place in the stream and written after the notes. Then
// come the closing paragraph mark, the section record, the property pages
// (kept in two work files while the text is written) and the tables.
#include "writers/winword2.h"

#include <string>

#include "core/charset.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/byte_io.h"
#include "support/file_handle.h"
#include "support/work_file.h"
#include "writers/winword2_layout.h"

namespace lettrix {

namespace {

using namespace ww2;

// Character attributes of a run.
enum : std::uint16_t {
  AttrBold = 0x01,
  AttrUnderline = 0x02,
  AttrStrike = 0x04,
  AttrSuperscript = 0x08,
  AttrItalic = 0x10,
  AttrCaps = 0x40,
  AttrNoteMark = 0x100,
  AttrSubscript = 0x200,
  AttrDoubleUnderline = 0x400,
  AttrSmallCaps = 0x800,
};

// Paragraph flags.
enum : std::uint32_t {
  ParaFlushRight = 0x01,
  ParaCentred = 0x02,
  ParaJustified = 0x04,
  ParaLeftIndent = 0x08,
  ParaFirstIndent = 0x10,
  ParaSpacing = 0x40,
  ParaNoteEnd = 0x80,
  ParaDefault = 0xFF,
};

// Tab table sentinel while it holds the default stops, and once a tab code
// has replaced them.
constexpr std::int32_t kDefaultTabs = 255;
constexpr std::int32_t kOwnTabs = 254;
// Tab state: default stops untouched, changed since last encoded, encoded.
constexpr int kTabsDefault = -1, kTabsChanged = 1, kTabsEncoded = 0;

// Subdocument kinds: the style code of the last paragraph of each.
constexpr std::uint8_t kMainText = 0;

// Property pages address their file by 16-bit page numbers: the text must
// leave room for them below 65536 pages.
constexpr std::uint32_t kMaxTextOffset = 0xFFFFu * kPageSize / 2;

struct CharValues {
  std::uint16_t attr = 0;
  std::uint8_t charset = 0;
  std::uint8_t font_class = 0;
  int points = 12;
  bool operator==(const CharValues&) const = default;
};

struct Writer {
  Writer(std::FILE* target, const TranslationGroup& translation, std::FILE* char_file, std::FILE* para_file)
      : out(target),
        group(translation),
        chars(PropertyPage::Kind::Character, char_file, kTextStart),
        paras(PropertyPage::Kind::Paragraph, para_file, kTextStart) {}

  std::FILE* out;
  const TranslationGroup& group;
  PropertyPages chars;
  PropertyPages paras;
  std::uint32_t pos = kTextStart;
  bool failed = false;

  CharValues cur;  // as the codes last set them
  CharValues run;  // of the open run
  std::uint32_t flags = 0;    // current paragraph
  std::uint32_t carried = 0;  // carried into the next paragraph
  ParaState ps;
  TabTable tabs;
  int tab_state = kTabsDefault;
  std::vector<TabStopTwips> tab_encoding;
  int column = 0;
  int tabs_in_paragraph = 0;
  int previous_byte = -1;  // the stream byte before, -1 after a code
  std::uint32_t mark_end = 0;  // the output position just after the last paragraph mark

  bool note_pass = false;
  std::uint8_t subdocument = kMainText;
  std::uint8_t paragraph_style = 0;
  Bytes style_sheet;  // 2-byte length, then the data; empty: none given

  FilePtr notes;  // the note texts, copied out of the stream
  std::vector<std::uint32_t> note_refs;
  std::vector<std::uint32_t> note_marks;
  std::uint32_t footnote_start = 0;
  long header_at = -1;
  long footer_at = -1;
};

// ---- Embedded texts -------------------------------------------------------

bool opens_embedded_text(std::uint8_t code) { return is_header_code(code) || is_footer_code(code) || code == NoteCall; }

void put_item(std::FILE* out, const StreamItem& item) {
  if (item.kind == StreamItem::Kind::Byte) {
    put_byte(item.value, out);
    return;
  }
  put_byte(kEscape, out);
  put_byte(item.value, out);
  if (fixed_operand_count(item.value) == 0) return;
  put_byte(item.op1, out);
  put_byte(item.op2, out);
  if (item.value == StyleSheet && !item.data.empty()) std::fwrite(item.data.data(), 1, item.data.size(), out);
}

// Copies the embedded text that follows a header, footer or note code, code
// by code with their operands, up to its EndOfText, and ends the copy with an
// EndOfText even when the stream ended first. Codes that would open another
// embedded text and pictures are left out. With a null `out` the text is only
// skipped.
void copy_embedded_text(std::FILE* in, std::FILE* out) {
  StreamItem item;
  while (read_stream_item(in, item)) {
    if (item.is_code(EndOfText)) break;
    if (item.kind == StreamItem::Kind::Code && (opens_embedded_text(item.value) || item.value == Picture)) continue;
    if (out) put_item(out, item);
  }
  if (out) {
    put_byte(kEscape, out);
    put_byte(EndOfText, out);
  }
}

// ---- Text and character runs ---------------------------------------------

void emit(Writer& w, std::uint8_t byte) {
  put_byte(byte, w.out);
  ++w.pos;
}

int font_index(const CharValues& v) {
  if (v.charset == 1) return FontSymbolIndex;
  if (v.charset != 0) return FontTimes;
  switch (v.font_class) {
    case FontSerif: return FontTimes;
    case FontSans: return FontArial;
    default: return FontCourier;
  }
}

Bytes run_record(const Writer& w, const CharValues& v) {
  CharProps p;
  p.bold = v.attr & AttrBold;
  p.italic = v.attr & AttrItalic;
  p.caps = v.attr & AttrCaps;
  p.small_caps = v.attr & AttrSmallCaps;
  p.strike = v.attr & AttrStrike;
  p.underline = v.attr & AttrUnderline;
  p.double_underline = v.attr & AttrDoubleUnderline;
  p.superscript = v.attr & AttrSuperscript;
  p.subscript = v.attr & AttrSubscript;
  p.note_mark = v.attr & AttrNoteMark;
  p.font_and_size = w.paragraph_style == 0;
  p.font_index = font_index(v);
  p.points = v.points;
  return char_record(p);
}

void add_char_run(Writer& w, std::span<const std::uint8_t> record) {
  if (!w.chars.add_run(w.pos, record)) w.failed = true;
}

// Gives the open run its record when text was written since it began.
void end_run(Writer& w) {
  if (w.chars.last_offset() == w.pos) return;
  add_char_run(w, run_record(w, w.run));
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
  ++w.column;
}

void put_note_mark(Writer& w) {
  w.cur.charset = 0;
  w.cur.attr |= AttrNoteMark;
  close_run(w);
  emit(w, 0x02);
  ++w.column;
  w.cur.attr &= static_cast<std::uint16_t>(~AttrNoteMark);
  close_run(w);
}

// ---- Paragraphs -----------------------------------------------------------

int twips_per_column(const Writer& w) { return 12 * w.run.points; }

void encode_tabs(Writer& w) {
  w.tab_encoding.clear();
  const int width = twips_per_column(w);
  for (int column = 0; column < TabTable::kColumns; ++column) {
    const std::int32_t kind = w.tabs.entries[column];
    if (kind != 0) w.tab_encoding.push_back({column * width, kind - 1});
  }
  w.tab_state = kTabsEncoded;
}

Bytes paragraph_modifiers(Writer& w, std::uint32_t f) {
  Bytes mods;
  std::uint8_t alignment = 0;
  if (f & ParaFlushRight) alignment = AlignFlushRight;
  if (f & ParaCentred) alignment = AlignCentred;
  if (f & ParaJustified) alignment = AlignJustified;
  if (alignment) add_alignment(mods, alignment);

  const long width = twips_per_column(w);
  const bool left = f & ParaLeftIndent, first = f & ParaFirstIndent;
  if ((left || first) && w.ps.hanging_indent == 0) w.ps.hanging_indent = 5;
  if (left && first) {
    add_twips(mods, ModLeftIndent, w.ps.hanging_indent * width);
    add_twips(mods, ModFirstIndent, -w.ps.hanging_indent * width);
    w.ps.hanging_indent = 0;
  } else if (left) {
    add_twips(mods, ModLeftIndent, w.ps.hanging_indent * width);
    if (!w.ps.indent_flag) w.ps.hanging_indent = 0;
  } else if (first) {
    const int stop = first_tab(w.tabs);
    add_twips(mods, ModFirstIndent, (stop ? stop : 5) * width);
  }
  if (f & ParaSpacing) add_twips(mods, ModLineSpacing, static_cast<long>(w.ps.line_spacing) * 30);
  if (w.tabs_in_paragraph > 0 && w.tab_state != kTabsDefault) {
    if (w.tab_state == kTabsChanged) encode_tabs(w);
    add_tab_stops(mods, w.tab_encoding);
  }
  return mods;
}

// A paragraph run ends just after the carriage return of its mark: the line
// feed that follows belongs to the next paragraph's run, so that readers that
// take a paragraph's properties from where it begins find its own. The very
// last mark of the text is covered whole.
enum class MarkEnd { AfterReturn, Whole };

void close_paragraph(Writer& w, std::uint32_t f, MarkEnd mark_end = MarkEnd::AfterReturn) {
  const std::uint32_t end = (w.pos == w.mark_end && mark_end == MarkEnd::AfterReturn) ? w.pos - 1 : w.pos;
  if (w.paras.last_offset() >= end) return;  // no text since the last paragraph mark
  Bytes record;
  if (f != ParaDefault) {
    if (w.paragraph_style != 0) {
      record = para_record(w.paragraph_style, {});
    } else {
      const std::uint8_t style = f == ParaNoteEnd ? w.subdocument : 0;
      record = para_record(style, paragraph_modifiers(w, f));
    }
  }
  if (!w.paras.add_run(end, record)) w.failed = true;
  w.tabs_in_paragraph = 0;
  w.column = 0;
}

void paragraph_mark(Writer& w) {
  emit(w, 0x0D);
  emit(w, 0x0A);
  w.mark_end = w.pos;
}

// Whether the current paragraph has no text yet.
bool at_paragraph_start(const Writer& w) {
  const std::uint32_t start = w.pos == w.mark_end ? w.pos - 1 : w.pos;
  return w.paras.last_offset() >= start;
}

void end_paragraph(Writer& w) {
  paragraph_mark(w);
  close_paragraph(w, w.flags);
  w.flags = w.carried & ~static_cast<std::uint32_t>(ParaFirstIndent);
}

int next_column(const Writer& w) {
  const int next = next_tab(w.tabs, w.column, 1);
  return next < 0 ? 1 : next;
}

// A tab at the start of a paragraph becomes a first-line indent; a second
// one brings both back as tab characters.
void tab(Writer& w, bool after_tab) {
  if (w.column > 0 || (w.flags & ParaFirstIndent)) {
    emit(w, kTab);
    if (after_tab && (w.flags & ParaFirstIndent)) {
      emit(w, kTab);
      w.flags &= ~static_cast<std::uint32_t>(ParaFirstIndent);
      w.column = next_column(w);
    }
    ++w.tabs_in_paragraph;
    w.column = next_column(w);
  } else {
    w.flags |= ParaFirstIndent;
    ++w.tabs_in_paragraph;
  }
}

// ---- Codes ----------------------------------------------------------------

void set_attr(Writer& w, std::uint16_t bits, bool on) {
  if (on)
    w.cur.attr |= bits;
  else
    w.cur.attr &= static_cast<std::uint16_t>(~bits);
  close_run(w);
}

void both_flags(Writer& w, std::uint32_t bits) {
  w.flags |= bits;
  w.carried |= bits;
}

// An alignment ends with the paragraph that holds the off code; an off code
// before any text of a paragraph (where readers put it) ends it for that
// paragraph already.
void alignment_off(Writer& w, std::uint32_t bits) {
  w.carried &= ~bits;
  if (at_paragraph_start(w)) w.flags &= ~bits;
}

void own_tabs(Writer& w) {
  if (w.tabs.entries[TabTable::kSentinel] == kDefaultTabs) {
    for (int c = 0; c < TabTable::kColumns; ++c) w.tabs.entries[c] = 0;
    w.tabs.entries[TabTable::kSentinel] = kOwnTabs;
  }
  w.tab_state = kTabsChanged;
}

void right_code(Writer& w) {
  if (w.column == 0) {
    both_flags(w, ParaFlushRight);
    return;
  }
  int n = count_tabs(w.tabs, w.column, w.ps.right_margin);
  if (n == 0) n = (w.ps.right_margin - w.column) / 5;
  if (n >= 1 && n <= 14)
    for (int i = 0; i < n; ++i) emit(w, kTab);
}

void keep_style_sheet(Writer& w, const StreamItem& item) {
  constexpr std::size_t kMaxData = 510;
  const std::size_t kept = item.data.size() < kMaxData ? item.data.size() : kMaxData;
  w.style_sheet.clear();
  if (kept == 0) return;
  put16(w.style_sheet, static_cast<std::uint32_t>(kept));
  w.style_sheet.insert(w.style_sheet.end(), item.data.begin(), item.data.begin() + static_cast<long>(kept));
}

void note_call(Writer& w, std::FILE* in) {
  if (!w.note_pass) {
    if (!w.notes && !(w.notes = open_work_file())) {
      w.failed = true;
      return;
    }
    w.note_refs.push_back(w.pos - kTextStart);
    put_note_mark(w);
    const std::uint8_t call[] = {kEscape, NoteCall, 0, 0};
    std::fwrite(call, 1, sizeof call, w.notes.get());
    copy_embedded_text(in, w.notes.get());
    return;
  }
  w.note_marks.push_back(w.pos - w.footnote_start);
  put_note_mark(w);
  w.subdocument = kStyleFootnote;
  const int next = std::getc(in);
  if (next != EOF) std::ungetc(next, in);
  if (next != kTab && next != ' ' && next != kEscape) {
    emit(w, kTab);
    ++w.tabs_in_paragraph;
    w.column = next_column(w);
  }
}

void end_of_text(Writer& w) {
  if (w.column > 0) paragraph_mark(w);
  close_paragraph(w, ParaNoteEnd);
  if (w.subdocument != kStyleFootnote) w.flags &= ~static_cast<std::uint32_t>(ParaNoteEnd);
  w.subdocument = kMainText;
}

void code(Writer& w, const StreamItem& item, std::FILE* in) {
  const std::uint8_t value = item.op2;
  switch (item.value) {
    case TableChar: {
      if (item.op1 < 1 || item.op1 > 14) break;
      const std::uint16_t entry = translate_position(w.group, item.op1, item.op2);
      const std::uint8_t charset = (entry & 0xFF00) ? 1 : 0;
      if (w.cur.charset != charset) {
        w.cur.charset = charset;
        close_run(w);
      }
      emit(w, static_cast<std::uint8_t>(entry));
      ++w.column;
      break;
    }
    case ClearAllTabs:
      for (int c = 0; c < TabTable::kColumns; ++c) w.tabs.entries[c] = 0;
      w.tabs.entries[TabTable::kSentinel] = kOwnTabs;
      w.tab_state = kTabsChanged;
      break;
    case SetTab:
      own_tabs(w);
      w.tabs.entries[item.op2] = (item.op1 >= TabLeft && item.op1 <= TabBar) ? item.op1 : 0;
      break;
    case ClearTab:
      own_tabs(w);
      w.tabs.entries[item.op2] = 0;
      break;
    case BoldOn: set_attr(w, AttrBold, true); break;
    case BoldOff: set_attr(w, AttrBold, false); break;
    case UnderlineOn: set_attr(w, AttrUnderline, true); break;
    case UnderlineOff: set_attr(w, AttrUnderline, false); break;
    case SubscriptOn: set_attr(w, AttrSubscript, true); break;
    case SubscriptOff: set_attr(w, AttrSubscript, false); break;
    case SuperscriptOn: set_attr(w, AttrSuperscript, true); break;
    case SuperscriptOff: set_attr(w, AttrSuperscript, false); break;
    case StrikeOn: set_attr(w, AttrStrike, true); break;
    case StrikeOff: set_attr(w, AttrStrike, false); break;
    case ItalicOn: set_attr(w, AttrItalic, true); break;
    case ItalicOff: set_attr(w, AttrItalic, false); break;
    case CapsOn: set_attr(w, AttrCaps, true); break;
    case CapsOff: set_attr(w, AttrCaps, false); break;
    case DoubleUnderlineOn: set_attr(w, AttrDoubleUnderline, true); break;
    case DoubleUnderlineOff: set_attr(w, AttrDoubleUnderline, false); break;
    case SmallCapsOn: set_attr(w, AttrSmallCaps, true); break;
    case SmallCapsOff: set_attr(w, AttrSmallCaps, false); break;
    case CenterOn:
      both_flags(w, ParaCentred);
      w.flags &= ~static_cast<std::uint32_t>(ParaJustified);
      w.carried &= ~static_cast<std::uint32_t>(ParaJustified);
      break;
    case CenterOff: alignment_off(w, ParaCentred); break;
    case JustifyOn: both_flags(w, ParaJustified); break;
    case JustifyOff:
      w.flags &= ~static_cast<std::uint32_t>(ParaJustified);
      w.carried &= ~static_cast<std::uint32_t>(ParaJustified);
      break;
    case RightOn: right_code(w); break;
    case RightOff: alignment_off(w, ParaFlushRight); break;
    case HardSpace: put_text(w, 0xA0); break;
    case Backspace: put_text(w, 0x08); break;
    case SoftHyphen: {
      put_text(w, 0x1F);
      const int next = std::getc(in);
      if (next != kLineBreak && next != EOF) std::ungetc(next, in);
      break;
    }
    case FieldOpen: put_text(w, 0x5B); break;
    case FieldClose: put_text(w, 0x5D); break;
    case Backslash: put_text(w, 0x5C); break;
    case EndOfText: end_of_text(w); break;
    case StyleSheet: keep_style_sheet(w, item); break;
    case ParaStyle: w.paragraph_style = item.op1; break;
    case IndentHere: {
      const int stop = next_tab(w.tabs, w.column, 0);
      w.ps.hanging_indent = stop < 0 ? 5 : stop;
      w.ps.indent_flag = 1;
      both_flags(w, w.column == 0 ? ParaLeftIndent : ParaLeftIndent | ParaFirstIndent);
      break;
    }
    case IndentReset:
      w.ps.indent_flag = 0;
      w.ps.hanging_indent = 0;
      w.ps.second_indent = 0;
      w.carried &= ~static_cast<std::uint32_t>(ParaLeftIndent | ParaFirstIndent);
      break;
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
    case LineSpacing:
      w.ps.line_spacing = value;
      if (value != 8)
        both_flags(w, ParaSpacing);
      else
        w.carried &= ~static_cast<std::uint32_t>(ParaSpacing);
      break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll:
    case FooterEven:
    case FooterOdd:
    case FooterAll:
      // Only the main text holds them (the copies of embedded texts leave them out).
      (is_header_code(item.value) ? w.header_at : w.footer_at) = std::ftell(in);
      copy_embedded_text(in, nullptr);
      break;
    case NoteCall: note_call(w, in); break;
    default: break;  // read with exactly its operands, nothing to write
  }
}

// One run of the main loop over a stream: the main text, the note texts, a
// header or a footer.
void write_text(Writer& w, std::FILE* in) {
  w.cur.attr = 0;
  close_run(w);
  w.flags = w.carried = 0;
  w.previous_byte = -1;
  StreamItem item;
  while (!w.failed && read_stream_item(in, item)) {
    if (w.pos > kMaxTextOffset) {
      w.failed = true;  // too large for the format
      break;
    }
    if (item.kind == StreamItem::Kind::Code) {
      code(w, item, in);
      w.previous_byte = -1;
      continue;
    }
    const std::uint8_t b = item.value;
    switch (b) {
      case kTab: tab(w, w.previous_byte == kTab); break;
      case kLineBreak:
        if (w.previous_byte != 0x1A && w.previous_byte != '-') put_text(w, ' ');
        break;
      case kPageBreak:
        emit(w, kPageBreak);
        end_paragraph(w);
        break;
      case kParagraphEnd: end_paragraph(w); break;
      default: put_text(w, b); break;
    }
    w.previous_byte = b;
  }
}

// Writes a header or footer text from its place in the stream. Returns its length.
std::uint32_t write_running_head(Writer& w, std::FILE* in, long at, std::uint8_t kind) {
  const std::uint32_t start = w.pos;
  FilePtr text = open_work_file();
  if (!text || std::fseek(in, at, SEEK_SET) != 0) {
    w.failed = true;
    return 0;
  }
  copy_embedded_text(in, text.get());
  std::rewind(text.get());
  w.subdocument = kind;
  write_text(w, text.get());
  end_paragraph(w);
  return w.pos - start;
}

bool copy_pages(std::FILE* pages, std::size_t count, std::FILE* out) {
  std::rewind(pages);
  std::uint8_t page[kPageSize];
  for (std::size_t i = 0; i < count; ++i) {
    if (std::fread(page, 1, kPageSize, pages) != kPageSize) return false;
    if (std::fwrite(page, 1, kPageSize, out) != kPageSize) return false;
  }
  return true;
}

void mark_and_close(Writer& w, std::uint32_t f) {
  paragraph_mark(w);
  close_paragraph(w, f);
}

int write_document(std::FILE* in, std::FILE* out) {
  FilePtr char_pages = open_work_file();
  FilePtr para_pages = open_work_file();
  const TranslationGroup* group = select_translation_group(1);
  if (!char_pages || !para_pages || !group) return kHandlerCannotOpen;
  Writer w(out, *group, char_pages.get(), para_pages.get());
  CharState cs;
  // An empty stream gives a document of one empty paragraph.
  const bool empty = init_stream_state(in, cs, w.ps, &w.tabs) != 0;
  set_tab_series(w.tabs, nullptr, 5, 5, 200, 0);
  for (std::uint32_t i = 0; i < kTextStart; ++i) put_byte(0, out);

  DocumentParts parts;
  if (!empty) write_text(w, in);
  if (w.column > 0) end_paragraph(w);
  parts.main_length = w.pos - kTextStart;

  w.note_pass = true;
  if (!w.note_refs.empty() && !w.failed) {
    std::rewind(w.notes.get());
    w.footnote_start = w.pos;
    write_text(w, w.notes.get());
    mark_and_close(w, 0);
    mark_and_close(w, 0);
    parts.footnote_length = w.pos - w.footnote_start;
    parts.footnote_end = w.pos - kTextStart;
    parts.note_refs = w.note_refs;
    parts.note_marks = w.note_marks;
  }
  const std::uint32_t heads_start = w.pos;
  parts.has_header = w.header_at >= 0;
  parts.has_footer = w.footer_at >= 0;
  if (parts.has_header && !w.failed) parts.header_text = write_running_head(w, in, w.header_at, kStyleHeader);
  if (parts.has_footer && !w.failed) parts.footer_text = write_running_head(w, in, w.footer_at, kStyleFooter);
  if (parts.has_header || parts.has_footer) {
    mark_and_close(w, 0);
    parts.header_length = w.pos - heads_start;
  }
  paragraph_mark(w);
  close_paragraph(w, 0, MarkEnd::Whole);
  parts.text_limit = w.pos;
  if (w.failed || !w.paras.finish()) return kHandlerCannotOpen;

  // The last run of text, then the run of the section record.
  w.cur.attr = 0;
  close_run(w);
  end_run(w);
  for (std::uint8_t b : section_record(parts.has_header, parts.has_footer)) emit(w, b);
  add_char_run(w, section_run_record());
  if (w.failed || !w.chars.finish()) return kHandlerCannotOpen;
  const std::uint32_t padding = kPageSize - w.pos % kPageSize;
  for (std::uint32_t i = 0; i < padding; ++i) emit(w, 0);

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
  if (!build_tables(parts, tables_at, tables, fib)) return kHandlerCannotOpen;
  if (std::fwrite(tables.data(), 1, tables.size(), out) != tables.size()) return kHandlerCannotOpen;
  if (std::fseek(out, 0, SEEK_SET) != 0 || std::fwrite(fib.data(), 1, fib.size(), out) != fib.size())
    return kHandlerCannotOpen;
  if (std::fflush(out) != 0 || std::ferror(out) || std::ferror(in)) return kHandlerCannotOpen;
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

}  // namespace lettrix
