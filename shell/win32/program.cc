#include "shell/win32/program.h"

#include "shell/win32/windows_api.h"

namespace shell::win32 {

void InitProgram() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
}

int RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Escape and Tab reach the main window whichever of its controls has the focus.
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_ESCAPE || message.wParam == VK_TAB) && message.hwnd != nullptr) {
      const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
      if (root != nullptr) message.hwnd = root;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace shell::win32
