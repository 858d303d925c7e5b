// The one description of the difference dialog: what every front end builds from it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "repacker/difference_dialog.h"
#include "tests/support/boxes.h"

namespace repacker {
namespace {

using shell::Box;
using shell::ControlKind;

using testing_support::Inside;
using testing_support::Overlap;

TEST(DiffDialogLayout, ControlsFitTheClientAreaInTabOrderWithoutOverlapping) {
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    SCOPED_TRACE(std::string(kDiffControls[i].name));
    EXPECT_TRUE(names.insert(kDiffControls[i].name).second);
    EXPECT_TRUE(Inside(kDiffControls[i].twips, kDiffWidth, kDiffHeight));
    for (std::size_t j = i + 1; j < kDiffControls.size(); ++j) {
      EXPECT_FALSE(Overlap(kDiffControls[i].twips, kDiffControls[j].twips));
    }
    // Tab order runs from top to bottom, then left to right.
    if (i > 0) {
      const Box& before = kDiffControls[i - 1].twips;
      const Box& box = kDiffControls[i].twips;
      EXPECT_TRUE(box.top > before.top || (box.top == before.top && box.left > before.left));
    }
  }
  EXPECT_EQ(kDiffControls[kDiffAdded].kind, ControlKind::kList);
  EXPECT_EQ(kDiffControls[kDiffDeleted].kind, ControlKind::kList);
  EXPECT_EQ(kDiffControls[kDiffContinue].text, u"Continue with Packing");
  EXPECT_EQ(kDiffControls[kDiffCancel].text, u"Cancel the Packing");
}

TEST(DiffDialogLayout, ScalesWithTheDpiAndGrowsOnlyLabelsTooNarrowForTheirText) {
  // Label1 is 7545 twips wide at 60 from the left: 503 pixels at 4, with 1 pixel to the right.
  const struct {
    const char* name;
    std::int32_t dpi;
    TextWidthFn text_width;
    std::int32_t label1_width, lst_added_width, width, height;
  } kCases[] = {
      {"as drawn", 96, {}, 503, 421, 508, 273},
      {"large fonts", 144, {}, 755, 632, 762, 410},
      {"text fits", 96, [](std::size_t) { return 400; }, 503, 421, 508, 273},
      {"label grows", 96, [](std::size_t i) { return i == 0 ? 600 : 10; }, 600, 421, 605, 273},
      {"lists never grow", 96, [](std::size_t i) { return i == kDiffAdded ? 900 : 0; }, 503, 421,
       508, 273},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const DiffLayout layout = LayOutDiff(c.dpi, c.text_width);
    EXPECT_EQ(layout.boxes[0].width, c.label1_width);
    EXPECT_EQ(layout.boxes[0].left, c.dpi == 96 ? 4 : 6);
    EXPECT_EQ(layout.boxes[kDiffAdded].width, c.lst_added_width);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.height, c.height);
  }
}

TEST(DiffDialogLayout, OnlyTheTwoButtonsAnswer) {
  for (std::size_t i = 0; i < kDiffControls.size() + 1; ++i) {
    SCOPED_TRACE(i);
    const std::optional<DiffAnswer> answer = DiffAnswerOf(i);
    if (i == kDiffContinue) {
      EXPECT_EQ(answer, DiffAnswer::kContinue);
    } else if (i == kDiffCancel) {
      EXPECT_EQ(answer, DiffAnswer::kCancel);
    } else {
      EXPECT_FALSE(answer.has_value());
    }
  }
}

// Clicks the given controls while "shown", as a user would before the dialog closes.
class ClickingDialog : public ModalDiffDialog {
 public:
  explicit ClickingDialog(std::vector<std::size_t> planned) : clicks(std::move(planned)) {}
  std::vector<std::size_t> clicks;
  std::vector<bool> closed;  // what each click asked of the dialog

 private:
  void RunModal(const std::vector<std::u16string>&, const std::vector<std::u16string>&) override {
    for (std::size_t index : clicks) closed.push_back(Click(index));
  }
};

TEST(DiffDialogLayout, TheAnswerIsTheButtonClickedAndCancelOtherwise) {
  const struct {
    std::vector<std::size_t> clicks;
    DiffAnswer answer;
    std::vector<bool> closed;
  } kCases[] = {
      {{}, DiffAnswer::kCancel, {}},  // closed without a button
      {{kDiffContinue}, DiffAnswer::kContinue, {true}},
      {{kDiffCancel}, DiffAnswer::kCancel, {true}},
      {{kDiffAdded, 0, kDiffDeleted}, DiffAnswer::kCancel, {false, false, false}},
      {{kDiffAdded, kDiffContinue}, DiffAnswer::kContinue, {false, true}},
  };
  for (const auto& c : kCases) {
    ClickingDialog dialog(c.clicks);
    EXPECT_EQ(dialog.ShowDiff({u"a"}, {}), c.answer) << c.clicks.size();
    EXPECT_EQ(dialog.closed, c.closed) << c.clicks.size();
  }
  ClickingDialog dialog({kDiffContinue});
  EXPECT_EQ(dialog.ShowDiff({}, {}), DiffAnswer::kContinue);
  dialog.clicks.clear();
  EXPECT_EQ(dialog.ShowDiff({}, {}), DiffAnswer::kCancel);  // each showing starts from cancel
}

}  // namespace
}  // namespace repacker
