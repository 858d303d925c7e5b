#include "shell/win32/win32_text.h"

#include "shell/win32/windows_api.h"

namespace shell::win32 {
namespace {

std::u16string Decode(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size =
      ::MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(),
                        size);
  return FromWide(out);
}

}  // namespace

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

std::string ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide = Wide(text);
  const UINT code_page = ::GetACP();
  // UTF-8 as the ANSI code page (a system option since Windows 10) takes no best-fit flag.
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = code_page == CP_UTF8 ? nullptr : "?";
  const int size = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, fallback, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        fallback, nullptr);
  return out;
}

std::u16string FromAnsi(std::string_view bytes) { return Decode(CP_ACP, bytes); }

std::u16string FromUtf8(std::string_view text) { return Decode(CP_UTF8, text); }

std::string ToUtf8(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide = Wide(text);
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

}  // namespace shell::win32
