// Text at the edge of the Windows API. The wide (UTF-16) functions take the front end's
// std::u16string as it is; every other conversion (UTF-8, the ANSI code page) is the codec's
// (codec/text.h), so the programs convert text in one way only.
#pragma once

#include <string>
#include <string_view>

#include "shell/main_layout.h"
#include "shell/win32/windows_api.h"

namespace shell::win32 {

// UTF-16 both, so these only change the character type.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

// The face the controls are drawn in: the skin's, or for a language whose script that face lacks
// (Chinese, Japanese) the system's own face for messages; set once at start (InstallUserLanguage).
inline std::wstring& ControlFace() {
  static std::wstring face = Wide(shell::kFontFace);
  return face;
}

// How `text` measures in `font` (the control's own when null) on `control`, with the font's line
// height and average character width.
struct TextSize {
  LONG width, line_height, average_char_width;
};
inline TextSize MeasureText(HWND control, std::wstring_view text, HFONT font = nullptr) {
  if (font == nullptr) font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return {size.cx, metrics.tmHeight, metrics.tmAveCharWidth};
}

}  // namespace shell::win32
