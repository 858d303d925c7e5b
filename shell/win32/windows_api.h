// The Windows headers as the Windows front end includes them.
//
// <windows.h> defines MessageBox as a macro for MessageBoxW, which would rename the front ends'
// shared shell::MessageBox service in every file that sees it; the macro is dropped here and the
// code calls ::MessageBoxW by its own name.
#pragma once

#include <windows.h>
// After <windows.h>, which these need.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#undef MessageBox

#include <optional>

#include "shell/main_layout.h"
#include "shell/picture_button.h"

namespace shell::win32 {

// Registers a window class of `instance` with the arrow cursor, unless it is registered already.
inline void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                HICON icon = nullptr) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (WNDCLASSEXW existing = type; ::GetClassInfoExW(instance, name, &existing)) return;
  type.lpfnWndProc = procedure;
  type.hInstance = instance;
  type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  type.hIcon = icon;
  type.lpszClassName = name;
  ::RegisterClassExW(&type);
}

// Creates the child control `id` of `parent`: a control of `kind` at `box` (pixels), showing
// `text` in `font`. A list scrolls and a button is a push button, both reached with Tab; a label
// shows an "&" as it is. `style` adds to the control's own styles; a list keeps its strings
// unless `style` has LBS_NODATA.
inline HWND CreateChild(HWND parent, int id, shell::ControlKind kind, const wchar_t* text,
                        const shell::Box& box, HFONT font, DWORD style = 0) {
  DWORD ex_style = 0;
  const wchar_t* type = L"STATIC";
  style |= WS_CHILD | WS_VISIBLE;
  if (kind == shell::ControlKind::kList) {
    type = L"LISTBOX";
    ex_style = WS_EX_CLIENTEDGE;
    style |= WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT;
    if ((style & LBS_NODATA) == 0) style |= LBS_HASSTRINGS;
  } else if (kind == shell::ControlKind::kButton) {
    type = L"BUTTON";
    style |= WS_TABSTOP | BS_PUSHBUTTON;
  } else if (kind == shell::ControlKind::kEdit) {
    type = L"EDIT";
    style |= ES_AUTOHSCROLL;
  } else {
    style |= SS_NOPREFIX;
  }
  const HWND control = ::CreateWindowExW(
      ex_style, type, text, style, box.left, box.top, box.width, box.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Gives `control` the tip `text` in the tooltip window `tips`, replacing the one it had; an empty
// text removes it. With LPSTR_TEXTCALLBACKW the tooltip asks `owner` for the text each time.
inline void SetTip(HWND tips, HWND owner, HWND control, wchar_t* text) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text != LPSTR_TEXTCALLBACKW && *text == L'\0') return;
  ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A button or move message as the shell's pointer event; nothing for any other message.
inline std::optional<shell::PointerEvent> ToPointerEvent(UINT message, LPARAM lparam) {
  using Kind = shell::PointerEvent::Kind;
  static constexpr struct {
    UINT message;
    Kind kind;
    std::int32_t button;
  } kMessages[] = {
      {WM_LBUTTONDOWN, Kind::kPress, shell::kLeftButton},
      {WM_RBUTTONDOWN, Kind::kPress, shell::kRightButton},
      {WM_MBUTTONDOWN, Kind::kPress, shell::kMiddleButton},
      {WM_MOUSEMOVE, Kind::kMove, 0},
      {WM_LBUTTONUP, Kind::kRelease, shell::kLeftButton},
      {WM_RBUTTONUP, Kind::kRelease, shell::kRightButton},
      {WM_MBUTTONUP, Kind::kRelease, shell::kMiddleButton},
  };
  for (const auto& known : kMessages) {
    if (known.message == message) {
      return shell::PointerEvent{known.kind, known.button, static_cast<float>(GET_X_LPARAM(lparam)),
                                 static_cast<float>(GET_Y_LPARAM(lparam))};
    }
  }
  return std::nullopt;
}

// A window takes the pointer on a press, so the moves and the release come to it even when the
// pointer leaves it meanwhile, and lets it go once no button is held any more.
inline void FollowPointer(HWND hwnd, const shell::PointerEvent& event, WPARAM held) {
  if (event.kind == shell::PointerEvent::Kind::kPress) ::SetCapture(hwnd);
  if (event.kind == shell::PointerEvent::Kind::kRelease &&
      (held & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && ::GetCapture() == hwnd) {
    ::ReleaseCapture();
  }
}

// A colour of the descriptions as GDI's.
inline COLORREF Colour(shell::Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// Copies `area` of `bitmap` to the same place on `dc`.
inline void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& area) {
  const HDC source = ::CreateCompatibleDC(dc);
  const HGDIOBJ old = ::SelectObject(source, bitmap);
  ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source,
           area.left, area.top, SRCCOPY);
  ::SelectObject(source, old);
  ::DeleteDC(source);
}

// Copies the whole of `bitmap` to `area` of `dc`: pixel for pixel where the sizes agree, else
// scaled with the averaging the system has for photographs.
inline void DrawPicture(HDC dc, HBITMAP bitmap, const RECT& area) {
  BITMAP size{};
  ::GetObjectW(bitmap, sizeof size, &size);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const HDC source = ::CreateCompatibleDC(dc);
  const HGDIOBJ old = ::SelectObject(source, bitmap);
  if (size.bmWidth == width && size.bmHeight == height) {
    ::BitBlt(dc, area.left, area.top, width, height, source, 0, 0, SRCCOPY);
  } else {
    const int mode = ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, area.left, area.top, width, height, source, 0, 0, size.bmWidth, size.bmHeight,
                 SRCCOPY);
    ::SetStretchBltMode(dc, mode);
  }
  ::SelectObject(source, old);
  ::DeleteDC(source);
}

// The DPI `window` is drawn at: its monitor's under per-monitor awareness. GetDpiForWindow is
// looked up at run time, as older systems (and some Wine versions) lack it; without it, the
// screen's.
inline int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window =
      reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
          ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window != nullptr && window != nullptr) {
    if (const UINT dpi = get_dpi_for_window(window); dpi != 0) return static_cast<int>(dpi);
  }
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : shell::kBaseDpi;
}

// The window procedure of a class whose objects each own one window drawn from a picture: the
// object arrives with WM_NCCREATE (as the creation parameter), keeps its handle, and is found
// again in GWLP_USERDATA for every later message. Pointer events go to its OnPointer, painting
// to its Paint (the picture covers the whole window, so the background is never erased), and
// every other message to its HandleMessage. T declares this a friend and has `HWND hwnd_`.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<T*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  if (const std::optional<shell::PointerEvent> pointer = ToPointerEvent(message, lparam)) {
    self->OnPointer(*pointer, wparam, lparam);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    self->Paint();
    return 0;
  }
  return self->HandleMessage(message, wparam, lparam);
}

}  // namespace shell::win32
