// Text at the edge of the Windows API. The wide (UTF-16) functions take the front end's
// std::u16string as it is; every other conversion (UTF-8, the ANSI code page) is the codec's
// (codec/text.h), so the programs convert text in one way only.
#pragma once

#include <string>
#include <string_view>

#include "shell/win32/windows_api.h"

namespace shell::win32 {

// UTF-16 both, so these only change the character type.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace shell::win32
