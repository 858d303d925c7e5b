// How a text is fitted into its control, in every language alike: whole at the control's size
// where it fits, else whole one point smaller, else cut at its end with "…" at that smaller size
// and the whole text kept as the control's tooltip.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace shell {

struct FittedText {
  std::int32_t points;
  std::u16string shown;
  std::u16string tooltip;  // empty when the whole text is shown
  friend bool operator==(const FittedText&, const FittedText&) = default;
};

// The width in pixels of `text` drawn in the control's face at `points`.
using MeasureText = std::function<std::int32_t(std::u16string_view text, std::int32_t points)>;

// `text` fitted into `width` pixels for a control whose font is `points` big.
FittedText FitText(std::u16string_view text, std::int32_t width, std::int32_t points,
                   const MeasureText& measure);

}  // namespace shell
