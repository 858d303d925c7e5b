#include "shell/picture_button.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace shell {
namespace {

class FakeSurface : public PicSurface {
 public:
  FakeSurface(int left, int top) : left_(left), top_(top) {}
  void ShowPicture(std::int32_t picture) override { shown.push_back(picture); }
  std::int32_t Left() const override { return left_; }
  std::int32_t Top() const override { return top_; }
  std::int32_t Width() const override { return 102; }
  std::int32_t Height() const override { return 27; }
  int Last() const { return shown.empty() ? -1 : shown.back(); }
  std::vector<int> shown;

 private:
  int left_, top_;
};

class FakePointer : public Pointer {
 public:
  std::int32_t MouseX(std::intptr_t hwnd) override { return hwnd == 0 ? x + 100 : x; }
  std::int32_t MouseY(std::intptr_t hwnd) override { return hwnd == 0 ? y + 100 : y; }
  int x = 0, y = 0;
};

// Pictures 10, 11, 12 stand for the normal, hover and pressed images.
class PicButtonTest : public ::testing::Test {
 protected:
  PicButtonTest() { button.SetPictures(&surface, 10, 11, 12); }
  FakeSurface surface{318, 54};
  PictureButton button;
};

TEST_F(PicButtonTest, SetPicturesShowsNothingUntilAnEvent) {
  EXPECT_TRUE(surface.shown.empty());
  EXPECT_EQ(button.surface(), &surface);
  EXPECT_FALSE(button.pressed());
}

TEST_F(PicButtonTest, PointerEventsReachTheirHandlers) {
  using Kind = PointerEvent::Kind;
  const struct {
    PointerEvent event;
    int shown;  // -1: nothing shown yet
    bool pressed;
  } kSteps[] = {
      {{Kind::kPress, kRightButton, 5, 5}, -1, false},  // only the left button presses
      {{Kind::kMove, 0, 5, 5}, 11, false},
      {{Kind::kPress, kLeftButton, 5, 5}, 12, true},
      {{Kind::kRelease, kRightButton, 5, 5}, 12, true},
      {{Kind::kRelease, kLeftButton, 5, 5}, 11, false},  // still over it: hover
  };
  for (std::size_t i = 0; i < std::size(kSteps); ++i) {
    SCOPED_TRACE(i);
    button.Pointer(kSteps[i].event);
    EXPECT_EQ(surface.Last(), kSteps[i].shown);
    EXPECT_EQ(button.pressed(), kSteps[i].pressed);
  }
}

TEST_F(PicButtonTest, HoverOnlyInsideAndNotWhilePressed) {
  button.MouseMove(0, 0);
  EXPECT_EQ(surface.Last(), 11);
  surface.shown.clear();
  button.MouseMove(102, 5);  // right edge lies outside
  button.MouseMove(5, 27);
  button.MouseMove(-0.5f, 5);
  EXPECT_TRUE(surface.shown.empty());

  button.MouseDown(kLeftButton, 5, 5);
  EXPECT_EQ(surface.Last(), 12);
  EXPECT_TRUE(button.pressed());
  button.MouseMove(6, 6);
  EXPECT_EQ(surface.Last(), 12);
}

TEST_F(PicButtonTest, PressAndReleaseWithoutMovingEndsNormal) {
  button.MouseDown(kLeftButton, 5, 5);
  button.MouseUp(kLeftButton);
  EXPECT_EQ(surface.shown, (std::vector<int>{12, 10}));
  EXPECT_FALSE(button.pressed());
  button.MouseMove(5, 5);  // the next move over it shows hover again
  EXPECT_EQ(surface.Last(), 11);
}

TEST_F(PicButtonTest, AClickLeavesHoverWhileThePointerStaysOver) {
  const struct {
    float x, y;  // where the left button is released
    int shown;
  } kReleases[] = {
      {5, 5, 11},   {0, 0, 11},  {101.5f, 26.5f, 11},  // over it: hover until the pointer leaves
      {102, 5, 10}, {5, 27, 10}, {-1, 5, 10},          // released elsewhere: normal
  };
  for (const auto& r : kReleases) {
    SCOPED_TRACE(r.x + r.y);
    button.Pointer({PointerEvent::Kind::kPress, kLeftButton, 5, 5});
    button.Pointer({PointerEvent::Kind::kRelease, kLeftButton, r.x, r.y});
    EXPECT_EQ(surface.Last(), r.shown);
    EXPECT_FALSE(button.pressed());
  }
  button.Pointer({PointerEvent::Kind::kPress, kLeftButton, 5, 5});
  button.Pointer({PointerEvent::Kind::kRelease, kLeftButton, 5, 5});
  button.MouseExit();  // the hover tracking saw the pointer leave
  EXPECT_EQ(surface.Last(), 10);
}

TEST_F(PicButtonTest, ADisabledButtonShowsItsPictureAndIgnoresThePointer) {
  button.SetPictures(&surface, 10, 11, 12, 13);
  button.MouseDown(kLeftButton, 5, 5);
  button.SetEnabled(false);  // a press held is forgotten
  EXPECT_EQ(surface.Last(), 13);
  EXPECT_FALSE(button.pressed());
  EXPECT_FALSE(button.enabled());
  surface.shown.clear();
  using Kind = PointerEvent::Kind;
  for (const PointerEvent& event :
       {PointerEvent{Kind::kMove, 0, 5, 5}, PointerEvent{Kind::kPress, kLeftButton, 5, 5},
        PointerEvent{Kind::kRelease, kLeftButton, 5, 5}}) {
    button.Pointer(event);
  }
  button.MouseExit();  // the hover tracking does not bring back the normal picture
  EXPECT_TRUE(surface.shown.empty());
  EXPECT_FALSE(button.pressed());
  button.SetEnabled(true);
  EXPECT_EQ(surface.Last(), 10);
  button.MouseMove(5, 5);
  EXPECT_EQ(surface.Last(), 11);
}

TEST_F(PicButtonTest, WithoutADisabledPictureTheNormalOneShows) {
  button.MouseMove(5, 5);
  button.SetEnabled(false);
  EXPECT_EQ(surface.Last(), 10);
}

TEST_F(PicButtonTest, OtherButtonsChangeNothing) {
  for (int b : {kRightButton, kMiddleButton}) {
    button.MouseDown(b, 5, 5);
    button.MouseUp(b);
  }
  EXPECT_TRUE(surface.shown.empty());
  EXPECT_FALSE(button.pressed());
}

TEST_F(PicButtonTest, LeavingWhilePressedClearsThePress) {
  button.MouseDown(kLeftButton, 5, 5);
  button.MouseExit();
  EXPECT_EQ(surface.Last(), 10);
  EXPECT_FALSE(button.pressed());
  button.MouseMove(5, 5);  // back over it with the button still held: hover, not pressed
  EXPECT_EQ(surface.Last(), 11);
  button.MouseUp(kLeftButton);
  EXPECT_EQ(surface.Last(), 10);
}

TEST_F(PicButtonTest, UnboundButtonAndBadStatesAreIgnored) {
  PictureButton unbound;
  unbound.MouseDown(kLeftButton, 1, 1);
  unbound.MouseMove(1, 1);
  unbound.MouseExit();
  button.SetState(0);
  button.SetState(5);
  EXPECT_TRUE(surface.shown.empty());
}

TEST(TrackButtonHover, ExitsEveryButtonThePointerIsNotOver) {
  FakeSurface file(318, 54), dir(318, 160), main(180, 190);
  std::vector<std::unique_ptr<PictureButton>> buttons;
  for (FakeSurface* s : {&file, &dir, &main}) {
    buttons.push_back(std::make_unique<PictureButton>());
    buttons.back()->SetPictures(s, 0, 1, 2);
  }
  FakePointer pointer;
  const std::intptr_t hwnd = 7;

  pointer.x = 318, pointer.y = 54;  // the top-left corner of the first button is over it
  buttons[0]->MouseDown(kLeftButton, 0, 0);
  TrackButtonHover(buttons, pointer, hwnd);
  EXPECT_EQ(file.shown, (std::vector<int>{2}));
  EXPECT_TRUE(buttons[0]->pressed());
  EXPECT_EQ(dir.shown, (std::vector<int>{0}));
  EXPECT_EQ(main.shown, (std::vector<int>{0}));

  for (auto [x, y] : {std::pair{420, 54}, std::pair{318, 81}}) {  // just past the right, bottom
    pointer.x = x, pointer.y = y;
    TrackButtonHover(buttons, pointer, hwnd);
    EXPECT_EQ(file.Last(), 0);
    EXPECT_FALSE(buttons[0]->pressed());
  }
  // Every tick resets again, even a button already normal.
  EXPECT_EQ(dir.shown.size(), 3u);
  // Positions are asked in the window's client coordinates (the fake answers differently for
  // the screen); over the main button, that button is left alone.
  pointer.x = 180, pointer.y = 190;
  TrackButtonHover(buttons, pointer, hwnd);
  EXPECT_EQ(main.shown.size(), 3u);
}

// Three stored pictures; counts its redraws and lets a test hand a pointer event on.
class ThreePictures : public StoredPicSurface {
 public:
  std::int32_t Left() const override { return 0; }
  std::int32_t Top() const override { return 0; }
  std::int32_t Width() const override { return 102; }
  std::int32_t Height() const override { return 27; }
  void Press() { Forward({PointerEvent::Kind::kPress, kLeftButton, 5.0f, 5.0f}); }
  int redraws = 0;

 private:
  std::int32_t PictureCount() const override { return 3; }
  void Redraw() override { ++redraws; }
};

TEST(StoredPicSurface, RedrawsOnlyForAnotherStoredPicture) {
  const struct {
    std::vector<std::int32_t> shown;
    std::int32_t expected;
    int redraws;
  } kCases[] = {
      {{}, 0, 0},  {{0}, 0, 0},  // the normal picture shows from the start
      {{2}, 2, 1}, {{1, 1, 1}, 1, 1}, {{1, 2, 0}, 0, 3},
      {{3}, 0, 0}, {{-1}, 0, 0},      {{2, 3, -1}, 2, 1},  // outside the stored three
  };
  for (const auto& c : kCases) {
    ThreePictures surface;
    for (std::int32_t picture : c.shown) surface.ShowPicture(picture);
    EXPECT_EQ(surface.shown(), c.expected) << c.shown.size();
    EXPECT_EQ(surface.redraws, c.redraws) << c.shown.size();
  }
}

TEST(StoredPicSurface, HandsPointerEventsToTheBoundButtonOnly) {
  ThreePictures surface;
  surface.Press();  // nothing bound: dropped
  EXPECT_EQ(surface.shown(), 0);
  PictureButton button;
  button.SetPictures(&surface, 0, 1, 2);
  surface.Press();
  EXPECT_EQ(surface.shown(), 2);  // pressed
}

}  // namespace
}  // namespace shell
