#include "ui/logic/window_placement.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/logic/dialog_templates.h"

namespace lettrix {
namespace {

TEST(CenteredPosition, CentresAndKeepsOnScreen) {
  const Rect screen{0, 0, 1024, 768};
  Point p = centered_position(200, 100, nullptr, screen);
  EXPECT_EQ(p.x, 412);
  EXPECT_EQ(p.y, 334);

  // A reference partly off the screen: the window still lands fully on it.
  Rect off{-300, 600, 400, 400};
  p = centered_position(200, 100, &off, screen);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 668);
  Rect right{900, -200, 300, 300};
  p = centered_position(200, 100, &right, screen);
  EXPECT_EQ(p.x, 824);
  EXPECT_EQ(p.y, 0);

  // The halving truncates towards zero, also for a window wider than its reference.
  Rect small{101, 101, 50, 50};
  p = centered_position(101, 51, &small, screen);
  EXPECT_EQ(p.x, 101 - 25);
  EXPECT_EQ(p.y, 101);

  // Larger than the screen: the top-left corner stays on it.
  p = centered_position(2000, 1000, nullptr, screen);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);

  // A screen whose origin is not 0, 0 (a second monitor).
  const Rect second{1024, 100, 800, 600};
  p = centered_position(200, 100, nullptr, second);
  EXPECT_EQ(p.x, 1324);
  EXPECT_EQ(p.y, 350);
  p = centered_position(200, 100, &off, second);
  EXPECT_EQ(p.x, 1024);
  EXPECT_EQ(p.y, 600);
}

TEST(DialogUnits, MapLikeTheWindowSystem) {
  DialogBaseUnits b = base_units_from_font(312, 13);  // 6 pixels a character on average
  EXPECT_EQ(b.x, 6);
  EXPECT_EQ(b.y, 13);
  EXPECT_EQ(base_units_from_font(338, 16).x, 7);  // 13 rounds up
  EXPECT_EQ(mul_div(5, 3, 2), 8);
  EXPECT_EQ(mul_div(-5, 3, 2), -8);
  EXPECT_EQ(mul_div(1, 1, 3), 0);
  EXPECT_EQ(mul_div(7, 7, 0), 0);

  Rect r = dialog_rect_to_pixels({8, 8, 21, 20}, b);
  EXPECT_EQ(r.x, 12);
  EXPECT_EQ(r.y, 13);
  EXPECT_EQ(r.width, 32);   // 29 * 6 / 4 = 43.5 -> 44, less 12
  EXPECT_EQ(r.height, 33);  // 28 * 13 / 8 = 45.5 -> 46, less 13: edges are rounded, not sizes
  // Adjacent controls stay adjacent: the Help and Exit buttons.
  Rect a = dialog_rect_to_pixels({159, 171, 80, 16}, b);
  Rect c = dialog_rect_to_pixels({239, 171, 9, 16}, b);
  EXPECT_EQ(a.x + a.width, c.x);
}

TEST(DialogTemplates, ControlsLieInsideTheirDialogs) {
  for (const DialogTemplate* t : {&kMainDialogTemplate, &kMessageDialogTemplate}) {
    std::set<int> ids;
    for (const TemplateControl& c : t->controls) {
      // Drop-down lists reach below the dialog only when open.
      const int height = c.kind == ControlKind::DropDownSorted ? 12 : c.dlu.height;
      EXPECT_GE(c.dlu.x, 0) << t->name << " " << c.id;
      EXPECT_LE(c.dlu.x + c.dlu.width, t->dlu.width) << t->name << " " << c.id;
      EXPECT_LE(c.dlu.y + height, t->dlu.height) << t->name << " " << c.id;
      if (c.id != kNoId) {
        EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
      }
    }
  }
  const TemplateControl* text = find_control(kMessageDialogTemplate, IdMessageText);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->kind, ControlKind::LabelCentred);
  EXPECT_EQ(find_control(kMainDialogTemplate, kNoId), nullptr);
  EXPECT_EQ(std::string(about_text()),
            "Lettrix v. 7.5\nA little text converter\nfor some Macintosh text processors");
}

}  // namespace
}  // namespace lettrix
