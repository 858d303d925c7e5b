// The programs' icons: each .exe beside this test carries one icon group, APP_ICON, in the sizes
// Explorer asks for, and the main window's class takes the icon of the program it runs in (this
// test is built with Unbaler's).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "shell/win32/main_window.h"

namespace {

// An icon group as stored in a program: a 6-byte header, then 14 bytes per picture.
struct IconGroup {
  int groups = 0;                    // icon groups in the program; Explorer shows the first
  std::set<int> sizes;               // the pictures' widths (256 stored as 0)
  std::vector<bool> pictures_found;  // each picture's own RT_ICON resource
};

std::uint16_t Word(const std::uint8_t* at) {
  std::uint16_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

IconGroup ReadIconGroup(HMODULE module) {
  IconGroup group;
  ::EnumResourceNamesW(
      module, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) -> BOOL {
        ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&group.groups));
  const HRSRC found = ::FindResourceW(module, L"APP_ICON", RT_GROUP_ICON);
  if (found == nullptr) return group;
  const auto* bytes =
      static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)));
  const DWORD size = ::SizeofResource(module, found);
  if (bytes == nullptr || size < 6) return group;
  const int count = Word(bytes + 4);
  for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(size); ++i) {
    const std::uint8_t* entry = bytes + 6 + 14 * i;
    group.sizes.insert(entry[0] == 0 ? 256 : entry[0]);
    const WORD id = Word(entry + 12);
    group.pictures_found.push_back(::FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON) !=
                                   nullptr);
  }
  return group;
}

std::filesystem::path ThisFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

TEST(ProgramIcons, EachProgramCarriesOneIconInTheUsualSizes) {
  for (const wchar_t* program : {L"unbaler.exe", L"rebaler.exe", L"baler.exe"}) {
    const std::filesystem::path path = ThisFolder() / program;
    SCOPED_TRACE(path.string());
    if (!std::filesystem::exists(path)) {
      ADD_FAILURE() << "not built; scripts/test-windows.sh builds it";
      continue;
    }
    const HMODULE module = ::LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const IconGroup group = ReadIconGroup(module);
    ::FreeLibrary(module);
    EXPECT_EQ(group.groups, 1);
    EXPECT_EQ(group.sizes, (std::set<int>{16, 32, 48, 256}));
    EXPECT_EQ(group.pictures_found, std::vector<bool>(group.sizes.size(), true));
  }
}

TEST(ProgramIcons, TheMainWindowShowsTheProgramsIcon) {
  shell::win32::MainWindow window(shell::Program::kUnbaler);
  const HICON own = ::LoadIconW(::GetModuleHandleW(nullptr), L"APP_ICON");
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(::GetClassLongPtrW(window.hwnd(), GCLP_HICON)), own);
}

}  // namespace
