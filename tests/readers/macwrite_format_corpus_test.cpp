// The formatting of the real MacWrite documents as their streams carry it:
// per document the share of letters at the commonest size, the paragraphs
// justified, centred and indented, the page breaks, pictures and running
// heads. The figures were compared with an independent reading of the
// documents (sizes, alignment, indents, headers and footers agree with it).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/stream_reader.h"
#include "readers/macwrite_22.h"
#include "readers/macwrite_46.h"
#include "readers/macwrite_test_support.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

struct Figures {
  int common_size = 0;    // points
  int common_share = 0;   // percent of the body's letters and digits at that size, rounded down
  int justified = 0, centred = 0, indented = 0;  // body paragraphs with visible characters
  int page_breaks = 0, pictures = 0;
  std::string heads;      // the letters and digits of the header and footer texts
  bool operator==(const Figures&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Figures& f) {
  return os << f.common_size << " pt " << f.common_share << "%, justified " << f.justified << ", centred "
            << f.centred << ", indented " << f.indented << ", page breaks " << f.page_breaks << ", pictures "
            << f.pictures << ", heads \"" << f.heads << "\"";
}

bool alnum(std::uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

Figures figures_of(const std::string& stream) {
  Figures f;
  const auto memory = testing::memory_stream(stream);
  std::FILE* in = memory.get();
  if (!in) return f;
  std::map<int, long> sizes;
  long letters = 0;
  int points = 10, left = 0, hanging = 0;
  bool centre = false, justify = false, in_head = false, has_text = false;
  StreamItem item;
  auto end_paragraph = [&] {
    if (has_text) {
      f.justified += justify;
      f.centred += centre;
      f.indented += (left + hanging) != 0;
    }
    has_text = false;
  };
  while (read_stream_item(in, item)) {
    if (item.kind == StreamItem::Kind::Byte) {
      const std::uint8_t b = item.value;
      if (in_head) {
        if (alnum(b)) f.heads += static_cast<char>(b);
      } else if (b == kParagraphEnd) {
        end_paragraph();
      } else if (b == kPageBreak) {
        ++f.page_breaks;
      } else if (b > ' ') {
        has_text = true;
        if (alnum(b)) {
          ++sizes[points];
          ++letters;
        }
      }
      continue;
    }
    switch (item.value) {
      case FontSize: points = (256 - item.op2) % 256; break;
      case CenterOn: centre = true; break;
      case CenterOff: centre = false; break;
      case JustifyOn: justify = true; break;
      case JustifyOff: justify = false; break;
      case LeftMargin: left = item.op2; break;
      case IndentHere: hanging = item.op2; break;
      case IndentReset: hanging = 0; break;
      case HeaderAll: case FooterAll: in_head = true; break;
      case EndOfText: in_head = false; break;
      case Picture: f.pictures += !in_head; break;
      case TableChar: case Backslash: has_text = has_text || !in_head; break;
      default: break;
    }
  }
  for (const auto& [size, count] : sizes) {
    if (count * 100 / letters > f.common_share) {
      f.common_size = size;
      f.common_share = static_cast<int>(count * 100 / letters);
    }
  }
  return f;
}

TEST(MacWriteFormatCorpus, RealDocumentsKeepTheirFormatting) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / "macwrite-4.6")) GTEST_SKIP() << "no corpus";
  // Page breaks: the pictures framed "MAGICPIC" (arashi_*, outofphase; the
  // one that ends each arashi document is left out) and the pages the
  // document was laid out on (pict_help, ars_magna_info).
  const std::map<std::string, Figures> expected = {
      {"macwrite-4.6/arashi_basic_concepts", {12, 86, 90, 3, 99, 5, 11, "ProjectSTORMPageof7BasicConcepts"}},
      {"macwrite-4.6/arashi_guidelines", {12, 95, 55, 4, 63, 4, 10, "ProjectSTORMPageof6Guidelines"}},
      {"macwrite-4.6/arashi_instructions", {12, 92, 36, 3, 39, 2, 9, "ProjectSTORMPageof3STORMInstructions"}},
      {"macwrite-4.6/arashi_sound_kit", {12, 95, 78, 5, 85, 6, 11, "ProjectSTORMPageof7STORMSoundKit"}},
      {"macwrite-4.6/arashi_vectorkit", {12, 85, 138, 4, 147, 3, 11, "ProjectSTORMPageof8VectorAnimationToolkit"}},
      {"macwrite-4.6/memwatch_advanced", {12, 98, 0, 0, 24, 0, 0, ""}},
      {"macwrite-4.6/memwatch_basic_install", {12, 98, 0, 3, 135, 0, 0, ""}},
      {"macwrite-4.6/outofphase_appendices", {10, 99, 0, 3, 222, 2, 0, "PageA"}},
      {"macwrite-4.6/pict_help", {12, 99, 0, 0, 79, 4, 1, ""}},  // headings under centred rulers, own alignment left
      {"macwrite-2.2/ars_magna_info", {12, 85, 0, 0, 78, 7, 0, "ArsMagnaversion10p"}},
  };
  for (const auto& [name, want] : expected) {
    const fs::path path = corpus / name;
    if (!fs::exists(path)) continue;
    const testing::ReaderRun run = testing::run_reader(orig_macw46, testing::read_file(path.string()));
    ASSERT_EQ(run.rc, 0) << name;
    EXPECT_EQ(figures_of(run.stream), want) << name;
  }
}

}  // namespace
}  // namespace lettrix
