#include "shell/win32/program.h"

#include <string>
#include <vector>

#include "shell/catalogue_table.h"
#include "shell/translate.h"
#include "shell/win32/win32_services.h"
#include "shell/win32/win32_text.h"
#include "shell/win32/windows_api.h"

namespace shell::win32 {

void InitProgram() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
}

std::string InstallUserLanguage() {
  std::vector<std::string> preferred;
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (::LCIDToLocaleName(MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                         LOCALE_NAME_MAX_LENGTH, 0) > 0) {
    std::string tag;
    for (const wchar_t* c = name; *c != L'\0'; ++c) tag += static_cast<char>(*c & 0x7F);
    preferred.push_back(tag);
  }
  const std::string language = shell::ChooseLanguage(preferred, shell::CatalogueTags());
  shell::InstallCatalogue(shell::TableCatalogue(language));
  if (language == "zh_CN" || language == "ja") {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      ControlFace() = metrics.lfMessageFont.lfFaceName;
    }
  }
  return language;
}

shell::StartArguments ReadStartArguments(shell::Program program) {
  std::vector<std::u16string> arguments;
  int count = 0;
  if (LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count); words != nullptr) {
    for (int i = 1; i < count; ++i) arguments.push_back(FromWide(words[i]));
    ::LocalFree(words);
  }
  std::wstring folder(::GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return shell::ParseStartArguments(program, arguments, FromWide(folder));
}

int ShowUsage(shell::Program program, const shell::StartArguments& start) {
  Win32MessageBox(nullptr).Show(start.message, std::u16string(shell::ProgramTitle(program)));
  return start.action == shell::StartArguments::Action::kMisuse ? shell::kMisuseExitCode : 0;
}

int RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Escape, Tab and Ctrl+F (the list's filter) reach the main window whichever of its controls
    // has the focus.
    const bool find = message.wParam == 'F' && ::GetKeyState(VK_CONTROL) < 0;
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_ESCAPE || message.wParam == VK_TAB || find) &&
        message.hwnd != nullptr) {
      const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
      if (root != nullptr) message.hwnd = root;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace shell::win32
