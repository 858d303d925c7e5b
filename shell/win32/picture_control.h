// A picture surface on the skin: a child window that shows one of a few stored pictures, hands
// its pointer events to the picture button bound to it, and reports a click (a left press and
// release over it) to its owner.
//
// It is the Win32 half of shell::PicSurface. Showing a picture only switches which of the stored
// bitmaps is drawn; no pixels are copied. A disabled surface gets no pointer events (Windows
// sends them to the skin instead). While it has the keyboard focus it shows the focus mark
// over its picture, and hands its keys to the main window. A caption, if it has one, is drawn over
// the picture in the skin's style (shell::kCaptionStyle).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/picture_button.h"
#include "shell/win32/windows_api.h"

namespace shell::win32 {

class PictureControl : public shell::StoredPicSurface {
 public:
  // Creates the child window at (left, top) with the size of the first picture, showing it.
  // The pictures stay owned by the caller and must outlive the control.
  PictureControl(HWND parent, int id, int left, int top, std::vector<HBITMAP> pictures);
  // Moves the control to `box` (pixels on its parent) and shows `pictures` scaled to its size,
  // the caption in `caption_font` with its offsets times `scale`. The pictures and the font stay
  // owned by the caller.
  void Place(const shell::Box& box, std::vector<HBITMAP> pictures, HFONT caption_font, int scale);
  void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
  // The caption as drawn, and its font.
  const std::wstring& caption() const { return caption_; }
  HFONT caption_font() const { return caption_font_; }
  ~PictureControl() override;
  PictureControl(const PictureControl&) = delete;
  PictureControl& operator=(const PictureControl&) = delete;

  HWND hwnd() const { return hwnd_; }
  void SetOnClick(std::function<void()> on_click) { on_click_ = std::move(on_click); }

  // shell::PicSurface
  std::int32_t Left() const override;
  std::int32_t Top() const override;
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  void DrawCaption(HDC dc) const;
  void OnPointer(const shell::PointerEvent& event, WPARAM wparam, LPARAM lparam);
  POINT Origin() const;

  std::int32_t PictureCount() const override { return static_cast<std::int32_t>(pictures_.size()); }
  void Redraw() override { ::InvalidateRect(hwnd_, nullptr, FALSE); }

  HWND hwnd_ = nullptr;
  std::vector<HBITMAP> pictures_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::function<void()> on_click_;
  std::wstring caption_;
  HFONT caption_font_ = nullptr;
  int scale_ = 1;
  bool left_pressed_ = false;
};

}  // namespace shell::win32
