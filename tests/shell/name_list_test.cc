// A list of names without a window: where a typed letter goes, the status line's box over the
// list, and where the keyboard opens the list's menu.
#include "shell/name_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using shell::Box;
using shell::Point;

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

TEST(NameList, ALetterGoesToTheNextNameStartingWithItRoundToTheTop) {
  const std::vector<std::u16string> names = {u"apple", u"Banana", u"", u"avocado", u"b.ogg"};
  const struct {
    std::optional<std::size_t> caret;
    char16_t letter;
    std::optional<std::size_t> expected;
  } kCases[] = {
      {std::nullopt, u'a', 0},  // no caret: from the top
      {std::nullopt, u'B', 1},  // either case
      {0, u'a', 3},             // the caret's own item comes last
      {3, u'a', 0},             // round to the top
      {1, u'b', 4},             //
      {4, u'B', 1},             //
      {0, u'z', std::nullopt},  // no such name
      {2, u'a', 3},             // an empty name matches nothing
      {3, u'v', std::nullopt},  // only the first character counts
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(shell::NextItemStartingWith(names, c.caret, c.letter, AsciiLower), c.expected)
        << static_cast<char>(c.letter) << " from " << c.caret.value_or(99);
  }
  // A name alone in the list is found again from itself; an empty list has nothing.
  EXPECT_EQ(shell::NextItemStartingWith({u"x"}, 0, u'X', AsciiLower), 0u);
  EXPECT_EQ(shell::NextItemStartingWith({}, std::nullopt, u'x', AsciiLower), std::nullopt);
  // The folding is the caller's: without it the case matters.
  EXPECT_EQ(shell::NextItemStartingWith(names, std::nullopt, u'b', [](char16_t c) { return c; }),
            4u);
}

TEST(NameList, TheKeyboardOpensTheMenuUnderTheFocusedRowWhileItShows) {
  const struct {
    std::optional<Box> caret_row;
    Point expected;
  } kCases[] = {
      {Box{0, 26, 180, 13}, {0, 39}},   // in sight
      {Box{0, 91, 180, 13}, {0, 104}},  // its bottom on the list's bottom edge
      {Box{0, 95, 180, 13}, {0, 0}},    // cut off at the bottom
      {Box{0, -13, 180, 13}, {0, 0}},   // scrolled out at the top
      {std::nullopt, {0, 0}},           // no focused row
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(shell::KeyboardMenuPlace(c.caret_row, 104), c.expected);
  }
}

}  // namespace
