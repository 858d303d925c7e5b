// The filter of a file dialog as a toolkit that shows one line per filter writes it.
//
// The logic asks for files with "description|pattern" pairs (FileDialogRequest::filter), as the
// common dialog control of Windows takes them; other toolkits show each pair as one line,
// "description (patterns)".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {

// One line per pair: "*.pak|*.pak" becomes "*.pak (*.pak)", and patterns separated by ";" are
// shown separated by spaces. A description that already ends in its patterns, as
// "PAK archives (*.pak)", stays as it is. A last description without patterns is left out; an
// empty filter gives no lines.
std::vector<std::u16string> FilterLines(std::u16string_view filter);

}  // namespace shell
