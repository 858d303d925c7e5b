// The fade of the main window: in from invisible when the program starts, out when the user
// clicks the close picture, and the end of the program when the window has faded out.
//
// Fade holds Alpha (the opacity last handed to the platform, 0 to 235 of 255) and FadeStep (+5
// while fading in, -5 while fading out) and tells the front end what to do on each tick of its
// 10 ms fade timer: set the opacity, stop the timer, unload the window. The window stays at 235,
// not 255, so the desktop shows faintly through it. The fade-in takes 47 ticks.
#pragma once

#include <cstdint>

namespace shell {

class Fade {
 public:
  static constexpr std::int32_t kStep = 5;
  static constexpr std::int32_t kShown = 235;

  // What the front end does after one tick, in this order: hand `alpha` to the platform; stop
  // the fade timer if asked; unload the window if asked.
  struct TickResult {
    std::int32_t alpha = 0;
    bool stop_timer = false;
    bool unload = false;
  };

  // Start-up: the window is fully transparent and begins to fade in. The front end starts its
  // fade timer.
  void Begin();

  // A click on the close picture: the fade turns round (or starts again from the shown state)
  // towards 0. The front end starts its fade timer; a second click changes nothing.
  void Close();

  TickResult Tick();

  std::int32_t Alpha() const { return alpha_; }
  std::int32_t FadeStep() const { return fade_step_; }
  // Whether the fade timer should be running.
  bool TimerEnabled() const { return timer_enabled_; }

 private:
  std::int32_t alpha_ = 0;
  std::int32_t fade_step_ = 0;
  bool timer_enabled_ = false;
};

}  // namespace shell
