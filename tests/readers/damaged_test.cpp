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
        } else {
          EXPECT_TRUE(r.status == ConversionStatus::ReaderFailed || r.status == ConversionStatus::EmptyDocument)
              << where;
        }
      }
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace lettrix
