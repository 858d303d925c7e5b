// Picture buttons: command buttons drawn as pictures that follow the pointer.
//
// A PictureButton is bound to a picture surface on the skin and swaps the surface's picture
// between four states: 1 normal, 2 hover while the pointer is over it (also right after a click
// on it), 3 pressed while the left button is held on it, 4 disabled while its command cannot
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

// The platform half of a button: a picture surface placed on the skin.
class PicSurface {
 public:
  virtual ~PicSurface() = default;
  // Shows one of the pictures the surface can show, as SetPictures named it. Hands over the
  // stored picture; copies no pixels.
  virtual void ShowPicture(std::int32_t picture) = 0;
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
  // Binds the button to `surface` with its normal, hover and pressed pictures, and subscribes it
  // to the surface's pointer events. Does not change what the surface shows: it starts with its
  // normal picture. Without a disabled picture, a disabled button shows the normal one.
  void SetPictures(PicSurface* surface, std::int32_t normal, std::int32_t hover,
                   std::int32_t pressed, std::int32_t disabled = -1);
  // 1 normal, 2 hover, 3 pressed, 4 disabled; other numbers are ignored.
  void SetState(std::int32_t state);
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

  PicSurface* surface_ = nullptr;
  std::array<std::int32_t, 4> pictures_{};
  bool pressed_ = false;
  bool enabled_ = true;
};

// A surface that stores its pictures itself: it keeps which one shows and the button bound to it,
// and redraws only when another stored picture is to show. Numbers outside the stored pictures
// change nothing.
class StoredPicSurface : public PicSurface {
 public:
  void ShowPicture(std::int32_t picture) final {
    if (picture < 0 || picture >= PictureCount() || picture == shown_) return;
    shown_ = picture;
    Redraw();
  }
  void Bind(PictureButton* button) final { button_ = button; }
  std::int32_t shown() const { return shown_; }

 protected:
  virtual std::int32_t PictureCount() const = 0;
  virtual void Redraw() = 0;
  // Hands a pointer event on the surface to the bound button, if there is one.
  void Forward(const PointerEvent& event) {
    if (button_ != nullptr) button_->Pointer(event);
  }

 private:
  std::int32_t shown_ = 0;
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
