// What the main function of every Qt program does: the application, the main window, its modal
// services and the program's logic over them, until the window has faded out.
#pragma once

#include <QApplication>

#include "shell/qt/frm_main.h"
#include "shell/qt/qt_services.h"

namespace shell::qt {

// Runs `program` driven by a `Logic` made from the window, its three services and what each of
// `make_extra` returns; returns the application's exit code.
template <typename Logic, typename... MakeExtra>
int RunProgram(int argc, char* argv[], shell::Program program, MakeExtra... make_extra) {
  QApplication app(argc, argv);
  FrmMain window(program);
  QtServices services(&window);
  Logic logic(window, services.file_dialog, services.message_box, services.folder_dialog,
              make_extra()...);
  logic.SetRunner(window.runner());
  logic.SetLauncher(services.launcher);
  window.Load(&logic);
  return app.exec();
}

}  // namespace shell::qt
