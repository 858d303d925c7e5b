#include "shell/start_arguments.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "baler_version.h"
#include "codec/file_system.h"
#include "codec/text.h"
#include "shell/translate.h"

namespace shell {
namespace {

constexpr std::size_t kMaxPaths = 2;

// Whether `path` ends in ".pak", in any case.
bool EndsInPak(std::u16string_view path) {
  constexpr std::u16string_view kDotPak = u".pak";
  if (path.size() < kDotPak.size()) return false;
  for (std::size_t i = 0; i < kDotPak.size(); ++i) {
    char16_t c = path[path.size() - kDotPak.size() + i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
    if (c != kDotPak[i]) return false;
  }
  return true;
}

// `path` joined to `folder` when relative, without "." and ".." steps. Nothing on the disk is
// looked at: a path that leads nowhere stays as given, for the logic to refuse by name.
std::u16string Whole(std::u16string_view path, std::u16string_view folder) {
  pak::Path whole = pak::PathFromUtf16(path);
  if (!whole.is_absolute()) whole = pak::PathFromUtf16(folder) / whole;
  whole = whole.lexically_normal();
  // "dir/" normalises to "dir/" with an empty last step; the labels show the folder's name.
  if (!whole.has_filename() && whole.has_relative_path()) whole = whole.parent_path();
  return whole.u16string();
}

}  // namespace

std::u16string UsageText(Program program) {
  if (program == Program::kUnbaler) {
    return std::u16string(Tr(kUnbalerUsage)) + std::u16string(Tr(kUnbalerManyUsage));
  }
  return std::u16string(Tr(kRebalerUsage));
}

StartArguments ParseStartArguments(Program program, std::span<const std::u16string> arguments,
                                   std::u16string_view current_folder) {
  StartArguments start;
  const auto misuse = [&](std::u16string what) {
    start.action = StartArguments::Action::kMisuse;
    start.paths.clear();
    start.message = std::move(what) + u"\n" + UsageText(program);
    return start;
  };
  bool options = true;
  for (const std::u16string& argument : arguments) {
    if (options && argument == u"--") {
      options = false;
      continue;
    }
    if (options && (argument == u"--help" || argument == u"-h")) {
      start.action = StartArguments::Action::kHelp;
      start.paths.clear();
      start.message = UsageText(program);
      return start;
    }
    if (options && argument == u"--version") {
      start.action = StartArguments::Action::kVersion;
      start.paths.clear();
      const std::string_view version = baler::kVersion;
      start.message = std::u16string(program == Program::kUnbaler ? u"unbaler " : u"rebaler ") +
                      std::u16string(version.begin(), version.end()) + u"\n";
      return start;
    }
    // A lone "-" is no option; it is refused below as a path, like any name that leads nowhere.
    if (options && argument.size() > 1 && argument.front() == u'-') {
      return misuse(Arg(Tr(kUnknownOptionText), {argument}));
    }
    if (argument.empty()) return misuse(std::u16string(Tr(kEmptyPathText)));
    start.paths.push_back(Whole(argument, current_folder));
  }
  // Unbaler's several archives: every path but the last names a ".pak" file.
  const bool several = program == Program::kUnbaler && start.paths.size() > kMaxPaths &&
                       std::all_of(start.paths.begin(), start.paths.end() - 1,
                                   [](const std::u16string& path) { return EndsInPak(path); });
  if (start.paths.size() > kMaxPaths && !several) {
    return misuse(std::u16string(Tr(kTooManyPathsText)));
  }
  return start;
}

int PrintUsage(const StartArguments& start) {
  const bool asked = start.action == StartArguments::Action::kHelp ||
                     start.action == StartArguments::Action::kVersion;
  std::fputs(pak::ToUtf8(start.message).c_str(), asked ? stdout : stderr);
  return asked ? 0 : kMisuseExitCode;
}

}  // namespace shell
