// Rebaler: starts with its main window; the program ends when the window has faded out.
#include <QApplication>

#include "shell/qt/frm_main.h"
#include "shell/qt/placeholder_commands.h"
#include "shell/qt/qt_services.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  shell::qt::FrmMain window(shell::qt::Program::kRebaler);
  shell::qt::QtServices services(&window);
  shell::qt::PlaceholderCommands logic(window, services);
  window.Load(&logic);
  return app.exec();
}
