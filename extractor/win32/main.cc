// Unbaler: starts with its main window; the program ends when the window has faded out.
#include "extractor/unbaler_logic.h"
#include "shell/win32/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return shell::win32::RunProgram<extractor::UnbalerLogic>(instance, shell::Program::kUnbaler);
}
