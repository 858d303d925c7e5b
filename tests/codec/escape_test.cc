// Terminal-safe text: what a name or message may carry, and what reaches the terminal.
#include <gtest/gtest.h>

#include "codec/text.h"

namespace {

TEST(EscapeControls, ControlCharactersAndBrokenBytesBecomeVisibleEscapes) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"plain name.ogg", "plain name.ogg"},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5"},
      {"\x1b[2Jgone", "\\x1b[2Jgone"},      // ESC: clears the screen
      {"a\nfake line", "a\\x0afake line"},  // a newline fakes an extra entry
      {"bell\a", "bell\\x07"},
      {"cr\rover", "cr\\x0dover"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"del\x7f", "del\\x7f"},
      {"csi\xC2\x9B"
       "31m",
       "csi\\x9b31m"},                           // C1 CSI written as UTF-8
      {"nbsp\xC2\xA0ok", "nbsp\xC2\xA0ok"},      // U+00A0 is printable
      {"lone\xFF", "lone\\xff"},                 // not UTF-8
      {"cut\xE2\x82", "cut\\xe2\\x82"},          // a sequence cut short
      {"over\xC0\xAF", "over\\xc0\\xaf"},        // an overlong form of "/"
      {"C:\\Games\\a.pak", "C:\\Games\\a.pak"},  // path backslashes stay
      {"literal\\x1b", "literal\\\\x1b"},        // cannot pass for an escape
      {"", ""},
      // Characters that hide themselves or turn the text around.
      {"evil\u202Egpj.exe", "evil\\u{202E}gpj.exe"},
      {"soft\u00ADhyphen", "soft\\u{00AD}hyphen"},
      {"zero\u200Bwidth\uFEFF", "zero\\u{200B}width\\u{FEFF}"},
      {"\u2066isolate\u2069", "\\u{2066}isolate\\u{2069}"},
      {"line\u2028para\u2029", "line\\u{2028}para\\u{2029}"},
      {"tag\U000E0041", "tag\\u{E0041}"},
      {"dash\u2010ok", "dash\u2010ok"},
      {"literal\\u{202E}", "literal\\\\u{202E}"},  // cannot pass for an escape
      {"C:\\users\\a.pak", "C:\\users\\a.pak"},    // only "\u{" is doubled
  };
  for (const auto& c : cases) EXPECT_EQ(pak::EscapeControls(c.in), c.out) << c.out;
}

TEST(EscapeControls, TextEscapedInPartsKeepsItsEscapes) {
  // A message naming an entry escaped already: raw characters are escaped, backslashes kept.
  EXPECT_EQ(pak::EscapeRawControls("entry 1 (\"a\\x1bb\") in C:\\x\x1b\u202E"),
            "entry 1 (\"a\\x1bb\") in C:\\x\\x1b\\u{202E}");
  EXPECT_EQ(pak::DisplayName(u"a\u202Eb\x1b"), u"a\\u{202E}b\\x1b");
}

TEST(EscapeControls, OutputNeverHoldsAControlByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (int b = 0x80; b < 0xA0; ++b) all += std::string("\xC2") + static_cast<char>(b);
  const std::string out = pak::EscapeControls(all);
  for (unsigned char c : out) EXPECT_FALSE(c < 0x20 || c == 0x7F) << int(c);
  EXPECT_EQ(out.find("\xC2\x80"), std::string::npos);
}

TEST(CutAtCharacter, NeverSplitsACharacter) {
  struct Case {
    std::u16string text;
    std::size_t units;
    std::u16string cut;
  };
  const Case cases[] = {
      {u"abc", 5, u"abc"},
      {u"abc", 2, u"ab"},
      {u"ab\U0001F3B5", 3, u"ab"},  // would keep half the pair
      {u"ab\U0001F3B5", 4, u"ab\U0001F3B5"},
      {u"ab\U0001F3B5c", 2, u"ab"},
      {u"\U0001F3B5", 1, u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pak::CutAtCharacter(std::u16string_view(c.text), c.units), c.cut) << c.units;
    // The same cut in UTF-8, in bytes: never inside a sequence.
    const std::string utf8 = pak::ToUtf8(c.text);
    for (std::size_t bytes = 0; bytes <= utf8.size() + 1; ++bytes) {
      const std::string_view cut = pak::CutAtCharacter(std::string_view(utf8), bytes);
      EXPECT_LE(cut.size(), bytes);
      EXPECT_GE(cut.size() + 3, std::min(bytes, utf8.size()));
      bool valid = false;
      pak::FromUtf8(cut, &valid);
      EXPECT_TRUE(valid) << bytes;
    }
  }
}

}  // namespace
