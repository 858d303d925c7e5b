// Unbaler: starts with its main window; the program ends when the window has faded out.
#include <QApplication>

#include "extractor/unbaler_logic.h"
#include "shell/qt/frm_main.h"
#include "shell/qt/qt_services.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  shell::qt::FrmMain window(shell::Program::kUnbaler);
  shell::qt::QtServices services(&window);
  extractor::UnbalerLogic logic(window, services.file_dialog, services.message_box,
                                services.folder_dialog);
  window.Load(&logic);
  return app.exec();
}
