#include "shell/text_fit.h"

namespace shell {
namespace {

constexpr char16_t kEllipsis = u'\u2026';

bool LowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

FittedText FitText(std::u16string_view text, std::int32_t width, std::int32_t points,
                   const MeasureText& measure) {
  if (text.empty() || measure(text, points) <= width) return {points, std::u16string(text), {}};
  const std::int32_t smaller = points > 1 ? points - 1 : points;
  if (measure(text, smaller) <= width) return {smaller, std::u16string(text), {}};
  // The longest head that fits with the ellipsis after it; never half of a surrogate pair.
  std::size_t keep = text.size();
  std::u16string shown;
  do {
    --keep;
    while (keep > 0 && LowSurrogate(text[keep])) --keep;
    shown.assign(text.substr(0, keep)).push_back(kEllipsis);
  } while (keep > 0 && measure(shown, smaller) > width);
  return {smaller, shown, std::u16string(text)};
}

}  // namespace shell
