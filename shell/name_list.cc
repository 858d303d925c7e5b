#include "shell/name_list.h"

#include <algorithm>

namespace shell {

std::optional<std::size_t> NextItemStartingWith(const std::vector<std::u16string>& names,
                                                std::optional<std::size_t> caret, char16_t letter,
                                                const FoldCase& fold) {
  const std::size_t count = names.size();
  // The item after the caret first, the caret's own last; without a caret, the top first.
  const std::size_t first = caret ? *caret + 1 : 0;
  const char16_t wanted = fold(letter);
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t item = (first + step) % count;
    const std::u16string& name = names[item];
    if (!name.empty() && fold(name[0]) == wanted) return item;
  }
  return std::nullopt;
}

Point KeyboardMenuPlace(std::optional<Box> caret_row, std::int32_t client_height) {
  if (caret_row) {
    const std::int32_t bottom = caret_row->top + caret_row->height;
    if (bottom > 0 && bottom <= client_height) return {caret_row->left, bottom};
  }
  return {0, 0};
}

}  // namespace shell
