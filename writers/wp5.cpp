// WordPerfect 5.0 from the intermediate stream, in one pass.
//
//   prefix with the fonts (547 bytes)   margins 0,0 -> 5,95 columns   text and functions
//
// Attributes, tab stops and line spacing become functions at their place in
// the text; alignment, margins and indents at the start of the next
// paragraph with content, fonts and sizes before the next character
// (wp5_look.h).
// Characters of the repertoire keep their table and index as character set
// and character. Tab stops collect in a pending table and reach the document
// as one tab set function before the next tab, character or paragraph start.
// A header, footer or note is one function around its text: it is built in
// memory and its length filled in at its end mark (or at the end of the
// stream, so that the document stays whole). The body goes to the target in
// blocks.
#include "writers/wp5.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/emitter.h"
#include "core/handler.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "writers/wp5_columns.h"
#include "writers/wp5_embedded.h"
#include "writers/wp5_functions.h"
#include "writers/wp5_look.h"
#include "writers/wp5_state.h"
#include "writers/wp5_tabs.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"

namespace lettrix {

namespace {

using namespace wp5;

constexpr std::size_t kFlushAt = 1 << 16;
// Columns a paragraph's text can count; beyond it no tab stop lies anyway.
constexpr int kColumnLimit = 1 << 20;

struct AttributeCode {
  std::uint8_t code;
  std::uint8_t attribute;
  bool on;
};

constexpr AttributeCode kAttributeCodes[] = {
    {BoldOn, kAttrBold, true},
    {BoldOff, kAttrBold, false},
    {UnderlineOn, kAttrUnderline, true},
    {UnderlineOff, kAttrUnderline, false},
    {SubscriptOn, kAttrSubscript, true},
    {SubscriptOff, kAttrSubscript, false},
    {SuperscriptOn, kAttrSuperscript, true},
    {SuperscriptOff, kAttrSuperscript, false},
    {StrikeOn, kAttrStrike, true},
    {StrikeOff, kAttrStrike, false},
    {ItalicOn, kAttrItalic, true},
    {ItalicOff, kAttrItalic, false},
    {CapsOn, kAttrCapitals, true},
    {CapsOff, kAttrCapitals, false},
    {DoubleUnderlineOn, kAttrDoubleUnderline, true},
    {DoubleUnderlineOff, kAttrDoubleUnderline, false},
};

bool attribute(Wp5Writer& w, std::uint8_t code) {
  for (const AttributeCode& a : kAttributeCodes) {
    if (a.code != code) continue;
    put_fixed(w.out, a.on ? kAttributeOn : kAttributeOff, {a.attribute});
    return true;
  }
  return false;
}

void flush(Wp5Writer& w, std::size_t count) {
  if (count == 0) return;
  if (std::fwrite(w.out.data(), 1, count, w.target) != count) w.write_failed = true;
  w.out.erase(0, count);
}

// Sends the body written so far to the target. Nothing leaves while a
// header, footer or note is open: its length is not known yet.
void flush_if_large(Wp5Writer& w) {
  if (w.fn.value != 0 || w.out.size() < kFlushAt) return;
  flush(w, w.out.size());
}

void put(Wp5Writer& w, std::uint8_t byte) { w.out.push_back(static_cast<char>(byte)); }

void count_column(Wp5Writer& w) { w.column = std::min(w.column + 1, kColumnLimit); }

// A character that is written: pending tab stops go before it.
void put_character(Wp5Writer& w, std::uint8_t byte) {
  // Tab stops are pending only after a tab code: the call is left out
  // for the characters in between.
  if (w.pending.entries[TabTable::kSentinel] != 0) apply_pending_tabs(w);
  before_content(w);
  count_column(w);
  put(w, byte);
}

void tab(Wp5Writer& w) {
  apply_pending_tabs(w);
  before_content(w);
  end_alignment_tab(w);
  const int kind = next_tab_kind(w.tabs, w.column, 1);
  const std::uint8_t flags = kind == TabCentre ? kCentredTab : kind == TabRight ? kRightTab : kPlainTab;
  put_fixed(w.out, kTabAlign, {flags});
  w.alignment_open = flags != kPlainTab;
}

void paragraph_end(Wp5Writer& w) {
  end_alignment_tab(w);
  w.column = 0;
  put(w, kHardReturn);
  apply_pending_tabs(w);
  if (w.newspaper_columns != 0) w.columns_left = w.newspaper_columns;
  paragraph_closed(w);
}

void write_byte(Wp5Writer& w, std::uint8_t byte) {
  switch (byte) {
    case kTab: tab(w); break;
    case kParagraphEnd: paragraph_end(w); break;
    case kLineBreak: put(w, kSoftReturn); break;
    case kPageBreak: put(w, kHardPage); break;
    case 0x0B: break;
    case '-': put_character(w, kHyphen); break;
    // Neither byte may stand alone in a WordPerfect document: 0 is dropped,
    // 127 written as "_" (as the other writers do).
    case 0x00: break;
    case 0x7F: put_character(w, '_'); break;
    default:
      // A byte of 0x80 and above is no character of any code page: left out,
      // but it takes its column.
      if (byte >= 0x80)
        count_column(w);
      else
        put_character(w, byte);
      break;
  }
}


void soft_hyphen(Wp5Writer& w) {
  const int next = w.in->get();
  if (next == kLineBreak) {
    put(w, kSoftHyphenAtLineEnd);
    return;
  }
  if (next != EOF) w.in->unget();
  put(w, kSoftHyphen);
}

void set_pending(Wp5Writer& w, int column, std::int32_t change) {
  w.pending.entries[column] = change;
  w.pending.entries[TabTable::kSentinel] = 1;
}

// A character of the repertoire: the extended character function, the most
// frequent one, written directly. The system font's symbols are
// WordPerfect's own characters where it has them, else their ASCII text
// (writers/system_symbols.h). WordPerfect 5 has no dingbats: "_".
void table_char(Wp5Writer& w, const StreamItem& item) {
  if (item.op1 < 1 || item.op1 > 14) return;  // no such table: no character
  if (is_dingbat(item.op1, item.op2)) {
    put_character(w, kFillChar);
    return;
  }
  std::uint8_t set = static_cast<std::uint8_t>(item.op1);
  std::uint8_t index = static_cast<std::uint8_t>(item.op2);
  if (const SystemSymbolForms* symbol = system_symbol_forms(set, index)) {
    if (symbol->wp_set == 0) {
      for (const char c : symbol->code_page_437) put_character(w, static_cast<std::uint8_t>(c));
      return;
    }
    set = symbol->wp_set;
    index = symbol->wp_index;
  }
  apply_pending_tabs(w);
  before_content(w);
  count_column(w);
  const char function[4] = {static_cast<char>(kExtendedChar), static_cast<char>(index), static_cast<char>(set),
                            static_cast<char>(kExtendedChar)};
  w.out.append(function, 4);
}

void write_code(Wp5Writer& w, const StreamItem& item) {
  if (item.value == TableChar) {
    table_char(w, item);
    return;
  }
  if (attribute(w, item.value)) return;
  switch (item.value) {
    case UnicodeChar:
      put_character(w, kFillChar);
      note_unshown_script_chars();
      break;
    case ClearAllTabs:
      for (int c = 0; c < TabTable::kColumns; ++c) set_pending(w, c, -1);
      break;
    // Alignment, margins and indents take effect with the next paragraph
    // that has content (wp5_look.h).
    case CenterOn: w.ps.centre = 1; break;
    case CenterOff: w.ps.centre = 0; break;
    case JustifyOn: w.ps.justify = 1; break;
    case JustifyOff: w.ps.justify = 0; break;
    case RightOn: w.ps.right = 1; break;
    case RightOff: w.ps.right = 0; break;
    case LeftMargin: w.ps.left_margin = item.op2 + kPageMargin; break;
    case RightMargin: w.ps.right_margin = item.op2 + kPageMargin; break;
    case IndentHere: w.ps.hanging_indent = item.op2; break;
    case Indent2: w.ps.second_indent = item.op2; break;
    case IndentReset: w.ps.hanging_indent = w.ps.second_indent = 0; break;
    case Font:
      w.cs.font_class = item.op2;
      w.look_pending = true;
      break;
    case FontSize:
      w.cs.size = -decode_font_size(item.op2);
      w.look_pending = true;
      break;
    case PageNumber:
      before_content(w);
      put(w, kPageNumber);
      break;
    case HardSpace: put_character(w, kHardSpace); break;
    case SoftHyphen: soft_hyphen(w); break;
    case FieldOpen: put(w, kMergeField); break;
    case ColumnControl:
    case ColumnControl50:
    case ColumnControl51: column_control(w, item.value); break;
    case Backslash: put_character(w, '\\'); break;
    case EndOfText: end_embedded(w); break;
    // A SetTab of kind 0 sets no stop: it clears the column.
    case SetTab: set_pending(w, item.op2, item.op1 == 0 ? -1 : item.op1); break;
    case ClearTab: set_pending(w, item.op2, -1); break;
    case LineSpacing:
      put_line_spacing(w.out, item.op1, item.op2);
      w.ps.line_spacing = item.op2;
      break;
    case Columns: define_columns(w, item.op1); break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll:
    case FooterEven:
    case FooterOdd:
    case FooterAll:
    case NoteCall: begin_embedded(w, item.value, item.op1); break;
    case TextColour:
      put_colour(w.out, item.op2);
      w.cs.colour = item.op2;
      break;
    default: break;  // no WordPerfect form; pictures and style sheets are skipped whole
  }
}

void write_document(Wp5Writer& w, bool empty) {
  put_prefix(w.out);
  set_tab_series(w.tabs, w.target, 0, 5, 120, 0);
  // The page's margins; the text follows directly: a hard return here would
  // make a header at the start of the stream count from the second page on.
  put_margins(w.out, 0, 100, kPageMargin, 100 - kPageMargin);
  w.ps.left_margin = kPageMargin;
  w.ps.right_margin = w.look.right = 100 - kPageMargin;
  // The prefix's initial font: the document's font at the stream's size.
  w.look.font = kDocumentFont;
  w.look.points = -CharState{}.size;
  w.look.justification = kJustifyLeft;
  if (empty) return;
  // Bytes that write_byte writes as they stand, as put_character does, and
  // the characters of the repertoire come in runs that go to the output in
  // one piece; inside a header, footer or note every item goes on its own,
  // so that its length is watched after each.
  static constexpr auto kSpecial = [] {
    auto stop = stop_bytes(kEscape, kTab, kParagraphEnd, kLineBreak, kPageBreak, 0x0B, '-', 0x00, 0x7F);
    for (int b = 0x80; b < 0x100; ++b) stop[static_cast<std::size_t>(b)] = true;
    return stop;
  }();
  static constexpr TextStops kText = text_stops(kSpecial);
  // The characters of the repertoire as table_char writes them.
  static const CharBytes kChars = [] {
    CharBytes chars;
    for (int table = 1; table <= CharBytes::kTables; ++table) {
      for (int index = 0; index < 256; ++index) {
        if (system_symbol(table, index) >= 0) continue;  // table_char's own
        if (is_dingbat(table, index)) {
          chars.set(table, index, &kFillChar, 1);
          continue;
        }
        const std::uint8_t function[4] = {kExtendedChar, static_cast<std::uint8_t>(index),
                                          static_cast<std::uint8_t>(table), kExtendedChar};
        chars.set(table, index, function, 4);
      }
    }
    return chars;
  }();
  StreamItem item;
  for (;;) {
    if (w.fn.value == 0 && starts_text(*w.in, kText, kChars)) {
      flush_if_large(w);
      if (w.pending.entries[TabTable::kSentinel] != 0) apply_pending_tabs(w);
      before_content(w);
      std::uint8_t text[4096];
      const TextRun run = copy_text(*w.in, text, sizeof text, kText, kChars);
      if (run.taken > 0) {
        const std::size_t columns = static_cast<std::size_t>(w.column) + run.plain + run.chars;
        w.column = static_cast<int>(std::min<std::size_t>(columns, kColumnLimit));
        w.out.append(reinterpret_cast<const char*>(text), run.written);
        continue;
      }
    }
    if (!read_stream_item(*w.in, item)) break;
    flush_if_large(w);
    if (w.fn.value != 0) end_embedded_if_full(w);  // only inside a header, footer or note
    if (item.kind == StreamItem::Kind::Byte)
      write_byte(w, item.value);
    else
      write_code(w, item);
  }
  end_embedded(w);  // a header, footer or note the stream left open
}

}  // namespace

int dest_wp5(const char* stream_path, const char* target_path) {
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;  // (before the target is created)
  FilePtr target = open_file(target_path, "w+b");
  if (!target) return kHandlerCannotOpen;
  Wp5Writer w;
  w.target = target.get();
  // An empty stream still gives a document, without text.
  BlockInput input(in.get());
  w.in = &input;
  const bool empty = init_stream_state(input, w.cs, w.ps, &w.tabs) != 0;
  write_document(w, empty);
  flush(w, w.out.size());
  if (w.write_failed || std::fflush(w.target) != 0 || std::ferror(w.target) || input.failed())
    return kHandlerCannotOpen;
  return kHandlerOk;
}

OutputMatch output_test_wp5(std::span<const std::uint8_t> b) {
  return starts_with(b, "\xFFWPC") ? OutputMatch{"WordPerfect 5"} : OutputMatch{};
}

}  // namespace lettrix
