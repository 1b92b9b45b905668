// wpd2text and wpd2html, WordPerfect readers of their own, read our
// WordPerfect 5 output back: every word in order, the characters of the
// repertoire as the characters they are, notes, headers and footers, bold,
// italic and underline.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/charset.h"
#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"
#include "writers/wp5.h"
#include "writers/wp5_check.h"
#include "writers/wpd_check.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

// Writes the stream as a WordPerfect document; what wpd2text and wpd2html print for it.
struct Readings {
  std::optional<std::string> text, html;
};

Readings read_back(const std::string& stream) {
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  EXPECT_EQ(dest_wp5(dir.file("s").c_str(), dir.file("t.wp5").c_str()), 0);
  EXPECT_EQ(wp5::layout_problem(testing::read_file(dir.file("t.wp5"))), "");
  return {testing::wpd2text(dir.file("t.wp5")), testing::wpd2html(dir.file("t.wp5"))};
}

TEST(WpdCheck, ExpectedTextFollowsWpd2textLayout) {
  const std::string stream = code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + "One" + code(NoteCall, 0, 1) + "Note" +
                             code(EndOfText) + " two\rthr" + code(SoftHyphen) + "\nee " + code(TableChar, 1, 41) + "\r";
  const testing::TextPattern p = testing::wpd_expected_text(stream);
  EXPECT_EQ(testing::mismatch(p, "Head\nOne[1] two\n\n[1] Note\n\nthr\xAD" "ee \xE9\n"), "");
  EXPECT_NE(testing::mismatch(p, "Head\nOne[1] two\nthr\xAD" "ee \xE9\n"), "") << "the note is lost";
  EXPECT_NE(testing::mismatch(p, "Head\nOne[1] two\n\n[1] Note\n\nthr\xAD" "ee e\n"), "") << "a wrong letter";
  EXPECT_EQ(testing::utf8_to_cp1252("a\xC3\xA9\xE2\x80\x94\xE2\x89\xA0"), "a\xE9\x97\x01");
}

TEST(Wp5Wpd, FormattedStreamReadsBack) {
  if (!testing::wpd_tools_available()) GTEST_SKIP() << "libwpd-tools are not installed";
  const std::string stream =
      code(HeaderAll, 0, 0) + "Page header" + code(EndOfText) + code(FooterOdd, 0, 0) + "Odd footer" + code(EndOfText) +
      code(SetTab, TabLeft, 8) + code(SetTab, TabCentre, 20) + code(LineSpacing, 8, 12) + code(CenterOn) + "Title\r" +
      code(CenterOff) + code(BoldOn) + "Bold " + code(ItalicOn) + "both" + code(BoldOff) + " italic" + code(ItalicOff) +
      " " + code(UnderlineOn) + "under" + code(UnderlineOff) + "\tcolumn\tcentred\r" + "Caf" + code(TableChar, 1, 41) +
      " na" + code(TableChar, 1, 53) + "ve " + code(TableChar, 4, 34) + " back" + code(Backslash) + "slash" +
      code(NoteCall, 0, 1) + "Note text" + code(EndOfText) + " after note\n" + code(TextColour, 0, 6) + "red " +
      code(LeftMargin, 0, 10) + code(JustifyOn) + std::string(250, 'w') + code(JustifyOff) + code(IndentHere, 0, 4) +
      "hanging\r" + code(IndentReset, 4, 0) + code(Columns, 2, 0) + "two columns\r";
  const Readings r = read_back(stream);
  ASSERT_TRUE(r.text && r.html);
  EXPECT_EQ(testing::mismatch(testing::wpd_expected_text(stream), testing::utf8_to_cp1252(*r.text)), "")
      << print_stream(stream) << "\n" << *r.text;
  for (const char* style : {"font-weight: bold", "font-style: italic", "text-decoration: underline"})
    EXPECT_NE(r.html->find(style), std::string::npos) << style;
}

// Every character that the Macintosh and Symbol reader tables can put into
// a stream reads back as the character code page 1252 has at its position.
TEST(Wp5Wpd, RepertoireReadsBackAsItsCharacters) {
  if (!testing::wpd_tools_available()) GTEST_SKIP() << "libwpd-tools are not installed";
  for (const ReaderTable* table : {&kMacintoshTable, &kSymbolTable}) {
    std::string stream;
    for (int byte = 0; byte < 256; ++byte) {
      const std::uint16_t entry = (*table)[byte];
      if (!is_table_char(entry)) continue;
      stream += "[" + code(TableChar, entry_table(entry), entry_index(entry)) + "] ";
    }
    const Readings r = read_back(stream);
    ASSERT_TRUE(r.text);
    EXPECT_EQ(testing::mismatch(testing::wpd_expected_text(stream), testing::utf8_to_cp1252(*r.text)), "")
        << print_stream(stream);
  }
}

TEST(Wp5Wpd, EveryReadersSamplesReadBack) {
  const std::pair<const char*, int> folders[] = {{"mac-text", SrcMacText},
                                                 {"macwrite-ii", SrcMacWriteII},
                                                 {"macwrite-4.6", SrcMacWrite46},
                                                 {"macwrite-2.2", SrcMacWrite22},
                                                 {"clarisworks", SrcClarisWorks}};
  for (const auto& [folder, row] : folders) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(LETTRIX_SOURCE_DIR) / "samples" / folder)) {
      testing::expect_wpd_reads_document(row, entry.path().string());
      ++files;
    }
    EXPECT_GE(files, 1) << folder;
  }
}

TEST(Wp5Wpd, RealDocumentsReadBack) {
  if (testing::corpus_dir().empty()) GTEST_SKIP() << "no corpus";
  // Drawings and spreadsheets are no text documents; blank ones have no text to read back.
  const int files = testing::for_each_corpus_document(
      {{"mac-text", SrcMacText}, {"macwrite-4.6", SrcMacWrite46}, {"macwrite-2.2", SrcMacWrite22}, {"clarisworks", SrcClarisWorks}}, {"nonwp_"},
      [](int row, const std::filesystem::path& path) { testing::expect_wpd_reads_document(row, path.string()); });
  EXPECT_GE(files, 30);
}

}  // namespace
}  // namespace lettrix
