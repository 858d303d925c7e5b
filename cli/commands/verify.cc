// baler verify: whether a folder holds exactly the entries of an archive, byte for byte.
#include <string>

#include "cli/commands/command.h"
#include "cli/commands/compare_content.h"

namespace baler {
namespace {

struct VerifyOptions {
  std::string archive;
  std::string folder;
  bool json = false;
  bool quiet = false;
};

int Verify(const VerifyOptions& options) {
  return CompareContent({.archive = options.archive,
                         .folder = options.folder,
                         .json = options.json,
                         .quiet = options.quiet,
                         .confirm_match = true});
}

class VerifyCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "verify", "Check that a folder holds exactly the entries of an archive, byte for byte");
    command->add_option("ARCHIVE", options_.archive, "The archive")->required();
    command->add_option("DIR", options_.folder, "The folder of files")->required();
    command->add_flag("--json", options_.json, "The differences as diff --json shows them");
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Example:\n  baler verify game.pak out\n"
        "Exits 0 when DIR holds every entry (.wav as .ogg) and no other file that pack would "
        "take,\n4 otherwise, after printing the differences as diff --against does.");
    return command;
  }
  int Run() override { return Verify(options_); }

 private:
  VerifyOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeVerifyCommand() { return std::make_unique<VerifyCommand>(); }

}  // namespace baler
