#include "cli/commands/command.h"

#include <iostream>

#include "cli/baler_cli.h"
#include "cli/console.h"
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

int EditArchive(const std::string& archive, const pak::ArchiveEdit& edit, const char* verb,
                bool quiet) {
  pak::Result<pak::EditCounts> counts = pak::EditCounts{};
  {
    ProgressLine progress(verb, quiet);
    counts =
        pak::EditArchive(pak::DefaultFileSystem(), ArgPath(archive), edit, progress.callback());
  }
  if (!counts.ok()) return Fail(counts.status(), archive);
  if (!quiet) {
    // "2 new entries, 1 replaced, 1 removed", each part only when it is not 0.
    std::string changed;
    const auto part = [&](std::size_t count, const std::string& what) {
      if (count > 0) changed += (changed.empty() ? "" : ", ") + std::to_string(count) + what;
    };
    part(counts->added, counts->added == 1 ? " new entry" : " new entries");
    part(counts->replaced, " replaced");
    part(counts->removed, " removed");
    std::cerr << "baler: " << Safe(archive) << ": " << changed << "\n";
  }
  return kExitOk;
}

}  // namespace baler
