#include <gtest/gtest.h>

#include <vector>

#include "shell/drag.h"
#include "shell/fade.h"

namespace shell {
namespace {

TEST(Fade, FadesInTo235InFortySevenTicks) {
  Fade fade;
  fade.Begin();
  EXPECT_EQ(fade.Alpha(), 0);
  EXPECT_EQ(fade.FadeStep(), 5);
  EXPECT_TRUE(fade.TimerEnabled());
  for (int tick = 1; tick <= 46; ++tick) {
    const Fade::TickResult r = fade.Tick();
    ASSERT_EQ(r.alpha, tick * 5);
    ASSERT_FALSE(r.stop_timer);
    ASSERT_FALSE(r.unload);
  }
  const Fade::TickResult last = fade.Tick();
  EXPECT_EQ(last.alpha, 235);
  EXPECT_TRUE(last.stop_timer);
  EXPECT_FALSE(last.unload);
  EXPECT_FALSE(fade.TimerEnabled());
}

TEST(Fade, CloseDuringFadeInTurnsRoundAndUnloadsAtZero) {
  Fade fade;
  fade.Begin();
  while (fade.Alpha() < 100) fade.Tick();
  fade.Close();
  fade.Close();  // a second click changes nothing
  EXPECT_EQ(fade.FadeStep(), -5);
  std::vector<int> seen;
  Fade::TickResult r;
  do {
    r = fade.Tick();
    seen.push_back(r.alpha);
  } while (!r.stop_timer);
  EXPECT_EQ(seen.size(), 20u);
  EXPECT_EQ(seen.front(), 95);
  EXPECT_EQ(seen[1], 90);
  EXPECT_EQ(seen.back(), 0);
  EXPECT_TRUE(r.unload);
  EXPECT_FALSE(fade.TimerEnabled());
}

TEST(Fade, CloseWhenShownRestartsTheTimer) {
  Fade fade;
  fade.Begin();
  while (fade.TimerEnabled()) fade.Tick();
  fade.Close();
  EXPECT_TRUE(fade.TimerEnabled());
  EXPECT_EQ(fade.Tick().alpha, 230);
}

TEST(Fade, CloseBeforeTheFirstTickStillEnds) {
  Fade fade;
  fade.Begin();
  fade.Close();
  const Fade::TickResult r = fade.Tick();
  EXPECT_EQ(r.alpha, 0);
  EXPECT_TRUE(r.unload);
}

TEST(Drag, TwoTwipsPerPixelOfOffsetFromTheRoundedPressPoint) {
  WindowDrag drag;
  // 1024 x 768 screen, 442 x 237 window: 291, 265.5 pixels, the half kept.
  drag.Centre(0, 0, 1024, 768, 442, 237);
  EXPECT_EQ(drag.place(), (PixelPoint{291, 266}));
  EXPECT_FALSE(drag.Move(50, 50).has_value());  // no drag yet
  drag.Press(40.4f, 19.6f, drag.place());       // rounds to (40, 20)
  EXPECT_TRUE(drag.dragging());
  // Each move adds 2 twips per pixel of offset, fractions of a pixel adding up.
  const struct {
    float x, y;
    PixelPoint place;
  } kMoves[] = {
      {47, 20, {292, 266}},  // 14 twips: 291.93 rounds to 292
      {47, 20, {293, 266}},  // 28 twips: 292.87
      {40, 16, {293, 265}},  // 8 twips up: 265.5 - 0.53 rounds to 265
      {40.5f, 20, {293, 265}},
  };
  for (const auto& m : kMoves) {
    EXPECT_EQ(drag.Move(m.x, m.y), std::optional(m.place)) << m.x << "," << m.y;
  }
  drag.Release();
  EXPECT_FALSE(drag.Move(50, 17).has_value());
}

TEST(Drag, AWindowMovedByOtherMeansIsDraggedFromWhereItStands) {
  WindowDrag drag;
  drag.Centre(100, 0, 1920, 1080, 442, 237);
  drag.Press(10, 10, {300, 200});
  EXPECT_EQ(drag.place(), (PixelPoint{300, 200}));
  EXPECT_EQ(drag.Move(25, 10), std::optional(PixelPoint{302, 200}));  // 30 twips
}

TEST(Drag, TwipsRoundToPixels) {
  EXPECT_EQ(TwipsToPixels(1507.0f), 100);  // 2 twips do not move a window by a pixel
  EXPECT_EQ(TwipsToPixels(-22.0f), -1);
  EXPECT_EQ(TwipsToPixels(3982.5f), 266);
}

}  // namespace
}  // namespace shell
