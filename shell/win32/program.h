// What the Windows programs' WinMain has in common: preparing the process for its windows and
// running the message loop until the main window has unloaded.
#pragma once

namespace shell::win32 {

// Loads the common controls (version 6, as the manifest asks).
void InitProgram();

// Dispatches messages until the main window's unload posts the quit message; returns its code.
int RunMessageLoop();

}  // namespace shell::win32
