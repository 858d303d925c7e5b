// Moving the main window by dragging its skin, and the twips in which the window keeps its place.
//
// The window's left and top are kept in twips (15 per pixel) as single-precision values; the
// platform rounds them to whole pixels when it moves the window. A press of any mouse button on
// the skin records the pointer position, rounded to whole pixels; each pointer move while the
// drag lasts shifts the window by 2 twips per pixel of offset from that point (left first, then
// top), so the window glides after the pointer instead of jumping with it.
#pragma once

#include <cstdint>
#include <optional>

namespace shell {

inline constexpr float kTwipsPerPixel = 15.0f;

struct TwipPoint {
  float left = 0.0f;
  float top = 0.0f;
  friend bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

// The whole pixel a twip value lands on at `dpi` dots per inch (1440 twips to the inch), halves
// rounded away from zero: where the platform moves the window, and where a form laid out in twips
// places its controls.
std::int32_t TwipsToPixels(float twips, std::int32_t dpi = 96);

// The window's place when it is centred on a screen; all sizes in twips. The halves keep their
// fraction.
TwipPoint CentredOnScreen(float screen_width, float screen_height, float window_width,
                          float window_height);

class WindowDrag {
 public:
  // A press of any mouse button at (x, y), in pixels on the skin.
  void Press(float x, float y);
  // A pointer move to (x, y) on the skin, whatever buttons are held. Returns the window's new
  // place, computed from `window`, or nothing when no drag is in progress.
  std::optional<TwipPoint> Move(float x, float y, TwipPoint window) const;
  // A release of any mouse button.
  void Release() { dragging_ = false; }

  bool dragging() const { return dragging_; }
  std::int32_t DragX() const { return drag_x_; }
  std::int32_t DragY() const { return drag_y_; }

 private:
  bool dragging_ = false;
  std::int32_t drag_x_ = 0;
  std::int32_t drag_y_ = 0;
};

}  // namespace shell
