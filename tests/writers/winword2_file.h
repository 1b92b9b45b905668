// A strict reading of the Word for Windows 2 documents that our writer
// produces, for tests and the fuzz target: the information block, the text,
// the property runs with their records and the tables, each checked against
// the file's bounds and against each other. Header-only, so that the fuzz
// target can use it as well.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lettrix::testing {

struct Ww2Run {
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  std::vector<std::uint8_t> record;  // length or word count byte included; empty: default
};

struct Ww2Table {
  std::uint32_t position = 0;
  std::uint32_t length = 0;
};

struct Ww2File {
  std::string bytes;
  std::string error;  // empty when the file is sound
  std::uint32_t text_limit = 0;
  std::uint32_t main_length = 0, footnote_length = 0, header_length = 0;
  std::vector<Ww2Run> char_runs, para_runs;
  Ww2Table style_sheet, note_refs, note_texts, note_pages, sections, pages, headers, char_bins, para_bins, fonts;

  std::uint32_t u16(std::size_t at) const {
    if (at + 2 > bytes.size()) return 0;
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
  }
  std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
  std::string table(const Ww2Table& t) const { return bytes.substr(t.position, t.length); }
  // The text between offset 384 and the text limit.
  std::string text() const { return bytes.substr(384, text_limit - 384); }
  // The record of the run holding the byte at a file offset, or nothing.
  const Ww2Run* run_at(const std::vector<Ww2Run>& runs, std::uint32_t offset) const {
    for (const Ww2Run& r : runs)
      if (r.start <= offset && offset < r.end) return &r;
    return nullptr;
  }
  // The character and paragraph run of the first occurrence of a text.
  const Ww2Run* char_run_of(const std::string& s) const { return run_at(char_runs, offset_of(s)); }
  const Ww2Run* para_run_of(const std::string& s) const { return run_at(para_runs, offset_of(s)); }
  std::uint32_t offset_of(const std::string& s) const {
    const std::size_t at = text().find(s);
    return at == std::string::npos ? 0 : static_cast<std::uint32_t>(at + 384);
  }
};

namespace ww2_detail {

inline bool read_pages(Ww2File& f, std::uint32_t first_page, std::uint32_t count, bool paragraphs,
                       std::vector<Ww2Run>& runs, const Ww2Table& bins) {
  const std::string kind = paragraphs ? "paragraph" : "character";
  if (bins.length != 6 * count + 4) {
    f.error = kind + " bin table length " + std::to_string(bins.length) + " for " + std::to_string(count) + " pages";
    return false;
  }
  std::uint32_t expected_start = 384;
  for (std::uint32_t p = 0; p < count; ++p) {
    const std::size_t at = static_cast<std::size_t>(first_page + p) * 512;
    if (at + 512 > f.bytes.size()) {
      f.error = kind + " page beyond the file";
      return false;
    }
    if (f.u32(bins.position + 4 * p) != f.u32(at) || f.u16(bins.position + 4 * (count + 1) + 2 * p) != first_page + p) {
      f.error = kind + " bin table does not match page " + std::to_string(p);
      return false;
    }
    const int n = static_cast<std::uint8_t>(f.bytes[at + 511]);
    if (n < 1 || n > 48) {
      f.error = kind + " page with " + std::to_string(n) + " runs";
      return false;
    }
    if (f.u32(at) != expected_start) {
      f.error = kind + " page " + std::to_string(p) + " does not start where the last ended";
      return false;
    }
    for (int i = 0; i < n; ++i) {
      Ww2Run r;
      r.start = f.u32(at + 4 * i);
      r.end = f.u32(at + 4 * (i + 1));
      if (r.end <= r.start) {
        f.error = kind + " run " + std::to_string(i) + " of page " + std::to_string(p) + " is empty or backwards";
        return false;
      }
      const std::size_t offset = 2 * static_cast<std::uint8_t>(f.bytes[at + 4 * (n + 1) + i]);
      if (offset != 0) {
        if (offset < 5 * static_cast<std::size_t>(n) + 4 || offset >= 511) {
          f.error = kind + " record inside the run index";
          return false;
        }
        const std::size_t length =
            1 + (paragraphs ? 2 : 1) * static_cast<std::size_t>(static_cast<std::uint8_t>(f.bytes[at + offset]));
        if (offset + length > 511) {
          f.error = kind + " record past the page end";
          return false;
        }
        r.record.assign(f.bytes.begin() + static_cast<long>(at + offset),
                        f.bytes.begin() + static_cast<long>(at + offset + length));
      }
      runs.push_back(r);
    }
    expected_start = runs.back().end;
  }
  if (f.u32(bins.position + 4 * count) != f.text_limit) {
    f.error = kind + " bin table does not end at the text limit";
    return false;
  }
  return true;
}

}  // namespace ww2_detail

inline Ww2File read_ww2(const std::string& bytes) {
  Ww2File f;
  f.bytes = bytes;
  auto fail = [&](const std::string& why) {
    f.error = why;
    return f;
  };
  if (bytes.size() < 384 + 512) return fail("shorter than an information block and a page");
  if (f.u16(0) != 0xA5DB || f.u16(2) != 45) return fail("not a Word for Windows 2 information block");
  if (f.u32(0x20) != bytes.size()) return fail("file length field " + std::to_string(f.u32(0x20)));
  f.text_limit = f.u32(0x1C);
  if (f.u32(0x18) != 384 || f.text_limit < 386 || f.text_limit > bytes.size()) return fail("text limit out of the file");
  f.main_length = f.u32(0x34);
  f.footnote_length = f.u32(0x38);
  f.header_length = f.u32(0x3C);
  if (static_cast<std::uint64_t>(f.main_length) + f.footnote_length + f.header_length + 384 + 2 != f.text_limit)
    return fail("text lengths do not add up to the text limit");
  if (bytes.substr(f.text_limit - 2, 2) != "\r\n") return fail("the text does not end with a paragraph mark");
  auto table = [&](std::size_t field, Ww2Table& t) {
    t.position = f.u32(field);
    t.length = f.u16(field + 4);
    return static_cast<std::uint64_t>(t.position) + t.length <= bytes.size();
  };
  const std::pair<std::size_t, Ww2Table*> tables[] = {
      {0x58, &f.style_sheet}, {0x64, &f.note_refs},  {0x6A, &f.note_texts}, {0x124, &f.note_pages},
      {0x7C, &f.sections},    {0x82, &f.pages},      {0x9A, &f.headers},    {0xA0, &f.char_bins},
      {0xA6, &f.para_bins},   {0xB2, &f.fonts}};
  for (const auto& [field, t] : tables)
    if (!table(field, *t)) return fail("table at " + std::to_string(field) + " beyond the file");
  if (f.sections.length != 14 || f.u32(f.sections.position + 10) != f.text_limit) return fail("section table");
  if (f.u32(f.sections.position + 4) != f.text_limit - 384) return fail("section table text length");
  const std::uint32_t first_char = f.u16(0x13E), first_para = f.u16(0x140);
  const std::uint32_t char_count = f.u16(0x142), para_count = f.u16(0x144);
  if (static_cast<std::uint64_t>(first_char) * 512 < f.text_limit) return fail("character pages overlap the text");
  if (first_para != first_char + char_count) return fail("paragraph pages do not follow the character pages");
  if (!ww2_detail::read_pages(f, first_char, char_count, false, f.char_runs, f.char_bins)) return f;
  if (!ww2_detail::read_pages(f, first_para, para_count, true, f.para_runs, f.para_bins)) return f;
  if (f.para_runs.back().end != f.text_limit) return fail("paragraph runs do not reach the text limit");
  if (f.char_runs.back().end <= f.text_limit) return fail("no character run covers the section record");
  // Footnotes: references in the main text, each at a mark byte 2.
  const std::uint32_t notes = f.note_refs.length == 0 ? 0 : (f.note_refs.length - 4) / 6;
  if (f.note_refs.length != (notes ? 6 * notes + 4 : 0) || f.note_texts.length != (notes ? 4 * notes + 8 : 0))
    return fail("footnote table lengths");
  for (std::uint32_t i = 0; i < notes; ++i) {
    const std::uint32_t ref = f.u32(f.note_refs.position + 4 * i);
    const std::uint32_t own = f.u32(f.note_texts.position + 4 * i);
    if (ref >= f.main_length || bytes[384 + ref] != '\x02') return fail("footnote reference not at a mark");
    if (own >= f.footnote_length || bytes[384 + f.main_length + own] != '\x02') return fail("footnote text not at a mark");
  }
  if (f.headers.length != 0 && f.headers.length != 16) return fail("header table length");
  return f;
}

}  // namespace lettrix::testing
