// Moving the focus with Tab over each program's controls, what Enter and Space run, and the
// focus mark's pixels.
#include "shell/keyboard.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace shell {
namespace {

TEST(KeyboardTest, TabFollowsEachProgramsRowsAndPassesOverControlsThatAreOff) {
  using enum Role;
  const std::set<Role> all{kSelectFile, kSelectDir, kMainCommand, kFiles};
  const std::set<Role> no_main{kSelectFile, kSelectDir, kFiles};  // no paths chosen yet
  const std::set<Role> working{kFiles};                           // only the list is on
  const struct {
    Program program;
    std::optional<Role> from;
    bool backward;
    std::set<Role> on;
    std::optional<Role> expected;
  } kCases[] = {
      // From the window itself: the first, or with Shift the last.
      {Program::kUnbaler, std::nullopt, false, all, kSelectFile},
      {Program::kRebaler, std::nullopt, false, all, kSelectDir},
      {Program::kUnbaler, std::nullopt, true, all, kFiles},
      {Program::kUnbaler, kClose, false, all, kSelectFile},
      // Upper row, lower row, main command, list, and round again.
      {Program::kUnbaler, kSelectFile, false, all, kSelectDir},
      {Program::kUnbaler, kSelectDir, false, all, kMainCommand},
      {Program::kUnbaler, kMainCommand, false, all, kFiles},
      {Program::kUnbaler, kFiles, false, all, kSelectFile},
      {Program::kRebaler, kSelectDir, false, all, kSelectFile},
      {Program::kRebaler, kSelectFile, false, all, kMainCommand},
      {Program::kRebaler, kFiles, false, all, kSelectDir},
      // Backwards.
      {Program::kUnbaler, kSelectFile, true, all, kFiles},
      {Program::kUnbaler, kFiles, true, all, kMainCommand},
      {Program::kRebaler, kMainCommand, true, all, kSelectFile},
      {Program::kRebaler, kSelectFile, true, all, kSelectDir},
      // Controls that are off are passed over, also the one the focus leaves.
      {Program::kUnbaler, kSelectDir, false, no_main, kFiles},
      {Program::kUnbaler, kFiles, true, no_main, kSelectDir},
      {Program::kRebaler, kMainCommand, false, no_main, kFiles},
      {Program::kUnbaler, kSelectFile, false, working, kFiles},
      {Program::kUnbaler, kFiles, false, working, kFiles},
      {Program::kRebaler, std::nullopt, true, working, kFiles},
      {Program::kUnbaler, kSelectFile, false, {}, std::nullopt},
      {Program::kRebaler, std::nullopt, false, {}, std::nullopt},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message()
                 << static_cast<int>(c.program) << " from "
                 << (c.from ? static_cast<int>(*c.from) : -1) << (c.backward ? " back" : ""));
    EXPECT_EQ(NextFocus(c.program, c.from, c.backward, [&](Role r) { return c.on.contains(r); }),
              c.expected);
  }
}

TEST(KeyboardTest, EnterAndSpaceRunTheFocusedButtonsOwnCommandOnly) {
  const struct {
    Program program;
    std::optional<Role> focused;
    Command expected;
  } kCases[] = {
      {Program::kUnbaler, Role::kSelectFile, Command::kSelectFile},
      {Program::kRebaler, Role::kSelectDir, Command::kSelectDir},
      {Program::kRebaler, Role::kMainCommand, Command::kMainCommand},
      // Not a command of the focus order: the list, the close picture, a path label, nothing.
      {Program::kUnbaler, Role::kFiles, Command::kNone},
      {Program::kUnbaler, Role::kClose, Command::kNone},
      {Program::kUnbaler, Role::kFileName, Command::kNone},
      {Program::kRebaler, std::nullopt, Command::kNone},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(KeyCommand(c.program, c.focused), c.expected)
        << (c.focused ? static_cast<int>(*c.focused) : -1);
  }
}

TEST(KeyboardTest, TheFocusMarkIsADottedFrameInsideTheButton) {
  const struct {
    std::int32_t width, height;
    std::size_t dots;
  } kCases[] = {
      {102, 27, 111},  // the command buttons: a 94 x 19 frame
      {10, 10, 2},     // the smallest frame: 2 x 2 pixels
      {9, 27, 0},      // no room left between the insets
      {102, 9, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
    const std::vector<Pixel> dots = FocusMarkPixels(c.width, c.height);
    ASSERT_EQ(dots.size(), c.dots);
    if (dots.empty()) continue;
    const std::int32_t left = kFocusMark.inset, top = kFocusMark.inset;
    const std::int32_t right = c.width - 1 - left, bottom = c.height - 1 - top;
    EXPECT_EQ(dots.front(), (Pixel{left, top}));
    std::set<std::pair<std::int32_t, std::int32_t>> seen;
    for (const Pixel& p : dots) {
      // On the frame, each once, and never beside another dot of the same edge.
      EXPECT_TRUE((p.x == left || p.x == right)
                      ? p.y >= top && p.y <= bottom
                      : (p.y == top || p.y == bottom) && p.x > left && p.x < right)
          << p.x << "," << p.y;
      EXPECT_TRUE(seen.insert({p.x, p.y}).second);
      EXPECT_FALSE(seen.contains({p.x + 1, p.y}) && (p.y == top || p.y == bottom));
      EXPECT_FALSE(seen.contains({p.x - 1, p.y}) && (p.y == top || p.y == bottom));
    }
  }
}

}  // namespace
}  // namespace shell
