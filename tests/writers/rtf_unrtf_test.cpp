// unrtf, an RTF reader of its own, reads our RTF output back: every word of
// the document, in order.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"
#include "writers/rtf.h"
#include "writers/unrtf_check.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

TEST(UnrtfCheck, MatcherFindsLostMisplacedAndExtraText) {
  const std::string stream = "one two\r\tthree" + code(TableChar, 1, 41) + "s" + code(HeaderAll, 0, 0) + "head" +
                             code(EndOfText) + " four" + code(NoteCall, 0, 1) + "note" + code(EndOfText) + "\r";
  testing::TextPattern p = testing::expected_text(stream);
  EXPECT_EQ(testing::mismatch(p, "one two\nthree\xE9s fournote\n"), "");
  EXPECT_EQ(testing::mismatch(p, "\n  one   two\n\n\tthrees fournote "), "") << "whitespace and a dropped character";
  EXPECT_EQ(testing::mismatch(p, "one two three`s fournote"), "");
  EXPECT_NE(testing::mismatch(p, "one three\xE9s fournote"), "") << "a lost word";
  EXPECT_NE(testing::mismatch(p, "two one three\xE9s fournote"), "") << "words out of order";
  EXPECT_NE(testing::mismatch(p, "onetwo three\xE9s fournote"), "") << "a lost blank";
  EXPECT_NE(testing::mismatch(p, "one two three\xE9s fournote fs24"), "") << "text after the end";
  EXPECT_NE(testing::mismatch(p, "one two three\xE9s head fournote"), "") << "a header in the body";
  EXPECT_NE(testing::mismatch(p, "one two three\xE9xs fournote"), "") << "one character is one byte at most";
}

TEST(RtfUnrtf, FormattedStreamReadsBack) {
  if (!testing::unrtf_available()) GTEST_SKIP() << "unrtf is not installed";
  std::string ne = code(TableChar, 6, 99);
  const std::string stream =
      code(HeaderAll, 0, 0) + "Page header" + code(EndOfText) + code(FooterOdd, 0, 0) + "Odd footer" + code(EndOfText) +
      code(SetTab, TabLeft, 8) + code(SetTab, TabBar, 20) + code(FontSize, 246, 244) + code(CenterOn) + "Title {braced}\r" +
      code(CenterOff) + code(LeftOn) + code(BoldOn) + "Bold " + code(ItalicOn) + "both" + code(BoldOff) + " italic" +
      code(ItalicOff) + " plain\tcolumn\r" + "x " + ne + ne + ne + " y" + ne + code(SuperscriptOn) + "2" +
      code(SuperscriptOff) + " back" + code(Backslash) + "slash" + code(NoteCall, 0, 1) + code(Font, 0, FontSans) +
      "Note text" + code(EndOfText) + " after note\n" + code(BorderOn, 0x05, 0) + "bordered" + code(BorderOff, 0, 0) +
      code(TextColour, 0, 12) + " coloured " + code(JustifyOn) + std::string(250, 'w') + code(JustifyOff) + "\r";
  for (Handler writer : {dest_rtf_ascii, dest_rtf_ansi}) {
    testing::ScratchDir dir;
    testing::write_file(dir.file("s"), stream);
    ASSERT_EQ(writer(dir.file("s").c_str(), dir.file("t.rtf").c_str()), 0);
    std::optional<std::string> text = testing::unrtf_text(dir.file("t.rtf"));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(testing::mismatch(testing::expected_text(stream), *text), "") << print_stream(stream);
  }
}

TEST(RtfUnrtf, MacTextSamplesReadBack) {
  std::filesystem::path samples = std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples" / "mac-text";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(samples)) {
    testing::expect_unrtf_reads_document(SrcMacText, entry.path().string());
    ++files;
  }
  EXPECT_GE(files, 4);
}

TEST(RtfUnrtf, EveryReadersSamplesReadBack) {
  const std::pair<const char*, int> folders[] = {{"macwrite-ii", SrcMacWriteII},
                                                 {"macwrite-4.6", SrcMacWrite46},
                                                 {"macwrite-2.2", SrcMacWrite22},
                                                 {"clarisworks", SrcClarisWorks},
                                                 {"works-2", SrcWorks2}, {"works-3", SrcWorks3}, {"nisus", SrcNisus}};
  for (const auto& [folder, row] : folders) {
    std::filesystem::path samples = std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples" / folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(samples)) {
      testing::expect_unrtf_reads_document(row, entry.path().string());
      ++files;
    }
    EXPECT_GE(files, 1) << folder;
  }
}

TEST(RtfUnrtf, MacTextCorpusReadsBack) {
  std::filesystem::path corpus = testing::corpus_dir();
  if (corpus.empty() || !std::filesystem::is_directory(corpus / "mac-text")) GTEST_SKIP() << "no corpus";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus / "mac-text")) {
    if (entry.path().extension() == ".bin") continue;  // MacBinary wrappers are not plain text
    testing::expect_unrtf_reads_document(SrcMacText, entry.path().string());
    ++files;
  }
  EXPECT_GE(files, 4);
}

TEST(RtfUnrtf, RealMacWriteAndClarisWorksDocumentsReadBack) {
  if (testing::corpus_dir().empty()) GTEST_SKIP() << "no corpus";
  // Drawings and spreadsheets are no text documents; blank ones have no text to read back.
  const int files = testing::for_each_corpus_document(
      {{"macwrite-4.6", SrcMacWrite46}, {"macwrite-2.2", SrcMacWrite22}, {"clarisworks", SrcClarisWorks}}, {"nonwp_", "blank_", "joshenders_aw"},
      [](int row, const std::filesystem::path& path) { testing::expect_unrtf_reads_document(row, path.string()); });
  EXPECT_GE(files, 25);
}

}  // namespace
}  // namespace lettrix
