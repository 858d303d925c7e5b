#include "shell/win32/win32_services.h"

#include <algorithm>

#include "codec/text.h"
#include "shell/win32/win32_text.h"

namespace shell::win32 {
namespace {

// The size of the path buffers that the folder dialog's record and its callback use.
constexpr std::size_t kPathBuffer = 512;
// Room for the longest path the wide file API takes.
constexpr std::size_t kLongPath = 32768;

// The folder browser's flags as the shell dialog takes them.
UINT FolderDialogFlags(std::int32_t flags) {
  const auto has = [flags](shell::FolderDialogFlag flag) {
    return (flags & static_cast<std::int32_t>(flag)) != 0;
  };
  return (has(shell::FolderDialogFlag::kReturnOnlyFileSystemFolders) ? BIF_RETURNONLYFSDIRS : 0) |
         (has(shell::FolderDialogFlag::kStatusText) ? BIF_STATUSTEXT : 0) |
         (has(shell::FolderDialogFlag::kNewDialogStyle) ? BIF_NEWDIALOGSTYLE : 0);
}

}  // namespace

std::wstring Win32FileFilter(std::u16string_view filter) {
  std::wstring out = Wide(filter);
  for (auto& c : out) {
    if (c == L'|') c = L'\0';
  }
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

std::u16string Win32FileDialog::Show(const shell::FileDialogRequest& request) {
  const std::wstring filter = Win32FileFilter(request.filter);
  std::wstring file(kLongPath, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  const std::wstring extension = Wide(request.default_extension);
  if (!extension.empty()) dialog.lpstrDefExt = extension.c_str();
  const shell::FileDialogOptions& options = request.options;
  dialog.Flags = (options.overwrite_prompt ? OFN_OVERWRITEPROMPT : 0) |
                 (options.hide_read_only ? OFN_HIDEREADONLY : 0) |
                 (options.path_must_exist ? OFN_PATHMUSTEXIST : 0) |
                 (options.file_must_exist ? OFN_FILEMUSTEXIST : 0);
  const BOOL chosen = request.kind == shell::FileDialogRequest::Kind::kOpen
                          ? ::GetOpenFileNameW(&dialog)
                          : ::GetSaveFileNameW(&dialog);
  if (!chosen) return {};
  return FromWide(file.c_str());
}

void Win32MessageBox::Show(const std::u16string& text, const std::u16string& title) {
  const HWND owner = owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr;
  ::MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

namespace {

// The captions of the choice box being opened on this thread, for its hook.
thread_local const shell::ChoiceBox::Question* choice_question = nullptr;
thread_local HHOOK choice_hook = nullptr;

// A control's rectangle in its dialog's client coordinates.
RECT RectIn(HWND dialog, HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Gives the buttons of a message box their captions (three, or two for a question without a
// second answer), widens them (all alike) to the widest caption, and the box with them when they
// no longer fit, keeping them centred.
void CaptionButtons(HWND box, const shell::ChoiceBox::Question& question) {
  const bool two = question.second.empty();
  const std::pair<int, const std::u16string*> captions[] = {
      {two ? IDOK : IDYES, &question.first},
      {two ? IDCANCEL : IDNO, two ? &question.cancel : &question.second},
      {IDCANCEL, &question.cancel}};
  const int count = two ? 2 : 3;
  HWND buttons[3] = {};
  int widest = 0;
  const HDC dc = ::GetDC(box);
  for (int k = 0; k < count; ++k) {
    buttons[k] = ::GetDlgItem(box, captions[k].first);
    if (buttons[k] == nullptr) {
      ::ReleaseDC(box, dc);
      return;
    }
    const std::wstring text = Wide(*captions[k].second);
    ::SetWindowTextW(buttons[k], text.c_str());
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(buttons[k], WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  ::ReleaseDC(box, dc);
  const RECT first = RectIn(box, buttons[0]), second = RectIn(box, buttons[1]);
  // Room for the frame and, inside it, the focus mark and some air on either side.
  const int width =
      std::max<int>(first.right - first.left, widest + 2 * ::GetSystemMetrics(SM_CXEDGE) + 24);
  const int gap = std::max<int>(second.left - first.right, 4);
  const int row = count * width + (count - 1) * gap;
  RECT client{};
  ::GetClientRect(box, &client);
  const int margin = std::max<int>(first.left, 8);
  if (row + 2 * margin > client.right) {
    RECT frame{};
    ::GetWindowRect(box, &frame);
    const int grow = row + 2 * margin - client.right;
    ::SetWindowPos(box, nullptr, frame.left - grow / 2, frame.top, frame.right - frame.left + grow,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetClientRect(box, &client);
  }
  int left = (client.right - row) / 2;
  for (int k = 0; k < count; ++k) {
    ::SetWindowPos(buttons[k], nullptr, left, first.top, width, first.bottom - first.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    left += width + gap;
  }
}

// The box's own window procedure, which the hook wraps: the captions and the layout are changed
// once the box has laid itself out (WM_INITDIALOG), not earlier, when its layout would undo them.
thread_local WNDPROC choice_box_proc = nullptr;

LRESULT CALLBACK ChoiceBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = ::CallWindowProcW(choice_box_proc, box, message, wparam, lparam);
  if (message == WM_INITDIALOG && choice_question != nullptr) {
    CaptionButtons(box, *choice_question);
    choice_question = nullptr;
  }
  return result;
}

LRESULT CALLBACK ChoiceHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && choice_question != nullptr && choice_box_proc == nullptr) {
    const HWND box = reinterpret_cast<HWND>(wparam);
    wchar_t class_name[16] = {};
    ::GetClassNameW(box, class_name, 16);
    if (std::wstring_view(class_name) == L"#32770") {
      choice_box_proc = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChoiceBoxProc)));
    }
  }
  return ::CallNextHookEx(choice_hook, code, wparam, lparam);
}

}  // namespace

shell::ChoiceBox::Answer Win32ChoiceBox::Ask(const Question& question) {
  const HWND owner = owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr;
  choice_question = &question;
  choice_hook = ::SetWindowsHookExW(WH_CBT, ChoiceHook, nullptr, ::GetCurrentThreadId());
  // Without a second answer: OK and Cancel, Cancel the default.
  const UINT buttons = question.second.empty() ? MB_OKCANCEL : MB_YESNOCANCEL;
  const int pressed =
      ::MessageBoxW(owner, Wide(question.text).c_str(), Wide(question.title).c_str(),
                    buttons | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (choice_hook != nullptr) ::UnhookWindowsHookEx(choice_hook);
  choice_hook = nullptr;
  choice_question = nullptr;
  choice_box_proc = nullptr;  // the box is gone
  if (pressed == IDYES || pressed == IDOK) return Answer::kFirst;
  if (pressed == IDNO) return Answer::kSecond;
  return Answer::kCancel;
}

bool Win32FolderDialog::IsWindow(std::intptr_t hwnd) {
  return ::IsWindow(reinterpret_cast<HWND>(hwnd)) != 0;
}

shell::BrowseResult Win32FolderDialog::Show(const shell::BrowseRequest& request) {
  // The dialog's new style needs COM on this thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  std::string display_name(kPathBuffer, '\0');  // the dialog writes here; nothing reads it
  const std::string title = pak::SystemCodePage().Encode(request.title);
  BROWSEINFOA info{};
  info.hwndOwner = reinterpret_cast<HWND>(request.owner);
  info.pszDisplayName = display_name.data();
  info.lpszTitle = title.c_str();
  info.ulFlags = FolderDialogFlags(request.flags);
  info.lpfn = BrowseCallbackProc;

  // The initial path travels to the callback in a block of its own; a failed allocation only
  // costs the preselection.
  HLOCAL initial_path = nullptr;
  if (!request.initial_path.empty()) {
    const std::string path = pak::SystemCodePage().Encode(request.initial_path);
    initial_path = ::LocalAlloc(LPTR, path.size() + 1);
    if (initial_path != nullptr) {
      ::RtlMoveMemory(initial_path, path.data(), path.size());
      info.lParam = reinterpret_cast<LPARAM>(initial_path);
    }
  }

  shell::BrowseResult result;
  const PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderA(&info);
  if (chosen != nullptr) {
    std::string buffer(kPathBuffer, '\0');
    if (::SHGetPathFromIDListA(chosen, buffer.data())) {
      result.outcome = shell::BrowseResult::Outcome::kChosen;
      // The ANSI text loses every character the code page lacks; the same folder's wide path
      // keeps them, and is what the programs go on to use.
      std::wstring wide(kLongPath, L'\0');
      if (::SHGetPathFromIDListEx(chosen, wide.data(), static_cast<DWORD>(wide.size()),
                                  GPFIDL_DEFAULT)) {
        wide.resize(wide.find(L'\0'));
        result.path = FromWide(wide);
      } else {
        result.path = pak::SystemCodePage().Decode(buffer.c_str());
      }
    } else {
      result.outcome = shell::BrowseResult::Outcome::kNoPath;
    }
    ::CoTaskMemFree(chosen);
  }
  if (initial_path != nullptr) ::LocalFree(initial_path);
  if (SUCCEEDED(com)) ::CoUninitialize();
  return result;
}

std::string Win32FolderDialog::ProgramName() const {
  std::wstring path(kLongPath, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return shell::ProgramNameOf(FromWide(path));
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT message, LPARAM param, LPARAM data) {
  switch (message) {
    case BFFM_INITIALIZED:
      // data is the initial-path block: the dialog selects that folder if it exists.
      if (data != 0) ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
      break;
    case BFFM_SELCHANGED: {
      // Shown only when the flags ask for a status area (BIF_STATUSTEXT).
      // On the stack: nothing in the shell's callback may fail.
      char path[kPathBuffer] = {};
      if (!::SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), path)) path[0] = '\0';
      ::SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
      break;
    }
    default:
      break;
  }
  return 0;
}

bool Win32Launcher::Open(const std::filesystem::path& file) {
  // The handler of a file's kind may be a shell extension, which needs COM on this thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(owner_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (SUCCEEDED(com)) ::CoUninitialize();
  // Above 32 is success; the rest are error codes (no program associated, file not found, ...).
  return result > 32;
}

}  // namespace shell::win32
