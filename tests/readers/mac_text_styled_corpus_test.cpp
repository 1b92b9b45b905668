// The real styled text files (MacBinary forms that keep the resource fork):
// each character as LibreOffice lays out the RTF made of them has the size,
// bold, italic and underline of the style run that holds its byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "builders/styled_text_builder.h"
#include "builders/wrapper_builder.h"
#include "core/source_view.h"
#include "readers/mac_text_styles.h"
#include "readers/text_only.h"
#include "test_util.h"
#include "writers/fodt_reader.h"
#include "writers/rtf.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

constexpr int kDefaultPoints = 10;  // the stream's size before any run sets one

struct Styled {
  fs::path source;
  std::string text;
  MacTextLook look;
};

// Converts a wrapped styled text to RTF in dir; false (with a failure) when
// it has no style runs or cannot be converted.
bool to_rtf(const fs::path& source, const testing::ScratchDir& dir, std::vector<Styled>& styled) {
  SourceFile file;
  std::string error;
  if (open_source(source.string(), file, error) != SourceOpen::Ok || !file.resource.present()) return false;
  SourceView fork(file.resource), data(file.data);
  Damage damage;
  MacTextLook look = read_mac_text_look(fork, data.size(), damage);
  EXPECT_FALSE(damage.found()) << source << ": " << damage.reason;
  if (look.runs.empty()) return false;
  std::string text(data.size(), '\0');
  EXPECT_TRUE(data.read(0, reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
  const std::string name = source.stem().string();
  EXPECT_EQ(orig_text_only(source.string().c_str(), dir.file(name + ".stream").c_str()), 0) << name;
  EXPECT_EQ(dest_rtf_ansi(dir.file(name + ".stream").c_str(), dir.file(name + ".rtf").c_str()), 0) << name;
  styled.push_back({source, text, std::move(look)});
  return true;
}

// LibreOffice's reading of the RTF of each text against its runs: the
// characters that agree, and all of them.
std::pair<long, long> agreement(const std::vector<Styled>& styled, const testing::ScratchDir& dir) {
  std::vector<fs::path> rtfs;
  for (const Styled& s : styled) rtfs.push_back(dir.file(s.source.stem().string() + ".rtf"));
  EXPECT_TRUE(testing::libreoffice_convert(rtfs, "fodt", dir.path()));
  long agreeing = 0, total = 0;
  for (const Styled& s : styled) {
    testing::FodtDocument doc;
    EXPECT_TRUE(testing::read_fodt(dir.path() / (s.source.stem().string() + ".fodt"), doc)) << s.source;
    // The bytes that are characters of the page, each with its run.
    std::size_t at = 0, run = 0;
    for (std::size_t i = 0; i < s.text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(s.text[i]);
      if (c < 0x20 && c != '\t') continue;  // paragraph ends and control bytes
      while (run + 1 < s.look.runs.size() && s.look.runs[run + 1].start <= i) ++run;
      const TextStyleRun& r = s.look.runs[run];
      if (at >= doc.chars.size()) {
        ADD_FAILURE() << s.source << ": LibreOffice shows fewer characters";
        break;
      }
      const testing::FodtChar& ch = doc.chars[at++];
      const double points = r.size > 0 ? r.size : kDefaultPoints;
      const bool agree = ch.points == points && ch.bold == ((r.face & 1) != 0) &&
                         ch.italic == ((r.face & 2) != 0) && ch.underline == ((r.face & 4) != 0);
      EXPECT_TRUE(agree) << s.source.filename() << " byte " << i << " '" << ch.text << "': " << ch.points << "pt bold "
                         << ch.bold << " italic " << ch.italic << " underline " << ch.underline << ", run face "
                         << int(r.face) << " size " << r.size;
      agreeing += agree;
      ++total;
    }
    EXPECT_EQ(at, doc.chars.size()) << s.source << ": LibreOffice shows more characters";
  }
  return {agreeing, total};
}

TEST(MacTextStyledCorpus, EveryCharacterHasItsRunsLook) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / "mac-text")) GTEST_SKIP() << "no corpus";
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  std::vector<Styled> styled;
  for (const auto& entry : fs::directory_iterator(corpus / "mac-text"))
    if (entry.path().extension() == ".bin") to_rtf(entry.path(), dir, styled);
  if (styled.empty()) GTEST_SKIP() << "no styled text in the corpus";
  const auto [agreeing, total] = agreement(styled, dir);
  std::printf("styled corpus: %zu files, %ld of %ld characters agree with their runs\n", styled.size(), agreeing,
              total);
}

// The same check on a text of many runs: every face bit, sizes from 9 to
// 24 points, runs inside words.
TEST(MacTextStyledCorpus, ManyRunsSurviveLibreOffice) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  const std::string text = "Plain Bold Ital Under Out Shad\rBig\tsmall midWORDend all\r";
  std::vector<build::StyleRunSpec> runs;
  const std::uint8_t faces[] = {0, 1, 2, 4, 8, 16, 0, 0, 7, 3, 0, 5, 31};
  const std::int16_t sizes[] = {12, 12, 12, 12, 12, 12, 24, 9, 10, 14, 18, 10, 11};
  const std::uint32_t starts[] = {0, 6, 11, 16, 22, 26, 31, 35, 44, 48, 51, 52, 54};
  for (std::size_t i = 0; i < std::size(starts); ++i)
    runs.push_back({starts[i], static_cast<std::int16_t>(i % 2 ? 20 : 3), faces[i], sizes[i]});
  const build::MacFile file{.name = "Styled", .type = "TEXT", .creator = "ttxt",
                            .resource_fork = build::resource_fork({{"styl", 128, build::style_scrap(runs)}})};
  testing::write_file(dir.file("styled.bin"), build::macbinary_ii(text, file));
  std::vector<Styled> styled;
  ASSERT_TRUE(to_rtf(dir.file("styled.bin"), dir, styled));
  const auto [agreeing, total] = agreement(styled, dir);
  EXPECT_EQ(total, 54);
  std::printf("styled builder text: %ld of %ld characters agree with their runs\n", agreeing, total);
}

}  // namespace
}  // namespace lettrix
