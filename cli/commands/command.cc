#include "cli/commands/command.h"

#include "codec/text.h"

namespace baler {

void AddPatterns(CLI::App& command, EntryPatterns& patterns) {
  // One pattern per option, so that entry names may follow it.
  command
      .add_option("--include", patterns.includes,
                  "Only entries whose name (as on disk) matches GLOB; repeatable")
      ->option_text("GLOB")
      ->allow_extra_args(false);
  command
      .add_option("--exclude", patterns.excludes,
                  "Leave out entries whose name (as on disk) matches GLOB; repeatable")
      ->option_text("GLOB")
      ->allow_extra_args(false);
}

void AddQuiet(CLI::App& command, bool& quiet) {
  command.add_flag("-q,--quiet", quiet, "No progress and no notes; errors are still shown");
}

pak::EntrySelection Selection(const std::vector<std::string>& names,
                              const EntryPatterns& patterns) {
  pak::EntrySelection selection;
  for (const auto& name : names) selection.names.push_back(pak::FromUtf8(name));
  for (const auto& glob : patterns.includes) selection.includes.push_back(pak::FromUtf8(glob));
  for (const auto& glob : patterns.excludes) selection.excludes.push_back(pak::FromUtf8(glob));
  return selection;
}

}  // namespace baler
