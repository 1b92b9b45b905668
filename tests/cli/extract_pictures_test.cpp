// lettrix-convert --extract-pictures: each picture of a document as a PICT
// file (512-byte header, then the picture) beside its PNG, and no file that
// was there before ever replaced.
#include <gtest/gtest.h>

#include <string>

#include "builders/macwrite_46_builder.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::mac_picture;
using build::MacWrite46Builder;
using testing::exists;
using testing::read_file;
using testing::run_cli;
using testing::ScratchDir;
using testing::write_file;

TEST(ExtractPictures, WritesEachPictureOnceAndReplacesNothing) {
  ScratchDir dir;
  const std::string first = mac_picture(0, 0, 20, 30);
  const std::string second = mac_picture(0, 0, 40, 10, "\xA0\x00\x82\xFF");  // a comment, then the end
  write_file(dir.file("manual.mw"), MacWrite46Builder{}
                                        .paragraph("Before\r")
                                        .picture({10, 20, 30, 50, first})
                                        .paragraph("Between\r")
                                        .picture({10, 20, 50, 30, second})
                                        .build());
  auto r = run_cli(dir, "-f macwrite-4.6 --extract-pictures pictures manual.mw");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("pictures/manual-01.pict\n"), std::string::npos) << r.out;
  EXPECT_EQ(read_file(dir.file("pictures/manual-01.pict")), std::string(512, '\0') + first);
  EXPECT_EQ(read_file(dir.file("pictures/manual-02.pict")), std::string(512, '\0') + second);
  EXPECT_FALSE(exists(dir.file("pictures/manual-03.pict")));

  // Again: every name is taken; nothing is replaced, each is reported.
  write_file(dir.file("pictures/manual-01.pict"), "mine");
  r = run_cli(dir, "-f macwrite-4.6 --extract-pictures pictures manual.mw");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("pictures/manual-01.pict: error: exists; not replaced"), std::string::npos) << r.err;
  EXPECT_EQ(read_file(dir.file("pictures/manual-01.pict")), "mine");
  EXPECT_FALSE(exists(dir.file("pictures/manual-01.pict.part")));

  // A document without pictures, and usage errors.
  write_file(dir.file("note"), "Just text\r");
  r = run_cli(dir, "-f mac-text --extract-pictures pictures note");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "note: no pictures\n");
  EXPECT_EQ(run_cli(dir, "--extract-pictures pictures note manual.mw").status, 2);
}

}  // namespace
}  // namespace lettrix
