// What a screen reader is told of a control on Win32: the system's own accessible object for it
// (oleacc's), with the name the window gives it in place of the window text, and for a picture
// button the role of a push button whose default action presses it. The system's object alone
// would read a shortened path as shown, and a picture button as a bare window.
#pragma once

#include <functional>
#include <string>

#include "shell/win32/windows_api.h"

namespace shell::win32 {

struct AccessibleLook {
  // What the control is called; empty: its window text, as the system reads it.
  std::wstring name;
  // A push button: its default action (while the control is enabled) runs `press`.
  bool button = false;
  std::function<void()> press;
};

// Makes `control` answer a screen reader's WM_GETOBJECT with `look`, read at each question, which
// must outlive the control's window.
void MakeAccessible(HWND control, const AccessibleLook* look);

}  // namespace shell::win32
