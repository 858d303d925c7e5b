// What the WinMain of every Windows program does: preparing the process for its windows, the
// main window, its modal services and the program's logic over them, and the message loop until
// the main window has unloaded.
#pragma once

#include <string>

#include "shell/start_arguments.h"
#include "shell/win32/main_window.h"
#include "shell/win32/win32_services.h"

namespace shell::win32 {

// Loads the common controls (version 6, as the manifest asks).
void InitProgram();

// Installs the catalogue of the user's interface language (GetUserDefaultUILanguage), English
// when none is shipped for it, and picks the face the controls are drawn in; returns its tag.
std::string InstallUserLanguage();

// The process's command line (StartArguments), from CommandLineToArgvW.
shell::StartArguments ReadStartArguments(shell::Program program);
// Shows the usage text or the version asked by a command line that starts no window in a message
// box (a window program has no console to print it on). Returns the exit code.
int ShowUsage(shell::Program program, const shell::StartArguments& start);

// Dispatches messages until the main window's unload posts the quit message; returns its code.
int RunMessageLoop();

// Runs `program` driven by a `Logic` made from the window, its three services and what each of
// `make_extra` returns for the window's handle; returns the program's exit code.
template <typename Logic, typename... MakeExtra>
int RunProgram(HINSTANCE instance, shell::Program program, MakeExtra... make_extra) {
  InitProgram();
  InstallUserLanguage();
  const shell::StartArguments start = ReadStartArguments(program);
  if (start.action != shell::StartArguments::Action::kStart) return ShowUsage(program, start);
  MainWindow window(program, instance);
  Win32Services services(window.hwnd());
  Logic logic(window, services.file_dialog, services.message_box, services.folder_dialog,
              make_extra(window.hwnd())...);
  logic.SetRunner(window.runner());
  logic.SetLauncher(services.launcher);
  logic.SetChoiceBox(services.choice_box);
  window.SetOnUnloaded([] { ::PostQuitMessage(0); });
  window.Load(&logic);
  logic.OpenStartPaths(start.paths);
  return RunMessageLoop();
}

}  // namespace shell::win32
