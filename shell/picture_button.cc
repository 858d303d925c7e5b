#include "shell/picture_button.h"

#include <algorithm>

namespace shell {

void PictureButton::Bind(PicSurface* surface) {
  surface_ = surface;
  if (surface != nullptr) surface->Bind(this);
}

void PictureButton::Show(ButtonLook look) {
  if (surface_ != nullptr) surface_->ShowPicture(look);
}

void PictureButton::MouseExit() {
  pressed_ = false;
  if (enabled_) Show(ButtonLook::kNormal);
}

void PictureButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  pressed_ = false;
  Show(enabled ? ButtonLook::kNormal : ButtonLook::kDisabled);
}

bool PictureButton::Inside(float x, float y) const {
  return surface_ != nullptr && x >= 0 && y >= 0 && x < static_cast<float>(surface_->Width()) &&
         y < static_cast<float>(surface_->Height());
}

void PictureButton::MouseDown(std::int32_t button, float /*x*/, float /*y*/) {
  if (button != kLeftButton || !enabled_) return;
  Show(ButtonLook::kPressed);
  pressed_ = true;
}

void PictureButton::MouseMove(float x, float y) {
  if (pressed_ || !enabled_) return;
  if (Inside(x, y)) Show(ButtonLook::kHover);
}

void PictureButton::MouseUp(std::int32_t button, float x, float y) {
  if (button != kLeftButton || !enabled_) return;
  // The pointer is still over the button after a click: it keeps looking hovered until it
  // leaves, rather than flicking back to normal under the pointer.
  Show(Inside(x, y) ? ButtonLook::kHover : ButtonLook::kNormal);
  pressed_ = false;
}

void PictureButton::Pointer(const PointerEvent& event) {
  switch (event.kind) {
    case PointerEvent::Kind::kPress:
      MouseDown(event.button, event.x, event.y);
      break;
    case PointerEvent::Kind::kMove:
      MouseMove(event.x, event.y);
      break;
    case PointerEvent::Kind::kRelease:
      MouseUp(event.button, event.x, event.y);
      break;
  }
}

void TrackButtonHover(std::span<const std::unique_ptr<PictureButton>> buttons, Pointer& pointer,
                      std::intptr_t hwnd) {
  for (const auto& button : buttons) {
    const PicSurface* surface = button->surface();
    if (surface == nullptr) continue;
    const std::int32_t left = surface->Left();
    const std::int32_t top = surface->Top();
    const std::int32_t x = pointer.MouseX(hwnd);
    const std::int32_t y = pointer.MouseY(hwnd);
    const bool over =
        left <= x && top <= y && x < left + surface->Width() && y < top + surface->Height();
    if (!over) button->MouseExit();
  }
}

CaptionPlace PlaceCaption(std::int32_t width, std::int32_t height, std::int32_t text_width,
                          std::int32_t text_height, ButtonLook look, std::int32_t scale) {
  const std::int32_t shift = kCaptionStyle.look(look).shift * scale;
  // Halves round down, also for a text larger than its room: one pixel left over goes to the
  // right and bottom.
  const auto half = [](std::int32_t room) { return room >= 0 ? room / 2 : -((1 - room) / 2); };
  return {half(width - text_width) + shift, half(height - text_height) + shift};
}

FittedText FitCaption(std::u16string_view caption, std::int32_t width, const MeasureText& measure) {
  std::int32_t shift = 0;
  for (const CaptionLook& look : kCaptionStyle.looks) shift = std::max(shift, look.shift);
  return FitText(caption, width - 2 * kCaptionMargin - shift, kCaptionStyle.pixels, measure);
}

}  // namespace shell
