// What a program's command line asks for: `unbaler [ARCHIVE [FOLDER]]`, `rebaler [FOLDER
// [ARCHIVE]]`; Unbaler also takes several archives, each named with ".pak", and then a folder. A
// file manager's "Open with" and a double click on an archive start the programs this way; the
// paths given are then chosen as if the user had chosen them in the dialogs
// (ProgramLogic::OpenStartPaths).
//
// Only the text is looked at here; whether a path exists is the logic's to check. Each front end
// hands over the arguments as UTF-16, without the program's own path, and shows the usage text
// where the user can see it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/main_layout.h"

namespace shell {

struct StartArguments {
  enum class Action {
    kStart,    // open the window with `paths`
    kHelp,     // --help: the usage text, and end successfully without a window
    kVersion,  // --version: "unbaler VERSION", and end successfully without a window
    kMisuse,   // an unknown option or too many paths: the usage text, and end with a failure
  };
  Action action = Action::kStart;
  // In the program's order (see above), at most two (more for Unbaler's several archives), each
  // made whole against the folder the program was started in.
  std::vector<std::u16string> paths;
  // The usage text for kHelp and kMisuse (for kMisuse it begins with what was wrong), the
  // program's name and version for kVersion.
  std::u16string message;
};

// The exit code of a program started with an unusable command line.
inline constexpr int kMisuseExitCode = 2;

// `arguments` are the command line's words after the program's path; `current_folder` is where
// relative paths lead from. "--" ends the options, so that a file named "-x" can be given.
StartArguments ParseStartArguments(Program program, std::span<const std::u16string> arguments,
                                   std::u16string_view current_folder);

// "Usage: unbaler [ARCHIVE [FOLDER]]" and a line on what the two mean.
std::u16string UsageText(Program program);
inline constexpr char16_t kUnbalerUsage[] =
    u"Usage: unbaler [ARCHIVE [FOLDER]]\n"
    u"Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.\n";
// After kUnbalerUsage: the form with several archives.
inline constexpr char16_t kUnbalerManyUsage[] =
    u"       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]\n"
    u"Offers to extract each ARCHIVE into a folder of its name in FOLDER.\n";
inline constexpr char16_t kRebalerUsage[] =
    u"Usage: rebaler [FOLDER [ARCHIVE]]\n"
    u"Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.\n";
// What was wrong with a command line, before the usage text; %1 is the option.
inline constexpr char16_t kUnknownOptionText[] = u"Unknown option: %1";
inline constexpr char16_t kEmptyPathText[] = u"An empty path was given.";
inline constexpr char16_t kTooManyPathsText[] = u"Too many paths were given.";

// For a command line that starts no window, on a system where the program has a console: prints
// the message on the standard output for --help and --version, on the standard error otherwise,
// and returns the exit code.
int PrintUsage(const StartArguments& start);

}  // namespace shell
