// Text at the edge of the Windows API. The wide (UTF-16) functions take the front end's
// std::u16string as it is; every other conversion (UTF-8, the ANSI code page) is the codec's
// (codec/text.h), so the programs convert text in one way only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/win32/windows_api.h"

namespace shell::win32 {

// UTF-16 both, so these only change the character type.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

// Replaces every item of the list box `list` with `items`, in the given order, drawing it once.
// The new list shows from its first item.
inline void FillListBox(HWND list, const std::vector<std::u16string>& items) {
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  std::size_t characters = 0;
  for (const auto& item : items) characters += item.size() + 1;
  ::SendMessageW(list, LB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
  for (const auto& item : items) {
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
  ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

// Where a list's rows start their text: a couple of pixels in from the left.
inline constexpr LONG kListTextLeft = 2;

// Whether item `index` of the list box `list` is wider than the room the list gives it, so that
// its end is cut off at the right.
inline bool ListItemCutOff(HWND list, int index) {
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return false;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  RECT client{};
  ::GetClientRect(list, &client);
  const HDC dc = ::GetDC(list);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(list, dc);
  return kListTextLeft + size.cx > client.right;
}

}  // namespace shell::win32
