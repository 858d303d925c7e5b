// A list of names as the windows show it, whatever draws it: where a typed letter goes, where the
// status line covers the list, and where the list's menu opens from the keyboard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/main_layout.h"

namespace shell {

// A character as it compares without case; each toolkit folds with its own rules.
using FoldCase = std::function<char16_t(char16_t)>;

// The item a letter typed on a list goes to: the first one after `caret` (the item with the focus
// mark) whose name starts with `letter`, in either case, round from the bottom to the top; with
// no caret, the first from the top. The caret's own item comes last. None when no name starts
// with the letter.
std::optional<std::size_t> NextItemStartingWith(const std::vector<std::u16string>& names,
                                                std::optional<std::size_t> caret, char16_t letter,
                                                const FoldCase& fold);

// Where a list's menu opens from the keyboard, in the list's client coordinates: under the left
// end of the row with the focus mark when that row's bottom edge shows (`caret_row`, none when
// there is no such row), else at the list's top-left corner.
struct Point {
  std::int32_t x, y;
  friend bool operator==(const Point&, const Point&) = default;
};
Point KeyboardMenuPlace(std::optional<Box> caret_row, std::int32_t client_height);

}  // namespace shell
