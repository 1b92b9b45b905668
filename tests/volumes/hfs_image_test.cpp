// HFS volumes made by hfsutils, listed and handed to the readers: every
// sample keeps its forks, codes and folder; the same volume reads the same
// in a Disk Copy 4.2 image and in partition maps; a fragmented fork comes
// whole through the extents overflow file; a thousand files list quickly.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "builders/disk_image_builder.h"
#include "builders/wrapper_builder.h"
#include "volumes/volume_test_util.h"

namespace lettrix::testing {
namespace {

namespace fs = std::filesystem;

struct Expected {
  std::string path, type, creator, data, resource;
};

// The forks of the entry as a reader gets them from the image file.
void expect_forks(const std::string& image, const Volume& volume, const Expected& e) {
  SCOPED_TRACE(e.path);
  const VolumeEntry* entry = find_entry(volume, e.path);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->type, e.type);
  EXPECT_EQ(entry->creator, e.creator);
  SourceFile file;
  std::string error;
  ASSERT_TRUE(open_volume_entry(open_plain_fork(image), *entry, file, error)) << error;
  EXPECT_EQ(file.type, e.type);
  EXPECT_EQ(fork_bytes(file.data), e.data);
  EXPECT_TRUE(file.resource.present());
  EXPECT_EQ(fork_bytes(file.resource), e.resource);
}

std::size_t index_of(const Volume& volume, const std::string& path) {
  for (std::size_t i = 0; i < volume.entries.size(); ++i)
    if (volume.entries[i].path == path) return i;
  return volume.entries.size();
}

TEST(HfsImages, SamplesKeepTheirForksCodesAndFoldersInEveryForm) {
  if (!have_hfsutils()) GTEST_SKIP() << "hfsutils is not installed";
  ScratchDir dir;
  ASSERT_TRUE(hformat_image(dir, "disk.img", "Samples", 1440));
  std::vector<Expected> expected;
  std::string commands = "hmkdir :Samples";
  std::set<std::string> folders;
  int n = 0;
  for (const auto& p : fs::recursive_directory_iterator(fs::path(LETTRIX_SOURCE_DIR) / "samples")) {
    if (p.path().extension() != ".bin") continue;
    SourceFile f;
    std::string error;
    ASSERT_TRUE(open_source_file(p.path().string(), f, error)) << p.path() << ": " << error;
    const std::string folder = p.path().parent_path().filename().string(), stem = p.path().stem().string();
    Expected e{"Samples/" + folder + "/" + stem, f.type, f.creator, fork_bytes(f.data), fork_bytes(f.resource)};
    const std::string bin = "s" + std::to_string(++n) + ".bin";
    write_file(dir.file(bin), build::macbinary_ii(e.data, {stem, e.type, e.creator, e.resource}));
    if (folders.insert(folder).second) commands += " && hmkdir :Samples:" + folder;
    commands += " && hcopy -m " + bin + " :Samples:" + folder + ":";
    expected.push_back(std::move(e));
  }
  ASSERT_GE(expected.size(), 6u);
  // Names a PC cannot hold as they are: Mac Roman accents, a slash, a
  // trailing dot, a name that is only dots.
  const std::vector<std::pair<std::string, std::string>> names = {
      {"R\x8Esum\x8E 1/2", "Résumé 1_2"}, {"Fin.", "Fin_"}, {"..", "__"}, {"\xA5 \xD2" "Q\xD3", "• “Q”"}};
  for (const auto& [mac, pc] : names) {
    const std::string bin = "n" + std::to_string(++n) + ".bin";
    write_file(dir.file(bin), build::macbinary_ii("text of " + pc, {mac, "TEXT", "ttxt", ""}));
    commands += " && hcopy -m " + bin + " :";
    expected.push_back({pc, "TEXT", "ttxt", "text of " + pc, ""});
  }
  ASSERT_TRUE(run_in(dir, commands + " && humount"));

  const std::string image = dir.file("disk.img");
  const Volume volume = list_file(image);
  EXPECT_EQ(volume.kind, "HFS");
  EXPECT_EQ(volume.name, "Samples");
  EXPECT_TRUE(volume.problems.empty()) << volume.problems.front();
  EXPECT_EQ(volume.entries.size(), 1 + folders.size() + expected.size());
  for (const Expected& e : expected) expect_forks(image, volume, e);
  EXPECT_LT(index_of(volume, "Samples"), index_of(volume, "Samples/nisus"));
  EXPECT_LT(index_of(volume, "Samples/nisus"), index_of(volume, "Samples/nisus/letter"));
  std::string kind, why_not;
  EXPECT_TRUE(probe_volume(open_plain_fork(image), kind, why_not));
  EXPECT_EQ(kind, "HFS");

  // The same volume in a Disk Copy 4.2 image and on partitioned disks.
  const std::string disk = read_file(image);
  const std::vector<std::pair<std::string, std::string>> forms = {
      {"Disk Copy 4.2 (HFS)", build::disk_copy_42(disk, "Samples")},
      {"HFS", build::partitioned_disk(disk)},
      {"HFS", build::partitioned_disk(disk, 2048)}};
  for (const auto& [form_kind, bytes] : forms) {
    write_file(dir.file("form.img"), bytes);
    const Volume form = list_file(dir.file("form.img"));
    EXPECT_EQ(form.kind, form_kind);
    EXPECT_EQ(listing(form), listing(volume));
    EXPECT_TRUE(form.problems.empty()) << form.problems.front();
    expect_forks(dir.file("form.img"), form, expected.front());
    expect_forks(dir.file("form.img"), form, expected.back());
  }
  // A Disk Copy image whose data changed since its checksum: still listed.
  std::string damaged = forms[0].second;
  damaged[84 + 700] ^= 0x01;
  const Volume form = list_bytes(damaged);
  EXPECT_EQ(form.problems, std::vector<std::string>{"Disk Copy 4.2: data checksum mismatch"});
  EXPECT_EQ(listing(form), listing(volume));
}

std::string pattern(std::size_t size, unsigned seed) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    s[i] = static_cast<char>(seed >> 16);
  }
  return s;
}

TEST(HfsImages, FragmentedForksComeWholeThroughTheOverflowExtents) {
  if (!have_hfsutils()) GTEST_SKIP() << "hfsutils is not installed";
  ScratchDir dir;
  ASSERT_TRUE(hformat_image(dir, "disk.img", "Holes", 800));
  fs::create_directory(dir.path() / "src");
  for (int i = 10; i < 110; ++i) write_file(dir.file("src/f" + std::to_string(i)), pattern(6000, i));
  const std::string big = pattern(400000, 7);
  write_file(dir.file("big"), big);
  std::string commands = "(cd src && hcopy -r f* :)";
  for (int i = 10; i < 110; i += 2) commands += " && hdel :f" + std::to_string(i);
  ASSERT_TRUE(run_in(dir, commands + " && hcopy -r big : && humount"));

  const std::string image = dir.file("disk.img");
  const Volume volume = list_file(image);
  EXPECT_TRUE(volume.problems.empty()) << volume.problems.front();
  EXPECT_EQ(volume.entries.size(), 51u);
  const VolumeEntry* entry = find_entry(volume, "big");
  ASSERT_NE(entry, nullptr);
  EXPECT_GT(entry->data.extents.size(), 3u);  // more than its catalog record holds
  SourceFile file;
  std::string error;
  const SourceFork whole = open_plain_fork(image);
  ASSERT_TRUE(open_volume_entry(whole, *entry, file, error)) << error;
  EXPECT_NE(file.data.file, whole.file);  // gathered into a work file
  EXPECT_EQ(fork_bytes(file.data), big);
  // A fork in one piece is a range of the image itself.
  const VolumeEntry* small = find_entry(volume, "f11");
  ASSERT_NE(small, nullptr);
  ASSERT_TRUE(open_volume_entry(whole, *small, file, error)) << error;
  EXPECT_EQ(file.data.file, whole.file);
  EXPECT_EQ(fork_bytes(file.data), pattern(6000, 11));
}

TEST(HfsImages, AThousandFilesAreListedInMilliseconds) {
  if (!have_hfsutils()) GTEST_SKIP() << "hfsutils is not installed";
  ScratchDir dir;
  ASSERT_TRUE(hformat_image(dir, "disk.img", "Many", 4096));
  fs::create_directory(dir.path() / "many");
  for (int i = 0; i < 1000; ++i) write_file(dir.file("many/n" + std::to_string(1000 + i)), std::to_string(i));
  ASSERT_TRUE(run_in(dir, "hmkdir :Box && (cd many && hcopy -r n* :Box:) && humount"));
  const auto start = std::chrono::steady_clock::now();
  const Volume volume = list_file(dir.file("disk.img"));
  const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("list_ms", std::to_string(ms));
  std::printf("listing 1,000 files took %.2f ms\n", ms);
  EXPECT_LT(ms, 1000.0);
  EXPECT_TRUE(volume.problems.empty()) << volume.problems.front();
  ASSERT_EQ(volume.entries.size(), 1001u);
  EXPECT_EQ(volume.entries[1].path, "Box/n1000");
  EXPECT_EQ(volume.entries[1000].path, "Box/n1999");
  EXPECT_EQ(volume.entries[500].data.size, 3u);
}

}  // namespace
}  // namespace lettrix::testing
