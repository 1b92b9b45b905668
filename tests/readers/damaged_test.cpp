// Damaged documents of every reader: a document cut short anywhere is either
// refused as not of the format or converted as far as it could be read and
// reported as damaged (the partial target kept, the reason given); it never
// passes for a complete conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

struct Folder {
  const char* alias;  // samples/<alias>/ and the corpus folder of the same name
  int row;
};

// Mac text has no structure to damage: a cut text is a shorter text.
constexpr Folder kFolders[] = {
    {"macwrite-2.2", SrcMacWrite22}, {"macwrite-4.6", SrcMacWrite46}, {"macwrite-ii", SrcMacWriteII},
    {"works-2", SrcWorks2},          {"works-3", SrcWorks3},          {"clarisworks", SrcClarisWorks},
    {"ragtime-2", SrcRagtime2},      {"ragtime-3", SrcRagtime3},      {"nisus", SrcNisus},
};

std::vector<fs::path> documents_of(const Folder& folder) {
  std::vector<fs::path> found;
  for (const fs::path& top : {fs::path(LETTRIX_SOURCE_DIR) / "samples", testing::corpus_dir()}) {
    if (top.empty() || !fs::is_directory(top / folder.alias)) continue;
    for (const auto& entry : fs::directory_iterator(top / folder.alias))
      if (entry.is_regular_file()) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// The points at which a document of `size` bytes is cut.
std::vector<std::size_t> cut_points(std::size_t size) {
  std::vector<std::size_t> at;
  for (int percent : {10, 25, 50, 75, 90}) at.push_back(size * percent / 100);
  at.push_back(size - 1);
  return at;
}

// A plain-text target without the note numbers, which run on from one
// conversion to the next.
std::string target_text(const ConversionResult& r) {
  static const std::regex kNoteNumber(R"(\\NOTE[0-9]+\\)");
  return std::regex_replace(read_file(r.target), kNoteNumber, "\\NOTE\\");
}

ConversionResult convert(const ScratchDir& dir, int row, const std::string& bytes) {
  const std::string path = dir.file("doc");
  for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove(entry.path());
  write_file(path, bytes);
  choose_formats(row, DstAscii);
  return convert_file(path);
}

TEST(DamagedDocuments, EveryCutIsRefusedOrReportedAsDamaged) {
  init_path_buffers();
  ScratchDir dir;
  int checked = 0;
  for (const Folder& folder : kFolders) {
    for (const fs::path& doc : documents_of(folder)) {
      const std::string whole = read_file(doc.string());
      const ConversionResult intact = convert(dir, folder.row, whole);
      // Spreadsheets and drawings are refused whole; nothing to cut there.
      if (intact.status == ConversionStatus::ReaderFailed) continue;
      ASSERT_TRUE(intact.ok()) << doc << ": " << intact.message();
      const std::string intact_text = target_text(intact);
      for (std::size_t at : cut_points(whole.size())) {
        const ConversionResult r = convert(dir, folder.row, whole.substr(0, at));
        const std::string where = doc.string() + " cut at " + std::to_string(at) + ": " + r.message();
        ++checked;
        // Bytes that no reader uses (MacBinary padding, space after the last
        // structure) may go without loss: the result must then be the whole one.
        if (r.ok()) {
          EXPECT_EQ(target_text(r), intact_text) << where;
        } else if (r.status == ConversionStatus::Damaged) {
          EXPECT_FALSE(r.reason.empty()) << where;
          EXPECT_TRUE(fs::exists(r.target)) << where;
        } else if (r.status == ConversionStatus::WrapperFailed) {
          // A MacBinary file whose forks run past its end is refused as a whole.
          EXPECT_EQ(r.message().rfind("MacBinary: ", 0), 0u) << where;
        } else {
          EXPECT_TRUE(r.status == ConversionStatus::ReaderFailed || r.status == ConversionStatus::EmptyDocument)
              << where;
        }
      }
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(DamagedDocuments, MessagesNameTheCause) {
  init_path_buffers();
  ScratchDir dir;
  struct Case {
    const char* sample;  // below samples/
    int row;
    std::size_t cut;
    ConversionStatus status;
    const char* message;
  };
  const Case cases[] = {
      {"macwrite-2.2/manual.mw", SrcMacWrite22, 400, ConversionStatus::Damaged,
       "damaged: text cut short at byte 400 of at least 418; partial result in DOC"},
      {"macwrite-ii/letter.mw2", SrcMacWriteII, 1300, ConversionStatus::Damaged,
       "damaged: text cut short at byte 1,300 of at least 1,536; partial result in DOC"},
      {"macwrite-ii/letter.mw2", SrcMacWriteII, 60, ConversionStatus::ReaderFailed,
       "cannot read the file as a MacWrite II document: format tables cut short at byte 60 of at least 768"},
      {"works-2/letter.wks", SrcWorks2, 200, ConversionStatus::Damaged,
       "damaged: text cut short at byte 200 of at least 240; partial result in DOC"},
      {"works-3/letter.wks", SrcWorks3, 200, ConversionStatus::Damaged,
       "damaged: text cut short at byte 200 of at least 210; partial result in DOC"},
      {"clarisworks/letter.cwk", SrcClarisWorks, 400, ConversionStatus::Damaged,
       "damaged: text cut short at byte 400 of at least 546; partial result in DOC"},
      {"clarisworks/letter.cwk", SrcClarisWorks, 250, ConversionStatus::ReaderFailed,
       "not a Claris/AppleWorks document: too short for a document: 250 bytes, less than the 264 of the header, "
       "the first zone's tag and its length"},
      {"ragtime-2/letter.rag", SrcRagtime2, 700, ConversionStatus::Damaged,
       "damaged: text cut short at byte 700 of at least 724; partial result in DOC"},
      {"ragtime-3/letter.rag", SrcRagtime3, 1000, ConversionStatus::Damaged,
       "damaged: text cut short at byte 1,000 of at least 1,117; partial result in DOC"},
      // A MacBinary file without a CRC cut short is a damaged wrapper, whatever it holds.
      {"macwrite-2.2/note.bin", SrcMacWrite22, 300, ConversionStatus::WrapperFailed,
       "MacBinary: the data fork runs past the end of the file (to byte 484 of 300)"},
      {"macwrite-4.6/letter.bin", SrcMacWrite46, 1000, ConversionStatus::WrapperFailed,
       "MacBinary: the data fork runs past the end of the file (to byte 1238 of 1000)"},
      {"macwrite-ii/styles.bin", SrcMacWriteII, 1500, ConversionStatus::WrapperFailed,
       "MacBinary: the data fork runs past the end of the file (to byte 2944 of 1500)"},
      {"ragtime-2/letter-macbinary.bin", SrcRagtime2, 700, ConversionStatus::WrapperFailed,
       "MacBinary: the data fork runs past the end of the file (to byte 1044 of 700)"},
      {"ragtime-3/letter-macbinary.bin", SrcRagtime3, 1000, ConversionStatus::WrapperFailed,
       "MacBinary: the data fork runs past the end of the file (to byte 1341 of 1000)"},
      {"nisus/letter.bin", SrcNisus, 500, ConversionStatus::WrapperFailed,
       "MacBinary: the resource fork runs past the end of the file (to byte 799 of 500)"},
      // A document of another format is no damaged one; a cut text is a text.
      {"works-2/letter.wks", SrcMacWriteII, 287, ConversionStatus::ReaderFailed,
       "not a MacWrite II document: no \".\" at byte 1 or 3"},
      {"mac-text/letter.txt", SrcMacText, 100, ConversionStatus::Ok, "converted"},
  };
  for (const Case& c : cases) {
    const std::string whole = read_file((fs::path(LETTRIX_SOURCE_DIR) / "samples" / c.sample).string());
    ASSERT_GE(whole.size(), c.cut) << c.sample;
    const ConversionResult r = convert(dir, c.row, whole.substr(0, c.cut));
    std::string expected = c.message;
    if (const std::size_t at = expected.find("DOC"); at != std::string::npos) expected.replace(at, 3, r.target);
    EXPECT_EQ(r.status, c.status) << c.sample << " " << c.cut;
    EXPECT_EQ(r.message(), expected) << c.sample << " " << c.cut;
    const bool has_target = r.status == ConversionStatus::Ok || r.status == ConversionStatus::Damaged;
    EXPECT_EQ(fs::exists(dir.file("doc.asc")), has_target) << c.sample;
  }
  // The document of the report: a MacWrite 4.6 manual cut at a fifth.
  const fs::path report = testing::corpus_dir() / "macwrite-4.6" / "arashi_guidelines";
  if (testing::corpus_dir().empty() || !fs::exists(report)) GTEST_SKIP() << "no corpus";
  const ConversionResult r = convert(dir, SrcMacWrite46, read_file(report.string()).substr(0, 4923));
  EXPECT_EQ(r.message(), "damaged: text cut short at byte 4,923 of 22,976; partial result in " + dir.file("doc.asc"));
  // Its paragraph list lies beyond the cut: its header and footer are what is left.
  EXPECT_NE(read_file(r.target).find("\\PIED"), std::string::npos) << read_file(r.target);
}

}  // namespace
}  // namespace lettrix
