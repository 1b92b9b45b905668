// Disk images converted as folders by lettrix-convert: every document of an
// HFS volume made by hfsutils and of an MFS volume in a Disk Copy 4.2 image
// converts to what its MacBinary form converts to, below a folder named
// after the image; --identify lists them; a damaged image converts what it
// can and says what it cannot.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "builders/disk_image_builder.h"
#include "builders/wrapper_builder.h"
#include "core/source_view.h"
#include "test_util.h"
#include "volumes/volume_test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::read_file;
using testing::run_cli;
using testing::ScratchDir;
using testing::write_file;

struct Document {
  std::string mac_name;  // in the volume, Mac Roman
  std::string pc_path;   // below the image's folder
  std::string macbinary;
};

// The samples in MacBinary II (their forks and codes), a styled text among
// them, and a text whose name a PC cannot hold as it is.
std::vector<Document> documents() {
  std::vector<Document> docs;
  for (const auto& p : fs::recursive_directory_iterator(fs::path(LETTRIX_SOURCE_DIR) / "samples")) {
    if (p.path().extension() != ".bin") continue;
    SourceFile f;
    std::string error;
    if (!open_source_file(p.path().string(), f, error)) continue;
    const std::string stem = p.path().parent_path().filename().string() + " " + p.path().stem().string();
    docs.push_back({stem, stem, build::macbinary_ii(testing::fork_bytes(f.data),
                                                    {stem, f.type, f.creator, testing::fork_bytes(f.resource)})});
  }
  std::string big;  // large enough to be handed to a worker
  for (int line = 0; line < 3000; ++line) big += "Line " + std::to_string(line) + " of a long read-me\r";
  docs.push_back({"Long read-me", "Long read-me", build::macbinary_ii(big, {"Long read-me", "TEXT", "ttxt", ""})});
  docs.push_back({"R\x8Esum\x8E 1/2: \xA5", "Résumé 1_2_ •",
                  build::macbinary_ii("Dear Paul,\rThank you.\r", {"x", "TEXT", "ttxt", ""})});
  return docs;
}

TEST(DiskImageCommandLine, EveryDocumentConvertsAsItsMacBinaryForm) {
  if (!testing::have_hfsutils()) GTEST_SKIP() << "hfsutils is not installed";
  const std::vector<Document> docs = documents();
  ASSERT_GE(docs.size(), 8u);
  ScratchDir build_dir, dir;
  ASSERT_TRUE(testing::hformat_image(build_dir, "hfs.img", "Samples", 2880));
  std::string commands = "hmkdir :Docs";
  std::vector<build::VolumeFile> mfs_files;
  fs::create_directories(dir.path() / "disks");
  fs::create_directories(dir.path() / "bin");
  for (std::size_t i = 0; i < docs.size(); ++i) {
    const std::string bin = "d" + std::to_string(i) + ".bin";
    write_file(build_dir.file(bin), docs[i].macbinary);
    write_file(dir.file("bin/" + docs[i].pc_path), docs[i].macbinary);
    commands += " && hcopy -m " + bin + " :Docs:";
    SourceFile f;
    std::string error;
    ASSERT_TRUE(open_source_file(build_dir.file(bin), f, error)) << error;
    mfs_files.push_back({docs[i].mac_name, f.type, f.creator, testing::fork_bytes(f.data), testing::fork_bytes(f.resource)});
  }
  ASSERT_TRUE(testing::run_in(build_dir, commands + " && humount"));
  // hcopy names each file by the name its MacBinary header keeps.
  fs::copy_file(build_dir.file("hfs.img"), dir.path() / "disks" / "hfs.img");
  write_file(dir.file("disks/floppy.image"),
             build::disk_copy_42(build::mfs_volume(mfs_files, {.volume_name = "Floppy", .block_size = 1024,
                                                               .spare_blocks = 4, .interleave = true}),
                                 "Floppy"));

  // Each MacBinary form alone, then both images as folders, one file at a
  // time and in parallel.
  CliRun r = run_cli(dir, "-t rtf-ansi -o ref 'bin/*'");
  ASSERT_EQ(r.status, 0) << r.err;
  r = run_cli(dir, "-t rtf-ansi -r -o one --report one.jsonl 'disks/*'");
  EXPECT_EQ(r.status, 0) << r.err;
  const CliRun two = run_cli(dir, "-j 2 -t rtf-ansi -r -o two 'disks/*'");
  EXPECT_EQ(two.status, 0) << two.err;
  std::map<std::string, std::string> names;  // MacBinary header name -> PC name of the hfsutils copy
  for (std::size_t i = 0; i < docs.size(); ++i) {
    const std::string ref = read_file(dir.file("ref/" + docs[i].pc_path + ".rtf"));
    ASSERT_FALSE(ref.empty()) << docs[i].pc_path;
    // hfsutils names the file after the MacBinary header; the builder's MFS
    // volume after the document.
    const std::string hfs_name = i + 1 == docs.size() ? "x" : docs[i].mac_name;
    for (const std::string out : {"one", "two"}) {
      EXPECT_TRUE(read_file(dir.file(out + "/hfs/Docs/" + hfs_name + ".rtf")) == ref) << out << " hfs " << hfs_name;
      EXPECT_TRUE(read_file(dir.file(out + "/floppy/" + docs[i].pc_path + ".rtf")) == ref) << out << " mfs " << docs[i].pc_path;
    }
  }
  // One record per document, each naming its image.
  const std::string report = read_file(dir.file("one.jsonl"));
  EXPECT_EQ(static_cast<std::size_t>(std::count(report.begin(), report.end(), '\n')), 2 * docs.size());
  EXPECT_NE(report.find("\"image\":\"disks/floppy.image\""), std::string::npos);
  EXPECT_NE(report.find("\"image\":\"disks/hfs.img\""), std::string::npos);

  // Without -o the targets go in a folder beside the image; without -r only
  // the volume's top folder is converted (the HFS documents are in Docs).
  r = run_cli(dir, "-t utf8 disks/hfs.img");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "disks/hfs.img: error: no file in the disk image's top folder (-r walks its folders)\n0 converted, 1 failed, 0 skipped\n");
  r = run_cli(dir, "-t utf8 disks/floppy.image");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(dir.file("disks/floppy/" + docs.back().pc_path + ".txt")), "\xEF\xBB\xBF" "Dear Paul,\nThank you.\n");

  r = run_cli(dir, "--identify disks/floppy.image");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "disks/floppy.image: disk image (Disk Copy 4.2 (MFS)) \"Floppy\", " + std::to_string(docs.size()) + " files");
  EXPECT_NE(r.out.find("disks/floppy.image/" + docs.back().pc_path + ": Mac Text Only (certain)\n"), std::string::npos);
}

// A damaged image: what can be read converts, the damage is named, the run
// fails; an image cut before its volume is no image (a file passed over).
TEST(DiskImageCommandLine, DamagedImagesSayWhatTheyCouldNotRead) {
  ScratchDir dir;
  std::vector<build::VolumeFile> files;
  for (int i = 0; i < 6; ++i)
    files.push_back({"Text " + std::to_string(i), "TEXT", "ttxt", std::string(3000, static_cast<char>('a' + i)) + "\r", ""});
  std::string image = build::disk_copy_42(build::mfs_volume(files), "Six");
  write_file(dir.file("good.image"), image);
  image[84 + 1024 + 40] ^= 0x55;  // a byte of the master directory block's map: the checksum no longer holds
  write_file(dir.file("bad.image"), image);
  CliRun r = run_cli(dir, "-t ascii -o out good.image bad.image");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("bad.image: error: damaged disk image (Disk Copy 4.2 (MFS)): "), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("good.image/Text 5 -> out/good/Text 5.asc"), std::string::npos) << r.out;
  // Named by its absolute path, its files handed to workers.
  r = run_cli(dir, "-j 2 -t ascii -o abs '" + dir.file("good.image") + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(dir.file("good.image") + "/Text 0 -> abs/good/Text 0.asc\n"), std::string::npos) << r.out;
  write_file(dir.file("cut.image"), image.substr(0, 600));
  r = run_cli(dir, "-t ascii cut.image");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "cut.image: skipped: not a Macintosh document we read\n");
}

}  // namespace
}  // namespace lettrix
