// The system's ANSI code page on Windows, for the calls that take ANSI text.
#include <windows.h>

#include <string>

#include "codec/text.h"

namespace pak {
namespace {

// The conversion functions count in int; a FilesList.txt this large is no real list, but it is
// still converted whole, a slice at a time, cut after a line's LF (never inside a character).
constexpr std::size_t kSlice = 1u << 28;

class SystemAnsiCodePage final : public CodePage {
 public:
  std::string Encode(std::u16string_view text) const override {
    if (::GetACP() == CP_UTF8) return ToUtf8(text);
    std::string out;
    while (!text.empty()) {
      std::u16string_view part = text.substr(0, kSlice);
      if (part.size() < text.size() && part.back() >= 0xD800 && part.back() <= 0xDBFF) {
        part.remove_suffix(1);  // keep a surrogate pair together
      }
      const auto* wide = reinterpret_cast<const wchar_t*>(part.data());
      const int wide_size = static_cast<int>(part.size());
      // No best fit: a character the code page lacks becomes '?', not a look-alike that would
      // name a different file when the list is read back.
      const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, wide_size, nullptr,
                                             0, "?", nullptr);
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(size));
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, wide_size, out.data() + at, size,
                            "?", nullptr);
      text.remove_prefix(part.size());
    }
    return out;
  }

  std::u16string Decode(std::string_view bytes) const override {
    std::u16string out;
    while (!bytes.empty()) {
      std::size_t length = bytes.size();
      if (length > kSlice) {
        const std::size_t lf = bytes.rfind('\n', kSlice - 1);
        length = lf == std::string_view::npos ? kSlice : lf + 1;
      }
      const int size =
          ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(length), nullptr, 0);
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(size));
      ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(length),
                            reinterpret_cast<wchar_t*>(out.data() + at), size);
      bytes.remove_prefix(length);
    }
    return out;
  }

  std::size_t MaxBytesPerUnit() const override {
    // UTF-8 takes up to three bytes for a code unit (four for a surrogate pair).
    if (::GetACP() == CP_UTF8) return 3;
    CPINFO info{};
    return ::GetCPInfo(CP_ACP, &info) != 0 ? info.MaxCharSize : 2;
  }
};

}  // namespace

const CodePage& AnsiCodePage() {
  static const SystemAnsiCodePage page;
  return page;
}

}  // namespace pak
