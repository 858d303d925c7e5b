// Rebaler: starts with its main window; the program ends when the window has faded out.
#include <QApplication>

#include "repacker/qt/frm_files_mismatch.h"
#include "repacker/rebaler_logic.h"
#include "shell/qt/frm_main.h"
#include "shell/qt/qt_services.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  shell::qt::FrmMain window(shell::Program::kRebaler);
  shell::qt::QtServices services(&window);
  repacker::RebalerLogic logic(window, services.file_dialog, services.message_box,
                               services.folder_dialog,
                               repacker::qt::QtFilesMismatchDialogFactory());
  window.Load(&logic);
  return app.exec();
}
