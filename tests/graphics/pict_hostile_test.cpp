// Pictures cut short or built to harm: the renderer ends with a note, keeps
// what it drew, and stays within its limits.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "builders/builder_common.h"
#include "builders/pict_builder.h"
#include "graphics/pict_render.h"
#include "graphics/pict_test_image.h"

namespace lettrix {
namespace {

using build::pict_of;
using build::PictBuilder;
using build::PictRect;
using build::RegionLine;

constexpr PictRect kFrame{0, 0, 40, 40};

bool render(const std::string& pict, RenderedPicture& out, const PictLimits& limits = {}) {
  return render_pict({reinterpret_cast<const std::uint8_t*>(pict.data()), pict.size()}, out, limits);
}

// A picture with most kinds of data: regions, polygons, text, bitmaps.
std::string rich(int version) {
  PictBuilder b(version, kFrame);
  b.region(0x01, kFrame, {RegionLine{0, {0, 40}}, RegionLine{40, {0, 40}}});
  b.pattern(0x09, build::kGrayPat).pen_size(2, 2).shape(0x30, PictRect{5, 5, 35, 35}).arc(0x61, kFrame, 0, 90);
  b.polygon(0x71, {{0, 0}, {0, 40}, {40, 0}});
  b.region(0x81, PictRect{0, 0, 20, 20}, {RegionLine{0, {0, 20}}, RegionLine{10, {10, 20}}, RegionLine{20, {0, 10}}});
  b.long_text(30, 2, "Text");
  b.bitmap(0x98, PictRect{0, 0, 2, 64}, {std::string(64, '#'), std::string(64, '.')}, PictRect{0, 0, 2, 64},
           PictRect{30, 0, 40, 40}, 0);
  if (version == 2) {
    b.pixmap(PictRect{0, 0, 2, 16}, 8, {std::vector<int>(16, 1), std::vector<int>(16, 0)}, {0xFFFFFF, 0x000000},
             PictRect{0, 20, 10, 40});
    b.direct(PictRect{0, 0, 2, 8}, 32, 4, {std::vector<std::uint32_t>(8, 0xFF), std::vector<std::uint32_t>(8, 0)},
             PictRect{10, 20, 20, 40});
  }
  return b.finish();
}

TEST(PictHostile, EveryPrefixOfAPictureEndsWithANote) {
  for (int version : {1, 2}) {
    const std::string whole = rich(version);
    RenderedPicture full;
    ASSERT_TRUE(render(whole, full));
    EXPECT_EQ(full.note, "");
    for (std::size_t n = 0; n < whole.size(); ++n) {
      RenderedPicture out;
      const bool drawn = render(whole.substr(0, n), out);
      EXPECT_FALSE(out.note.empty()) << "version " << version << ", " << n << " bytes";
      EXPECT_EQ(drawn, n >= 10) << n;
      EXPECT_TRUE(!drawn || testing::DecodedPng(out.png).ok());
    }
  }
}

struct HostileCase {
  const char* name;
  std::string pict;
  bool drawn;          // render_pict's result
  const char* note;    // what the note says (a part of it)
};

std::string v1(const std::function<void(PictBuilder&)>& ops, PictRect frame = kFrame) { return pict_of(1, frame, ops); }
std::string v2(const std::function<void(PictBuilder&)>& ops, PictRect frame = kFrame) { return pict_of(2, frame, ops); }

TEST(PictHostile, LengthsAndSizesBeyondTheDataOrTheLimits) {
  // A region whose every scan line opens two more spans: some 30000
  // rectangles from 2 KB.
  std::vector<RegionLine> endless;
  for (int y = 0; y < 180; ++y) endless.push_back(RegionLine{y, {-2 * y - 2, -2 * y - 1, 2 * y, 2 * y + 1}});
  const std::vector<HostileCase> cases = {
      {"frame beyond every limit", v1([](PictBuilder&) {}, PictRect{-32768, -32768, 32767, 32767}), false, "pixel limit"},
      {"empty frame", v1([](PictBuilder&) {}, PictRect{10, 10, 10, 40}), false, "empty"},
      {"no version opcode", std::string("\0\x0c\0\0\0\0\0\x28\0\x28\x31\0", 12), true, "no picture version"},
      {"long comment longer than the picture", v2([](PictBuilder& b) { b.op(0xA1).word(1).word(0xFFFF).dword(0); }),
       true, "ends inside opcode 0x00A1"},
      {"reserved opcode with a 32-bit count past the end",
       v2([](PictBuilder& b) { b.op(0x8201).dword(0x7FFFFFFF); }), true, "ends inside opcode 0x8201"},
      {"region whose size passes the end", v1([](PictBuilder& b) { b.op(0x81).word(0xFFFF).rect(kFrame).word(0); }),
       true, "region beyond the picture's end"},
      {"region shorter than its header", v1([](PictBuilder& b) { b.op(0x81).word(4).rect(kFrame); }), true,
       "region shorter"},
      {"polygon whose size passes the end", v1([](PictBuilder& b) { b.op(0x71).word(0x7000).rect(kFrame); }), true,
       "ends inside opcode 0x0071"},
      {"bitmap of a billion pixels",
       v1([](PictBuilder& b) { b.op(0x90).word(4000).rect(PictRect{0, 0, 30000, 32000}).rect(kFrame).rect(kFrame).word(0); }),
       true, "pixel limit"},
      {"bitmap rows narrower than its bounds",
       v1([](PictBuilder& b) { b.op(0x90).word(2).rect(PictRect{0, 0, 2, 64}).rect(kFrame).rect(kFrame).word(0).dword(0); }),
       true, "shorter than its width"},
      {"bitmap rows past the end",
       v1([](PictBuilder& b) { b.op(0x98).word(16).rect(PictRect{0, 0, 900, 128}).rect(kFrame).rect(kFrame).word(0).byte(2); }),
       true, "beyond the picture's end"},
      {"colour table of 65536 entries",
       v2([](PictBuilder& b) {
         b.op(0x98).word(0x8010).rect(PictRect{0, 0, 2, 16}).word(0).word(0).dword(0).dword(0).dword(0);
         b.word(0).word(8).word(1).word(8).dword(0).dword(0).dword(0).dword(0).word(0).word(0xFFFF);
       }),
       true, "colour table beyond"},
      {"direct pixels of 24 bits",
       v2([](PictBuilder& b) {
         b.op(0x9A).dword(0xFF).word(0x8020).rect(PictRect{0, 0, 2, 8}).word(0).word(4).dword(0).dword(0).dword(0);
         b.word(16).word(24).word(3).word(8).dword(0).dword(0).dword(0).rect(kFrame).rect(kFrame).word(0);
       }),
       true, "24 bits"},
      {"unknown opcode in a version 1 picture", v1([](PictBuilder& b) { b.shape(0x31, kFrame).op(0xB5).shape(0x33, kFrame); }),
       true, "unknown opcode 0x00B5 at byte 21"},
      {"region of ever more spans", v1([&](PictBuilder& b) { b.region(0x81, kFrame, endless); }), true, ""},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    RenderedPicture out;
    EXPECT_EQ(render(c.pict, out), c.drawn);
    EXPECT_NE(out.note.find(c.note), std::string::npos) << out.note;
    EXPECT_TRUE(*c.note != '\0' || out.note.empty()) << out.note;
    EXPECT_TRUE(!c.drawn || testing::DecodedPng(out.png).ok());
  }
  // What came before the unknown opcode is kept: the black rectangle.
  RenderedPicture out;
  ASSERT_TRUE(render(cases[13].pict, out));
  EXPECT_EQ(testing::colour_letter(testing::DecodedPng(out.png).argb(40, 40)), 'k');
}

TEST(PictHostile, PixelAndTimeLimits) {
  const std::string pict = rich(2);
  RenderedPicture out;
  EXPECT_FALSE(render(pict, out, PictLimits{1000, std::chrono::milliseconds(2000)}));  // 40x40 at 72 dpi is 1600
  EXPECT_NE(out.note.find("pixel limit"), std::string::npos);
  ASSERT_TRUE(render(pict, out, PictLimits{4000, std::chrono::milliseconds(2000)}));  // not at twice 72 dpi
  EXPECT_LE(out.width_px * out.height_px, 4000);
  EXPECT_GE(out.width_px, 40);
  ASSERT_TRUE(render(pict, out, PictLimits{1u << 20, std::chrono::milliseconds(-1)}));
  EXPECT_EQ(out.note, "time limit");
}

}  // namespace
}  // namespace lettrix
