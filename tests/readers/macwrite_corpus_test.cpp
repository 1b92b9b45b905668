// The real MacWrite documents convert to "Ansi (Windows)" (and to "RTF Ansi
// (Windows)" where that writer is built) through either MacWrite row, from
// the data fork and from the MacBinary file alike, with the same output; a
// few paragraphs, headers and footers are pinned (read by eye against the
// documents). Each picture is a paragraph of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

// Converts a copy of the file and returns the target's bytes.
std::string convert_copy(const fs::path& source, int source_row, int target_row) {
  testing::ScratchDir dir(true);
  testing::write_file("doc", testing::read_file(source.string()));
  init_path_buffers();
  choose_formats(source_row, target_row);
  const ConversionResult r = convert_file("doc");
  EXPECT_TRUE(r.ok()) << source << " as row " << source_row << ": " << r.message();
  return r.ok() ? testing::read_file(r.target) : std::string();
}

std::size_t count(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (std::size_t at = 0; (at = text.find(piece, at)) != std::string::npos; at += piece.size()) ++n;
  return n;
}

// Pieces of the Ansi output (code page 1252, CR LF line ends) that each
// document holds exactly once, and its number of lines.
struct Expected {
  std::vector<std::string> pieces;
  std::size_t lines;
};

const std::map<std::string, Expected> kExpected = {
    {"arashi_basic_concepts",
     {{"\\TETE\\FIN\\\\PIEDProject STORM\tPage # of 7\tBasic Concepts\r\n\\FIN\\",
       "\r\nIntroduction\r\n",
       "While the screen shows a classic starflight effect (\xE0 la Star Trek\xAE), grid points are calculated",
       "Game play is actually your basic shoot\x92" "em\x92" "up with some twists added",
       "\r\nGame Laws\r\n"},
      199}},
    {"arashi_guidelines", {{"\\PIEDProject STORM\tPage # of 6\tGuidelines\r\n\\FIN\\"}, 144}},
    {"arashi_instructions",
     {{"\\PIEDProject STORM\tPage # of 3\tSTORM Instructions\r\n\\FIN\\", "\r\nInstalling STORM\r\n",
       "\tCopyright \xA9" "1991, Project STORM Team\r\n",
       "For Br\xF8" "derbund Software evaluation only."},
      96}},
    {"arashi_sound_kit", {{"\\PIEDProject STORM\tPage # of 7\tSTORM Sound Kit\r\n\\FIN\\"}, 189}},
    {"arashi_vectorkit",
     {{"\\PIEDProject STORM\tPage # of 8\tVector Animation Toolkit\r\n\\FIN\\",
       "These colors are usually read in from a \x91" "CLOT\x92 resource."},
      266}},
    {"memwatch_advanced",
     {{"\\TETE\\FIN\\\\PIED\\FIN\\Advanced Installation Instructions\r\n",
       "\x95 Update your project options. \r\nprefix:add #define WANT_PROFILE 1\r\ndebug: profiling TRUE\r\n"},
      36}},
    {"memwatch_basic_install", {{"\\TETE\\FIN\\\\PIED\\FIN\\MemWatch\r\nby\r\nAaron Wohl\r\n"}, 192}},
    {"outofphase_appendices",
     {{"\\TETEPage A\\FIN\\\\PIED\\FIN\\Appendix A:  Programming Language Grammar\r\n",
       "<string>\t::= \x93.*\x94\r\n", "from the file, so 0 is the first track, 1 is the second, and so on.\r\n"},
      1069}},
    {"pict_help",
     {{"\\TETE\\FIN\\\\PIED\\FIN\\Help file for the Picture project.\r\n"
       "Ralph Gonzalez, PO Box 54, Newark, DE 19711, USA.\r\n",
       "\r\nPICTURE LIBRARY\r\n", "Hearn & Baker, \"Computer Graphics\", Prentice-Hall, 1986"},
      111}},
    {"ars_magna_info",
     {{"\\TETE\r\n\tArs Magna\x99, version 1.0\r\n\\FIN\\\\PIED\r\n\tp.\r\n\r\n\\FIN\\A R S  M A G N A",
       "A R S  M A G N A \x99, version 1.0\r\n",
       "Ars Magna\x99 is a program to generate anagrams \x97 words or phrases",
       "\r\n\x95\twhich file you'd like to use for a dictionary",
       "\tName of dictionary file [press RETURN to use \x93" "anagram dict\x94]?\r\n", "\r\nHave fun!"},
      152}},
};

TEST(MacWriteCorpus, RealDocumentsConvertAlikeFromEitherRowAndForm) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / "macwrite-4.6")) GTEST_SKIP() << "no corpus";
  std::size_t documents = 0;
  for (const char* folder : {"macwrite-4.6", "macwrite-2.2"}) {
    for (const auto& entry : fs::directory_iterator(corpus / folder)) {
      const fs::path path = entry.path();
      if (path.extension() == ".bin") continue;
      const fs::path wrapped = path.string() + ".bin";
      ASSERT_TRUE(fs::exists(wrapped)) << wrapped;
      const std::string ansi = convert_copy(path, SrcMacWrite46, DstAnsi);
      ASSERT_FALSE(ansi.empty()) << path;
      EXPECT_EQ(convert_copy(path, SrcMacWrite22, DstAnsi), ansi) << path;
      EXPECT_EQ(convert_copy(wrapped, SrcMacWrite46, DstAnsi), ansi) << wrapped;
      EXPECT_EQ(convert_copy(wrapped, SrcMacWrite22, DstAnsi), ansi) << wrapped;

      const auto expected = kExpected.find(path.filename().string());
      ASSERT_NE(expected, kExpected.end()) << "no expectations for " << path;
      for (const std::string& piece : expected->second.pieces)
        EXPECT_EQ(count(ansi, piece), 1u) << path << ": " << piece;
      EXPECT_EQ(count(ansi, "\r\n"), expected->second.lines) << path;

      // The RTF target, once its writer is there, alike from every row and form.
      if (target_row_available(DstRtfAnsi)) {
        const std::string rtf = convert_copy(path, SrcMacWrite46, DstRtfAnsi);
        EXPECT_FALSE(rtf.empty()) << path;
        EXPECT_EQ(convert_copy(path, SrcMacWrite22, DstRtfAnsi), rtf) << path;
        EXPECT_EQ(convert_copy(wrapped, SrcMacWrite46, DstRtfAnsi), rtf) << wrapped;
        EXPECT_EQ(convert_copy(wrapped, SrcMacWrite22, DstRtfAnsi), rtf) << wrapped;
      }
      ++documents;
    }
  }
  EXPECT_EQ(documents, kExpected.size());
}

}  // namespace
}  // namespace lettrix
