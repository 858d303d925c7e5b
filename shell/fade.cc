#include "shell/fade.h"

#include <algorithm>

namespace shell {

void Fade::Begin() {
  alpha_ = 0;
  fade_step_ = kStep;
  timer_enabled_ = true;
}

void Fade::Close() {
  fade_step_ = -kStep;
  timer_enabled_ = true;
}

Fade::TickResult Fade::Tick() {
  // Kept inside 0..235: a close click before the first tick of the fade-in (Alpha still 0)
  // would otherwise run Alpha below 0, where it never meets 0 again and the program never ends.
  alpha_ = std::clamp(alpha_ + fade_step_, 0, kShown);
  TickResult result{alpha_, false, false};
  if (alpha_ == kShown) {
    result.stop_timer = true;
  } else if (alpha_ == 0) {
    result.stop_timer = true;
    result.unload = true;
  }
  if (result.stop_timer) timer_enabled_ = false;
  return result;
}

}  // namespace shell
