// The displayed form of a chosen path.
//
// The path labels of the main window are too narrow for long paths, so they show ShortenPath of
// the path while the program keeps the whole path beside it. A path of up to 40 characters is
// shown whole; a longer one keeps its beginning and its last component, joined by "...", in 38
// characters. Lengths are UTF-16 code units. The whole path shows in the label's tip.
#pragma once

#include <string>
#include <string_view>

namespace shell {

// Never fails, and always ends with the end of the path. Both "\" and "/" separate components,
// so Windows paths and the "/" paths of other systems shorten alike. When the last component
// (with its separator) is longer than 35 characters, or the path has no separator, the result
// is "..." and the last 35 characters. A cut never splits a surrogate pair, so a result may be a
// character shorter than 38.
std::u16string ShortenPath(std::u16string_view path);

}  // namespace shell
