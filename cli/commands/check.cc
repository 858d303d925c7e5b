// baler check: whether an archive is well-formed, as extraction would take it; of several, each.
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/names.h"
#include "codec/reader.h"
#include "codec/workflow.h"

namespace baler {
namespace {

using pak::Status;

// One archive to check.
struct CheckOptions {
  std::string archive;
  bool quiet = false;
};

// "N entries" or "1 entry".
std::string Entries(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

// Entries that land on one file lose their bytes on every system; names that differ only in
// case do on Windows and in folders that ignore case, and are kept apart elsewhere. Entries
// of equal bytes lose nothing either way.
int CheckLostEntries(const pak::PakArchive& archive, const CheckOptions& options) {
  std::vector<std::size_t> order(archive.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto same_name = pak::LostEntries(archive, order, false);
  if (!same_name.ok()) return Fail(same_name.status(), options.archive);
  if (!same_name->empty()) {
    return Fail(Status::Refused(Entries(same_name->size()) +
                                " would be replaced when extracted by a later entry that lands "
                                "on the same file: " +
                                pak::DescribeLostEntries(archive, *same_name)),
                options.archive);
  }
  auto case_only = pak::LostEntries(archive, order, true);
  if (!case_only.ok()) return Fail(case_only.status(), options.archive);
  if (case_only->empty()) return kExitOk;
  const std::string pairs = pak::DescribeLostEntries(archive, *case_only);
  if (pak::HostNameRules() == pak::NameRules::kWindows) {
    return Fail(Status::Refused(Entries(case_only->size()) +
                                " would be replaced when extracted by a later entry whose name "
                                "differs only in case, which Windows takes for the same file: " +
                                pairs),
                options.archive);
  }
  if (!options.quiet) {
    std::cerr << "baler: note: " << Safe(options.archive) << ": " << Entries(case_only->size())
              << " would be replaced by a later entry whose name differs only in case, when "
                 "extracted on Windows or into a folder that ignores case: "
              << Safe(pairs) << "\n";
  }
  return kExitOk;
}

int Check(const CheckOptions& options) {
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(options.archive));
  if (!archive.ok()) return Fail(archive.status(), options.archive);
  // An archive that extraction would refuse is not well-formed for our tools.
  Status names = pak::CheckExtractNames(*archive, pak::HostNameRules());
  if (!names.ok()) return Fail(names, options.archive);
  if (const int lost = CheckLostEntries(*archive, options); lost != kExitOk) return lost;
  std::uint64_t bytes = 0;
  for (const auto& entry : archive->entries()) bytes += static_cast<std::uint64_t>(entry.size);
  std::cout << Safe(options.archive) << ": OK, " << archive->size() << " entries, " << bytes
            << " bytes of data\n";
  return kExitOk;
}

class CheckCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand("check", "Check that an archive is well-formed");
    command
        ->add_option("ARCHIVE", archives_,
                     "The archive; of several, each after a line \"==> ARCHIVE <==\"")
        ->required();
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Example:\n  baler check game.pak\n"
        "Of several archives every one is checked; the exit code is 1 when one is not "
        "well-formed.");
    return command;
  }
  int Run() override {
    int code = kExitOk;
    for (std::size_t i = 0; i < archives_.size(); ++i) {
      options_.archive = archives_[i];
      if (archives_.size() > 1) {
        std::cout << (i > 0 ? "\n==> " : "==> ") << Safe(archives_[i]) << " <==" << std::endl;
      }
      if (const int one = Check(options_); one != kExitOk) code = one;
    }
    return code;
  }

 private:
  std::vector<std::string> archives_;
  CheckOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeCheckCommand() { return std::make_unique<CheckCommand>(); }

}  // namespace baler
