// Rebaler: starts with its main window; the program ends when the window has faded out.
#include "repacker/rebaler_logic.h"
#include "repacker/win32/difference_dialog.h"
#include "shell/win32/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return shell::win32::RunProgram<repacker::RebalerLogic>(
      instance, shell::Program::kRebaler, &repacker::win32::Win32DifferenceDialogFactory);
}
