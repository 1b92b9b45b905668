// The Word for DOS writer on any stream: a document it reports written holds
// together (header, text limit, property pages chained from the text's start
// to its end, footnote table); a failed run leaves nothing behind.
#include <cstdio>
#include <cstdlib>

#include "harness.h"
#include "writers/word_dos.h"

namespace {

void fail(const char* what) {
  std::fprintf(stderr, "word-dos: %s\n", what);
  std::abort();
}

unsigned u16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
unsigned long u32(const std::string& b, std::size_t at) {
  return u16(b, at) | (static_cast<unsigned long>(u16(b, at + 2)) << 16);
}

// Walks the pages from first to end; returns the last limit.
unsigned long check_pages(const std::string& b, unsigned first, unsigned end) {
  unsigned long limit = 128;
  for (unsigned page = first; page < end; ++page) {
    const std::size_t base = static_cast<std::size_t>(page) * 128;
    if (u32(b, base) != limit) fail("a property page does not start where the one before ended");
    const unsigned runs = static_cast<unsigned char>(b[base + 127]);
    if (runs == 0 && page != first) fail("an empty property page after the first");
    if (4 + 6 * runs > 127) fail("run entries overrun the page");
    unsigned lowest_record = 127;
    for (unsigned i = 0; i < runs; ++i) {
      const std::size_t entry = base + 4 + 6 * i;
      const unsigned long end_of_run = u32(b, entry);
      if (end_of_run < limit) fail("a run ends before it starts");
      limit = end_of_run;
      const unsigned pointer = u16(b, entry + 4);
      if (pointer == 0xFFFF) continue;
      const unsigned at = 4 + pointer;
      if (at < 4 + 6 * runs || at >= 127 || at + static_cast<unsigned char>(b[base + at]) >= 127)
        fail("a record lies outside the page's free part");
      if (at < lowest_record) lowest_record = at;
    }
  }
  return limit;
}

void check_document(int result, const std::string& b) {
  if (result != 0) {
    if (!b.empty()) fail("a failed run left output behind");
    return;
  }
  if (b.size() < 384 || b.size() % 128 != 0) fail("not a whole number of pages");
  if (u16(b, 0) != 0xBE31 || u16(b, 0x7E) != 437) fail("header identifier or code page wrong");
  const unsigned long text_limit = u32(b, 0x0E);
  const unsigned paragraph_page = u16(b, 0x12), footnote_page = u16(b, 0x14), end_page = u16(b, 0x16);
  if (text_limit < 130 || text_limit >= b.size()) fail("text limit outside the file or no paragraph");
  if (b[text_limit - 2] != '\r' || b[text_limit - 1] != '\n') fail("the text does not end with a paragraph mark");
  const unsigned first_char_page = static_cast<unsigned>(text_limit / 128 + 1);
  if (static_cast<std::size_t>(end_page) * 128 != b.size()) fail("end page is not the end of the file");
  if (paragraph_page <= first_char_page || footnote_page <= paragraph_page || end_page < footnote_page)
    fail("page numbers out of order");
  if (check_pages(b, first_char_page, paragraph_page) != text_limit) fail("character runs do not reach the text limit");
  if (check_pages(b, paragraph_page, footnote_page) != text_limit + 1) fail("paragraph runs do not end past the text");
  if (footnote_page < end_page) {
    const std::size_t base = static_cast<std::size_t>(footnote_page) * 128;
    const unsigned count = u16(b, base);
    if (count < 2 || u16(b, base + 2) != count) fail("footnote counts wrong");
    if (base + 4 + 8 * static_cast<std::size_t>(count) > b.size()) fail("footnote table cut short");
    const std::size_t closing = base + 4 + 8 * static_cast<std::size_t>(count - 1);
    if (u32(b, closing) != text_limit - 128 || u32(b, closing + 4) != text_limit - 128)
      fail("footnote table does not close at the end of the text");
    for (unsigned i = 0; i + 1 < count; ++i) {
      const std::size_t e = base + 4 + 8 * static_cast<std::size_t>(i);
      if (u32(b, e) >= text_limit - 128 || b[128 + u32(b, e)] != 5 || b[128 + u32(b, e + 4)] != 5)
        fail("a footnote entry does not point at reference marks");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_writer_checked(lettrix::dest_word_dos, data, size, check_document);
  return 0;
}
