// The one description of the main window, checked once for both programs: what every front end
// builds from it.
#include "shell/main_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "tests/support/boxes.h"

namespace shell {
namespace {

using testing_support::Inside;
using testing_support::Overlap;

const ControlSpec& Find(const std::array<ControlSpec, 10>& controls, Role role) {
  for (const ControlSpec& desc : controls) {
    if (desc.role == role) return desc;
  }
  ADD_FAILURE() << "no control for role " << static_cast<int>(role);
  return controls[0];
}

TEST(MainLayout, EveryControlHasItsOwnNameSpokenNameRolePlaceAndFitsTheSkin) {
  for (Program program : {Program::kUnbaler, Program::kRebaler}) {
    const auto controls = MainWindowControls(program);
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      SCOPED_TRACE(std::string(controls[i].name));
      EXPECT_TRUE(names.insert(controls[i].name).second) << "name used twice";
      EXPECT_FALSE(AccessibleName(controls[i]).empty()) << "nothing for a screen reader to read";
      // Front ends find a control by its role as an index (the Win32 child ids).
      EXPECT_EQ(static_cast<std::size_t>(controls[i].role), i);
      EXPECT_TRUE(Inside(controls[i].box, kMainWidth, kMainHeight));
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(Overlap(controls[i].box, controls[j].box)) << "overlaps " << controls[j].name;
      }
    }
  }
}

// The rows: each holds its caption, its path label and its button, level with one another;
// Unbaler has the archive row on top, Rebaler the folder row.
TEST(MainLayout, RowsHoldTheirThreeControlsAndChangePlacesBetweenThePrograms) {
  struct Case {
    Program program;
    Role top_caption;
    std::u16string_view title;
    std::string_view main_command;
    Picture main_picture;
  };
  for (const Case& c :
       {Case{Program::kUnbaler, Role::kFileCaption, u"Unbaler", "picExtract", Picture::kExtract},
        Case{Program::kRebaler, Role::kDirCaption, u"Rebaler", "picRepack", Picture::kPack}}) {
    const auto controls = MainWindowControls(c.program);
    for (const auto& row : {std::array{Role::kFileCaption, Role::kFileName, Role::kSelectFile},
                            std::array{Role::kDirCaption, Role::kDir, Role::kSelectDir}}) {
      const Box& button = Find(controls, row[2]).box;
      for (Role part : {row[0], row[1]}) {
        const Box& box = Find(controls, part).box;
        EXPECT_TRUE(box.top >= button.top && box.top + box.height <= button.top + button.height)
            << Find(controls, part).name << " is not on the row of " << Find(controls, row[2]).name;
      }
    }
    const Role bottom_caption =
        c.top_caption == Role::kFileCaption ? Role::kDirCaption : Role::kFileCaption;
    EXPECT_LT(Find(controls, c.top_caption).box.top, Find(controls, Role::kFiles).box.top);
    EXPECT_GT(Find(controls, bottom_caption).box.top, Find(controls, Role::kFiles).box.top);
    EXPECT_EQ(Find(controls, Role::kTitle).text, c.title);
    EXPECT_EQ(ProgramTitle(c.program), c.title);
    EXPECT_EQ(Find(controls, Role::kMainCommand).name, c.main_command);
    EXPECT_EQ(Find(controls, Role::kMainCommand).picture, c.main_picture);
  }
}

// A click on a path label chooses anew, as its button does; the captions and the title do
// nothing.
TEST(MainLayout, ClicksReachTheirCommands) {
  const std::pair<Role, Command> expected[] = {
      {Role::kTitle, Command::kNone},
      {Role::kClose, Command::kClose},
      {Role::kFileCaption, Command::kNone},
      {Role::kDirCaption, Command::kNone},
      {Role::kFileName, Command::kSelectFile},
      {Role::kDir, Command::kSelectDir},
      {Role::kSelectFile, Command::kSelectFile},
      {Role::kSelectDir, Command::kSelectDir},
      {Role::kMainCommand, Command::kMainCommand},
      {Role::kFiles, Command::kNone},
  };
  for (Program program : {Program::kUnbaler, Program::kRebaler}) {
    const auto controls = MainWindowControls(program);
    for (const auto& [role, command] : expected) {
      EXPECT_EQ(Find(controls, role).click, command) << Find(controls, role).name;
    }
  }
}

// The contrast ratio of two colours as the accessibility guidelines define it: (L1 + 0.05) /
// (L2 + 0.05) of their relative luminances, from 1 (equal) to 21 (black on white).
double ContrastRatio(Rgb a, Rgb b) {
  const auto luminance = [](Rgb c) {
    const auto linear = [](std::uint8_t v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The status strip has the bottom of the list's white box to itself: the list ends where it
// begins, so no row lies under it; the filter opens over it.
TEST(MainLayout, TheStatusStripLiesBelowTheListAndHidesNoRow) {
  constexpr std::int32_t kWhiteBoxBottom = 153;  // the list's white box on the skin
  const ControlSpec status = StatusLine();
  const ControlSpec filter = FilterBox();
  for (Program program : {Program::kUnbaler, Program::kRebaler}) {
    const auto controls = MainWindowControls(program);
    for (const ControlSpec& desc : controls) {
      EXPECT_NE(desc.name, status.name);
      EXPECT_NE(desc.name, filter.name);
    }
    // Found by their roles as the controls are: the indices after theirs.
    EXPECT_EQ(static_cast<std::size_t>(status.role), controls.size());
    EXPECT_EQ(static_cast<std::size_t>(filter.role), controls.size() + 1);
    const Box& list = Find(controls, Role::kFiles).box;
    const Box& box = status.box;
    EXPECT_EQ(box.top, list.top + list.height);
    EXPECT_EQ(box.top + box.height, kWhiteBoxBottom);
    EXPECT_EQ(std::tuple(box.left, box.width), std::tuple(list.left, list.width));
    EXPECT_EQ(std::tuple(filter.box.left, filter.box.top, filter.box.width, filter.box.height),
              std::tuple(box.left, box.top, box.width, box.height));
    // Three rows of the controls' font still fit the list.
    EXPECT_GE(list.height, 3 * 13 + 4);
    EXPECT_EQ(status.font, Find(controls, Role::kFileName).font);
    EXPECT_GT(status.indent, 0);
  }
}

TEST(MainLayout, TheListsMarksAndTheStripsTextsStandOutFromTheirBackgrounds) {
  const ControlSpec list = Find(MainWindowControls(Program::kUnbaler), Role::kFiles);
  const ControlSpec status = StatusLine();
  const struct {
    const char* what;
    Rgb front, back;
    double least;
  } kCases[] = {
      {"the list's focus mark", kListFocusColour, list.background, 3.0},
      {"the status line", status.text_colour, status.background, 4.5},
      {"a status line that offers a folder", kLinkColour, status.background, 4.5},
      {"the filter", FilterBox().text_colour, FilterBox().background, 4.5},
  };
  for (const auto& c : kCases) EXPECT_GE(ContrastRatio(c.front, c.back), c.least) << c.what;
  // The strip is set apart from the list's white.
  EXPECT_GT(ContrastRatio(list.background, status.background), 1.1);
}

TEST(MainLayout, PictureFilesNameFourForAButtonAndNoneForOtherControls) {
  const auto desc = [](ControlKind kind, Picture picture) {
    ControlSpec made{};
    made.kind = kind;
    made.picture = picture;
    return made;
  };
  const struct {
    ControlSpec desc;
    std::vector<std::string> files;
  } kCases[] = {
      {desc(ControlKind::kPictureButton, Picture::kSelectDir),
       {"select_dir_0", "select_dir_1", "select_dir_2", "select_dir_3"}},
      {desc(ControlKind::kPictureButton, Picture::kPack), {"pack_0", "pack_1", "pack_2", "pack_3"}},
      {desc(ControlKind::kLabel, Picture::kNone), {}},
      {desc(ControlKind::kList, Picture::kNone), {}},
  };
  for (const auto& c : kCases) EXPECT_EQ(PictureFiles(c.desc), c.files);
}

}  // namespace
TEST(MainLayout, ScalingToADpiKeepsBoxesThatTouchTouching) {
  struct Case {
    std::int32_t dpi;
    Box box;
    Box scaled;
  };
  const Case cases[] = {
      {96, {66, 84, 319, 69}, {66, 84, 319, 69}},
      {192, {66, 84, 319, 69}, {132, 168, 638, 138}},
      // 1.25: 66 -> 82.5 and 385 -> 481.25 round to 83 and 481; the width is what lies between.
      {120, {66, 84, 319, 69}, {83, 105, 398, 86}},
      // 1.5: halves round up, so an odd box grows by its half pixel on one side only.
      {144, {1, 1, 1, 1}, {2, 2, 1, 1}},
      {144, {2, 2, 1, 1}, {3, 3, 2, 2}},
  };
  for (const Case& c : cases) {
    const Box scaled = ScaleBox(c.box, c.dpi);
    EXPECT_EQ(std::tie(scaled.left, scaled.top, scaled.width, scaled.height),
              std::tie(c.scaled.left, c.scaled.top, c.scaled.width, c.scaled.height))
        << c.dpi << " dpi, box at " << c.box.left << "," << c.box.top;
  }
  // A negative offset scales as its positive twin.
  EXPECT_EQ(ScaleToDpi(-1, 144), -ScaleToDpi(1, 144));
  // At every DPI the path label still ends where its button begins, less the same gap.
  for (std::int32_t dpi : {96, 120, 144, 168, 192, 240}) {
    const auto controls = MainWindowControls(Program::kUnbaler);
    const Box label = ScaleBox(controls[4].box, dpi);
    const Box button = ScaleBox(controls[6].box, dpi);
    EXPECT_EQ(button.left - (label.left + label.width), ScaleToDpi(318, dpi) - ScaleToDpi(315, dpi))
        << dpi;
  }
}

}  // namespace shell
