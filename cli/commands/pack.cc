// baler pack: the files of a folder into an archive, asking first when the folder's names differ
// from its FilesList.txt.
#include <iostream>
#include <string>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/workflow.h"

namespace baler {
namespace {

using pak::Status;

struct PackOptions {
  std::string folder;
  std::string archive;
  bool yes = false;
  bool verify = false;
  bool follow_links = false;
  bool quiet = false;
};

// Asks on the terminal; false when there is none or the answer is not yes.
bool Confirm() {
  if (!IsTerminal(0)) return false;
  std::cerr << "Continue with Packing? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

// Files added or deleted since extraction: packed with --yes or when the user says so.
int ConfirmDifference(const pak::NameDifference& diff, const PackOptions& options) {
  // With --yes the list is only a note; otherwise it is part of the question
  // or of the reason for cancelling.
  if (!(options.yes && options.quiet)) {
    std::cerr << "The files differ from the names in FilesList.txt:\n"
              << AddedAndDeleted(diff.added, diff.deleted);
  }
  if (!options.yes && !Confirm()) {
    std::string why = "The repack was canceled by your request";
    if (!IsTerminal(0)) why += " (no terminal to ask; pass --yes to pack anyway)";
    return Fail(Status::Cancelled(why));
  }
  return kExitOk;
}

int Pack(const PackOptions& options) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  auto scan = pak::ScanFolder(fs, ArgPath(options.folder), pak::Windows1252(), nullptr,
                              options.follow_links);
  if (!scan.ok()) return Fail(scan.status());
  if (Status links = pak::CheckFolderLinks(*scan); !links.ok()) {
    return Fail(Status::Refused(links.message() + " (pass --follow-links to pack them anyway)"));
  }
  const pak::NameDifference diff = pak::CompareNames(*scan);
  if (diff.needs_confirmation) {
    if (const int answer = ConfirmDifference(diff, options); answer != kExitOk) return answer;
  }
  ProgressLine progress("Packing", options.quiet);
  Status status = pak::PackFolder(fs, ArgPath(options.folder), scan->files,
                                  ArgPath(options.archive), progress.callback(), options.verify);
  if (!status.ok()) return Fail(status);
  // Notes on what the archive lacks: --quiet, which promises no notes, silences them.
  if (!options.quiet) {
    for (const auto& file : scan->left_out) {
      std::cerr << "baler: " << Safe(pak::LeftOutNote(file)) << "\n";
    }
  }
  return kExitOk;
}

class PackCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand("pack", "Pack the files of a folder into an archive");
    command->add_option("DIR", options_.folder, "The folder of files")->required();
    command->add_option("ARCHIVE", options_.archive, "The archive to write (replaced if it exists)")
        ->required();
    command->add_flag("-y,--yes", options_.yes,
                      "Pack even when files were added or deleted, without asking");
    command->add_flag("--verify", options_.verify,
                      "Read the new archive back and compare every entry with its file before it "
                      "replaces the old one");
    command->add_flag("--follow-links", options_.follow_links,
                      "Pack the files that links lead to outside DIR too (refused otherwise)");
    AddQuiet(*command, options_.quiet);
    command->footer("Example:\n  baler pack --verify out game.pak");
    return command;
  }
  int Run() override { return Pack(options_); }

 private:
  PackOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakePackCommand() { return std::make_unique<PackCommand>(); }

}  // namespace baler
