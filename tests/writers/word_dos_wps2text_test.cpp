// wps2text (libwps), a Word for DOS reader of its own, reads our documents
// back: every word, in order, with headers, footers and notes.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"
#include "writers/word_dos.h"
#include "writers/wps2text_check.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

TEST(WordDosWps2text, MatcherPlacesNotesAfterTheirParagraph) {
  const std::string stream = code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + "One" + code(NoteCall, 0, 1) +
                             "note" + code(EndOfText) + " two\r" + code(TableChar, 1, 41) + "x";
  const testing::TextPattern p = testing::word_dos_text(stream);
  EXPECT_EQ(testing::mismatch(p, "Head\nOne[1] two\n\n[1] \tnote\n\n\xC3\xA9x\n"), "");
  EXPECT_NE(testing::mismatch(p, "Head\nOne[1] two note\n\xC3\xA9x\n"), "") << "a note without its mark";
  EXPECT_NE(testing::mismatch(p, "One[1] two\n\n[1] \tnote\n\n\xC3\xA9x\n"), "") << "a lost header";
}

TEST(WordDosWps2text, FormattedStreamAndEmptyStreamReadBack) {
  if (!testing::wps2text_available()) GTEST_SKIP() << "wps2text is not installed";
  const std::string ne = code(TableChar, 6, 99);
  const std::string streams[] = {
      code(HeaderAll, 0, 0) + "Page header" + code(EndOfText) + code(FooterOdd, 0, 0) + "Odd footer" +
          code(EndOfText) + code(SetTab, TabLeft, 8) + code(SetTab, TabBar, 20) + code(FontSize, 246, 244) +
          code(CenterOn) + "Title {braced}\r" + code(CenterOff) + code(LeftOn) + code(BoldOn) + "Bold " +
          code(ItalicOn) + "both" + code(BoldOff) + " italic" + code(ItalicOff) + " plain\tcolumn\r\tindented" +
          " x " + ne + ne + " y" + code(SuperscriptOn) + "2" + code(SuperscriptOff) + " back" + code(Backslash) +
          "slash" + code(NoteCall, 0, 1) + code(Font, 0, FontSans) + "Note text" + code(TableChar, 1, 0x7F) +
          code(EndOfText) + " after note\n" + "hyphen" + code(SoftHyphen) + "\nated " + code(JustifyOn) +
          std::string(250, 'w') + code(JustifyOff) + "\f" + "next page" + code(NoteCall, 2, 0) + "second\rnote" +
          code(EndOfText) + "\r",
      "",
  };
  for (const std::string& stream : streams) {
    testing::ScratchDir dir;
    testing::write_file(dir.file("s"), stream);
    ASSERT_EQ(dest_word_dos(dir.file("s").c_str(), dir.file("t.doc").c_str()), 0);
    std::optional<std::string> text = testing::wps2text_text(dir.file("t.doc"));
    ASSERT_TRUE(text.has_value()) << print_stream(stream);
    EXPECT_EQ(testing::mismatch(testing::word_dos_text(stream), *text), "") << print_stream(stream) << "\n" << *text;
  }
}

TEST(WordDosWps2text, EveryReadersSamplesReadBack) {
  const std::pair<const char*, int> folders[] = {{"mac-text", SrcMacText},
                                                 {"macwrite-ii", SrcMacWriteII},
                                                 {"macwrite-4.6", SrcMacWrite46},
                                                 {"macwrite-2.2", SrcMacWrite22},
                                                 {"clarisworks", SrcClarisWorks}};
  for (const auto& [folder, row] : folders) {
    std::filesystem::path samples = std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples" / folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(samples)) {
      testing::expect_wps2text_reads_document(row, entry.path().string());
      ++files;
    }
    EXPECT_GE(files, 1) << folder;
  }
}

TEST(WordDosWps2text, RealDocumentsReadBack) {
  if (testing::corpus_dir().empty()) GTEST_SKIP() << "no corpus";
  // Drawings and spreadsheets are no text documents; blank ones have no text to read back.
  const int files = testing::for_each_corpus_document(
      {{"mac-text", SrcMacText}, {"macwrite-4.6", SrcMacWrite46}, {"macwrite-2.2", SrcMacWrite22}, {"clarisworks", SrcClarisWorks}}, {"nonwp_", "blank_", "joshenders_aw"},
      [](int row, const std::filesystem::path& path) { testing::expect_wps2text_reads_document(row, path.string()); });
  EXPECT_GE(files, 30);
}

}  // namespace
}  // namespace lettrix
