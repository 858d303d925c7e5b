// Moving the focus with Tab over each program's controls, and the focus mark's pixels.
#include "shell/keyboard.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace shell {
namespace {

TEST(KeyboardTest, TabFollowsEachProgramsRowsAndPassesOverControlsThatAreOff) {
  using enum Role;
  const std::set<Role> all{kSelectFile, kSelectDir, kMainCommand, kFiles, kClose};
  const std::set<Role> offer{kSelectFile, kSelectDir, kMainCommand, kFiles, kStatus, kClose};
  const std::set<Role> no_main{kSelectFile, kSelectDir, kFiles, kClose};  // no paths chosen yet
  const std::set<Role> working{kFiles, kClose};  // only the list and the close picture are on
  const struct {
    Program program;
    std::optional<Role> from;  // none: the window itself
    bool backward;
    std::set<Role> on;
    std::optional<Role> expected;
  } kCases[] = {
      {Program::kUnbaler, std::nullopt, false, all, kSelectFile},
      {Program::kRebaler, std::nullopt, false, all, kSelectDir},
      {Program::kUnbaler, std::nullopt, true, all, kClose},
      {Program::kUnbaler, kClose, false, all, kSelectFile},
      // The status strip takes the focus only while it offers a folder.
      {Program::kUnbaler, kFiles, false, all, kClose},
      {Program::kUnbaler, kFiles, false, offer, kStatus},
      {Program::kUnbaler, kStatus, false, offer, kClose},
      {Program::kUnbaler, kClose, true, offer, kStatus},
      {Program::kUnbaler, kSelectDir, false, all, kMainCommand},
      {Program::kRebaler, kSelectDir, false, all, kSelectFile},
      {Program::kRebaler, kClose, false, all, kSelectDir},
      {Program::kUnbaler, kSelectFile, true, all, kClose},
      {Program::kRebaler, kMainCommand, true, all, kSelectFile},
      {Program::kUnbaler, kSelectDir, false, no_main, kFiles},
      {Program::kUnbaler, kFiles, true, no_main, kSelectDir},
      {Program::kUnbaler, kSelectFile, false, working, kFiles},
      {Program::kUnbaler, kFiles, false, working, kClose},
      {Program::kUnbaler, kClose, false, working, kFiles},
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

TEST(KeyboardTest, EnterRunsTheFocusedButtonsOrTheStatusStripsCommand) {
  using enum Role;
  const struct {
    std::optional<Role> focused;
    Command command;
  } kCases[] = {
      {kSelectFile, Command::kSelectFile},
      {kMainCommand, Command::kMainCommand},
      {kClose, Command::kClose},
      {kStatus, Command::kOpenFolder},
      {kFiles, Command::kNone},
      {kFileName, Command::kNone},
      {std::nullopt, Command::kNone},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(KeyCommand(Program::kUnbaler, c.focused), c.command)
        << (c.focused ? static_cast<int>(*c.focused) : -1);
  }
}

TEST(KeyboardTest, TheFocusMarkIsADottedFrameInsideTheButton) {
  const struct {
    std::int32_t width, height;
    std::size_t dots;
  } kCases[] = {{102, 27, 111}, {10, 10, 2}, {9, 27, 0}, {102, 9, 0}};
  for (const auto& c : kCases) {
    const std::vector<Pixel> dots = FocusMarkPixels(c.width, c.height);
    ASSERT_EQ(dots.size(), c.dots) << c.width << " x " << c.height;
    const std::int32_t low = kFocusMark.inset;
    const std::int32_t right = c.width - 1 - low, bottom = c.height - 1 - low;
    std::set<std::pair<std::int32_t, std::int32_t>> seen;
    for (const Pixel& p : dots) {
      // On the frame, each once, and never next to another dot.
      EXPECT_TRUE(p.x == low || p.x == right || p.y == low || p.y == bottom);
      EXPECT_TRUE(p.x >= low && p.x <= right && p.y >= low && p.y <= bottom);
      EXPECT_TRUE(seen.insert({p.x, p.y}).second);
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        EXPECT_FALSE(seen.contains({p.x + dx, p.y + dy})) << p.x << "," << p.y;
      }
    }
  }
}

}  // namespace
}  // namespace shell
