#include "shell/error_text.h"

#include "shell/translate.h"

namespace shell {

std::u16string ErrorText(std::int64_t number, std::u16string_view description) {
  const std::string digits = std::to_string(number);
  std::u16string text = Arg(Tr(kErrorText), {std::u16string(digits.begin(), digits.end())});
  text += u"\n\n";
  text += description;
  return text;
}

}  // namespace shell
