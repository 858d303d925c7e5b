#include "codec/files_list.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "codec/names.h"
#include "codec/pak_format.h"

namespace pak {

std::uint64_t MaxFilesListSize(const CodePage& code_page) {
  const std::uint64_t longest_name =
      std::max({kMaxNameUnits, kMaxWindowsNameUnits, kMaxPosixNameBytes});  // in code units
  return std::uint64_t{kMaxEntries} * (longest_name * code_page.MaxBytesPerUnit() + 2);
}

std::string FilesListLine(std::u16string_view name, const CodePage& code_page) {
  std::string line = code_page.Encode(name);
  line += "\r\n";
  return line;
}

namespace {

// The pieces of `text` between CR LF pairs, as views; the last piece is what
// follows the last pair (normally nothing).
std::vector<std::u16string_view> Pieces(std::u16string_view text) {
  std::vector<std::u16string_view> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(u"\r\n", start);
    if (at == std::u16string_view::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, at - start));
    start = at + 2;
  }
}

}  // namespace

std::vector<std::u16string> SplitFilesList(std::string_view bytes, const CodePage& code_page) {
  std::vector<std::u16string> pieces;
  if (bytes.empty()) return pieces;
  const std::u16string text = code_page.Decode(bytes);
  for (std::u16string_view piece : Pieces(text)) pieces.emplace_back(piece);
  return pieces;
}

std::vector<std::u16string> RecordedNames(std::string_view bytes, const CodePage& code_page) {
  std::vector<std::u16string> names;
  if (bytes.empty()) return names;
  // Line by line, so that a long list is never held twice over: CR and LF are single bytes in
  // every encoding a list is written in, and no character's bytes hold them, so the lines split
  // where the decoded text would. The names are stored once; a set of views into them, which
  // ignores case, finds the repeated ones (the names never move: the vector is reserved first).
  const std::size_t lines = [&] {
    std::size_t count = 1;
    for (std::size_t at = bytes.find("\r\n"); at != std::string_view::npos;
         at = bytes.find("\r\n", at + 2)) {
      ++count;
    }
    return count;
  }();
  names.reserve(lines);
  std::unordered_set<std::u16string_view, IgnoreCaseHash, IgnoreCaseEqual> seen;
  seen.reserve(lines);
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = bytes.find("\r\n", start);
    const std::string_view line =
        bytes.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
    names.push_back(code_page.Decode(line));
    if (!seen.insert(names.back()).second) names.pop_back();
    if (at == std::string_view::npos) return names;
    start = at + 2;
  }
}

}  // namespace pak
