#include "writers/wpd_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/charset.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "test_util.h"
#include "writers/wp5_check.h"

namespace lettrix::testing {

namespace {

using Kind = TextPattern::Kind;
using Elements = std::vector<TextPattern::Element>;

// A blank after a gap is part of the gap: a tab that starts a paragraph after
// a page break may read as the paragraph's indent, not as a blank.
void add(Elements& e, Kind kind, char c = 0) {
  if (kind == Kind::Space && (e.empty() || e.back().kind == Kind::Space || e.back().kind == Kind::Gap)) return;
  e.push_back({kind, c});
}

void add_text(Elements& e, const std::string& text) {
  for (char c : text) add(e, Kind::Char, c);
}

std::optional<std::string> run(const std::string& command) {
  return command_output(command);
}

// Code page 1252 bytes 0x80 to 0x9F by their Unicode characters (0: none).
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char cp1252_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  return '\x01';
}

// A character of the repertoire as code page 1252 shows it, if it can.
// wpd2text gives the spacing accents (table 1, 0 to 22) as combining marks.
void add_position(Elements& e, int table, int index) {
  constexpr int kLastSpacingAccent = 22;
  if (table == 1 && index <= kLastSpacingAccent) {
    add(e, Kind::AnyChar);
    return;
  }
  const std::uint16_t entry = translate_position(kCodePage1252Group, table, index);
  const char byte = static_cast<char>(entry & 0xFF);
  if ((entry & kSymbolFlag) || byte == static_cast<char>(kFillChar) || byte == 0)
    add(e, Kind::AnyChar);
  else
    add(e, Kind::Char, byte);
}

}  // namespace

bool wpd_tools_available() {
  static const bool available = std::system("wpd2text --version >/dev/null 2>&1") == 0 &&
                                std::system("wpd2html --version >/dev/null 2>&1") == 0;
  return available;
}

std::optional<std::string> wpd2text(const std::string& wp5_path) { return run("wpd2text '" + wp5_path + "' 2>/dev/null"); }
std::optional<std::string> wpd2html(const std::string& wp5_path) { return run("wpd2html '" + wp5_path + "' 2>/dev/null"); }

std::string utf8_to_cp1252(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size()) {
      out += '\x01';  // not UTF-8
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += cp1252_byte(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

TextPattern wpd_expected_text(const std::string& stream) {
  std::FILE* in = fmemopen(const_cast<char*>(stream.data()), stream.size(), "rb");
  TextPattern p;
  if (!in) return p;
  FilePtr guard(in);
  Elements& body = p.elements;
  Elements note;
  std::vector<Elements> notes_to_come;  // printed after the paragraph that refers to them
  bool in_note = false;
  int note_count = 0;
  auto flush_notes = [&] {
    for (const Elements& n : notes_to_come) {
      add(body, Kind::Space);
      for (const auto& el : n) add(body, el.kind, el.c);
      add(body, Kind::Space);
    }
    notes_to_come.clear();
  };
  StreamItem item;
  bool skip_line_break = false;
  while (read_stream_item(in, item)) {
    Elements& e = in_note ? note : body;
    const bool after_soft_hyphen = skip_line_break;
    skip_line_break = false;
    if (item.kind == StreamItem::Kind::Code) {
      switch (item.value) {
        case TableChar:
          if (item.op1 >= 1 && item.op1 <= 14) add_position(e, item.op1, item.op2);
          break;
        case HardSpace:
        case UnicodeChar:
        case PageNumber:
        case FieldOpen: add(e, Kind::AnyChar); break;
        case SoftHyphen:
          add(e, Kind::AnyChar);
          skip_line_break = true;
          break;
        case Backslash: add(e, Kind::Char, '\\'); break;
        case HeaderEven:
        case HeaderOdd:
        case HeaderAll:
        case FooterEven:
        case FooterOdd:
        case FooterAll: add(e, Kind::Space); break;
        case NoteCall:
          add_text(e, "[" + std::to_string(++note_count) + "]");
          note.clear();
          add_text(note, "[" + std::to_string(note_count) + "]");
          add(note, Kind::Space);
          in_note = true;
          break;
        case EndOfText:
          if (in_note) notes_to_come.push_back(note);
          if (!in_note) add(e, Kind::Space);  // a header or footer stands on lines of its own
          in_note = false;
          break;
        default: break;
      }
      continue;
    }
    const std::uint8_t b = item.value;
    if (b == kLineBreak && after_soft_hyphen) continue;
    if (b == kTab || b == kLineBreak || b == kParagraphEnd || b == ' ')
      add(e, Kind::Space);
    else if (b > ' ' && b < 127)
      add(e, Kind::Char, static_cast<char>(b));
    else if (b < ' ' && b != kPageBreak && b != 0x0B && b != 0)
      add(e, Kind::AnyChar);
    else if (b == 127)
      add(e, Kind::Char, '_');
    // bytes of 0x80 and above are left out
    if (b == kParagraphEnd && !in_note) flush_notes();
    // wpd2text may print the running heads again where a page break starts a page.
    if (b == kPageBreak && !in_note) add(e, Kind::Gap);
  }
  if (in_note) notes_to_come.push_back(note);
  flush_notes();
  while (!body.empty() && body.back().kind == Kind::Space) body.pop_back();
  if (!body.empty() && body.front().kind == Kind::Space) body.erase(body.begin());
  return p;
}

void expect_wpd_reads_document(int source_row, const std::string& source_path) {
  if (!wpd_tools_available()) GTEST_SKIP() << "wpd2text and wpd2html (libwpd-tools) are not installed";
  const std::string name = std::filesystem::path(source_path).filename().string();
  const Handler reader = source_formats.rows[source_row].reader;
  ASSERT_NE(reader, nullptr);
  ScratchDir dir(true);
  write_file("doc", read_file(source_path));
  ASSERT_EQ(reader("doc", "stream"), 0) << name;
  const std::string stream = read_file("stream");
  init_path_buffers();
  choose_formats(source_row, DstWordPerfect5);
  const ConversionResult r = convert_file("doc");
  ASSERT_TRUE(r.ok()) << name << ": " << r.message();
  const std::string target = dir.file(r.target);
  EXPECT_EQ(wp5::layout_problem(read_file(target)), "") << name;
  const std::optional<std::string> text = wpd2text(target);
  ASSERT_TRUE(text.has_value()) << name << ": wpd2text cannot read it";
  EXPECT_EQ(mismatch(wpd_expected_text(stream), utf8_to_cp1252(*text)), "") << name;

  // Attributes switched on before some text of the body show in the HTML
  // (which leaves headers and footers out).
  const std::optional<std::string> html = wpd2html(target);
  ASSERT_TRUE(html.has_value()) << name << ": wpd2html cannot read it";
  const struct {
    std::uint8_t on, off;
    const char* style;
  } attributes[] = {{BoldOn, BoldOff, "font-weight: bold"},
                    {ItalicOn, ItalicOff, "font-style: italic"},
                    {UnderlineOn, UnderlineOff, "text-decoration: underline"}};
  for (const auto& a : attributes) {
    std::FILE* in = fmemopen(const_cast<char*>(stream.data()), stream.size(), "rb");
    ASSERT_NE(in, nullptr);
    FilePtr guard(in);
    StreamItem item;
    bool on = false, shown = false, running_head = false;
    while (!shown && read_stream_item(in, item)) {
      if (item.is_code(a.on)) on = true;
      if (item.is_code(a.off)) on = false;
      if (item.kind == StreamItem::Kind::Code && (is_header_code(item.value) || is_footer_code(item.value)))
        running_head = true;
      if (item.is_code(EndOfText)) running_head = false;
      shown = on && !running_head && item.kind == StreamItem::Kind::Byte && item.value > ' ' && item.value < 127;
    }
    if (shown) {
      EXPECT_NE(html->find(a.style), std::string::npos) << name << ": no " << a.style;
    }
  }
}

}  // namespace lettrix::testing
