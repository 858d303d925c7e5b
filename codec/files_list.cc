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
  const std::u16string text = code_page.Decode(bytes);
  // Folding maps each code unit to one code unit and leaves CR and LF alone, so
  // the folded text splits at the same places: one folding for the whole file
  // instead of one string per line (a list can hold tens of thousands).
  const std::u16string folded = FoldCase(text);
  const std::vector<std::u16string_view> pieces = Pieces(text);
  std::unordered_set<std::u16string_view> seen;
  seen.reserve(pieces.size());
  for (std::u16string_view piece : pieces) {
    const std::size_t at = static_cast<std::size_t>(piece.data() - text.data());
    if (seen.insert(std::u16string_view(folded).substr(at, piece.size())).second) {
      names.emplace_back(piece);
    }
  }
  return names;
}

}  // namespace pak
