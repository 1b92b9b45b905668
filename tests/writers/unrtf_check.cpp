#include "writers/unrtf_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "test_util.h"
#include "writers/picture_png.h"

namespace lettrix::testing {

namespace {

using Kind = TextPattern::Kind;

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

void add(TextPattern& p, Kind kind, char c = 0) {
  if (kind == Kind::Space && (p.elements.empty() || p.elements.back().kind == Kind::Space)) return;
  p.elements.push_back({kind, c});
}

std::string describe(const TextPattern& p, std::size_t from, std::size_t count) {
  std::string s;
  for (std::size_t i = from; i < p.elements.size() && i < from + count; ++i) {
    switch (p.elements[i].kind) {
      case Kind::Char: s += p.elements[i].c; break;
      case Kind::Space: s += ' '; break;
      case Kind::AnyChar: s += '?'; break;
      case Kind::Gap: s += "..."; break;
    }
  }
  return s;
}

}  // namespace

bool unrtf_available() {
  static const bool available = std::system("unrtf --version >/dev/null 2>&1") == 0;
  return available;
}

std::optional<std::string> unrtf_text(const std::string& rtf_path) {
  // --nopict: pictures are not written out as files beside the test.
  const std::string command = "unrtf --nopict --text '" + rtf_path + "' 2>/dev/null";
  const std::optional<std::string> output = command_output(command);
  if (!output) return std::nullopt;
  const std::string& out = *output;
  const std::string banner_end = "-----------------\n";
  std::size_t body = out.find(banner_end);
  if (body == std::string::npos) return std::nullopt;
  return out.substr(body + banner_end.size());
}

TextPattern expected_text(const std::string& stream) {
  TextPattern p;
  std::FILE* in = fmemopen(const_cast<char*>(stream.data()), stream.size(), "rb");
  if (!in) return p;
  FilePtr guard(in);
  StreamItem item;
  bool in_header_or_footer = false;
  while (read_stream_item(in, item)) {
    if (item.kind == StreamItem::Kind::Code) {
      if (is_header_code(item.value) || is_footer_code(item.value)) in_header_or_footer = true;
      if (item.value == EndOfText) in_header_or_footer = false;
      if (in_header_or_footer) continue;
      if (item.value == TableChar && item.op1 >= 1 && item.op1 <= 14) add(p, Kind::AnyChar);
      if (item.value == HardSpace) add(p, Kind::AnyChar);  // unrtf shows it as a blank or not at all
      if (item.value == UnicodeChar) add(p, Kind::AnyChar);  // \uN: the character or its stand-in
      if (item.value == Backslash) add(p, Kind::Char, '\\');
      if (item.value == Picture && item.op1 >= 1 && item.op1 <= 3) {
        // unrtf --nopict prints a notice in the picture's place, with the
        // size of the PNG drawn of a Macintosh picture where there is one.
        int width = picture_width(item), height = picture_height(item);
        RenderedPicture png;
        if (picture_png(item, 1, png)) {
          width = png.width_px;
          height = png.height_px;
        }
        const std::string notice = "### picture data found, picture dimensions are " + std::to_string(width) + " by " +
                                   std::to_string(height) + ", depth 1";
        for (char c : notice) add(p, c == ' ' ? Kind::Space : Kind::Char, c);
        add(p, Kind::Space);
      }
      continue;
    }
    if (in_header_or_footer) continue;
    const std::uint8_t b = item.value;
    if (b == kTab || b == kLineBreak || b == kParagraphEnd || b == ' ')
      add(p, Kind::Space);
    else if (b == 127)
      add(p, Kind::Char, '_');
    else if (b > ' ' && b < 127)
      add(p, Kind::Char, static_cast<char>(b));
    else if (b != kPageBreak)
      add(p, Kind::AnyChar);
  }
  while (!p.elements.empty() && p.elements.back().kind == Kind::Space) p.elements.pop_back();
  if (!p.elements.empty() && p.elements.front().kind == Kind::Space) p.elements.erase(p.elements.begin());
  return p;
}

// Follows every way the pattern can match at once: the set of text positions
// reached after each element.
std::string mismatch(const TextPattern& pattern, const std::string& raw) {
  std::size_t first = 0, last = raw.size();
  while (first < last && is_space(raw[first])) ++first;
  while (last > first && is_space(raw[last - 1])) --last;
  const std::string text = raw.substr(first, last - first);
  const std::size_t n = text.size();

  std::vector<std::size_t> at{0}, next;
  std::size_t furthest = 0;
  for (std::size_t e = 0; e < pattern.elements.size(); ++e) {
    const TextPattern::Element& el = pattern.elements[e];
    next.clear();
    for (std::size_t p : at) {
      switch (el.kind) {
        case Kind::Char:
          if (p < n && text[p] == el.c) next.push_back(p + 1);
          break;
        case Kind::AnyChar:
          next.push_back(p);
          if (p < n) next.push_back(p + 1);
          break;
        case Kind::Space:
          for (std::size_t q = p; q < n && is_space(text[q]); ++q) next.push_back(q + 1);
          break;
        case Kind::Gap:
          for (std::size_t q = p; q <= n; ++q) next.push_back(q);
          break;
      }
    }
    std::sort(next.begin(), next.end());
    next.erase(std::unique(next.begin(), next.end()), next.end());
    if (next.empty()) {
      std::size_t from = e > 40 ? e - 40 : 0;
      return "expected \"" + describe(pattern, from, e - from) + "[" + describe(pattern, e, 40) + "\"\n   found \"" +
             text.substr(furthest > 40 ? furthest - 40 : 0, std::min<std::size_t>(furthest, 40)) + "[" +
             text.substr(furthest, 40) + "\"";
    }
    furthest = next.back();
    at.swap(next);
  }
  if (std::find(at.begin(), at.end(), n) == at.end())
    return "text goes on after the document's end: \"" + text.substr(at.back(), 80) + "\"";
  return {};
}

void expect_unrtf_reads_document(int source_row, const std::string& source_path) {
  if (!unrtf_available()) GTEST_SKIP() << "unrtf is not installed";
  const std::string source = read_file(source_path);
  const std::string name = std::filesystem::path(source_path).filename().string();
  const Handler reader = source_formats.rows[source_row].reader;
  ASSERT_NE(reader, nullptr);
  for (int target : {DstRtfAscii, DstRtfAnsi}) {
    ScratchDir dir(true);
    write_file("doc", source);
    ASSERT_EQ(reader("doc", "stream"), 0) << name;
    const std::string stream = read_file("stream");
    init_path_buffers();
    choose_formats(source_row, target);
    ConversionResult r = convert_file("doc");
    ASSERT_TRUE(r.ok()) << name << ": " << r.message();
    std::optional<std::string> text = unrtf_text(dir.file(r.target));
    ASSERT_TRUE(text.has_value()) << name << ": unrtf cannot read " << target_formats.rows[target].name;
    EXPECT_EQ(mismatch(expected_text(stream), *text), "") << name << " as " << target_formats.rows[target].name;
  }
}

}  // namespace lettrix::testing
