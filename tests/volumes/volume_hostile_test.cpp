// Damaged and hostile images: each damage gives its problem and the rest of
// the listing, images cut short anywhere and mutated at random keep to what
// a listing promises (listing_fault), and nothing takes long.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "builders/builder_common.h"
#include "builders/disk_image_builder.h"
#include "core/byte_helpers.h"
#include "volumes/volume_test_util.h"

namespace lettrix::testing {
namespace {

// The listing of the first `size` bytes of the image, checked.
Volume list_prefix(const std::string& image, std::size_t size, bool& found) {
  SourceView view(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(image.data()), size));
  Volume volume;
  std::string why_not;
  found = read_volume(view, volume, why_not);
  EXPECT_EQ(found, why_not.empty());
  EXPECT_EQ(listing_fault(volume, size), "");
  return volume;
}

bool has_problem(const Volume& volume, const std::string& text) {
  return std::find(volume.problems.begin(), volume.problems.end(), text) != volume.problems.end();
}

std::string problems_of(const Volume& volume) {
  std::string all;
  for (const std::string& p : volume.problems) all += p + "\n";
  return all;
}

std::uint16_t be16_of(const std::string& s, std::size_t at) {
  return be16_at(reinterpret_cast<const std::uint8_t*>(s.data() + at));
}
std::uint32_t be32_of(const std::string& s, std::size_t at) {
  return be32_at(reinterpret_cast<const std::uint8_t*>(s.data() + at));
}

const std::vector<build::VolumeFile> kFiles = {
    {.name = "A", .data = std::string(3000, 'a'), .resource = std::string(700, 'r')},
    {.name = "B", .data = std::string(1500, 'b')},
    {.name = "C", .data = "c"},
};

TEST(HostileVolumes, MfsDamageGivesItsProblemAndTheRest) {
  const std::string disk = build::mfs_volume(kFiles, {.block_size = 512});
  // Block numbers of the layout: directory at 3, A's data 2-7, resource 8-9,
  // B 10-12, C 13; the map from byte 1088.
  ASSERT_EQ(be16_of(disk, 1024 + 14), 3);
  const auto set_map = [](std::string d, std::size_t block, std::uint16_t value) {
    const std::size_t index = block - 2, at = 1088 + index * 3 / 2;
    if (index % 2 == 0) {
      d[at] = static_cast<char>(value >> 4);
      d[at + 1] = static_cast<char>((d[at + 1] & 0x0F) | ((value & 0x0F) << 4));
    } else {
      d[at] = static_cast<char>((d[at] & 0xF0) | (value >> 8));
      d[at + 1] = static_cast<char>(value);
    }
    return d;
  };
  std::string huge_directory = disk, huge_blocks = disk, long_name = disk, bad_size = disk;
  build::set_be16(huge_directory, 1024 + 16, 0xFFFF);
  build::set_be16(huge_blocks, 1024 + 18, 0xFFFF);
  // C's entry (the third, at 104) made 246 bytes long, then an entry of 252
  // bytes at 350 that would end past the block.
  long_name[3 * 512 + 104 + 50] = static_cast<char>(195);
  long_name[3 * 512 + 350] = static_cast<char>(0x80);
  long_name[3 * 512 + 350 + 50] = static_cast<char>(200);
  build::set_be32(bad_size, 1024 + 20, 1000);
  struct Case {
    const char* what;
    std::string image;
    std::string problem;
    std::size_t entries;
  };
  const std::vector<Case> cases = {
      {"chain loops", set_map(disk, 4, 2), "file 'A': its data fork comes back to block 2", 3},
      {"chain to a free block", set_map(disk, 4, 0), "file 'A': its data fork leads to a free block", 3},
      {"chain leaves the volume", set_map(disk, 11, 4000), "file 'B': its data fork leads to block 4000, outside the volume", 3},
      {"chain ends early", set_map(disk, 11, 1), "file 'B': its data fork has 1024 of its 1500 bytes on the volume", 3},
      {"directory of 65535 blocks", huge_directory, "MFS: the file directory is cut short at its block 15", 3},
      {"65535 allocation blocks", huge_blocks, "MFS: the allocation block map is cut short", 3},
      {"cut in the files", disk.substr(0, 8 * 512), "file 'A': extent beyond the end of the image", 3},
      {"an entry past its block", long_name, "MFS: an entry of directory block 0 runs past the block", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool found = false;
    const Volume volume = list_prefix(c.image, c.image.size(), found);
    EXPECT_TRUE(found);
    EXPECT_TRUE(has_problem(volume, c.problem)) << problems_of(volume);
    EXPECT_EQ(volume.entries.size(), c.entries);
  }
  bool found = false;
  std::string kind, why_not;
  SourceView view(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bad_size.data()), bad_size.size()));
  EXPECT_FALSE(probe_volume(view, kind, why_not));
  EXPECT_EQ(why_not, "no Macintosh volume (no master directory block at byte 1024)");
  const std::string image = build::disk_copy_42(disk, "Cut");
  const Volume cut = list_prefix(image, 5000, found);
  EXPECT_EQ(cut.problems.front(), "Disk Copy 4.2: the image is cut short (4916 of its " + std::to_string(disk.size()) +
                                      " bytes of data)");
}

TEST(HostileVolumes, ManyFilesOfOneNameAreNumberedInLinearTime) {
  const std::vector<build::VolumeFile> same(20000, build::VolumeFile{.name = "A"});
  const auto start = std::chrono::steady_clock::now();
  const Volume volume = list_bytes(build::mfs_volume(same));
  ASSERT_EQ(volume.entries.size(), same.size());
  EXPECT_EQ(volume.entries.back().path, "A (20000)");
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
}

// An HFS volume of `files` files in a folder, made by hfsutils.
std::string hfs_image(const ScratchDir& dir, int files) {
  std::filesystem::create_directory(dir.path() / "many");
  for (int i = 0; i < files; ++i) write_file(dir.file("many/n" + std::to_string(1000 + i)), std::to_string(i));
  if (!hformat_image(dir, "disk.img", "Hostile", 800) ||
      !run_in(dir, "hmkdir :Box && (cd many && hcopy -r n* :Box:) && humount"))
    return {};
  return read_file(dir.file("disk.img"));
}

TEST(HostileVolumes, HfsDamageGivesItsProblemAndTheRest) {
  if (!have_hfsutils()) GTEST_SKIP() << "hfsutils is not installed";
  const ScratchDir dir;
  const std::string disk = hfs_image(dir, 200);
  ASSERT_FALSE(disk.empty());
  // Where the catalog's nodes are: its first extent holds them all here.
  const std::size_t catalog = be16_of(disk, 1024 + 28) * 512 + be16_of(disk, 1024 + 150) * be32_of(disk, 1024 + 20);
  const std::uint32_t first = be32_of(disk, catalog + 14 + 10);
  const std::uint32_t second = be32_of(disk, catalog + first * 512);
  ASSERT_NE(second, 0u);
  const std::size_t leaf = catalog + first * 512, next = catalog + second * 512;
  std::string cycle = disk, beyond = disk, outside = disk, count = disk, extent = disk, header = disk, nodes = disk;
  build::set_be32(cycle, next, first);
  build::set_be32(beyond, leaf, 0xFFFFFF);
  build::set_be16(outside, leaf + 510, 0x01FF);
  build::set_be16(count, leaf + 10, 0xFFFF);
  build::set_be32(header, catalog + 14 + 10, 0);
  build::set_be16(nodes, catalog + 14 + 18, 1000);
  // A file record's first extent moved past the volume's blocks.
  const std::size_t key = extent.find("\x05n1005");
  ASSERT_NE(key, std::string::npos);
  build::set_be16(extent, key - 6 + 12 + 74, 0xFFF0);
  const std::string n = std::to_string(first), m = std::to_string(second);
  struct Case {
    const char* what;
    const std::string& image;
    std::string problem;
    std::size_t entries = 0;  // 0: fewer than the 201 of the volume
    // (record 0 of the first leaf is the root folder's, which is not listed)
  };
  const std::vector<Case> cases = {
      // The leaves the links miss are found through the index nodes.
      {"leaves in a cycle", cycle, "HFS: catalog node " + m + " links back to node " + n, 201},
      {"a link beyond the file", beyond, "HFS: catalog node " + n + " links to node 16777215, beyond the end of the file", 201},
      {"a record outside its node", outside, "HFS: catalog node " + n + ": record 0 lies outside the node", 201},
      {"65535 records", count, "HFS: catalog node " + n + " claims 65535 records"},
      {"an extent beyond the volume", extent, "file 'n1005': extent beyond the end of the volume", 201},
      {"no first leaf", header, "HFS: catalog header names no first leaf", 201},
      {"nodes of 1000 bytes", nodes, "HFS: catalog node size 1000 is not usable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool found = false;
    const Volume volume = list_prefix(c.image, c.image.size(), found);
    EXPECT_TRUE(found);
    EXPECT_TRUE(has_problem(volume, c.problem)) << problems_of(volume);
    if (c.entries) {
      EXPECT_EQ(volume.entries.size(), c.entries);
    } else {
      EXPECT_LT(volume.entries.size(), 201u);
    }
  }
  // An HFS volume that wraps an HFS Plus one is refused by the probe as by
  // the listing.
  std::string wrapper = disk;
  build::set_be16(wrapper, 1024 + 124, 0x482B);
  bool wrapped = true;
  list_prefix(wrapper, wrapper.size(), wrapped);
  std::string kind, why_not;
  SourceView view(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(wrapper.data()), wrapper.size()));
  EXPECT_FALSE(wrapped || probe_volume(view, kind, why_not));
  EXPECT_EQ(why_not, "an HFS Plus volume (in an HFS wrapper): not read");
  // Cut short anywhere: what can be read, in bounded time.
  const auto start = std::chrono::steady_clock::now();
  int listed = 0;
  for (std::size_t size = 0; size < 160 * 1024; size += 509) {
    bool found = false;
    const Volume volume = list_prefix(disk, size, found);
    listed += found;
    if (found && size < 100 * 1024) {
      EXPECT_FALSE(volume.problems.empty()) << size;
    }
  }
  EXPECT_GT(listed, 200);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 20.0);
}

// Small images changed at a few random bytes (most near their start), many
// times over: no crash, no fault, quick.
TEST(HostileVolumes, FortyThousandMutationsKeepToTheListingsPromises) {
  std::vector<std::string> seeds = {build::mfs_volume(kFiles, {.block_size = 512, .interleave = true})};
  seeds.push_back(build::disk_copy_42(seeds[0], "Seed"));
  if (have_hfsutils()) {
    const ScratchDir dir;
    const std::string disk = hfs_image(dir, 12);
    ASSERT_FALSE(disk.empty());
    seeds.push_back(disk.substr(0, 20 * 1024));
  }
  std::uint32_t random = 12345;
  const auto next = [&random](std::uint32_t bound) {
    random = random * 1664525u + 1013904223u;
    return (random >> 8) % bound;
  };
  const auto start = std::chrono::steady_clock::now();
  int listed = 0;
  for (int i = 0; i < 40000; ++i) {
    std::string image = seeds[i % seeds.size()];
    const int changes = 1 + static_cast<int>(next(8));
    for (int k = 0; k < changes; ++k) {
      const std::size_t at = next(4) == 0 ? next(static_cast<std::uint32_t>(image.size())) : next(4096);
      image[at] = static_cast<char>(next(4) == 0 ? 0xFF : next(256));
    }
    bool found = false;
    list_prefix(image, image.size(), found);
    listed += found;
    if (::testing::Test::HasFailure()) break;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("40,000 mutated images: %d listed, %.2f s\n", listed, seconds);
  EXPECT_GT(listed, 10000);
}

}  // namespace
}  // namespace lettrix::testing
