// The text of the message box that reports an unexpected error to the user.
//
// An error that reaches a command handler unhandled (a file that cannot be read or written, a
// folder-browser failure) is shown with its number and description; the program then carries
// on with its window as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

// "Error <number>" (kErrorText in the user's language), a blank line, then the description.
inline constexpr char16_t kErrorText[] = u"Error %1";
std::u16string ErrorText(std::int64_t number, std::u16string_view description);

}  // namespace shell
