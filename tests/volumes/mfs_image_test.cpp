// MFS volumes and Disk Copy 4.2 images from the builder: the builder's
// bytes where the formats fix them, names made safe, forks (fragmented ones
// too) handed to the readers, which read a document from a volume as they
// read its MacBinary form.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "builders/disk_image_builder.h"
#include "cli/convert_command.h"
#include "core/source_detection.h"
#include "volumes/volume_names.h"
#include "volumes/volume_test_util.h"

namespace lettrix::testing {
namespace {

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    out += digits[static_cast<std::uint8_t>(c) >> 4];
    out += digits[static_cast<std::uint8_t>(c) & 15];
  }
  return out;
}

TEST(DiskImageBuilder, WritesTheLayoutsByteForByte) {
  // Two files of two blocks each, dealt out in turn: chains 2-4 and 3-5.
  const std::string disk = build::mfs_volume(
      {{.name = "A", .data = std::string(1500, 'a')}, {.name = "B", .data = std::string(1500, 'b')}},
      {.volume_name = "Vol", .interleave = true});
  EXPECT_EQ(hex(disk.substr(1024, 40)),
            "D2D7" "0000000000000000" "0000" "0002" "0003" "0001" "0006" "00000400" "00001000" "0004"
            "00000003" "0002" "03566F6C");
  EXPECT_EQ(hex(disk.substr(1088, 9)), "0040050010010000" "00");  // 4, 5, end, end, free, free
  EXPECT_EQ(hex(disk.substr(3 * 512, 8)), "8000544558547474");   // used entry, TEXT/tt
  EXPECT_EQ(disk.size(), 4u * 512 + 6 * 1024);
  // Disk Copy 4.2: the published checksum of 1024 bytes ((i * 37 + 11) & 0xFF),
  // which adds each word and rotates the sum right.
  std::string ramp(1024, '\0');
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  EXPECT_EQ(build::disk_copy_checksum(ramp), 0xC3061860u);
  const std::string image = build::disk_copy_42(ramp, "Ramp");
  EXPECT_EQ(hex(image.substr(0, 5)), "0452616D70");
  EXPECT_EQ(hex(image.substr(64, 20)), "00000400" "00000000" "C3061860" "00000000" "0122" "0100");
  EXPECT_EQ(image.substr(84), ramp);
}

TEST(VolumeNames, MacNamesBecomeNamesAPcHolds) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Letter", "Letter"},
      {"R\x8Esum\x8E", "Résumé"},
      {"a/b:c\\d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
      {"tab\there\x7F", "tab_here_"},
      {".", "_"},
      {"..", "__"},
      {"end. .", "end___"},
      {"", "_"},
      {"\xA5 \xD2x\xD3 \xC9", "• “x” …"},
      {"1\xDA" "2", "1_2"},  // the fraction slash stands as a slash in our tables
  };
  for (const auto& [mac, pc] : cases) EXPECT_EQ(safe_file_name(mac), pc) << mac;
  EXPECT_EQ(safe_file_name(std::string(255, '\x8E')).size(), 254u);  // whole characters of 2 bytes
  EXPECT_EQ(mac_roman_to_utf8("Caf\x8E/\x01"), "Café/_");
}

TEST(MfsImages, FilesKeepTheirForksCodesAndNames) {
  const std::string resource = "resource fork " + std::string(3000, 'r');
  std::string long_data;
  for (int i = 0; i < 900; ++i) long_data += std::to_string(i) + " ";
  const std::vector<build::VolumeFile> files = {
      {.name = "Letter", .type = "WORD", .creator = "MACA", .data = "a letter", .resource = resource},
      {.name = "a/b", .data = long_data},
      {.name = "a:b", .data = "second"},
      {.name = "Caf\x8E.txt", .data = ""},
  };
  const std::vector<std::string> expected = {"Letter WORD/MACA 8+3014", "a_b TEXT/ttxt 3490+0",
                                             "a_b (2) TEXT/ttxt 6+0", "Café.txt TEXT/ttxt 0+0"};
  ScratchDir dir;
  for (const bool interleave : {false, true}) {
    const std::string disk = build::mfs_volume(files, {.volume_name = "Caf\x8E", .interleave = interleave});
    for (const bool disk_copy : {false, true}) {
      SCOPED_TRACE(std::to_string(interleave) + std::to_string(disk_copy));
      write_file(dir.file("disk.img"), disk_copy ? build::disk_copy_42(disk, "Caf\x8E") : disk);
      const Volume volume = list_file(dir.file("disk.img"));
      EXPECT_EQ(volume.kind, disk_copy ? "Disk Copy 4.2 (MFS)" : "MFS");
      EXPECT_EQ(volume.name, "Café");
      EXPECT_EQ(listing(volume), expected);
      EXPECT_TRUE(volume.problems.empty()) << volume.problems.front();
      ASSERT_EQ(volume.entries.size(), files.size());
      EXPECT_EQ(volume.entries[1].data.contiguous(), !interleave);
      for (std::size_t i = 0; i < files.size(); ++i) {
        SourceFile file;
        std::string error;
        ASSERT_TRUE(open_volume_entry(open_plain_fork(dir.file("disk.img")), volume.entries[i], file, error)) << error;
        EXPECT_EQ(fork_bytes(file.data), files[i].data);
        EXPECT_EQ(fork_bytes(file.resource), files[i].resource);
        EXPECT_EQ(file.creator, files[i].creator);
        EXPECT_EQ(file.wrapper, WrapperKind::None);
      }
    }
  }
}

TEST(MfsImages, NamesMadeOneAreNumberedWithinTheLengthOfAName) {
  const std::string x(249, 'x'), a = "a/" + x + ".txt", b = "a:" + x + ".txt";  // 255 bytes
  const std::string e(122, '\x8E'), accents = e + ".eeeeeeeee";  // é: two bytes in UTF-8
  const Volume volume = list_bytes(build::mfs_volume(
      {{.name = a}, {.name = b}, {.name = b}, {.name = "X.TXT"}, {.name = "x.txt"}, {.name = accents}, {.name = accents}}));
  ASSERT_EQ(volume.entries.size(), 7u);
  EXPECT_EQ(volume.entries[0].path, "a_" + x + ".txt");
  EXPECT_EQ(volume.entries[1].path, "a_" + x.substr(0, 245) + " (2).txt");
  EXPECT_EQ(volume.entries[2].path, "a_" + x.substr(0, 245) + " (3).txt");
  EXPECT_EQ(volume.entries[4].path, "x (2).txt");
  std::string shortened;
  for (int i = 0; i < 120; ++i) shortened += "é";
  EXPECT_EQ(volume.entries[6].path, shortened + " (2).eeeeeeeee");  // 241 bytes of room: 120 whole é
  EXPECT_EQ(listing_fault(volume, 1 << 20), "");
}

std::size_t open_descriptors() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

TEST(MfsImages, GatheredForksLeaveNoDescriptorBehind) {
  if (!std::filesystem::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc/self/fd";
  ScratchDir dir;
  write_file(dir.file("disk.img"), build::mfs_volume({{.name = "A", .data = std::string(3000, 'a')},
                                                      {.name = "B", .data = std::string(3000, 'b')}},
                                                     {.block_size = 512, .interleave = true}));
  const SourceFork image = open_plain_fork(dir.file("disk.img"));
  const Volume volume = list_file(dir.file("disk.img"));
  ASSERT_FALSE(volume.entries.at(0).data.contiguous());
  const std::size_t before = open_descriptors();
  for (int i = 0; i < 200; ++i) {
    SourceFile file;
    std::string error;
    ASSERT_TRUE(open_volume_entry(image, volume.entries[0], file, error)) << error;
    ASSERT_EQ(file.data.size, 3000u);
  }
  EXPECT_EQ(open_descriptors(), before);
}

// The stream the reader of the row makes of the file, through the same door
// as the driver.
std::string stream_of_source(int row, const std::string& path) {
  const ScratchDir out;
  std::ostringstream err;
  std::string damage;
  EXPECT_EQ(read_source_stream(row, path, out.file("s.lxs"), err, damage), 0) << err.str();
  EXPECT_EQ(damage, "");
  return read_file(out.file("s.lxs"));
}

TEST(MfsImages, ReadersReadADocumentOnAVolumeAsItsMacBinaryForm) {
  ScratchDir dir;
  for (const char* sample : {"nisus/letter.bin", "mac-text/readme-styled.bin", "macwrite-4.6/letter.bin"}) {
    SCOPED_TRACE(sample);
    const std::string bin = std::string(LETTRIX_SOURCE_DIR) + "/samples/" + sample;
    SourceFile f;
    std::string error;
    ASSERT_TRUE(open_source_file(bin, f, error)) << error;
    // Fragmented: the file's forks interleaved with those of another.
    const std::string disk = build::mfs_volume(
        {{.name = "Doc", .type = f.type, .creator = f.creator, .data = fork_bytes(f.data), .resource = fork_bytes(f.resource)},
         {.name = "Other", .data = std::string(5000, 'o'), .resource = std::string(5000, 'p')}},
        {.block_size = 512, .interleave = true});
    write_file(dir.file("disk.img"), disk);
    const Volume volume = list_file(dir.file("disk.img"));
    ASSERT_FALSE(volume.entries.empty());
    SourceFile entry;
    ASSERT_TRUE(open_volume_entry(open_plain_fork(dir.file("disk.img")), volume.entries[0], entry, error)) << error;
    // The driver's hand-over: a name that stands for the entry (the lead's
    // walk gives one), published with the entry's forks.
    const std::string name = dir.file("Doc");
    write_file(name, "");
    publish_source(name, entry);
    // Detection looks at a plain file's bytes only: the row is the one
    // the MacBinary form is detected as.
    const int row = detect_format(bin).source_row;
    const std::string from_volume = stream_of_source(row, name);
    withdraw_source();
    EXPECT_FALSE(from_volume.empty());
    EXPECT_EQ(from_volume, stream_of_source(row, bin));
  }
}

}  // namespace
}  // namespace lettrix::testing
