// The real styled text files (MacBinary forms that keep the resource fork):
// each character as LibreOffice lays out the RTF made of them has the size,
// bold, italic and underline of the style run that holds its byte.
#include <gtest/gtest.h>

#include <filesystem>

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

TEST(MacTextStyledCorpus, EveryCharacterHasItsRunsLook) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / "mac-text")) GTEST_SKIP() << "no corpus";
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  struct Styled {
    fs::path source;
    std::string text;
    MacTextLook look;
  };
  std::vector<Styled> styled;
  std::vector<fs::path> rtfs;
  for (const auto& entry : fs::directory_iterator(corpus / "mac-text")) {
    if (entry.path().extension() != ".bin") continue;
    SourceFile file;
    std::string error;
    ASSERT_EQ(open_source(entry.path().string(), file, error), SourceOpen::Ok) << error;
    if (!file.resource.present()) continue;
    SourceView fork(file.resource), data(file.data);
    Damage damage;
    MacTextLook look = read_mac_text_look(fork, data.size(), damage);
    EXPECT_FALSE(damage.found()) << entry.path() << ": " << damage.reason;
    if (look.runs.empty()) continue;
    std::string text(data.size(), '\0');
    ASSERT_TRUE(data.read(0, reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    const std::string name = entry.path().stem().string();
    ASSERT_EQ(orig_text_only(entry.path().string().c_str(), dir.file(name + ".stream").c_str()), 0) << name;
    ASSERT_EQ(dest_rtf_ansi(dir.file(name + ".stream").c_str(), dir.file(name + ".rtf").c_str()), 0) << name;
    rtfs.push_back(dir.file(name + ".rtf"));
    styled.push_back({entry.path(), text, std::move(look)});
  }
  if (styled.empty()) GTEST_SKIP() << "no styled text in the corpus";
  ASSERT_TRUE(testing::libreoffice_convert(rtfs, "fodt", dir.path()));

  long agreeing = 0, total = 0;
  for (const Styled& s : styled) {
    testing::FodtDocument doc;
    ASSERT_TRUE(testing::read_fodt(dir.path() / (s.source.stem().string() + ".fodt"), doc)) << s.source;
    // The bytes that are characters of the page, each with its run.
    std::size_t at = 0, run = 0;
    for (std::size_t i = 0; i < s.text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(s.text[i]);
      if (c < 0x20 && c != '\t') continue;  // paragraph ends and control bytes
      while (run + 1 < s.look.runs.size() && s.look.runs[run + 1].start <= i) ++run;
      const TextStyleRun& r = s.look.runs[run];
      ASSERT_LT(at, doc.chars.size()) << s.source << ": LibreOffice shows fewer characters";
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
  std::printf("styled corpus: %zu files, %ld of %ld characters agree with their runs\n", styled.size(), agreeing,
              total);
}

}  // namespace
}  // namespace lettrix
