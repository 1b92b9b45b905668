// A batch told to stop: the file being converted is finished, no file after
// it is tried, and nothing half-made is left, whichever file it stops after
// (in a folder, in a subfolder, among the files of a disk image).
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "builders/disk_image_builder.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;
using testing::write_file;

int copy_handler(const char* in, const char* out) {
  write_file(out, testing::read_file(in));
  return 0;
}

// Every file name below the working directory.
std::vector<std::string> tree() {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::recursive_directory_iterator("."))
    if (e.is_regular_file()) names.push_back(e.path().lexically_relative(".").string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(BatchStop, StopsAfterAnyFileWithNothingHalfDone) {
  ScratchDir dir{true};
  init_path_buffers();
  choose_formats(SrcMacText, DstAscii);
  set_chosen_handlers(copy_handler, copy_handler);
  build::VolumeFile letter{.name = "Letter", .data = "Dear Paul"};
  build::VolumeFile memo{.name = "Memo", .data = "Notes"};
  const std::string image = build::disk_copy_42(build::mfs_volume({letter, memo}), "Disk");
  // In batch order: a.txt, b.txt, disk.image/Letter, disk.image/Memo, sub/c.txt.
  const std::vector<std::string> order = {"a.txt", "b.txt", "disk.image/Letter", "disk.image/Memo", "sub/c.txt"};
  const std::vector<std::string> targets = {"a.asc", "b.asc", "disk/Letter.asc", "disk/Memo.asc", "sub/c.asc"};
  for (std::size_t stop_after = 0; stop_after <= order.size(); ++stop_after) {
    SCOPED_TRACE(stop_after);
    for (const auto& e : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(e.path());
    std::filesystem::create_directory("sub");
    write_file("a.txt", "a");
    write_file("b.txt", "b");
    write_file("disk.image", image);
    write_file("sub/c.txt", "c");
    std::atomic<bool> stop{stop_after == 0};
    std::size_t started = 0;
    std::size_t done = 0;
    set_batch_file_hook([&](const std::string&, const ConversionResult* r) {
      if (!r) ++started;
      else if (++done == stop_after) stop = true;
    });
    set_batch_stop(&stop);
    const std::vector<ConversionResult> results = convert_batch("*", BatchRecursive);
    set_batch_stop(nullptr);
    set_batch_file_hook(nullptr);
    ASSERT_EQ(results.size(), stop_after);
    EXPECT_GE(started, results.size());  // the image itself is started too
    std::vector<std::string> expected = {"a.txt", "b.txt", "disk.image", "sub/c.txt"};
    for (std::size_t i = 0; i < results.size(); ++i) {
      EXPECT_EQ(results[i].source, order[i]);
      EXPECT_TRUE(results[i].ok()) << results[i].message();
      expected.push_back(targets[i]);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(tree(), expected);  // no stream, list or unfinished target left
  }
}

}  // namespace
}  // namespace lettrix
