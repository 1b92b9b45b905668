#include "core/units.h"

#include <gtest/gtest.h>

#include "readers/macwrite_format.h"

namespace lettrix {
namespace {

TEST(Units, ConversionsToFinerUnitsAreExact) {
  struct Case {
    long long in;
    long long twips, wp_units, half_points, spacing_twips;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0},
      {1, 144, 120, 2, 30},
      {8, 1152, 960, 16, 240},  // single spacing: a line of 12 points
      {10, 1440, 1200, 20, 300},  // an inch of columns
      {-5, -720, -600, -10, -150},
      {79, 11376, 9480, 158, 2370},
      {100, 14400, 12000, 200, 3000},
      {255, 36720, 30600, 510, 7650},
      // Beyond 32 bits: no overflow before the writer clamps at its field.
      {30'000'000'000LL, 4'320'000'000'000LL, 3'600'000'000'000LL, 60'000'000'000LL, 900'000'000'000LL},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(units::columns_to_twips(c.in), c.twips) << c.in;
    EXPECT_EQ(units::columns_to_wp_units(c.in), c.wp_units) << c.in;
    EXPECT_EQ(units::points_to_half_points(c.in), c.half_points) << c.in;
    EXPECT_EQ(units::spacing_to_twips(c.in), c.spacing_twips) << c.in;
  }
}

TEST(Units, WordPerfectLinesHaveEightFractionBits) {
  struct Case {
    int eighths;
    unsigned lines;
  };
  const Case cases[] = {
      {0, 0x0000},    {1, 0x0020},    {4, 0x0080},    {8, 0x0100},  {12, 0x0180},  {16, 0x0200},
      {255, 0x1FE0},  {2047, 0xFFE0},
      // Each byte modulo 256, as written before.
      {2048, 0x0000}, {2056, 0x0100}, {-1, 0x00E0}, {-9, 0xFFE0},
  };
  for (const Case& c : cases) EXPECT_EQ(units::spacing_to_wp_lines(c.eighths), c.lines) << c.eighths;
}

TEST(Units, PointsToTheNearestColumn) {
  struct Case {
    long long points, columns;
  };
  // 7.2 points a column; no whole number of points lies halfway.
  const Case cases[] = {{0, 0},   {3, 0},   {4, 1},     {10, 1},     {11, 2},    {36, 5},
                        {72, 10}, {-3, 0},  {-4, -1},   {-11, -2},   {720, 100}, {32767, 4551}};
  for (const Case& c : cases) EXPECT_EQ(units::points_to_columns_nearest(c.points), c.columns) << c.points;
  // The MacWrite readers' rounding is the same.
  for (long points = -40000; points <= 40000; ++points)
    ASSERT_EQ(units::points_to_columns_nearest(points), points_to_columns(points)) << points;
}

}  // namespace
}  // namespace lettrix
