// Where the main window stands, and moving it by dragging its skin.
//
// The window's left and top are kept in twips (15 per pixel) as single-precision values, and only
// here: the platform gets them rounded to whole pixels. A press of any mouse button on the skin
// records the pointer position, rounded to whole pixels; each pointer move while the drag lasts
// shifts the window by 2 twips per pixel of offset from that point (left first, then top), so
// the window glides after the pointer instead of jumping with it, and a slow drag still moves it
// by fractions of a pixel that add up.
#pragma once

#include <cstdint>
#include <optional>

namespace shell {

struct PixelPoint {
  std::int32_t left = 0;
  std::int32_t top = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The whole pixel a twip value lands on at `dpi` dots per inch (1440 twips to the inch), halves
// rounded away from zero: where a form laid out in twips places its controls.
std::int32_t TwipsToPixels(float twips, std::int32_t dpi = 96);

class WindowDrag {
 public:
  // Places a window of `width` x `height` pixels in the middle of the screen area at
  // (screen_left, screen_top) of `screen_width` x `screen_height` pixels; a half pixel is kept
  // for the drags that follow.
  void Centre(std::int32_t screen_left, std::int32_t screen_top, std::int32_t screen_width,
              std::int32_t screen_height, std::int32_t width, std::int32_t height);
  // A press of any mouse button at (x, y), in pixels on the skin, with the window standing at
  // `window` now: when it was moved by other means meanwhile, the drag starts from there.
  void Press(float x, float y, PixelPoint window);
  // A pointer move to (x, y) on the skin, whatever buttons are held. Returns the window's new
  // place in whole pixels, or nothing when no drag is in progress.
  std::optional<PixelPoint> Move(float x, float y);
  // A release of any mouse button.
  void Release() { dragging_ = false; }

  bool dragging() const { return dragging_; }
  // The window's place, in whole pixels.
  PixelPoint place() const;

 private:
  float left_ = 0.0f;  // twips
  float top_ = 0.0f;   // twips
  bool dragging_ = false;
  std::int32_t press_x_ = 0;
  std::int32_t press_y_ = 0;
};

}  // namespace shell
