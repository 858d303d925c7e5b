#include "shell/picture_button.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace shell {
namespace {

class FakeSurface : public PicSurface {
 public:
  FakeSurface(int left, int top) : left_(left), top_(top) {}
  void ShowPicture(ButtonLook look) override { shown.push_back(look); }
  std::int32_t Left() const override { return left_; }
  std::int32_t Top() const override { return top_; }
  std::int32_t Width() const override { return 102; }
  std::int32_t Height() const override { return 27; }
  std::optional<ButtonLook> Last() const {
    return shown.empty() ? std::nullopt : std::optional(shown.back());
  }
  std::vector<ButtonLook> shown;

 private:
  int left_, top_;
};

class FakePointer : public Pointer {
 public:
  std::int32_t MouseX(std::intptr_t hwnd) override { return hwnd == 0 ? x + 100 : x; }
  std::int32_t MouseY(std::intptr_t hwnd) override { return hwnd == 0 ? y + 100 : y; }
  int x = 0, y = 0;
};

constexpr auto kNormal = ButtonLook::kNormal;
constexpr auto kHover = ButtonLook::kHover;
constexpr auto kPressed = ButtonLook::kPressed;
constexpr auto kDisabled = ButtonLook::kDisabled;
constexpr std::optional<ButtonLook> kNothing;

class PicButtonTest : public ::testing::Test {
 protected:
  PicButtonTest() { button.Bind(&surface); }
  FakeSurface surface{318, 54};
  PictureButton button;
};

TEST_F(PicButtonTest, BindingShowsNothingUntilAnEvent) {
  EXPECT_TRUE(surface.shown.empty());
  EXPECT_EQ(button.surface(), &surface);
  EXPECT_FALSE(button.pressed());
}

TEST_F(PicButtonTest, PointerEventsReachTheirHandlers) {
  using Kind = PointerEvent::Kind;
  const struct {
    PointerEvent event;
    std::optional<ButtonLook> shown;
    bool pressed;
  } kSteps[] = {
      {{Kind::kPress, kRightButton, 5, 5}, kNothing, false},  // only the left button presses
      {{Kind::kMove, 0, 5, 5}, kHover, false},
      {{Kind::kPress, kLeftButton, 5, 5}, kPressed, true},
      {{Kind::kRelease, kRightButton, 5, 5}, kPressed, true},
      {{Kind::kRelease, kLeftButton, 5, 5}, kHover, false},  // still over it: hover
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
  EXPECT_EQ(surface.Last(), kHover);
  surface.shown.clear();
  button.MouseMove(102, 5);  // right edge lies outside
  button.MouseMove(5, 27);
  button.MouseMove(-0.5f, 5);
  EXPECT_TRUE(surface.shown.empty());

  button.MouseDown(kLeftButton, 5, 5);
  EXPECT_EQ(surface.Last(), kPressed);
  EXPECT_TRUE(button.pressed());
  button.MouseMove(6, 6);
  EXPECT_EQ(surface.Last(), kPressed);
}

TEST_F(PicButtonTest, PressAndReleaseWithoutMovingEndsNormal) {
  button.MouseDown(kLeftButton, 5, 5);
  button.MouseUp(kLeftButton);
  EXPECT_EQ(surface.shown, (std::vector<ButtonLook>{kPressed, kNormal}));
  EXPECT_FALSE(button.pressed());
  button.MouseMove(5, 5);  // the next move over it shows hover again
  EXPECT_EQ(surface.Last(), kHover);
}

TEST_F(PicButtonTest, AClickLeavesHoverWhileThePointerStaysOver) {
  const struct {
    float x, y;  // where the left button is released
    ButtonLook shown;
  } kReleases[] = {
      // Over it: hover until the pointer leaves.
      {5, 5, kHover},
      {0, 0, kHover},
      {101.5f, 26.5f, kHover},
      // Released elsewhere: normal.
      {102, 5, kNormal},
      {5, 27, kNormal},
      {-1, 5, kNormal},
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
  EXPECT_EQ(surface.Last(), kNormal);
}

TEST_F(PicButtonTest, ADisabledButtonShowsItsPictureAndIgnoresThePointer) {
  button.MouseDown(kLeftButton, 5, 5);
  button.SetEnabled(false);  // a press held is forgotten
  EXPECT_EQ(surface.Last(), kDisabled);
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
  EXPECT_EQ(surface.Last(), kNormal);
  button.MouseMove(5, 5);
  EXPECT_EQ(surface.Last(), kHover);
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
  EXPECT_EQ(surface.Last(), kNormal);
  EXPECT_FALSE(button.pressed());
  button.MouseMove(5, 5);  // back over it with the button still held: hover, not pressed
  EXPECT_EQ(surface.Last(), kHover);
  button.MouseUp(kLeftButton);
  EXPECT_EQ(surface.Last(), kNormal);
}

TEST_F(PicButtonTest, AnUnboundButtonIsIgnored) {
  PictureButton unbound;
  unbound.MouseDown(kLeftButton, 1, 1);
  unbound.MouseMove(1, 1);
  unbound.MouseExit();
  EXPECT_TRUE(surface.shown.empty());
}

TEST(TrackButtonHover, ExitsEveryButtonThePointerIsNotOver) {
  FakeSurface file(318, 54), dir(318, 160), main(180, 190);
  std::vector<std::unique_ptr<PictureButton>> buttons;
  for (FakeSurface* s : {&file, &dir, &main}) {
    buttons.push_back(std::make_unique<PictureButton>());
    buttons.back()->Bind(s);
  }
  FakePointer pointer;
  const std::intptr_t hwnd = 7;

  pointer.x = 318, pointer.y = 54;  // the top-left corner of the first button is over it
  buttons[0]->MouseDown(kLeftButton, 0, 0);
  TrackButtonHover(buttons, pointer, hwnd);
  EXPECT_EQ(file.shown, (std::vector<ButtonLook>{kPressed}));
  EXPECT_TRUE(buttons[0]->pressed());
  EXPECT_EQ(dir.shown, (std::vector<ButtonLook>{kNormal}));
  EXPECT_EQ(main.shown, (std::vector<ButtonLook>{kNormal}));

  for (auto [x, y] : {std::pair{420, 54}, std::pair{318, 81}}) {  // just past the right, bottom
    pointer.x = x, pointer.y = y;
    TrackButtonHover(buttons, pointer, hwnd);
    EXPECT_EQ(file.Last(), kNormal);
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
    std::vector<ButtonLook> shown;
    ButtonLook expected;
    int redraws;
  } kCases[] = {
      {{}, kNormal, 0},  // the normal picture shows from the start
      {{kNormal}, kNormal, 0},
      {{kPressed}, kPressed, 1},
      {{kHover, kHover, kHover}, kHover, 1},
      {{kHover, kPressed, kNormal}, kNormal, 3},
      {{kDisabled}, kNormal, 0},  // not among the stored three
      {{kPressed, kDisabled}, kPressed, 1},
  };
  for (const auto& c : kCases) {
    ThreePictures surface;
    for (ButtonLook look : c.shown) surface.ShowPicture(look);
    EXPECT_EQ(surface.shown(), c.expected) << c.shown.size();
    EXPECT_EQ(surface.redraws, c.redraws) << c.shown.size();
  }
}

TEST(StoredPicSurface, HandsPointerEventsToTheBoundButtonOnly) {
  ThreePictures surface;
  surface.Press();  // nothing bound: dropped
  EXPECT_EQ(surface.shown(), kNormal);
  PictureButton button;
  button.Bind(&surface);
  surface.Press();
  EXPECT_EQ(surface.shown(), kPressed);
}

TEST(PlaceCaption, CentresThenShiftsByTheLookAtTheScale) {
  struct Case {
    std::int32_t width, height, text_width, text_height;
    ButtonLook look;
    std::int32_t scale;
    CaptionPlace place;
  };
  const Case cases[] = {
      {102, 27, 60, 13, ButtonLook::kNormal, 1, {21, 7}},
      // An odd pixel left over goes to the right and the bottom.
      {102, 27, 61, 14, ButtonLook::kHover, 1, {20, 6}},
      {102, 27, 60, 13, ButtonLook::kPressed, 1, {22, 8}},
      {102, 27, 60, 13, ButtonLook::kDisabled, 1, {21, 7}},
      // At 2x the pressed caption moves by two pixels, one at 1x.
      {204, 54, 120, 26, ButtonLook::kPressed, 2, {44, 16}},
      // A text larger than the button overhangs evenly, the odd pixel again to the right.
      {102, 27, 105, 28, ButtonLook::kNormal, 1, {-2, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceCaption(c.width, c.height, c.text_width, c.text_height, c.look, c.scale),
              c.place)
        << c.width << "x" << c.height << " text " << c.text_width << "x" << c.text_height;
  }
}

TEST(FitCaption, KeepsTheRimClearAlsoPressedThenShrinksThenCuts) {
  // Every character as wide as the face is high.
  const MeasureText measure = [](std::u16string_view text, std::int32_t pixels) {
    return static_cast<std::int32_t>(text.size()) * pixels;
  };
  struct Case {
    std::u16string_view caption;
    std::int32_t width;
    FittedText fitted;
  };
  const Case cases[] = {
      // 99 pixels: room on a button of 108 (4 + 99 + 4, and 1 to move when pressed), not of 107.
      {u"Pack File", 108, {11, u"Pack File", u""}},
      {u"Pack File", 107, {10, u"Pack File", u""}},
      {u"Pack Files", 102, {10, u"Pack Fil\u2026", u"Pack Files"}},
      {u"", 10, {11, u"", u""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitCaption(c.caption, c.width, measure), c.fitted)
        << std::string(c.caption.begin(), c.caption.end()) << " on " << c.width;
  }
}

}  // namespace
}  // namespace shell
