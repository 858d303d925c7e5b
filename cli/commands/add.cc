// baler add: files into an archive as entries, new or in place of those of the same name.
#include <iostream>
#include <string>
#include <vector>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/edit.h"

namespace baler {
namespace {

struct AddOptions {
  std::string archive;
  std::vector<std::string> files;
  bool quiet = false;
};

int Add(const AddOptions& options) {
  pak::ArchiveEdit edit;
  for (const auto& file : options.files) edit.add.push_back(ArgPath(file));
  return EditArchive(options.archive, edit, "Adding", options.quiet);
}

class AddCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "add", "Add files to an archive as entries, replacing the entries of the same name");
    command->add_option("ARCHIVE", options_.archive, "The archive, changed in place")->required();
    command->add_option("FILE", options_.files, "The files, each stored under its own name")
        ->required();
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Example:\n  baler add game.pak intro.ogg menu.png\n"
        "An .ogg file is stored as .wav, replacing the .wav entry of its name. New entries take "
        "their\nplace in name order when the archive is in name order, and go last otherwise. "
        "The other\nentries are copied as they are. The archive is replaced only once the new one "
        "is complete.");
    return command;
  }
  int Run() override { return Add(options_); }

 private:
  AddOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeAddCommand() { return std::make_unique<AddCommand>(); }

}  // namespace baler
