// A styled text in Japanese, Korean and both Chinese scripts, as LibreOffice
// reads the RTF, OpenDocument and Word documents made of it: every character
// is there.
#include <gtest/gtest.h>

#include <filesystem>

#include "builders/styled_text_builder.h"
#include "builders/wrapper_builder.h"
#include "core/format_registry.h"
#include "readers/text_only.h"
#include "test_util.h"
#include "writers/fodt_reader.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

TEST(OtherScriptsShown, LibreOfficeReadsEveryCharacter) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice is not installed";
  const struct {
    std::string bytes;
    std::int16_t font;
    const char* text;
  } lines[] = {
      {"\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x81\x41\xB6\xC0\xB6\xC5",
       16384, "日本語のテキスト、ｶﾀｶﾅ"},
      {"\xC7\xD1\xB1\xB9\xBE\xEE\x20\xB9\xAE\xBC\xAD", 17408, "한국어 문서"},
      {"\xA4\xA4\xA4\xE5\xA4\xE5\xA5\xF3", 16896, "中文文件"},
      {"\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4", 28672, "简体中文"},
  };
  std::string text;
  std::vector<build::StyleRunSpec> runs;
  for (const auto& line : lines) {
    runs.push_back({.start = static_cast<std::uint32_t>(text.size()), .font = line.font});
    text += line.bytes + "\r";
  }
  testing::ScratchDir dir;
  const build::MacFile file{.name = "Read Me", .type = "TEXT", .creator = "ttxt",
                            .resource_fork = build::resource_fork({{"styl", 128, build::style_scrap(runs)}})};
  testing::write_file(dir.file("doc"), build::macbinary_ii(text, file));
  ASSERT_EQ(orig_text_only(dir.file("doc").c_str(), dir.file("stream").c_str()), 0);
  std::vector<fs::path> made;
  for (const int target : {DstRtfAnsi, DstOdt, DstDocx}) {
    made.push_back(dir.file("doc-" + std::string(target_main_alias(target))));
    ASSERT_EQ(target_formats.rows[target].writer(dir.file("stream").c_str(), made.back().c_str()), 0);
  }
  ASSERT_TRUE(testing::libreoffice_convert(made, "fodt", dir.file("lo")));
  for (const fs::path& doc : made) {
    testing::FodtDocument read;
    ASSERT_TRUE(testing::read_fodt(fs::path(dir.file("lo")) / (doc.stem().string() + ".fodt"), read)) << doc;
    ASSERT_GE(read.paragraphs.size(), std::size(lines)) << doc;
    for (std::size_t i = 0; i < std::size(lines); ++i)
      EXPECT_EQ(read.paragraphs[i].text(), lines[i].text) << doc;
  }
}

}  // namespace
}  // namespace lettrix
