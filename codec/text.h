// Text helpers shared by the codec and its callers: UTF-8 / UTF-16 conversion,
// the case-insensitive name comparison the tools use, and the single-byte code
// page that FilesList.txt is written in.
//
// Names are UTF-16 throughout (archives store them so); UTF-8 is used only at
// the edges (messages, terminal output, POSIX file names).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pak {

// Converts UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Converts UTF-8 to UTF-16; an invalid sequence becomes U+FFFD. `valid` (when
// given) tells whether the input was valid UTF-8.
std::u16string FromUtf8(std::string_view text, bool* valid = nullptr);

// Folds one code unit for case-insensitive comparison: ASCII and Latin-1 letters
// compare equal to their upper-case forms. Other code units compare exactly.
char16_t FoldCase(char16_t c);
std::u16string FoldCase(std::u16string_view text);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
// Hashing and equality that ignore case as EqualsIgnoreCase does, for sets of names that are
// looked up without a folded copy of each.
struct IgnoreCaseHash {
  std::size_t operator()(std::u16string_view text) const;
};
struct IgnoreCaseEqual {
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    return EqualsIgnoreCase(a, b);
  }
};
// Orders by folded text, then by the exact text, so sorting is deterministic.
bool LessIgnoreCase(std::u16string_view a, std::u16string_view b);

// Whether a character changes how text around it reads without showing itself: a format
// character (Unicode's category Cf: the soft hyphen, the text-direction controls U+202A..U+202E
// and U+2066..U+2069, the zero-width characters U+200B..U+200F, U+FEFF, ...) or one of the line
// and paragraph separators U+2028 and U+2029.
bool IsHiddenCharacter(char32_t code_point);

// Text made safe to print on a terminal or show in a window: control characters (C0, DEL, and
// C1 written as UTF-8) and bytes that are not valid UTF-8 become \xNN, so a name cannot move
// the cursor, change the terminal's state or fake a line of its own; hidden characters
// (IsHiddenCharacter) become \u{202E}, so a name cannot pass for another. A backslash that
// would read as the start of such an escape ("\x", "\u{") is doubled, so the output stays
// unambiguous. Other text, the backslashes of Windows paths included, is left as it is.
std::string EscapeControls(std::string_view utf8);
// The same for text that went through EscapeControls in parts already (a message that names an
// entry): backslashes are left alone, so that those parts are not escaped twice.
std::string EscapeRawControls(std::string_view utf8);
// A name as a list shows it: EscapeControls applied to the UTF-16 name.
std::u16string DisplayName(std::u16string_view name);

// The longest beginning of `text` of at most `units` code units (bytes) that ends between two
// characters, never inside a surrogate pair (a UTF-8 sequence).
std::u16string_view CutAtCharacter(std::u16string_view text, std::size_t units);
std::string_view CutAtCharacter(std::string_view utf8, std::size_t bytes);

// A single-byte code page: how FilesList.txt turns names into bytes and back.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Encodes UTF-16 text; characters the code page lacks become `?`.
  virtual std::string Encode(std::u16string_view text) const = 0;
  virtual std::u16string Decode(std::string_view bytes) const = 0;
  // The most bytes Encode gives for one UTF-16 code unit.
  virtual std::size_t MaxBytesPerUnit() const = 0;
};

// Windows-1252, the code page FilesList.txt is written and read in on every system: it holds
// every name an archive can (U+0001..U+00FF) without loss, whatever the system's own code page,
// and lists move between machines.
const CodePage& Windows1252();

// The system's ANSI code page on Windows, for the front end's calls that take ANSI text;
// Windows-1252 everywhere else. Not for FilesList.txt: a Russian or Chinese code page lacks most
// accented Latin letters.
const CodePage& SystemCodePage();

}  // namespace pak
