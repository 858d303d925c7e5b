#include "codec/files_list.h"

#include <unordered_set>

namespace pak {

std::string FilesListLine(std::u16string_view name, const CodePage& code_page) {
  std::string line = code_page.Encode(name);
  line += "\r\n";
  return line;
}

std::vector<std::u16string> SplitFilesList(std::string_view bytes, const CodePage& code_page) {
  std::vector<std::u16string> pieces;
  if (bytes.empty()) return pieces;
  const std::u16string text = code_page.Decode(bytes);
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(u"\r\n", start);
    if (at == std::u16string::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, at - start));
    start = at + 2;
  }
}

std::vector<std::u16string> RecordedNames(std::string_view bytes, const CodePage& code_page) {
  std::vector<std::u16string> names;
  std::unordered_set<std::u16string> seen;
  for (auto& piece : SplitFilesList(bytes, code_page)) {
    if (seen.insert(FoldCase(piece)).second) names.push_back(std::move(piece));
  }
  return names;
}

}  // namespace pak
