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
  EXPECT_FALSE(drag.Move(50, 50, {1000, 1000}).has_value());  // no drag yet
  drag.Press(40.4f, 19.6f);
  EXPECT_TRUE(drag.dragging());
  EXPECT_EQ(drag.DragX(), 40);
  EXPECT_EQ(drag.DragY(), 20);
  // 10 right, 3 up: left grows by 20 twips, top shrinks by 6.
  EXPECT_EQ(drag.Move(50, 17, {4365.0f, 3982.5f}), (TwipPoint{4385.0f, 3976.5f}));
  // Fractional pointer positions keep their fraction.
  EXPECT_EQ(drag.Move(40.5f, 20, {0, 0}), (TwipPoint{1.0f, 0}));
  drag.Release();
  EXPECT_FALSE(drag.Move(50, 17, {0, 0}).has_value());
}

TEST(Drag, CentringAndRoundingToPixels) {
  // 1024 x 768 screen, 442 x 237 window.
  const TwipPoint p = CentredOnScreen(15360, 11520, 6630, 3555);
  EXPECT_EQ(p, (TwipPoint{4365.0f, 3982.5f}));
  EXPECT_EQ(TwipsToPixels(p.left), 291);
  EXPECT_EQ(TwipsToPixels(p.top), 266);
  EXPECT_EQ(TwipsToPixels(1507.0f), 100);  // 2 twips do not move a window by a pixel
  EXPECT_EQ(TwipsToPixels(-22.0f), -1);
}

}  // namespace
}  // namespace shell
