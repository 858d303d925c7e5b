// FilesList.txt: the names of an extracted archive's entries, one per line,
// each line ended by CR LF, in a single-byte code page. Unbaler writes it
// beside the extracted files; Rebaler reads it to see what was added or
// deleted since.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codec/text.h"

namespace pak {

// The largest FilesList.txt there can be in `code_page`: one line per entry of the largest
// archive, each the longest name extraction writes on any system (255 code units) in the code
// page's widest form, and its CR LF. A larger file is no list, and is refused before it is read.
std::uint64_t MaxFilesListSize(const CodePage& code_page);

// One line: the name in the code page, then CR LF.
std::string FilesListLine(std::u16string_view name, const CodePage& code_page);

// Splits the file's bytes at every CR LF. Because every line ends with CR LF,
// the last piece is normally empty; a file of no bytes gives no pieces.
std::vector<std::u16string> SplitFilesList(std::string_view bytes, const CodePage& code_page);

// The recorded names as a keyed collection keeps them: in file order, a name
// that occurs again (ignoring case) counts once, at its first occurrence.
std::vector<std::u16string> RecordedNames(std::string_view bytes, const CodePage& code_page);

}  // namespace pak
