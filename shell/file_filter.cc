#include "shell/file_filter.h"

namespace shell {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The patterns as shown: separated by single spaces, none at either end.
std::u16string ShownPatterns(std::u16string_view patterns) {
  std::u16string shown;
  bool gap = false;
  for (const char16_t c : patterns) {
    if (c == u';' || IsSpace(c)) {
      gap = !shown.empty();
      continue;
    }
    if (gap) shown += u' ';
    gap = false;
    shown += c;
  }
  return shown;
}

}  // namespace

std::vector<std::u16string> FilterLines(std::u16string_view filter) {
  std::vector<std::u16string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = filter.find(u'|', start);
    parts.push_back(filter.substr(start, bar == std::u16string_view::npos ? bar : bar - start));
    if (bar == std::u16string_view::npos) break;
    start = bar + 1;
  }
  std::vector<std::u16string> lines;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::u16string shown = u"(" + ShownPatterns(parts[i + 1]) + u")";
    std::u16string line(parts[i]);
    if (!line.ends_with(shown)) line += u" " + shown;
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace shell
