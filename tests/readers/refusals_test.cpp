// Every reader, chosen as the command line's -f chooses it (no detection),
// given a file that is not of its format: it does not convert it, and when it
// refuses it says why. The readers, the samples' folders and the corpus's
// folders all come from the list of formats, so a reader added there is
// checked here as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
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

enum class Outcome { Refuses, Converts, RefusesWithoutReason, ConvertsOrRefuses };

// The files of another format (or none) that a reader does not refuse: a file
// is "<folder>/<name>" or the made-up input's name; a '*' in file stands for
// any run of characters.
struct Taken {
  int reader;
  const char* file;
  Outcome outcome;
};
constexpr Taken kTaken[] = {
    // Mac text takes any text: a PC text, a byte that is a character (0xEC), and a
    // Nisus Writer document, whose data fork is a text.
    {SrcMacText, "PC text", Outcome::ConvertsOrRefuses},
    {SrcMacText, "random bytes 1", Outcome::ConvertsOrRefuses},
    {SrcMacText, "nisus/*", Outcome::ConvertsOrRefuses},
    // Nisus Writer takes any text whose wrapper kept a resource fork: a text
    // of another creator reads as one without footnotes.
    {SrcNisus, "mac-text/*.bin", Outcome::ConvertsOrRefuses},
    // Either MacWrite reader hands the other version to the other reader;
    // either Works reader reads either version.
    {SrcMacWrite22, "macwrite-4.6/*", Outcome::ConvertsOrRefuses},
    {SrcMacWrite46, "macwrite-2.2/*", Outcome::ConvertsOrRefuses},
    {SrcWorks2, "works-3/*", Outcome::ConvertsOrRefuses},
    {SrcWorks3, "works-2/*", Outcome::ConvertsOrRefuses},
    // Mac text: an empty file is an empty text, and converts to an empty
    // target, where every other reader finds an empty document or refuses it.
    {SrcMacText, "empty", Outcome::Converts},
};

bool matches(std::string_view pattern, std::string_view file) {
  const std::size_t star = pattern.find('*');
  if (star == std::string_view::npos) return pattern == file;
  const std::string_view tail = pattern.substr(star + 1);
  return file.size() >= pattern.size() - 1 && file.starts_with(pattern.substr(0, star)) && file.ends_with(tail);
}

Outcome outcome_of(const ConversionResult& r) {
  if (r.ok()) return Outcome::Converts;
  if (r.message().empty() || (r.status == ConversionStatus::ReaderFailed && r.reason.empty()))
    return Outcome::RefusesWithoutReason;
  return Outcome::Refuses;
}

const char* name_of(Outcome o) {
  switch (o) {
    case Outcome::Refuses:
      return "refuses, saying why";
    case Outcome::Converts:
      return "converts";
    case Outcome::RefusesWithoutReason:
      return "refuses without a reason";
    case Outcome::ConvertsOrRefuses:
      return "converts or refuses, saying why";
  }
  return "";
}

// Converts bytes named file with the reader of row in dir, and checks the
// outcome against the table.
void expect_refusal(const ScratchDir& dir, int row, const std::string& file, const std::string& bytes) {
  for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove_all(entry.path());
  const std::string path = dir.file(fs::path(file).filename().string());
  testing::write_file(path, bytes);
  choose_formats(row, DstAscii);
  const ConversionResult r = convert_file(path);
  Outcome expected = Outcome::Refuses;
  for (const Taken& t : kTaken)
    if (t.reader == row && matches(t.file, file)) expected = t.outcome;
  Outcome actual = outcome_of(r);
  if (expected == Outcome::ConvertsOrRefuses && actual != Outcome::RefusesWithoutReason) actual = expected;
  EXPECT_EQ(name_of(actual), std::string(name_of(expected)))
      << source_formats.rows[row].name << " reader, " << file << ": " << r.message();
}

std::vector<fs::path> files_in(const fs::path& dir) {
  std::vector<fs::path> found;
  if (!dir.empty() && fs::is_directory(dir))
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.is_regular_file()) found.push_back(entry.path());
  std::sort(found.begin(), found.end());
  return found;
}

// A file to give every reader but the one of its own format (from; -1 for
// none), named "<folder>/<name>" or for what it is.
struct Input {
  std::string name;
  std::string bytes;
  int from;
};

Input document_of(int from, const fs::path& path) {
  return {std::string(source_main_alias(from)) + "/" + path.filename().string(), read_file(path.string()), from};
}

// Returns how many conversions it checked.
int expect_refusals(const std::vector<Input>& inputs) {
  init_path_buffers();
  set_source_detection(false);
  ScratchDir dir;
  int checked = 0;
  for (int row = 0; row < SourceRowCount; ++row) {
    EXPECT_TRUE(source_row_available(row)) << source_formats.rows[row].name;
    for (const Input& input : inputs) {
      if (input.from == row) continue;
      expect_refusal(dir, row, input.name, input.bytes);
      ++checked;
    }
  }
  return checked;
}

TEST(ReaderRefusals, MadeUpFilesAndOtherSamplesAreRefusedWithAReason) {
  std::vector<Input> inputs{{"empty", "", -1}};
  std::mt19937 random(1987);
  for (std::size_t size : {1, 700, 70000}) {
    std::string noise(size, '\0');
    for (char& c : noise) c = static_cast<char>(random() & 0xFF);
    inputs.push_back({"random bytes " + std::to_string(size), noise, -1});
  }
  std::string text;
  while (text.size() < 2000) text += "Dear Sir,\r\nThank you for your letter of the 4th.\r\n";
  inputs.push_back({"PC text", text, -1});
  for (int from = 0; from < SourceRowCount; ++from) {
    const auto samples = files_in(fs::path(LETTRIX_SOURCE_DIR) / "samples" / source_main_alias(from));
    ASSERT_FALSE(samples.empty()) << "no samples of " << source_main_alias(from);
    inputs.push_back(document_of(from, samples.front()));
  }
  expect_refusals(inputs);
}

TEST(ReaderRefusals, CorpusDocumentsOfOtherFormatsAreRefusedWithAReason) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  // Only the folders named for a source format are visited (not the companion files').
  std::vector<Input> inputs;
  for (int from = 0; from < SourceRowCount; ++from)
    for (const fs::path& doc : files_in(corpus / source_main_alias(from))) inputs.push_back(document_of(from, doc));
  EXPECT_GT(expect_refusals(inputs), 0);
}

}  // namespace
}  // namespace lettrix
