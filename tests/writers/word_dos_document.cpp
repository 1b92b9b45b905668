#include "writers/word_dos_document.h"

#include "test_util.h"
#include "writers/word_dos.h"

namespace lettrix::testing {

namespace {

std::uint32_t u16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}

std::uint32_t u32(const std::string& b, std::size_t at) { return u16(b, at) | (u16(b, at + 2) << 16); }

// Reads the property pages from first_page up to end_page; runs must follow
// each other from offset 128 on.
void read_pages(const std::string& b, unsigned first_page, unsigned end_page, std::vector<DosRun>& runs,
                std::vector<int>& per_page, std::string& error, const char* what) {
  std::uint32_t expected_start = 128;
  for (unsigned page = first_page; page < end_page; ++page) {
    const std::size_t base = static_cast<std::size_t>(page) * 128;
    if (base + 128 > b.size()) {
      error += std::string(what) + " page beyond the end of the file; ";
      return;
    }
    if (u32(b, base) != expected_start) error += std::string(what) + " page does not start at the last limit; ";
    const int count = static_cast<std::uint8_t>(b[base + 127]);
    per_page.push_back(count);
    std::uint32_t start = u32(b, base);
    for (int i = 0; i < count; ++i) {
      const std::size_t entry = base + 4 + 6 * static_cast<std::size_t>(i);
      if (entry + 6 > base + 127) {
        error += std::string(what) + " entries overrun the page; ";
        return;
      }
      DosRun run;
      run.start = start;
      run.end = u32(b, entry);
      const std::uint32_t pointer = u16(b, entry + 4);
      if (run.end < run.start) error += std::string(what) + " run ends before it starts; ";
      if (pointer == 0xFFFF) {
        run.is_default = true;
      } else {
        const std::size_t at = base + 4 + pointer;
        const std::size_t length = at < base + 127 ? static_cast<std::uint8_t>(b[at]) : 0;
        if (at >= base + 127 || at + length >= base + 127 || at < entry + 6)
          error += std::string(what) + " record outside the free part of the page; ";
        else
          run.record.assign(b.begin() + static_cast<long>(at) + 1, b.begin() + static_cast<long>(at + 1 + length));
      }
      runs.push_back(run);
      start = run.end;
    }
    expected_start = start;
  }
}

const DosRun* run_at(const std::vector<DosRun>& runs, std::uint32_t offset) {
  for (const DosRun& r : runs)
    if (offset >= r.start && offset < r.end) return &r;
  return nullptr;
}

}  // namespace

const DosRun* DosDocument::char_at(std::uint32_t offset) const { return run_at(chars, offset); }
const DosRun* DosDocument::para_at(std::uint32_t offset) const { return run_at(paras, offset); }

std::uint32_t DosDocument::offset_of(const std::string& s) const {
  const std::size_t at = text.find(s);
  return at == std::string::npos ? 0 : static_cast<std::uint32_t>(128 + at);
}

DosDocument read_dos_document(const std::string& b) {
  DosDocument d;
  if (b.size() < 256 || b.size() % 128 != 0) {
    d.error = "not a whole number of pages, or too short";
    return d;
  }
  if (u16(b, 0) != 0xBE31 || u16(b, 4) != 0xAB00 || u16(b, 0x7E) != 437 ||
      b.compare(0x1E, 11, std::string("NORMAL.STY\0", 11)) != 0)
    d.error += "header identifier, code page or style sheet wrong; ";
  d.text_limit = u32(b, 0x0E);
  d.paragraph_page = u16(b, 0x12);
  d.footnote_page = u16(b, 0x14);
  d.end_page = u16(b, 0x16);
  if (u16(b, 0x18) != d.end_page || u16(b, 0x1A) != d.end_page || u16(b, 0x1C) != d.end_page)
    d.error += "end page copies differ; ";
  if (static_cast<std::size_t>(d.end_page) * 128 != b.size()) d.error += "end page is not the file's end; ";
  if (d.text_limit < 128 || d.text_limit > b.size()) {
    d.error += "text limit outside the file; ";
    return d;
  }
  d.text = b.substr(128, d.text_limit - 128);
  const unsigned first_char_page = d.text_limit / 128 + 1;
  for (std::size_t i = d.text_limit; i < static_cast<std::size_t>(first_char_page) * 128 && i < b.size(); ++i)
    if (b[i] != 0) d.error += "padding not zero; ";
  if (d.paragraph_page < first_char_page || d.footnote_page < d.paragraph_page || d.end_page < d.footnote_page) {
    d.error += "page numbers out of order; ";
    return d;
  }
  read_pages(b, first_char_page, d.paragraph_page, d.chars, d.char_page_runs, d.error, "character");
  read_pages(b, d.paragraph_page, d.footnote_page, d.paras, d.para_page_runs, d.error, "paragraph");
  if (d.chars.empty() ? d.text_limit != 128 : d.chars.back().end != d.text_limit)
    d.error += "character runs do not end at the text limit; ";
  if (d.footnote_page < d.end_page) {
    const std::size_t base = static_cast<std::size_t>(d.footnote_page) * 128;
    d.note_count = u16(b, base);
    if (u16(b, base + 2) != d.note_count) d.error += "footnote counts differ; ";
    for (unsigned i = 0; i < d.note_count && base + 4 + 8 * (i + 1) <= b.size(); ++i)
      d.notes.emplace_back(u32(b, base + 4 + 8 * i), u32(b, base + 8 + 8 * i));
    if (d.notes.size() != d.note_count) d.error += "footnote table cut short; ";
  }
  return d;
}

int word_dos_of(const std::string& stream, std::string& target) {
  ScratchDir dir;
  write_file(dir.file("s"), stream);
  const int rc = dest_word_dos(dir.file("s").c_str(), dir.file("t.doc").c_str());
  target = exists(dir.file("t.doc")) ? read_file(dir.file("t.doc")) : std::string();
  return rc;
}

}  // namespace lettrix::testing
