// Unbaler: starts with its main window; the program ends when the window has faded out.
#include "extractor/unbaler_logic.h"
#include "shell/qt/program.h"

int main(int argc, char* argv[]) {
  return shell::qt::RunProgram<extractor::UnbalerLogic>(argc, argv, shell::Program::kUnbaler);
}
