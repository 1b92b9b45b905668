// Every sample, every real document and a generated 1 MB document of every
// source format (larger than the 64 KB blocks that readers and writers fill)
// converts with its reader to every target exactly as it did when
// tests/data/output_digests.txt was made: same size, same 64-bit FNV-1a
// digest, or the same failure. Changes that only make
// conversions faster must keep every output byte; an intended change of
// output regenerates the list (see bench/output_digests.cpp).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "core/format_registry.h"
#include "test_util.h"

namespace lettrix {
namespace {

// "LABEL/ALIAS/FILE TARGET" -> the rest of the line.
using DigestMap = std::map<std::string, std::string>;

DigestMap parse_digests(const std::string& text, bool with_corpus) {
  DigestMap out;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (!with_corpus && line.rfind("corpus/", 0) == 0) continue;
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) {
      out[line] = "(malformed line)";
      continue;
    }
    out[line.substr(0, second)] = line.substr(second + 1);
  }
  return out;
}

std::string run_tool(const std::string& command, int& status) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    status = -1;
    return output;
  }
  char block[4096];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, pipe)) > 0) output.append(block, got);
  status = pclose(pipe);
  return output;
}

TEST(OutputDigests, EveryDocumentToEveryTargetAsBefore) {
  const std::string bin = std::string(LETTRIX_BINARY_DIR) + "/bin/";
  const std::string tool = bin + "output_digests";
  if (!testing::exists(tool) || !testing::exists(bin + "make_bench_input")) GTEST_SKIP() << "tools not built";
  testing::ScratchDir generated;
  int status = 0;
  for (int row = 0; row < SourceRowCount; ++row) {  // a generated document of every source format
    const std::string format(source_main_alias(row));
    std::filesystem::create_directory(generated.path() / format);
    run_tool("'" + bin + "make_bench_input' " + format + " 1 '" + (generated.path() / format / "doc").string() + "'",
             status);
    ASSERT_EQ(status, 0) << format;
  }
  const std::filesystem::path corpus = testing::corpus_dir();
  const bool with_corpus = !corpus.empty() && std::filesystem::is_directory(corpus);
  std::string command = "'" + tool + "' 'samples=" LETTRIX_SOURCE_DIR "/samples' 'generated=" +
                        generated.path().string() + "'";
  if (with_corpus) command += " 'corpus=" + corpus.string() + "'";
  const DigestMap now = parse_digests(run_tool(command + " 2>&1", status), true);
  ASSERT_EQ(status, 0) << command;
  const DigestMap kept =
      parse_digests(testing::read_file(LETTRIX_SOURCE_DIR "/tests/data/output_digests.txt"), with_corpus);
  ASSERT_GE(kept.size(), 270u) << "the kept list is missing or short";

  int differences = 0;
  for (const auto& [conversion, digest] : kept) {
    auto found = now.find(conversion);
    if (found == now.end()) {
      ADD_FAILURE() << conversion << ": no longer converted (kept: " << digest << ")";
      ++differences;
    } else if (found->second != digest) {
      ADD_FAILURE() << conversion << ": now " << found->second << ", kept " << digest;
      ++differences;
    }
    if (differences > 20) break;
  }
  for (const auto& [conversion, digest] : now) {
    if (!kept.count(conversion)) ADD_FAILURE() << conversion << ": not in the kept list (" << digest << ")";
  }
  EXPECT_EQ(now.size(), kept.size());
}

}  // namespace
}  // namespace lettrix
