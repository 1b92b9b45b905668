// The real MacBinary files of the shared corpus: their resource forks, as the
// Resource Manager wrote them, walk cleanly; and the Nisus Writer and Works
// readers take none of the other formats' documents for their own (a text
// file in MacBinary is what a Nisus Writer document is to the Finder).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/byte_helpers.h"
#include "core/resource_fork.h"
#include "core/source_view.h"
#include "readers/macwrite_test_support.h"
#include "readers/nisus.h"
#include "readers/works_mac.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> corpus_files() {
  std::vector<fs::path> files;
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty()) return files;
  for (const auto& folder : fs::directory_iterator(corpus))
    if (folder.is_directory())
      for (const auto& entry : fs::directory_iterator(folder.path()))
        if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool is_macbinary(const std::string& bytes) {
  return bytes.size() >= 128 && bytes[0] == 0 && bytes[1] > 0 && bytes[1] < 64 && bytes[74] == 0 && bytes[82] == 0;
}

TEST(MacResourceCorpus, RealResourceForksWalk) {
  int forks = 0;
  for (const fs::path& path : corpus_files()) {
    if (path.extension() != ".bin") continue;
    const std::string bytes = testing::read_file(path.string());
    ASSERT_TRUE(is_macbinary(bytes)) << path;
    const auto* header = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::uint32_t data_length = be32_at(header + 83);
    const std::uint32_t resource_length = be32_at(header + 87);
    if (resource_length == 0) continue;
    SourceFile file;
    std::string error;
    ASSERT_TRUE(open_source_file(path.string(), file, error)) << path << ": " << error;
    ASSERT_EQ(file.data.size, data_length) << path;
    ASSERT_EQ(file.resource.size, resource_length) << path;
    SourceView view(file.resource);
    ResourceFork fork(view);
    ASSERT_EQ(fork.read_map(), ResourceForkStatus::Ok) << path;
    EXPECT_FALSE(fork.refs().empty()) << path;
    std::vector<std::uint8_t> data;
    for (const ResourceRef& ref : fork.refs()) EXPECT_TRUE(fork.read_data(ref, data)) << path << " " << ref.id;
    ++forks;
  }
  if (forks == 0) GTEST_SKIP() << "no corpus";
}

TEST(MacResourceCorpus, OtherFormatsAreRefused) {
  int files = 0;
  for (const fs::path& path : corpus_files()) {
    const std::string bytes = testing::read_file(path.string());
    const bool text_file = path.extension() == ".bin" && bytes.compare(65, 4, "TEXT") == 0;
    const testing::ReaderRun nisus = testing::run_reader(orig_nisus, bytes);
    EXPECT_EQ(nisus.rc, text_file ? 0 : -1) << path;
    EXPECT_TRUE(testing::well_formed(nisus.stream)) << path;
    for (Handler works : {orig_works_mac2, orig_works_mac3})
      EXPECT_EQ(testing::run_reader(works, bytes).rc, -1) << path;
    ++files;
  }
  if (files == 0) GTEST_SKIP() << "no corpus";
}

}  // namespace
}  // namespace lettrix
