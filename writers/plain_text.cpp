// Plain text from the intermediate stream: paragraphs end in CR LF, a line
// break inside a paragraph becomes a blank, formatting is dropped, characters
// come from the code page's translation group. Headers, footers and notes stay
// in place between visible markers:
//   \TETE text\FIN\    header          \PIED text\FIN\    footer
//   \NOTE01\text\FIN\  a note at its reference, numbered through the whole run
#include "writers/plain_text.h"

#include <string>

#include "core/charset.h"
#include "core/driver_state.h"
#include "core/handler.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/block_input.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"

namespace lettrix {

namespace {

int g_note_count = 0;


// "\NOTE01\": two digits at least, as many as the number needs beyond 99.
std::string note_marker(int number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  return "\\NOTE" + digits + "\\";
}

// A character that only the Symbol font has cannot be shown in plain text,
// which has no fonts: its Symbol byte would read as another character of the
// code page (infinity as a yen sign). Where code page 1252 has the same
// character it is written instead, else the fill character.
std::uint8_t plain_symbol_char(std::uint8_t symbol_byte) {
  switch (symbol_byte) {
    case 0xB7: return 0x95;  // bullet
    case 0xBC: return 0x85;  // ellipsis
    case 0xA6: return 0x83;  // florin
    case 0xD4:
    case 0xE4: return 0x99;  // trade mark
    case 0xD2:
    case 0xE2: return 0xAE;  // registered
    case 0xD3:
    case 0xE3: return 0xA9;  // copyright
    case 0xB0: return 0xB0;  // degree
    case 0xB1: return 0xB1;  // plus-minus
    case 0xB4: return 0xD7;  // multiplication
    case 0xB8: return 0xF7;  // division
    case 0x6D: return 0xB5;  // mu
    default: return kFillChar;
  }
}

// The byte of a character of the repertoire, 0 for none.
std::uint8_t table_char_byte(const TranslationGroup& group, int table, int index) {
  const std::uint16_t entry = translate_position(group, table, index);
  const std::uint8_t byte = entry & 0xFF;
  return (entry & kSymbolFlag) ? plain_symbol_char(byte) : byte;
}

// The system font's symbols have a text of their own (writers/system_symbols.h).
void write_table_char(OutputBuffer& out, const TranslationGroup& group, int table, int index) {
  if (const SystemSymbolForms* symbol = system_symbol_forms(table, index)) {
    out.put(&group == &kCodePage1252Group ? symbol->code_page_1252 : symbol->code_page_437);
    return;
  }
  if (beyond_code_pages(table)) note_unshown_script_chars();
  if (const std::uint8_t byte = table_char_byte(group, table, index)) out.put(static_cast<char>(byte));
}

CharBytes plain_char_bytes(const TranslationGroup& group) {
  CharBytes chars;
  for (int table = 1; table <= CharBytes::kTables; ++table) {
    for (int index = 0; index < 256; ++index) {
      const std::uint8_t byte = table_char_byte(group, table, index);
      if (byte && system_symbol(table, index) < 0 && !beyond_code_pages(table)) chars.set(table, index, &byte, 1);
    }
  }
  return chars;
}

void write_code(BlockInput& in, OutputBuffer& out, const TranslationGroup& group, const StreamItem& item) {
  switch (item.value) {
    case TableChar: write_table_char(out, group, item.op1, item.op2); break;
    case UnicodeChar:
      out.put(static_cast<char>(kFillChar));
      note_unshown_script_chars();
      break;
    case HardSpace: out.put(' '); break;
    case SoftHyphen: {
      // A line break right after it belongs to it: the word continues.
      const int next = in.get();
      if (next != EOF && next != kLineBreak) in.unget();
      break;
    }
    case Backslash: out.put('\\'); break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll: out.put("\\TETE"); break;
    case FooterEven:
    case FooterOdd:
    case FooterAll: out.put("\\PIED"); break;
    case NoteCall: out.put(note_marker(++g_note_count)); break;
    case EndOfText: out.put("\\FIN\\"); break;
    default: break;  // formatting leaves no trace; pictures are skipped whole
  }
}

int write_plain_text(const char* stream_path, const char* target_path, int group_number) {
  const TranslationGroup* group = select_translation_group(group_number);
  set_target_kind(KindPlainText);
  FilePtr in = open_file(stream_path, "rb");
  FilePtr out = open_file(target_path, "w+b");
  if (!in || !out || !group) return -1;
  // Bytes collect in a block of their own that goes to the target whole;
  // the runs of bytes that are copied as they stand go in one piece.
  OutputBuffer buffer(out.get());
  BlockInput input(in.get());
  static constexpr auto kSpecial = text_stops(stop_bytes(kEscape, kParagraphEnd, kLineBreak));
  static const CharBytes kChars[2] = {plain_char_bytes(*select_translation_group(0)),
                                      plain_char_bytes(*select_translation_group(1))};
  const CharBytes& chars = kChars[group == select_translation_group(1) ? 1 : 0];
  StreamItem item;
  for (;;) {
    const TextRun run = copy_text(input, buffer, kSpecial, chars);
    if (run.taken > 0) continue;
    const int c = input.get();
    if (c == EOF) break;
    if (c == kEscape) {
      if (!read_stream_code_inline(input, item)) break;
      write_code(input, buffer, *group, item);
    } else if (c == kParagraphEnd) {
      buffer.put("\r\n");
    } else {
      buffer.put(' ');  // a line break
    }
  }
  buffer.flush();
  if (std::fflush(out.get()) != 0 || std::ferror(out.get()) || input.failed()) return -1;
  return 0;
}

}  // namespace

int dest_ascii(const char* stream_path, const char* target_path) { return write_plain_text(stream_path, target_path, 0); }
int dest_ansi(const char* stream_path, const char* target_path) { return write_plain_text(stream_path, target_path, 1); }

int plain_text_note_count() { return g_note_count; }
void reset_plain_text_note_count() { g_note_count = 0; }

// PC text: text whose lines end in CR LF, with no CR on its own. Weak: a
// BinHex file may look the same.
OutputMatch output_test_pc_text(std::span<const std::uint8_t> b) {
  if (!looks_like_text(b)) return {};
  bool crlf = false;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] != '\r') continue;
    if (i + 1 == b.size()) break;  // the window may end between the two
    if (b[i + 1] != '\n') return {};
    crlf = true;
  }
  return crlf ? OutputMatch{"PC text", true} : OutputMatch{};
}

}  // namespace lettrix
