// Rebaler: starts with its main window; the program ends when the window has faded out.
#include "repacker/qt/difference_dialog.h"
#include "repacker/rebaler_logic.h"
#include "shell/qt/program.h"

int main(int argc, char* argv[]) {
  return shell::qt::RunProgram<repacker::RebalerLogic>(argc, argv, shell::Program::kRebaler,
                                                       &repacker::qt::QtDifferenceDialogFactory);
}
