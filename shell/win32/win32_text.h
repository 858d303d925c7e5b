// Text conversions at the edge of the Windows API: the wide (UTF-16) functions take the
// front end's std::u16string as it is; the ANSI ones take the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace shell::win32 {

// UTF-16 both, so these only change the character type.
std::wstring Wide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

// To the ANSI code page with no best-fit look-alikes: a character the code page lacks becomes
// '?', which no file name can hold, so it can never name a different file by accident.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

// UTF-8, the text of the standard library's messages (exception texts) and of error sources.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

}  // namespace shell::win32
