#include "shell/win32/picture_control.h"

#include "shell/keyboard.h"

namespace shell::win32 {
namespace {

constexpr wchar_t kClassName[] = L"BalerPicture";

bool InsideClient(HWND hwnd, LPARAM lparam) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  return ::PtInRect(&client, at) != 0;
}

}  // namespace

PictureControl::PictureControl(HWND parent, int id, int left, int top,
                               std::vector<HBITMAP> pictures)
    : pictures_(std::move(pictures)) {
  BITMAP size{};
  if (!pictures_.empty() && pictures_[0] != nullptr) {
    ::GetObjectW(pictures_[0], sizeof size, &size);
  }
  width_ = size.bmWidth;
  height_ = size.bmHeight;
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  RegisterWindowClass(instance, kClassName, &ObjectWindowProc<PictureControl>);
  hwnd_ =
      ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, left, top, width_, height_,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

PictureControl::~PictureControl() {
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

POINT PictureControl::Origin() const {
  RECT box{};
  ::GetWindowRect(hwnd_, &box);
  POINT origin{box.left, box.top};
  ::ScreenToClient(::GetParent(hwnd_), &origin);
  return origin;
}

std::int32_t PictureControl::Left() const { return Origin().x; }
std::int32_t PictureControl::Top() const { return Origin().y; }

LRESULT PictureControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CAPTURECHANGED:
      left_pressed_ = false;
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Redraw();  // the focus mark
      return 0;
    case WM_KEYDOWN:
      // The window decides what a key does on a button.
      return ::SendMessageW(::GetParent(hwnd_), message, wparam, lparam);
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

void PictureControl::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  // Drawn off the screen first: the caption's shadow reads back the picture under it.
  const HDC canvas = ::CreateCompatibleDC(dc);
  const HBITMAP pixels = ::CreateCompatibleBitmap(dc, width_, height_);
  const HGDIOBJ old = ::SelectObject(canvas, pixels);
  if (!pictures_.empty() && pictures_[static_cast<std::size_t>(shown())] != nullptr) {
    DrawPicture(canvas, pictures_[static_cast<std::size_t>(shown())], RECT{0, 0, width_, height_});
  }
  DrawCaption(canvas);
  if (::GetFocus() == hwnd_) {
    for (const shell::Pixel& dot : shell::FocusMarkPixels(width_, height_)) {
      ::SetPixelV(canvas, dot.x, dot.y, Colour(shell::kFocusMark.colour));
    }
  }
  ::BitBlt(dc, 0, 0, width_, height_, canvas, 0, 0, SRCCOPY);
  ::SelectObject(canvas, old);
  ::DeleteObject(pixels);
  ::DeleteDC(canvas);
  ::EndPaint(hwnd_, &paint);
}

void PictureControl::Place(const shell::Box& box, std::vector<HBITMAP> pictures, HFONT caption_font,
                           int scale) {
  pictures_ = std::move(pictures);
  caption_font_ = caption_font;
  scale_ = scale;
  width_ = box.width;
  height_ = box.height;
  ::SetWindowPos(hwnd_, nullptr, box.left, box.top, box.width, box.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Redraw();
}

void PictureControl::DrawCaption(HDC dc) const {
  if (caption_.empty() || caption_font_ == nullptr) return;
  const auto& style = shell::kCaptionStyle;
  const HGDIOBJ old_font = ::SelectObject(dc, caption_font_);
  SIZE text{};
  ::GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
  const shell::CaptionPlace place =
      shell::PlaceCaption(width_, height_, text.cx, text.cy, shown(), scale_);
  const auto draw = [&](HDC target, int dx, int dy) {
    ::ExtTextOutW(target, place.x + dx, place.y + dy, 0, nullptr, caption_.c_str(),
                  static_cast<UINT>(caption_.size()), nullptr);
  };
  ::SetBkMode(dc, TRANSPARENT);
  // The shadow is translucent, which GDI text is not: it is drawn solid on a copy of the face,
  // and the copy of the text's box is laid over the face at the shadow's opacity.
  const RECT box{place.x + style.shadow_dx * scale_, place.y + style.shadow_dy * scale_,
                 place.x + style.shadow_dx * scale_ + text.cx,
                 place.y + style.shadow_dy * scale_ + text.cy};
  const HDC copy = ::CreateCompatibleDC(dc);
  const HBITMAP pixels = ::CreateCompatibleBitmap(dc, width_, height_);
  const HGDIOBJ old_pixels = ::SelectObject(copy, pixels);
  ::BitBlt(copy, 0, 0, width_, height_, dc, 0, 0, SRCCOPY);
  const HGDIOBJ copy_font = ::SelectObject(copy, caption_font_);
  ::SetBkMode(copy, TRANSPARENT);
  ::SetTextColor(copy, Colour(style.shadow));
  draw(copy, style.shadow_dx * scale_, style.shadow_dy * scale_);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, style.shadow_alpha, 0};
  ::GdiAlphaBlend(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, copy, box.left,
                  box.top, box.right - box.left, box.bottom - box.top, blend);
  ::SelectObject(copy, copy_font);
  ::SelectObject(copy, old_pixels);
  ::DeleteObject(pixels);
  ::DeleteDC(copy);
  ::SetTextColor(dc, Colour(style.look(shown()).ink));
  draw(dc, 0, 0);
  ::SelectObject(dc, old_font);
}

void PictureControl::OnPointer(const shell::PointerEvent& event, WPARAM wparam, LPARAM lparam) {
  const bool left = event.button == shell::kLeftButton;
  const bool click = left && event.kind == shell::PointerEvent::Kind::kRelease && left_pressed_ &&
                     InsideClient(hwnd_, lparam);
  if (left) left_pressed_ = event.kind == shell::PointerEvent::Kind::kPress;
  FollowPointer(hwnd_, event, wparam);
  Forward(event);
  // The button object has its release first, so the picture is back to normal before a command
  // opens a dialog.
  if (click && on_click_) on_click_();
}

}  // namespace shell::win32
