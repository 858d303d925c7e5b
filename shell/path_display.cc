#include "shell/path_display.h"

namespace shell {
namespace {

constexpr std::size_t kShownWhole = 40;
constexpr std::size_t kKept = 35;  // characters kept around the "..."

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string ShortenPath(std::u16string_view path) {
  if (path.size() <= kShownWhole) return std::u16string(path);

  const std::size_t separator = path.find_last_of(u"\\/");
  std::u16string_view head;
  std::u16string_view tail;
  if (separator != std::u16string_view::npos && path.size() - separator <= kKept) {
    tail = path.substr(separator);
    head = path.substr(0, kKept - tail.size());
  } else {
    tail = path.substr(path.size() - kKept);
  }
  if (!head.empty() && IsHighSurrogate(head.back())) head.remove_suffix(1);
  if (!tail.empty() && IsLowSurrogate(tail.front())) tail.remove_prefix(1);

  std::u16string shown;
  shown.reserve(head.size() + 3 + tail.size());
  shown.append(head).append(u"...").append(tail);
  return shown;
}

}  // namespace shell
