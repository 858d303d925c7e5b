// Picture buttons: command buttons drawn as pictures that follow the pointer.
//
// A PictureButton is bound to a picture surface on the skin and swaps the surface's picture
// between four looks (ButtonLook): normal, hover while the pointer is over it (also right after a
// click on it), pressed while the left button is held on it, disabled while its command cannot
// run. A disabled button ignores the pointer. The surface reports no event when the pointer
// leaves it, so the
// main window runs TrackButtonHover on a 10 ms timer and returns every button the pointer is
// not over to normal. The button objects carry out no command: the main window's own click
// handlers of the same surfaces do.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "shell/main_layout.h"
#include "shell/text_fit.h"

namespace shell {

// Mouse button values as pointer events report them.
inline constexpr std::int32_t kLeftButton = 1;
inline constexpr std::int32_t kRightButton = 2;
inline constexpr std::int32_t kMiddleButton = 4;

// A press, move or release of the pointer as a front end reports it, at (x, y) in pixels on the
// control or the skin that took it. A move carries no button.
struct PointerEvent {
  enum class Kind { kPress, kMove, kRelease };
  Kind kind = Kind::kMove;
  std::int32_t button = 0;
  float x = 0.0f;
  float y = 0.0f;
};

class PictureButton;

// How a picture button looks, and so which of its surface's four pictures shows: the pictures
// are stored in this order.
enum class ButtonLook : std::int32_t { kNormal, kHover, kPressed, kDisabled };
inline constexpr std::int32_t kButtonLooks = 4;

// The caption of a picture button (its ControlSpec text), which every front end draws over the
// button's picture, the face only, in the skin's style: centred in the button, in a bold face,
// over a shadow of the same text; pressed it moves down and right, disabled it is faint. Lengths
// are pixels at 1x: a front end multiplies them by the scale it draws at.
struct CaptionLook {
  Rgb ink;
  std::int32_t shift;  // pixels right and down from the centred place
};

struct CaptionStyle {
  std::u16string_view face;
  // A face of nearly the same widths, for a system without the first (Windows).
  std::u16string_view fallback_face;
  std::int32_t pixels;  // the font's em height
  bool bold;
  Rgb shadow;
  std::uint8_t shadow_alpha;  // 0 transparent to 255 opaque
  std::int32_t shadow_dx;     // the shadow's offset from the text
  std::int32_t shadow_dy;
  std::array<CaptionLook, kButtonLooks> looks;  // in ButtonLook order

  const CaptionLook& look(ButtonLook which) const { return looks[static_cast<std::size_t>(which)]; }
};

inline constexpr CaptionStyle kCaptionStyle{
    .face = u"DejaVu Sans",
    .fallback_face = u"Verdana",
    .pixels = 11,
    .bold = true,
    .shadow = {0, 0, 0},
    .shadow_alpha = 115,  // 45 %
    .shadow_dx = 0,
    .shadow_dy = 1,
    .looks = {{
        {{245, 247, 250}, 0},  // normal
        {{254, 254, 254}, 0},  // hover
        {{200, 206, 214}, 1},  // pressed
        {{104, 110, 118}, 0},  // disabled: faint
    }},
};

// Where a caption's text box (`text_width` x `text_height`) goes on a button of `width` x
// `height` in `look`, all in pixels at `scale`: its top-left corner, centred, then shifted.
struct CaptionPlace {
  std::int32_t x;
  std::int32_t y;
  friend bool operator==(const CaptionPlace&, const CaptionPlace&) = default;
};
CaptionPlace PlaceCaption(std::int32_t width, std::int32_t height, std::int32_t text_width,
                          std::int32_t text_height, ButtonLook look, std::int32_t scale = 1);

// Pixels at 1x a caption keeps clear of either side of its button: the picture's rim.
inline constexpr std::int32_t kCaptionMargin = 4;
// A caption fitted to a button `width` pixels wide at 1x, as FitText fits a label: whole, else
// whole a size smaller, else cut with its whole text as tooltip. It keeps kCaptionMargin clear on
// either side also when pressed (shifted). The sizes `measure` is asked for, and the one returned,
// are the caption face's em height in pixels at 1x, starting from kCaptionStyle.pixels.
FittedText FitCaption(std::u16string_view caption, std::int32_t width, const MeasureText& measure);

// The platform half of a button: a picture surface placed on the skin.
class PicSurface {
 public:
  virtual ~PicSurface() = default;
  // Shows the picture of `look`. Hands over the stored picture; copies no pixels.
  virtual void ShowPicture(ButtonLook look) = 0;
  // Place and size in pixels, relative to the skin (and so to the window's client area).
  virtual std::int32_t Left() const = 0;
  virtual std::int32_t Top() const = 0;
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  // From now on the surface hands its pointer events to `button`.
  virtual void Bind(PictureButton* button) { (void)button; }
};

class PictureButton {
 public:
  // Binds the button to `surface` and subscribes it to the surface's pointer events. Does not
  // change what the surface shows: it starts with its normal picture.
  void Bind(PicSurface* surface);
  // The pointer is not over the button: back to normal, and a press held since is forgotten.
  // A disabled button stays as it is.
  void MouseExit();
  // Disabling shows the disabled picture and forgets a press; enabling shows the normal one.
  void SetEnabled(bool enabled);

  // The surface's pointer events; x and y are pixels on the surface.
  void MouseDown(std::int32_t button, float x, float y);
  void MouseMove(float x, float y);
  // A left release over the button (x and y inside it) leaves it showing hover, elsewhere normal.
  void MouseUp(std::int32_t button, float x = -1.0f, float y = -1.0f);
  // The same, as one event.
  void Pointer(const PointerEvent& event);

  PicSurface* surface() const { return surface_; }
  bool pressed() const { return pressed_; }
  bool enabled() const { return enabled_; }

 private:
  bool Inside(float x, float y) const;
  void Show(ButtonLook look);

  PicSurface* surface_ = nullptr;
  bool pressed_ = false;
  bool enabled_ = true;
};

// A surface that stores its pictures itself: it keeps which one shows and the button bound to it,
// and redraws only when another stored picture is to show. A look without a stored picture
// changes nothing.
class StoredPicSurface : public PicSurface {
 public:
  void ShowPicture(ButtonLook look) final {
    if (static_cast<std::int32_t>(look) >= PictureCount() || look == shown_) return;
    shown_ = look;
    Redraw();
  }
  void Bind(PictureButton* button) final { button_ = button; }
  ButtonLook shown() const { return shown_; }

 protected:
  virtual std::int32_t PictureCount() const = 0;
  virtual void Redraw() = 0;
  // Hands a pointer event on the surface to the bound button, if there is one.
  void Forward(const PointerEvent& event) {
    if (button_ != nullptr) button_->Pointer(event);
  }

 private:
  ButtonLook shown_ = ButtonLook::kNormal;
  PictureButton* button_ = nullptr;
};

// Where the pointer is: MouseX/MouseY give its position in the client coordinates of the window
// `hwnd`, or on the screen when hwnd is 0.
class Pointer {
 public:
  virtual ~Pointer() = default;
  virtual std::int32_t MouseX(std::intptr_t hwnd) = 0;
  virtual std::int32_t MouseY(std::intptr_t hwnd) = 0;
};

// One tick of the hover tracking: every button the pointer is not over gets MouseExit, on every
// tick, whether or not it already shows its normal picture. Buttons the pointer is over are left
// to their own move events. Only coordinates count, so a spot of a button that another window
// covers still counts as over it.
void TrackButtonHover(std::span<const std::unique_ptr<PictureButton>> buttons, Pointer& pointer,
                      std::intptr_t hwnd);

}  // namespace shell
