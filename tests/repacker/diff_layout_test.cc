// The one description of the difference dialog: what every front end builds from it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "repacker/files_mismatch_dialog.h"
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

}  // namespace
}  // namespace repacker
