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
  if (!pictures_.empty() && pictures_[static_cast<std::size_t>(shown())] != nullptr) {
    DrawBitmap(dc, pictures_[static_cast<std::size_t>(shown())], RECT{0, 0, width_, height_});
  }
  if (::GetFocus() == hwnd_) {
    for (const shell::Pixel& dot : shell::FocusMarkPixels(width_, height_)) {
      ::SetPixelV(dc, dot.x, dot.y, Colour(shell::kFocusMark.colour));
    }
  }
  ::EndPaint(hwnd_, &paint);
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
