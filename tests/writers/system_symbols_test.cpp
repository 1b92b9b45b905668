// The Macintosh system font's symbols (command key, check mark, black
// diamond, Apple logo) from a Mac text to every target: the exact bytes
// each target writes for them, and LibreOffice as the judge that the RTF
// shows the characters themselves.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <utility>

#include "core/format_registry.h"
#include "readers/text_only.h"
#include "test_util.h"
#include "writers/fodt_reader.h"

namespace lettrix {
namespace {

// The manual, "Press ⌘-Q ✓ ◆ Apple-logo apple" after a line of plain text (a
// few control bytes alone would make it binary data), through the Mac text
// reader and the target's writer; returns the target's path.
std::string convert(const testing::ScratchDir& dir, int target) {
  testing::write_file(dir.file("manual"), std::string(400, 'x') + "\rPress \x11-Q \x12 \x13 \x14 apple\r");
  EXPECT_EQ(orig_text_only(dir.file("manual").c_str(), dir.file("stream").c_str()), 0);
  std::string path = dir.file(std::string(target_main_alias(target)) + ".");
  for (const char* c = target_formats.rows[target].extension; *c; ++c) path += static_cast<char>(std::tolower(*c));
  EXPECT_EQ(target_formats.rows[target].writer(dir.file("stream").c_str(), path.c_str()), 0);
  return path;
}

TEST(SystemSymbols, EveryTargetWritesItsOwnForms) {
  const std::pair<int, std::string> cases[] = {
      {DstAscii, "Press Cmd-Q \xFB * Apple apple"},
      {DstAnsi, "Press Cmd-Q v * Apple apple"},
      {DstWordDos, "Press Cmd-Q \xFB * Apple apple"},
      {DstWinWord2, "Press Cmd-Q v * Apple apple"},
      // WordPerfect's hyphen, its check mark (5,23) and diamond (6,96).
      {DstWordPerfect5, "Press Cmd\xA9Q \xC0\x17\x05\xC0 \xC0\x60\x06\xC0 Apple apple"},
      {DstRtfAscii, "Press {\\uc3\\u8984 Cmd}-Q {\\uc1\\u10003 \\'FB} {\\uc1\\u9670 *} Apple apple"},
      {DstRtfAnsi, "Press {\\uc3\\u8984 Cmd}-Q {\\uc1\\u10003 v} {\\uc1\\u9670 *} Apple apple"},
  };
  testing::ScratchDir dir;
  for (const auto& [target, text] : cases)
    EXPECT_NE(testing::read_file(convert(dir, target)).find(text), std::string::npos) << target_main_alias(target);
}

TEST(SystemSymbols, LibreOfficeShowsThemInBothRtfTargets) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  const std::filesystem::path rtf[] = {convert(dir, DstRtfAscii), convert(dir, DstRtfAnsi)};
  ASSERT_TRUE(testing::libreoffice_convert({rtf[0], rtf[1]}, "fodt", dir.path()));
  for (const auto& path : rtf) {
    testing::FodtDocument doc;
    ASSERT_TRUE(testing::read_fodt(std::filesystem::path(path).replace_extension(".fodt"), doc)) << path;
    ASSERT_EQ(doc.paragraphs.size(), 2u) << path;
    EXPECT_EQ(doc.paragraphs[1].text(), "Press \u2318-Q \u2713 \u25C6 Apple apple") << path;
  }
}

}  // namespace
}  // namespace lettrix
