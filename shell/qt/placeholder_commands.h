// Stand-in program logic that lets the window run before the real logic of a program is wired
// in: the main command stays disabled and the other commands do nothing.
#pragma once

#include "shell/main_view.h"
#include "shell/qt/qt_services.h"

namespace shell::qt {

class PlaceholderCommands : public shell::MainCommands {
 public:
  // Takes what the real logic takes, so replacing it changes one line of main.
  PlaceholderCommands(shell::MainView& view, QtServices& /*services*/) : view_(view) {}

  void OnLoaded() override { view_.SetMainCommandEnabled(false); }
  void OnSelectFile() override {}
  void OnSelectDir() override {}
  void OnMainCommand() override {}

 private:
  shell::MainView& view_;
};

}  // namespace shell::qt
