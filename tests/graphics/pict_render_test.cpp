// The picture renderer, one small picture per group of opcodes: the colour
// of chosen pixels of the PNG it makes.
#include "graphics/pict_render.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "builders/pict_builder.h"
#include "graphics/pict_test_image.h"

namespace lettrix {
namespace {

using build::pict_of;
using build::PictBuilder;
using build::PictRect;
using build::RegionLine;

struct Probe {
  int h, v;  // the picture's pixel [h, h+1) x [v, v+1)
  char colour;
};

struct Case {
  const char* name;
  std::function<std::string()> make;
  std::vector<Probe> probes;
  bool bitmaps_only = false;
};

constexpr PictRect kFrame{0, 0, 40, 40};
const PictRect kAll{0, 0, 40, 40};
const PictRect kMiddle{10, 10, 30, 30};

std::string v1(const std::function<void(PictBuilder&)>& ops, PictRect frame = kFrame) { return pict_of(1, frame, ops); }
std::string v2(const std::function<void(PictBuilder&)>& ops, PictRect frame = kFrame) { return pict_of(2, frame, ops); }

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"frame rect, 2-point pen",
       [] { return v1([](PictBuilder& b) { b.pen_size(2, 2).shape(0x30, kMiddle); }); },
       {{10, 20, 'k'}, {11, 20, 'k'}, {12, 20, 'w'}, {20, 20, 'w'}, {29, 20, 'k'}, {30, 20, 'w'}, {20, 9, 'w'}}},
      {"paint rect in a gray pattern",
       [] { return v1([](PictBuilder& b) { b.pattern(0x09, build::kGrayPat).shape(0x31, kAll); }); },
       {{0, 0, 'k'}, {1, 0, 'w'}, {0, 1, 'w'}, {1, 1, 'k'}, {8, 8, 'k'}}},
      {"paint oval",
       [] { return v1([](PictBuilder& b) { b.shape(0x51, kAll); }); },
       {{20, 20, 'k'}, {1, 1, 'w'}, {38, 38, 'w'}, {20, 1, 'k'}}},
      {"paint round rect",
       [] { return v1([](PictBuilder& b) { b.op(0x0B).point(16, 16).shape(0x41, kAll); }); },
       {{0, 0, 'w'}, {20, 0, 'k'}, {0, 20, 'k'}, {39, 39, 'w'}}},
      {"paint arc: the upper right quarter",
       [] { return v1([](PictBuilder& b) { b.arc(0x61, kAll, 0, 90); }); },
       {{30, 10, 'k'}, {10, 10, 'w'}, {30, 30, 'w'}, {10, 30, 'w'}}},
      {"frame arc",
       [] { return v1([](PictBuilder& b) { b.pen_size(2, 2).arc(0x60, kAll, 90, 180); }); },
       {{39, 20, 'k'}, {20, 39, 'k'}, {20, 20, 'w'}, {20, 1, 'w'}, {36, 5, 'w'}}},
      {"line with a 3x3 pen hangs below the points",
       [] { return v1([](PictBuilder& b) { b.pen_size(3, 3).line(10, 5, 10, 30); }); },
       {{20, 10, 'k'}, {20, 12, 'k'}, {20, 13, 'w'}, {20, 9, 'w'}, {32, 11, 'k'}, {33, 11, 'w'}, {4, 11, 'w'}}},
      {"LineFrom, ShortLine, ShortLineFrom move the pen",
       [] {
         return v1([](PictBuilder& b) {
           b.op(0x22).point(5, 5).byte(10).byte(0);  // to (5, 15)
           b.op(0x23).byte(0).byte(10);              // to (15, 15)
           b.op(0x21).point(15, 35);                 // to (15, 35)
         });
       },
       {{10, 5, 'k'}, {15, 10, 'k'}, {30, 15, 'k'}, {30, 16, 'w'}, {30, 5, 'w'}}},
      {"paint polygon",
       [] { return v1([](PictBuilder& b) { b.polygon(0x71, {{0, 0}, {0, 40}, {40, 0}, {0, 0}}); }); },
       {{5, 5, 'k'}, {35, 35, 'w'}, {30, 2, 'k'}}},
      {"frame polygon",
       [] { return v1([](PictBuilder& b) { b.polygon(0x70, {{0, 0}, {0, 39}, {39, 0}, {0, 0}}); }); },
       {{10, 0, 'k'}, {0, 10, 'k'}, {5, 5, 'w'}, {19, 20, 'k'}}},
      {"paint region: an L",
       [] {
         return v1([](PictBuilder& b) {
           b.region(0x81, kAll, {RegionLine{0, {0, 40}}, RegionLine{20, {20, 40}}, RegionLine{40, {0, 20}}});
         });
       },
       {{30, 10, 'k'}, {30, 30, 'w'}, {10, 30, 'k'}, {19, 39, 'k'}, {20, 20, 'w'}}},
      {"frame region: the L's outline",
       [] {
         return v1([](PictBuilder& b) {
           b.region(0x80, kAll, {RegionLine{0, {0, 40}}, RegionLine{20, {20, 40}}, RegionLine{40, {0, 20}}});
         });
       },
       {{30, 0, 'k'}, {39, 10, 'k'}, {10, 10, 'w'}, {30, 19, 'k'}, {30, 30, 'w'}, {19, 30, 'k'}, {0, 30, 'k'}}},
      {"invert, erase and fill",
       [] {
         return v1([](PictBuilder& b) {
           b.shape(0x31, kAll).shape(0x33, PictRect{0, 0, 20, 20}).shape(0x32, PictRect{20, 20, 40, 40});
           b.pattern(0x0A, build::kGrayPat).shape(0x34, PictRect{0, 20, 20, 40});
         });
       },
       {{5, 5, 'w'}, {30, 30, 'w'}, {5, 30, 'k'}, {20, 0, 'k'}, {21, 0, 'w'}}},
      {"the same rect, oval and region again",
       [] {
         return v1([](PictBuilder& b) {
           b.shape(0x30, kMiddle).shape(0x39, {});                     // frame, then paint the same rect
           b.shape(0x50, PictRect{0, 0, 8, 8}).shape(0x59, {});        // frame, then paint the same oval
           b.region(0x83, PictRect{32, 32, 40, 40}).shape(0x89, {});  // invert, then paint the same region
         });
       },
       {{20, 20, 'k'}, {4, 4, 'k'}, {36, 36, 'k'}, {5, 20, 'w'}}},
      {"RGB foreground and background colours",
       [] {
         return v2([](PictBuilder& b) {
           b.rgb(0x1A, 65535, 0, 0).shape(0x31, kAll);
           b.rgb(0x1B, 0, 0, 65535).shape(0x32, PictRect{0, 0, 10, 10});
         });
       },
       {{20, 20, 'r'}, {5, 5, 'b'}}},
      {"old-style colours",
       [] { return v1([](PictBuilder& b) { b.op(0x0E).dword(341).shape(0x31, kAll).op(0x0E).dword(409).shape(0x51, kMiddle); }); },
       {{2, 2, 'g'}, {20, 20, 'b'}}},
      {"pen modes: xor, bic, or",
       [] {
         return v1([](PictBuilder& b) {
           b.shape(0x31, kAll);
           b.pen_mode(10).shape(0x31, PictRect{0, 0, 10, 10});  // patXor: white on black
           b.pen_mode(11).shape(0x31, PictRect{10, 0, 20, 10});  // patBic: white
           b.pen_mode(9).pattern(0x09, build::kWhitePat).shape(0x31, PictRect{20, 0, 30, 10});  // patOr white: nothing
           b.pen_mode(14).pattern(0x09, build::kBlackPat).shape(0x31, PictRect{30, 0, 40, 10});  // notPatXor black: nothing
         });
       },
       {{5, 5, 'w'}, {5, 15, 'w'}, {5, 25, 'k'}, {5, 35, 'k'}, {20, 20, 'k'}}},
      {"clip to a rectangle, then to an L region",
       [] {
         return v1([](PictBuilder& b) {
           b.region(0x01, PictRect{0, 0, 20, 40}).shape(0x31, kAll);
           b.region(0x01, kAll, {RegionLine{20, {0, 10}}, RegionLine{30, {10, 40}}, RegionLine{40, {0, 40}}});
           b.shape(0x31, kAll);
         });
       },
       {{20, 10, 'k'}, {20, 25, 'w'}, {5, 25, 'k'}, {20, 35, 'k'}}},
      {"origin moves what follows",
       [] { return v1([](PictBuilder& b) { b.op(0x0C).word(10).word(0).shape(0x31, PictRect{0, 10, 40, 20}); }); },
       {{5, 20, 'k'}, {15, 20, 'w'}}},
      {"an extended version 2 header maps its source rectangle onto the frame",
       [] {
         PictBuilder b(2, kFrame, PictRect{0, 0, 80, 80});  // 144 dpi coordinates
         b.shape(0x31, PictRect{0, 40, 40, 80});
         return b.finish();
       },
       {{30, 10, 'k'}, {10, 10, 'w'}, {30, 30, 'w'}}},
      {"reserved opcodes and comments are passed over",
       [] {
         return v2([](PictBuilder& b) {
           b.op(0x00A0).word(130);                             // ShortComment
           b.op(0x00A1).word(100).word(3).raw("abc");         // LongComment
           b.op(0x00A2).word(4).dword(0xFFFFFFFF);             // reserved, counted
           b.op(0x0017).op(0x00B5).op(0x8000);                 // reserved, no data
           b.op(0x0100).word(0x0031);                          // reserved, 2 bytes
           b.op(0x00D0).dword(2).word(0xFFFF);                 // reserved, 32-bit count
           b.op(0x8100).dword(3).raw("xyz");
           b.op(0x0035).rect(kAll).op(0x003D);                 // reserved rect opcodes
           b.op(0x0015).word(0).op(0x0016).word(0).op(0x0006).dword(0).op(0x0010).dword(1).dword(1);
           b.shape(0x31, kMiddle);
         });
       },
       {{20, 20, 'k'}, {5, 5, 'w'}}},
      {"PnPixPat: a pixel pattern's one-bit form, a dithered colour",
       [] {
         return v2([](PictBuilder& b) {
           b.op(0x13).word(1);
           for (int i = 0; i < 8; ++i) b.byte(0xFF);
           b.word(0x8002).rect(PictRect{0, 0, 8, 8});  // a 2-bit 8x8 pixel map
           b.word(0).word(0).dword(0).dword(0x480000).dword(0x480000).word(0).word(2).word(1).word(2);
           b.dword(0).dword(0).dword(0);
           b.dword(0).word(0).word(0).word(0).word(0).word(0).word(0);  // one colour
           for (int y = 0; y < 8; ++y) b.word(0);                      // rows of 2 bytes, unpacked
           b.shape(0x31, PictRect{0, 0, 20, 40});
           b.op(0x13).word(2);
           for (int i = 0; i < 8; ++i) b.byte(0);
           b.word(0).word(65535).word(0);
           b.shape(0x31, PictRect{20, 0, 40, 40});
         });
       },
       {{5, 5, 'k'}, {6, 5, 'k'}, {5, 30, 'g'}}},
      {"one-bit BitsRect at its own resolution",
       [] {
         return v1([](PictBuilder& b) {
           b.bitmap(0x90, PictRect{0, 0, 4, 16}, {"#...............", ".#..............", "..############..", "...............#"},
                    PictRect{0, 0, 4, 16}, PictRect{0, 0, 4, 16}, 0);
         }, PictRect{0, 0, 4, 16});
       },
       {{0, 0, 'k'}, {1, 0, 'w'}, {1, 1, 'k'}, {2, 2, 'k'}, {13, 2, 'k'}, {14, 2, 'w'}, {15, 3, 'k'}},
       true},
      {"packed one-bit bitmap of 144 dpi drawn into half its size",
       [] {
         const std::string row(64, '#'), half = std::string(32, '#') + std::string(32, '.');
         return v1([&](PictBuilder& b) {
           b.bitmap(0x98, PictRect{0, 0, 4, 64}, {row, half, half, "#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#."},
                    PictRect{0, 0, 4, 64}, PictRect{0, 0, 2, 32}, 0);
         }, PictRect{0, 0, 2, 32});
       },
       // At the bitmap's resolution, probes are in its pixels.
       {{10, 0, 'k'}, {40, 1, 'w'}, {31, 2, 'k'}, {32, 2, 'w'}, {0, 3, 'k'}, {1, 3, 'w'}},
       true},
      {"BitsRect in srcOr leaves the clear bits, BitsRgn clips to its mask",
       [] {
         return v1([](PictBuilder& b) {
           b.shape(0x31, PictRect{0, 0, 20, 40});
           b.bitmap(0x90, PictRect{0, 0, 2, 16}, {"................", "................"}, PictRect{0, 0, 2, 16},
                    PictRect{0, 0, 20, 40}, 1);
           const std::vector<RegionLine> left_half{RegionLine{20, {0, 20}}, RegionLine{40, {0, 20}}};
           b.bitmap(0x91, PictRect{0, 0, 2, 16}, {"################", "################"}, PictRect{0, 0, 2, 16},
                    PictRect{20, 0, 40, 40}, 0, &left_half, PictRect{20, 0, 40, 40});
         });
       },
       {{20, 10, 'k'}, {10, 30, 'k'}, {30, 30, 'w'}}},
      {"indexed pixel maps of 8 and 2 bits with colour tables",
       [] {
         const std::vector<std::uint32_t> palette{0xFFFFFF, 0xFF0000, 0x0000FF, 0x000000};
         std::vector<std::vector<int>> rows8(4, std::vector<int>(16, 1)), rows2(4, std::vector<int>(16, 2));
         rows8[3].assign(16, 3);
         rows2[0][0] = 0;
         return v2([&](PictBuilder& b) {
           b.pixmap(PictRect{0, 0, 4, 16}, 8, rows8, palette, PictRect{0, 0, 20, 40});
           b.pixmap(PictRect{0, 0, 4, 16}, 2, rows2, palette, PictRect{20, 0, 40, 40});
         });
       },
       // 16 pixels across 40 points, 4 down 20: the image has 0.4 pixels a
       // point across, a quarter (the least) down.
       {{5, 1, 'r'}, {5, 4, 'k'}, {5, 8, 'b'}, {0, 5, 'w'}, {1, 5, 'b'}},
       true},
      {"direct pixels: 32 bits packed by planes, unpacked, without pad; 16 bits packed and unpacked",
       [] {
         const std::vector<std::vector<std::uint32_t>> red(2, std::vector<std::uint32_t>(8, 0xFF0000)),
             green(2, std::vector<std::uint32_t>(8, 0x00FF00)), blue(2, std::vector<std::uint32_t>(8, 0x0000FF));
         return v2([&](PictBuilder& b) {
           b.direct(PictRect{0, 0, 2, 8}, 32, 4, red, PictRect{0, 0, 8, 40});
           b.direct(PictRect{0, 0, 2, 8}, 32, 1, green, PictRect{8, 0, 16, 40});
           b.direct(PictRect{0, 0, 2, 8}, 32, 2, blue, PictRect{16, 0, 24, 40});
           b.direct(PictRect{0, 0, 2, 8}, 16, 3, red, PictRect{24, 0, 32, 40});
           b.direct(PictRect{0, 0, 2, 8}, 16, 1, blue, PictRect{32, 0, 40, 40});
         });
       },
       // 8 pixels across 40 points, 2 down 8: a quarter pixel a point.
       {{5, 1, 'r'}, {5, 3, 'g'}, {5, 5, 'b'}, {5, 7, 'r'}, {5, 9, 'b'}},
       true},
  };
  return all;
}

TEST(PictRender, EachOpcodeGroupDrawsWhereQuickDrawDoes) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const std::string pict = c.make();
    RenderedPicture out;
    ASSERT_TRUE(render_pict({reinterpret_cast<const std::uint8_t*>(pict.data()), pict.size()}, out)) << out.note;
    EXPECT_EQ(out.note, "");
    EXPECT_EQ(out.bitmaps_only, c.bitmaps_only);
    testing::DecodedPng png(out.png);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.width(), out.width_px);
    EXPECT_EQ(png.height(), out.height_px);
    const double sx = out.width_px / out.width_pt, sy = out.height_px / out.height_pt;
    if (!c.bitmaps_only) {
      EXPECT_EQ(sx, 2.0);
    }
    // Probes of bitmap pictures count the image's own pixels.
    const double kx = c.bitmaps_only ? 1 : sx, ky = c.bitmaps_only ? 1 : sy;
    for (const Probe& p : c.probes) {
      const int x = static_cast<int>((p.h + 0.5) * kx), y = static_cast<int>((p.v + 0.5) * ky);
      EXPECT_EQ(testing::colour_letter(png.argb(x, y)), p.colour) << "at h " << p.h << ", v " << p.v;
    }
  }
}

TEST(PictRender, TextIsDrawnAtItsBaselineInTheFontsClass) {
  const std::string pict = v1([](PictBuilder& b) {
    b.op(0x03).word(20).op(0x0D).word(24).op(0x04).byte(1).long_text(30, 2, "HH");  // Times, 24, bold
    b.op(0x03).word(22).op(0x0D).word(9).op(0x2A).byte(8).byte(2).raw("\xA5\x0D");  // DVText: bullet, CR
  });
  RenderedPicture out;
  ASSERT_TRUE(render_pict({reinterpret_cast<const std::uint8_t*>(pict.data()), pict.size()}, out));
  EXPECT_EQ(out.note, "");
  testing::DecodedPng png(out.png);
  int above = 0, below = 0;
  for (int y = 0; y < png.height(); ++y)
    for (int x = 0; x < png.width(); ++x)
      if (testing::colour_letter(png.argb(x, y)) == 'k') ++(y < 60 ? above : below);
  EXPECT_GT(above, 100);  // the capitals stand on the baseline at v 30
  EXPECT_GT(below, 4);    // the bullet near v 38
}

}  // namespace
}  // namespace lettrix
