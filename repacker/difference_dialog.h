// The dialog that shows, before a repack, which files were added to the folder and which
// recorded names have no file any more, and asks whether to go on.
//
// The repack logic sees the dialog only through this interface, so it can be tested without a
// display and driven by any front end. Each repack asks the factory for a fresh dialog, makes
// one ShowDiff call and then discards it: no list contents or answer carry over to the next
// repack.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/main_layout.h"

namespace repacker {

enum class DiffAnswer { kCancel, kContinue };

class DifferenceDialog {
 public:
  virtual ~DifferenceDialog() = default;

  // Shows both lists exactly as given (same order, same letter case; either may be empty),
  // waits modally for the user and answers whether to continue with the packing. Closing the
  // dialog in any other way than with its two buttons counts as cancel. The lists are borrowed
  // for the call only.
  virtual DiffAnswer ShowDiff(const std::vector<std::u16string>& added,
                              const std::vector<std::u16string>& deleted) = 0;
};

// Makes a new dialog for one repack.
using DifferenceDialogFactory = std::function<std::unique_ptr<DifferenceDialog>()>;

// The dialog described once for every front end: an ordinary window with a title bar and a
// fixed frame, laid out in twips (15 to a pixel at 96 dots per inch). Neither button is the
// default or the cancel button. The controls are created, and take the focus, in this order.
struct DiffControl {
  std::string_view name;
  shell::ControlKind kind;
  std::u16string_view text;
  shell::Box twips;
};

inline constexpr std::u16string_view kDiffTitle = u"Files List Diff";
// The texts of its controls, shown in the user's language.
inline constexpr char16_t kDiffIntroText[] =
    u"There is a difference between the names of the files that were extracted to the files "
    u"that you wat to repack. ";
inline constexpr char16_t kDiffAddedText[] = u"The list of files that were added:";
inline constexpr char16_t kDiffDeletedText[] = u"The list of files that were deleted:";
inline constexpr char16_t kDiffContinueText[] = u"Continue with Packing";
inline constexpr char16_t kDiffCancelText[] = u"Cancel the Packing";
inline constexpr std::int32_t kDiffWidth = 7620;  // the client area, in twips
inline constexpr std::int32_t kDiffHeight = 4095;
inline constexpr std::array<DiffControl, 7> kDiffControls{{
    {"Label1", shell::ControlKind::kLabel, kDiffIntroText, {60, 30, 7545, 285}},
    {"Label2", shell::ControlKind::kLabel, kDiffAddedText, {60, 390, 2325, 255}},
    {"lstAdded", shell::ControlKind::kList, {}, {60, 690, 6315, 1230}},
    {"Label3", shell::ControlKind::kLabel, kDiffDeletedText, {60, 1980, 2325, 255}},
    {"lstDeleted", shell::ControlKind::kList, {}, {60, 2280, 6315, 1230}},
    {"cmdOK", shell::ControlKind::kButton, kDiffContinueText, {1969, 3630, 1815, 375}},
    {"Command1", shell::ControlKind::kButton, kDiffCancelText, {3836, 3630, 1815, 375}},
}};
// Indices into kDiffControls.
inline constexpr std::size_t kDiffAdded = 2, kDiffDeleted = 4, kDiffContinue = 5, kDiffCancel = 6;

// The dialog in pixels: each control's box, and the client area.
struct DiffLayout {
  std::array<shell::Box, kDiffControls.size()> boxes;
  std::int32_t width, height;
};

// The room control `index`'s text needs on one line, in pixels; 0 where it has none.
using TextWidthFn = std::function<std::int32_t(std::size_t index)>;

// The dialog at `dpi` dots per inch. The layout was made for one small system font: where a
// label's text needs more room than its box gives, the label grows to keep the text on its one
// line, and the dialog grows with it so its right margin stays. No `text_width`: no growth.
DiffLayout LayOutDiff(std::int32_t dpi, const TextWidthFn& text_width = {});

// What a click on control `index` answers: the two buttons answer, nothing else does.
std::optional<DiffAnswer> DiffAnswerOf(std::size_t index);

// A front end's dialog: it shows the lists and waits; the answer is kept here. Whatever ends the
// wait before a button answers, the answer is cancel.
class ModalDiffDialog : public DifferenceDialog {
 public:
  DiffAnswer ShowDiff(const std::vector<std::u16string>& added,
                      const std::vector<std::u16string>& deleted) final {
    answer_ = DiffAnswer::kCancel;
    RunModal(added, deleted);
    return answer_;
  }
  DiffAnswer answer() const { return answer_; }

 protected:
  // Fills both lists and waits until the dialog is closed.
  virtual void RunModal(const std::vector<std::u16string>& added,
                        const std::vector<std::u16string>& deleted) = 0;
  // A click on control `index`; true when it answered, and the dialog is to close.
  bool Click(std::size_t index) {
    const std::optional<DiffAnswer> answer = DiffAnswerOf(index);
    if (answer) answer_ = *answer;
    return answer.has_value();
  }

 private:
  DiffAnswer answer_ = DiffAnswer::kCancel;
};

}  // namespace repacker
