// Unbaler: starts with its main window; the program ends when the window has faded out.
#include "extractor/unbaler_logic.h"
#include "shell/win32/frm_main.h"
#include "shell/win32/program.h"
#include "shell/win32/win32_services.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  shell::win32::InitProgram();
  shell::win32::FrmMain window(shell::Program::kUnbaler, instance);
  shell::win32::Win32Services services(window.hwnd());
  extractor::UnbalerLogic logic(window, services.file_dialog, services.message_box,
                                services.folder_dialog);
  window.SetOnUnloaded([] { ::PostQuitMessage(0); });
  window.Load(&logic);
  return shell::win32::RunMessageLoop();
}
