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

// "Error <number>", a blank line, then the description.
std::u16string ErrorText(std::int64_t number, std::u16string_view description);

}  // namespace shell
