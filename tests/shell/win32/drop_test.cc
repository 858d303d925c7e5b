// Files dropped on the Win32 window from the shell: WM_DROPFILES with a real HDROP, as Explorer
// posts it, reaching Unbaler's logic.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "extractor/unbaler_logic.h"
#include "shell/path_display.h"
#include "shell/win32/file_drag.h"
#include "shell/win32/main_window.h"
#include "tests/support/fakes.h"
#include "tests/support/test_support.h"
#include "tests/support/win32/dialog_driver.h"

namespace {

using shell::Role;
using win32_testing::ListItems;
using win32_testing::WindowText;

// What the shell hands a window for a drop: a DROPFILES header followed by the wide paths, each
// ended by a NUL, the list by another. The window owns it once the message is posted.
HDROP MakeDrop(const std::vector<std::filesystem::path>& paths) {
  std::wstring list;
  for (const auto& path : paths) list += path.wstring() + L'\0';
  list += L'\0';
  const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(),
              list.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// What a path label shows for `path`.
std::wstring Shown(const std::filesystem::path& path) {
  const std::u16string caption = shell::ShortenPath(path.u16string());
  return std::wstring(caption.begin(), caption.end());
}

// Posts the drop and handles every message queued until the window has taken it.
void PostDrop(HWND window, const std::vector<std::filesystem::path>& paths) {
  ASSERT_TRUE(::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0));
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

TEST(DropWin32, FilesDroppedFromTheShellAreChosenAndTheRestRefused) {
  testing_support::TempDir work, out;
  testing_support::WriteFile(work / "a.pak", testing_support::MakeArchive({{u"a", {1}}}));
  testing_support::WriteFile(work / "b.pak", testing_support::MakeArchive({{u"b", {2}}}));
  shell::win32::MainWindow window(shell::Program::kUnbaler);
  testing_support::FakeFileDialog dialog;
  testing_support::FakeMessageBox box;
  testing_support::FakeFolderBackend folders;
  extractor::UnbalerLogic logic(window, dialog, box, folders);
  testing_support::FakePointer pointer;
  window.SetPointer(&pointer);
  window.Load(&logic);
  EXPECT_NE(::GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

  PostDrop(window.hwnd(), {work / "a.pak"});
  EXPECT_EQ(logic.archive_path(), (work / "a.pak").u16string());
  EXPECT_EQ(WindowText(window.Control(Role::kFileName)), Shown(work / "a.pak"));
  EXPECT_EQ(ListItems(window.Control(Role::kFiles)), std::vector<std::wstring>{L"a"});

  // An archive with a file of another kind: which one? Nothing changes.
  testing_support::WriteFile(work / "b.txt", std::string("text"));
  PostDrop(window.hwnd(), {work / "b.pak", work / "b.txt"});
  EXPECT_EQ(logic.archive_path(), (work / "a.pak").u16string());
  EXPECT_EQ(ListItems(window.Control(Role::kFiles)), std::vector<std::wstring>{L"a"});

  // A folder and an archive together choose both.
  PostDrop(window.hwnd(), {out.path(), work / "b.pak"});
  EXPECT_EQ(logic.folder_path(), out.path().u16string());
  EXPECT_EQ(WindowText(window.Control(Role::kDir)), Shown(out.path()));
  EXPECT_EQ(ListItems(window.Control(Role::kFiles)), std::vector<std::wstring>{L"b"});
  EXPECT_TRUE(::IsWindowEnabled(window.Control(Role::kMainCommand)));
  EXPECT_TRUE(box.shown.empty());
  EXPECT_TRUE(dialog.requests.empty());
}

}  // namespace

namespace {

// What a drop target reads from the data object of a drag out of the list: the files as a
// list of dropped files, in their order, and no other format.
TEST(FilesDraggedOut, TheDataObjectOffersTheFilesAsADropList) {
  const std::vector<std::vector<std::u16string>> kCases = {
      {u"C:\\temp\\unbaler-1\\1\\a.ogg"},
      {u"C:\\temp\\unbaler-1\\2\\B.bin", u"C:\\temp\\unbaler-1\\2\\caf\u00e9 \u00ab1\u00bb.txt"},
  };
  for (const auto& files : kCases) {
    IDataObject* data = shell::win32::NewFilesData(files);
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(data->QueryGetData(&format), S_OK);
    FORMATETC text{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    std::vector<std::u16string> dropped;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
      path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
      dropped.emplace_back(path.begin(), path.end());
    }
    ::ReleaseStgMedium(&medium);
    EXPECT_EQ(dropped, files);
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC offered[2]{};
    ULONG fetched = 0;
    formats->Next(2, offered, &fetched);
    formats->Release();
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(offered[0].cfFormat, CF_HDROP);
    EXPECT_EQ(data->Release(), 0u);
  }
}

}  // namespace
