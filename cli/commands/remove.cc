// baler remove: entries out of an archive, by name.
#include <string>
#include <vector>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/edit.h"
#include "codec/text.h"

namespace baler {
namespace {

struct RemoveOptions {
  std::string archive;
  std::vector<std::string> names;
  bool quiet = false;
};

int Remove(const RemoveOptions& options) {
  pak::ArchiveEdit edit;
  for (const auto& name : options.names) edit.remove.push_back(pak::FromUtf8(name));
  return EditArchive(options.archive, edit, "Removing", options.quiet);
}

class RemoveCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand("remove", "Remove entries from an archive, by name");
    command->add_option("ARCHIVE", options_.archive, "The archive, changed in place")->required();
    command
        ->add_option("NAME", options_.names,
                     "The entries, named as on disk (a.ogg for a stored a.wav) or as stored")
        ->required();
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Example:\n  baler remove game.pak intro.ogg\n"
        "Case is ignored. A name that is not in the archive is an error, and nothing is written.");
    return command;
  }
  int Run() override { return Remove(options_); }

 private:
  RemoveOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeRemoveCommand() { return std::make_unique<RemoveCommand>(); }

}  // namespace baler
