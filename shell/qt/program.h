// What the main function of every Qt program does: the application, the main window, its modal
// services and the program's logic over them, until the window has faded out.
#pragma once

#include <QApplication>
#include <string>

#include "shell/qt/main_window.h"
#include "shell/qt/qt_services.h"
#include "shell/start_arguments.h"

namespace shell::qt {

// Installs the catalogue of `language` ("de", "pt_BR"; empty: English) from the translations built
// into the program; returns whether there was one.
bool InstallLanguage(const std::string& language);
// Installs the catalogue of the user's language, as QLocale::system() gives it (on Linux the
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG variables); returns its tag, empty for English.
std::string InstallUserLanguage();
// Qt's own texts (the buttons of its dialogs) in `language`, where the system has them.
void InstallQtLanguage(QApplication& app, const std::string& language);

// The command line as main receives it. --help and --version are answered from it before the
// application connects to a display (there may be none).
shell::StartArguments ReadEarlyArguments(int argc, char* argv[], shell::Program program);
// The application's command line (StartArguments), read after Qt has taken its own options.
shell::StartArguments ReadStartArguments(shell::Program program);

// Runs `program` driven by a `Logic` made from the window, its three services and what each of
// `make_extra` returns; returns the application's exit code.
template <typename Logic, typename... MakeExtra>
int RunProgram(int argc, char* argv[], shell::Program program, MakeExtra... make_extra) {
  const std::string language = InstallUserLanguage();
  if (const shell::StartArguments early = ReadEarlyArguments(argc, argv, program);
      early.action == shell::StartArguments::Action::kHelp ||
      early.action == shell::StartArguments::Action::kVersion) {
    return shell::PrintUsage(early);
  }
  // At 125 % or 150 % the window is drawn at that ratio, not rounded to 1 or 2.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  QApplication app(argc, argv);
  InstallQtLanguage(app, language);
  const shell::StartArguments start = ReadStartArguments(program);
  if (start.action != shell::StartArguments::Action::kStart) return shell::PrintUsage(start);
  MainWindow window(program);
  QtServices services(&window);
  Logic logic(window, services.file_dialog, services.message_box, services.folder_dialog,
              make_extra()...);
  logic.SetRunner(window.runner());
  logic.SetLauncher(services.launcher);
  logic.SetChoiceBox(services.choice_box);
  window.Load(&logic);
  logic.OpenStartPaths(start.paths);
  return app.exec();
}

}  // namespace shell::qt
