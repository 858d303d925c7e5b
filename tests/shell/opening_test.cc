// The pieces of the opening rule below the logic: a name's last extension, and how a name is
// shown with its invisible characters made visible.
#include "shell/opening.h"

#include <gtest/gtest.h>

#include <string>

#include "codec/text.h"

namespace shell {
namespace {

TEST(Opening, TheLastExtensionIsTheTextAfterTheLastDotOfTheLastName) {
  const struct {
    std::u16string name, extension;
  } cases[] = {
      {u"a.tar.gz", u"gz"}, {u"A.OGG", u"OGG"},       {u".ogg", u"ogg"},           {u"name.", u""},
      {u"readme", u""},     {u"dir.png/readme", u""}, {u"dir.x\\run.Exe", u"Exe"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LastExtension(c.name), c.extension) << pak::ToUtf8(c.name);
  }
}

TEST(Opening, InvisibleCharactersAreEscapedAndEverythingElseKept) {
  const struct {
    std::u16string text, shown;
  } cases[] = {
      {u"holiday\u202Egpj.cmd", u"holiday\\u{202E}gpj.cmd"},
      {u"a\u200Bb\u2066c\u00AD", u"a\\u{200B}b\\u{2066}c\\u{00AD}"},
      {u"tab\there\n", u"tab\\u{0009}here\\u{000A}"},
      {u"tag\U000E0041", u"tag\\u{E0041}"},                            // a pair, escaped as one
      {std::u16string(u"lone") + char16_t{0xD800}, u"lone\\u{D800}"},  // half a pair
      {u"\\u{202E} typed", u"\\\\u{202E} typed"},                      // never taken for an escape
      {u"C:\\Users\\x.ogg", u"C:\\Users\\x.ogg"},
      {u"m\u00FCsica \u97F3\u697D \U0001F3B5.ogg", u"m\u00FCsica \u97F3\u697D \U0001F3B5.ogg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EscapeInvisible(c.text), c.shown) << pak::ToUtf8(c.shown);
  }
}

}  // namespace
}  // namespace shell
