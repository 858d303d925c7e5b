// baler diff: the files added to a folder and deleted from it since extraction, by name, or with
// --against by content too.
#include <iostream>
#include <string>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/commands/compare_content.h"
#include "cli/console.h"
#include "codec/compare.h"
#include "codec/workflow.h"

namespace baler {
namespace {

struct DiffOptions {
  std::string folder;
  std::string against;  // an archive; empty: the names in the folder's FilesList.txt
  bool json = false;
  bool quiet = false;
};

int DiffNames(const DiffOptions& options) {
  auto scan =
      pak::ScanFolder(pak::DefaultFileSystem(), ArgPath(options.folder), pak::Windows1252());
  if (!scan.ok()) return Fail(scan.status());
  const pak::NameDifference diff = pak::CompareNames(*scan);
  if (options.json) {
    PrintJson({{"added", JsonNames(diff.added)}, {"deleted", JsonNames(diff.deleted)}});
  } else {
    std::cout << AddedAndDeleted(diff.added, diff.deleted);
  }
  return diff.added.empty() && diff.deleted.empty() ? kExitOk : kExitDifferent;
}

int Diff(const DiffOptions& options) {
  if (options.against.empty()) return DiffNames(options);
  return CompareContent({.archive = options.against,
                         .folder = options.folder,
                         .json = options.json,
                         .quiet = options.quiet,
                         .confirm_match = false});
}

class DiffCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "diff", "Show the files added to a folder and the files deleted from it since extraction");
    command->add_option("DIR", options_.folder, "The folder of files")->required();
    command
        ->add_option("--against", options_.against,
                     "Compare with this archive's entries, byte for byte: also shows modified "
                     "files")
        ->option_text("ARCHIVE");
    command->add_flag("--json", options_.json,
                      "A JSON object: {added, deleted} (with --against: modified)");
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Examples:\n  baler diff out\n  baler diff out --against game.pak\n"
        "Exits 0 when there is no difference and 4 when there is one.");
    return command;
  }
  int Run() override { return Diff(options_); }

 private:
  DiffOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeDiffCommand() { return std::make_unique<DiffCommand>(); }

}  // namespace baler
