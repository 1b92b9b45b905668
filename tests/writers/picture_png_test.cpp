// The helpers the picture-showing writers share: Base64 (the test vectors
// of RFC 4648), lengths in points, a picture's bytes and its stand-in.
#include "writers/picture_png.h"

#include <gtest/gtest.h>

#include "support/block_input.h"
#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix {
namespace {

TEST(PicturePng, Base64PointsBytesAndPlaceholder) {
  const std::pair<std::string, std::string> base64[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {std::string("\xFF\xFE\x00", 3), "//4A"},
  };
  for (const auto& [bytes, text] : base64) {
    std::string out = "data:";
    append_base64(out, bytes);
    EXPECT_EQ(out, "data:" + text) << bytes;
  }
  EXPECT_EQ(points_text(185), "185");
  EXPECT_EQ(points_text(112.5), "112.5");
  EXPECT_EQ(points_text(0.04), "0");

  // Height 113, width 185 in the stream; digits in either case, a last odd one dropped.
  const std::string stream = testing::stream_of("{Picture 1 113x185 00fFa}");
  StreamItem item;
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  FilePtr f = open_file(dir.file("s"), "rb");
  BlockInput input(f.get());
  ASSERT_TRUE(read_stream_item(input, item));
  EXPECT_EQ(picture_bytes(item), std::string("\x00\xFF", 2));
  EXPECT_EQ(picture_placeholder(item), "[picture 185 \xC3\x97 113]");
}

}  // namespace
}  // namespace lettrix
