#include "shell/drag.h"

#include <cmath>

namespace shell {

std::int32_t TwipsToPixels(float twips, std::int32_t dpi) {
  return static_cast<std::int32_t>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

TwipPoint CentredOnScreen(float screen_width, float screen_height, float window_width,
                          float window_height) {
  return {(screen_width - window_width) / 2.0f, (screen_height - window_height) / 2.0f};
}

void WindowDrag::Press(float x, float y) {
  drag_x_ = static_cast<std::int32_t>(std::lround(x));
  drag_y_ = static_cast<std::int32_t>(std::lround(y));
  dragging_ = true;
}

std::optional<TwipPoint> WindowDrag::Move(float x, float y, TwipPoint window) const {
  if (!dragging_) return std::nullopt;
  window.left = window.left + 2.0f * (x - static_cast<float>(drag_x_));
  window.top = window.top + 2.0f * (y - static_cast<float>(drag_y_));
  return window;
}

}  // namespace shell
