#include "cli/baler_cli.h"

#ifdef _WIN32
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "codec/text.h"

// Windows hands main its arguments in the ANSI code page, which loses every character outside
// it; the wide command line has them all. baler takes UTF-8, and the console shows UTF-8.
int main() {
  ::SetConsoleOutputCP(CP_UTF8);
  // Lets the progress line redraw itself; an older console simply ignores the request.
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (err != INVALID_HANDLE_VALUE && ::GetConsoleMode(err, &mode)) {
    ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }

  int argc = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (wide == nullptr) return baler::kExitFailed;
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    const std::wstring arg(wide[i]);
    args.push_back(pak::ToUtf8(std::u16string(arg.begin(), arg.end())));
  }
  ::LocalFree(wide);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return baler::Run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return baler::Run(argc, argv); }
#endif
