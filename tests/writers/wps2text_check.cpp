#include "writers/wps2text_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix::testing {

namespace {

using Kind = TextPattern::Kind;

void add(TextPattern& p, Kind kind, char c = 0) {
  if (kind == Kind::Space && (p.elements.empty() || p.elements.back().kind == Kind::Space)) return;
  p.elements.push_back({kind, c});
}

void add_text(TextPattern& p, const std::string& s) {
  for (char c : s) add(p, Kind::Char, c);
}

// A character wps2text writes as UTF-8, or perhaps not at all.
void add_any(TextPattern& p) {
  for (int i = 0; i < 4; ++i) add(p, Kind::AnyChar);
}

void append(TextPattern& to, const TextPattern& from) {
  for (const auto& e : from.elements) add(to, e.kind, e.c);
}

}  // namespace

bool wps2text_available() {
  static const bool available = std::system("command -v wps2text >/dev/null 2>&1") == 0;
  return available;
}

std::optional<std::string> wps2text_text(const std::string& doc_path) {
  const std::string command = "wps2text '" + doc_path + "' 2>/dev/null";
  return command_output(command);
}

TextPattern word_dos_text(const std::string& stream) {
  TextPattern body;
  std::vector<TextPattern> pending;  // notes printed after the paragraph of their reference
  TextPattern note;
  bool in_note = false, in_head = false, after_soft_hyphen = false;
  int notes = 0, previous = -1;
  std::FILE* in = fmemopen(const_cast<char*>(stream.data()), stream.size(), "rb");
  if (!in) return body;
  FilePtr guard(in);
  auto flush_notes = [&] {
    for (const TextPattern& n : pending) {
      add(body, Kind::Space);
      append(body, n);
      add(body, Kind::Space);
    }
    pending.clear();
  };
  StreamItem item;
  while (read_stream_item(in, item)) {
    TextPattern& out = in_note ? note : body;
    const bool soft_hyphen_before = after_soft_hyphen;
    after_soft_hyphen = false;
    if (item.kind == StreamItem::Kind::Code) {
      const std::uint8_t c = item.value;
      if ((is_header_code(c) || is_footer_code(c)) && !in_note && !in_head) {
        add(body, Kind::Space);
        in_head = true;
      } else if (c == NoteCall && !in_note && !in_head) {
        std::string mark(1, '[');
        mark += std::to_string(++notes);
        mark += ']';
        add_text(body, mark);
        note = TextPattern();
        add_text(note, mark);
        add(note, Kind::Space);
        in_note = true;
      } else if (c == EndOfText && in_note) {
        pending.push_back(note);
        in_note = false;
      } else if (c == EndOfText && in_head) {
        add(body, Kind::Space);
        in_head = false;
      } else if (c == TableChar) {
        if (item.op1 >= 1 && item.op1 <= 14) add_any(out);
      } else if (c == HardSpace || c == PageNumber || c == Backspace || c == FieldOpen || c == FieldClose) {
        add_any(out);
      } else if (c == SoftHyphen) {
        add_any(out);
        after_soft_hyphen = true;
      } else if (c == Backslash) {
        add(out, Kind::Char, '\\');
      }
      previous = -1;
      continue;
    }
    const std::uint8_t b = item.value;
    if (b == kLineBreak) {
      if (!soft_hyphen_before && previous != '-' && previous != 0x1A) add(out, Kind::Space);
    } else if (b == kTab || b == ' ') {
      add(out, Kind::Space);
    } else if (b == kParagraphEnd || b == kPageBreak) {
      add(out, Kind::Space);
      if (!in_note && !in_head) flush_notes();
    } else if (b > ' ' && b < 127) {
      add(out, Kind::Char, static_cast<char>(b));
    } else {
      add_any(out);
    }
    previous = b;
  }
  if (in_note) pending.push_back(note);
  flush_notes();
  while (!body.elements.empty() && body.elements.back().kind == Kind::Space) body.elements.pop_back();
  if (!body.elements.empty() && body.elements.front().kind == Kind::Space) body.elements.erase(body.elements.begin());
  return body;
}

void expect_wps2text_reads_document(int source_row, const std::string& source_path) {
  if (!wps2text_available()) GTEST_SKIP() << "wps2text is not installed";
  const std::string name = std::filesystem::path(source_path).filename().string();
  const Handler reader = source_formats.rows[source_row].reader;
  ASSERT_NE(reader, nullptr);
  ScratchDir dir(true);
  write_file("doc", read_file(source_path));
  ASSERT_EQ(reader("doc", "stream"), 0) << name;
  const std::string stream = read_file("stream");
  init_path_buffers();
  choose_formats(source_row, DstWordDos);
  ConversionResult r = convert_file("doc");
  ASSERT_TRUE(r.ok()) << name << ": " << r.message();
  std::optional<std::string> text = wps2text_text(dir.file(r.target));
  ASSERT_TRUE(text.has_value()) << name << ": wps2text cannot read the document";
  EXPECT_EQ(mismatch(word_dos_text(stream), *text), "") << name;
}

}  // namespace lettrix::testing
