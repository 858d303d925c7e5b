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
#include <shlobj.h>
#include <windowsx.h>

#undef MessageBox

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

// The window procedure of a class whose objects each own one window: the
// object arrives with WM_NCCREATE (as the creation parameter), keeps its
// handle, and is found again in GWLP_USERDATA for every later message. T
// declares this a friend and has `HWND hwnd_` and `HandleMessage`.
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
  return self->HandleMessage(message, wparam, lparam);
}

}  // namespace shell::win32
