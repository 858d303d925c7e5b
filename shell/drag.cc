#include "shell/drag.h"

#include <cmath>

namespace shell {
namespace {

constexpr float kTwipsPerPixel = 15.0f;

float Twips(std::int32_t pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

}  // namespace

std::int32_t TwipsToPixels(float twips, std::int32_t dpi) {
  return static_cast<std::int32_t>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

void WindowDrag::Centre(std::int32_t screen_left, std::int32_t screen_top,
                        std::int32_t screen_width, std::int32_t screen_height, std::int32_t width,
                        std::int32_t height) {
  left_ = (Twips(screen_width) - Twips(width)) / 2.0f + Twips(screen_left);
  top_ = (Twips(screen_height) - Twips(height)) / 2.0f + Twips(screen_top);
}

PixelPoint WindowDrag::place() const { return {TwipsToPixels(left_), TwipsToPixels(top_)}; }

void WindowDrag::Press(float x, float y, PixelPoint window) {
  if (place() != window) {
    left_ = Twips(window.left);
    top_ = Twips(window.top);
  }
  press_x_ = static_cast<std::int32_t>(std::lround(x));
  press_y_ = static_cast<std::int32_t>(std::lround(y));
  dragging_ = true;
}

std::optional<PixelPoint> WindowDrag::Move(float x, float y) {
  if (!dragging_) return std::nullopt;
  left_ = left_ + 2.0f * (x - static_cast<float>(press_x_));
  top_ = top_ + 2.0f * (y - static_cast<float>(press_y_));
  return place();
}

}  // namespace shell
