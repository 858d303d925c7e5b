// A baler command as one unit: it adds itself to the parser with its own options, its help and an
// example, and runs with what was parsed. Each command lives in its own file; baler_cli.cc walks
// the list below.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "codec/edit.h"
#include "codec/select.h"

namespace baler {

class Command {
 public:
  virtual ~Command() = default;
  // Adds the command to `app`; its options are bound to this object, which must outlive the
  // parse.
  virtual CLI::App* Define(CLI::App& app) = 0;
  // Does the command with the options parsed; returns the exit code.
  virtual int Run() = 0;
};

// The commands, each made by its own file.
std::unique_ptr<Command> MakeListCommand();
std::unique_ptr<Command> MakeExtractCommand();
std::unique_ptr<Command> MakePackCommand();
std::unique_ptr<Command> MakeDiffCommand();
std::unique_ptr<Command> MakeVerifyCommand();
std::unique_ptr<Command> MakeCheckCommand();
std::unique_ptr<Command> MakeAddCommand();
std::unique_ptr<Command> MakeRemoveCommand();

// --include and --exclude, the patterns that choose entries by name.
struct EntryPatterns {
  std::vector<std::string> includes;
  std::vector<std::string> excludes;
};

void AddPatterns(CLI::App& command, EntryPatterns& patterns);
void AddQuiet(CLI::App& command, bool& quiet);

// The entries named (as on disk) and chosen by the patterns.
pak::EntrySelection Selection(const std::vector<std::string>& names, const EntryPatterns& patterns);

// add and remove: applies `edit` to the archive with a progress line of `verb`, then notes what
// changed unless `quiet`; returns the exit code.
int EditArchive(const std::string& archive, const pak::ArchiveEdit& edit, const char* verb,
                bool quiet);

}  // namespace baler
