#include "shell/file_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/text.h"

namespace shell {
namespace {

TEST(FilterLines, OneLinePerPairWithItsPatternsShown) {
  using Lines = std::vector<std::u16string>;
  const struct {
    std::u16string_view filter;
    Lines lines;
  } kCases[] = {
      {u"*.pak|*.pak", {u"*.pak (*.pak)"}},
      {u"Text|*.txt;*.log|All|*.*", {u"Text (*.txt *.log)", u"All (*.*)"}},
      {u"", {}},
      // A description that shows its patterns already is kept as it is.
      {u"PAK archives (*.pak)|*.pak", {u"PAK archives (*.pak)"}},
      {u"Sounds|  *.ogg ;; *.wav ", {u"Sounds (*.ogg *.wav)"}},
      // A description without patterns at the end is no filter.
      {u"Text|*.txt|Orphan", {u"Text (*.txt)"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FilterLines(c.filter), c.lines) << pak::ToUtf8(c.filter);
  }
}

}  // namespace
}  // namespace shell
