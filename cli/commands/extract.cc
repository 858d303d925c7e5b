// baler extract: every entry and FilesList.txt into a folder, or only the entries chosen.
#include <iostream>
#include <string>
#include <vector>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/reader.h"
#include "codec/select.h"
#include "codec/workflow.h"

namespace baler {
namespace {

using pak::Status;

struct ExtractOptions {
  std::string archive;
  std::string folder;
  std::vector<std::string> entries;  // empty: every entry
  EntryPatterns patterns;
  bool quiet = false;
};

int Extract(const ExtractOptions& options) {
  const pak::EntrySelection selection = Selection(options.entries, options.patterns);
  pak::FileSystem& fs = pak::DefaultFileSystem();
  if (!fs.IsDirectory(ArgPath(options.folder))) {
    return Fail(Status::Refused("there is no folder " + options.folder));
  }
  auto archive = pak::OpenPakFile(fs, ArgPath(options.archive));
  if (!archive.ok()) return Fail(archive.status(), options.archive);
  if (selection.everything()) {
    ProgressLine progress("Extracting", options.quiet);
    Status status = pak::ExtractAll(fs, *archive, ArgPath(options.folder), pak::Windows1252(),
                                    pak::HostNameRules(), progress.callback());
    if (!status.ok()) return Fail(status);
    return kExitOk;
  }
  // Every name is looked up before anything is written.
  auto chosen = pak::SelectEntries(*archive, selection);
  if (!chosen.ok()) return Fail(chosen.status(), options.archive);
  if (chosen->empty() && !options.quiet) {
    std::cerr << "baler: no entry of " << Safe(options.archive)
              << " matches; nothing was extracted\n";
  }
  ProgressLine progress("Extracting", options.quiet);
  Status status = pak::ExtractSelected(fs, *archive, ArgPath(options.folder), *chosen,
                                       pak::HostNameRules(), progress.callback());
  if (!status.ok()) return Fail(status);
  return kExitOk;
}

class ExtractCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "extract", "Write every entry and FilesList.txt into a folder, or only some entries");
    command->add_option("ARCHIVE", options_.archive, "The archive")->required();
    command->add_option("DIR", options_.folder, "An existing folder")->required();
    command->add_option("ENTRY", options_.entries,
                        "Only these entries, named as on disk (a.ogg for a stored a.wav); "
                        "no FilesList.txt is written then");
    AddPatterns(*command, options_.patterns);
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Examples:\n  baler extract game.pak out\n  baler extract game.pak out intro.ogg "
        "--include 'menu_*'\n"
        "A name that is not in the archive is an error, and nothing is written. With ENTRY, "
        "--include\nor --exclude no FilesList.txt is written.");
    return command;
  }
  int Run() override { return Extract(options_); }

 private:
  ExtractOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeExtractCommand() { return std::make_unique<ExtractCommand>(); }

}  // namespace baler
