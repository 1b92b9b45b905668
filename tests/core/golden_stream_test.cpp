// The stream of every sample document, printed in the multiline form of
// core/stream_printer.h, against its golden copy in
// tests/golden/<format-alias>/<sample-file>.stream. A change of what a reader
// writes shows here as a text diff of the two prints. When the change is
// meant, rewrite the golden files and review them as any other change:
//   LETTRIX_UPDATE_GOLDEN=1 build/bin/lettrix_tests --gtest_filter='GoldenStreams.*'
// (the update also removes golden files whose sample is gone).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/format_names.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_parser.h"
#include "core/stream_printer.h"
#include "core/wrapped_source.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(LETTRIX_SOURCE_DIR) / "samples";
const fs::path kGolden = fs::path(LETTRIX_SOURCE_DIR) / "tests" / "golden";

bool updating() {
  const char* flag = std::getenv("LETTRIX_UPDATE_GOLDEN");
  return flag && std::string(flag) == "1";
}

std::vector<fs::path> sorted(const fs::path& dir, bool folders) {
  std::vector<fs::path> out;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    if (folders ? e.is_directory() : e.is_regular_file()) out.push_back(e.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The document's stream as `lettrix-convert --dump-stream` reads it; empty
// with a failure added when the reader refuses it.
std::string read_stream(int row, const fs::path& document, const testing::ScratchDir& dir) {
  const std::string stream = dir.file("stream");
  set_target_kind(KindNeutral);
  PreparedSource prepared;
  std::string error;
  if (!prepare_source(document.string(), prepared, error)) {
    ADD_FAILURE() << document << ": " << error;
    return {};
  }
  set_current_files(prepared.reader_path, stream);
  clear_handler_reason();
  const int rc = source_formats.rows[row].reader(prepared.reader_path.c_str(), stream.c_str());
  if (rc != 0) ADD_FAILURE() << document << ": reader result " << rc << " " << handler_reason();
  return rc == 0 ? testing::read_file(stream) : std::string();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One hunk of a unified diff around the lines that differ (between the
// common first and last lines), at most kShown lines of each side.
std::string unified_diff(const std::string& golden, const std::string& now, const std::string& name) {
  constexpr std::size_t kContext = 2, kShown = 12;
  const std::vector<std::string> a = lines_of(golden), b = lines_of(now);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  const std::size_t from = head > kContext ? head - kContext : 0;
  const std::size_t a_end = std::min(a.size(), a.size() - tail + kContext);
  const std::size_t b_end = std::min(b.size(), b.size() - tail + kContext);
  std::ostringstream out;
  out << "--- " << name << " (golden)\n+++ " << name << " (now)\n";
  out << "@@ -" << from + 1 << "," << a_end - from << " +" << from + 1 << "," << b_end - from << " @@\n";
  for (std::size_t i = from; i < head; ++i) out << " " << a[i] << "\n";
  auto side = [&](const std::vector<std::string>& lines, std::size_t end, char mark) {
    for (std::size_t i = head; i < end && i < head + kShown; ++i) out << mark << lines[i] << "\n";
    if (end > head + kShown) out << mark << "... " << end - head - kShown << " more lines\n";
  };
  side(a, a.size() - tail, '-');
  side(b, b.size() - tail, '+');
  for (std::size_t i = b.size() - tail; i < b_end; ++i) out << " " << b[i] << "\n";
  if (a == b) out << "(the same lines; the texts differ in their last newline)\n";
  return out.str();
}

TEST(GoldenStreams, EverySampleReadsAsItsGoldenStream) {
  std::set<fs::path> expected;
  int documents = 0;
  for (const fs::path& folder : sorted(kSamples, true)) {
    const std::string alias = folder.filename().string();
    if (alias == "disk-images") continue;  // folders of documents, not documents of one format
    const int row = find_source_format(alias);
    if (row < 0 || !source_row_available(row)) {
      ADD_FAILURE() << "samples/" << alias << ": no source format of that alias";
      continue;
    }
    for (const fs::path& document : sorted(folder, false)) {
      const std::string name = alias + "/" + document.filename().string();
      const fs::path golden = kGolden / alias / (document.filename().string() + ".stream");
      expected.insert(golden);
      testing::ScratchDir dir;
      const std::string stream = read_stream(row, document, dir);
      const std::string printed = print_stream(stream, true);
      ++documents;
      // The print reads back as the stream itself.
      const ParsedStream parsed = parse_stream(printed);
      EXPECT_TRUE(parsed.ok() && parsed.bytes == stream) << name << ": " << parsed.error;
      if (updating()) {
        fs::create_directories(golden.parent_path());
        testing::write_file(golden.string(), printed);
        continue;
      }
      if (!testing::exists(golden.string())) {
        ADD_FAILURE() << "no golden stream " << golden << " (LETTRIX_UPDATE_GOLDEN=1 writes it)";
        continue;
      }
      const std::string kept = testing::read_file(golden.string());
      if (kept != printed) ADD_FAILURE() << "\n" << unified_diff(kept, printed, "tests/golden/" + name + ".stream");
    }
  }
  EXPECT_GE(documents, 30);
  // A golden stream without its sample is left over from a renamed or removed one.
  for (const fs::path& folder : sorted(kGolden, true)) {
    for (const fs::path& file : sorted(folder, false)) {
      if (expected.count(file)) continue;
      if (updating()) {
        fs::remove(file);
      } else {
        ADD_FAILURE() << file << ": no sample of this name";
      }
    }
  }
}

}  // namespace
}  // namespace lettrix
