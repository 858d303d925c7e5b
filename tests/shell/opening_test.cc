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

}  // namespace
}  // namespace shell
