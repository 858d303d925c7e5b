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
// Orders by folded text, then by the exact text, so sorting is deterministic.
bool LessIgnoreCase(std::u16string_view a, std::u16string_view b);

// Text made safe to print on a terminal: control characters (C0, DEL, and C1 written as UTF-8)
// and bytes that are not valid UTF-8 become \xNN, so a name cannot move the cursor, change
// the terminal's state or fake a line of its own. A backslash that would read as the start of
// such an escape ("\x") is doubled, so the output stays unambiguous. Other text, the
// backslashes of Windows paths included, is left as it is.
std::string EscapeControls(std::string_view utf8);

// A single-byte code page: how FilesList.txt turns names into bytes and back.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Encodes UTF-16 text; characters the code page lacks become `?`.
  virtual std::string Encode(std::u16string_view text) const = 0;
  virtual std::u16string Decode(std::string_view bytes) const = 0;
};

// Windows-1252, the code page used for FilesList.txt on every system that has
// no ANSI code page of its own, so that lists move between machines.
const CodePage& Windows1252();

// The code page for FilesList.txt on this system: the ANSI code page on
// Windows, Windows-1252 everywhere else.
const CodePage& SystemCodePage();

}  // namespace pak
