#include "repacker/difference_dialog.h"

#include <algorithm>

#include "shell/drag.h"

namespace repacker {

DiffLayout LayOutDiff(std::int32_t dpi, const TextWidthFn& text_width) {
  const auto pixels = [dpi](std::int32_t twips) {
    return shell::TwipsToPixels(static_cast<float>(twips), dpi);
  };
  DiffLayout layout{{}, pixels(kDiffWidth), pixels(kDiffHeight)};
  // The widest label sets the margin that stays on the right.
  const shell::Box& widest = kDiffControls[0].twips;
  const std::int32_t right_margin = pixels(kDiffWidth - (widest.left + widest.width));
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    const shell::Box& twips = kDiffControls[i].twips;
    shell::Box& box = layout.boxes[i];
    box = {pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height)};
    if (!text_width || kDiffControls[i].kind != shell::ControlKind::kLabel) continue;
    const std::int32_t needed = text_width(i);
    if (needed <= box.width) continue;
    box.width = needed;
    layout.width = std::max(layout.width, box.left + needed + right_margin);
  }
  return layout;
}

std::optional<DiffAnswer> DiffAnswerOf(std::size_t index) {
  if (index == kDiffContinue) return DiffAnswer::kContinue;
  if (index == kDiffCancel) return DiffAnswer::kCancel;
  return std::nullopt;
}

}  // namespace repacker
