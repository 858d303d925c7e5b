// baler list: the entry names of an archive, in archive order.
#include <cstdio>
#include <string>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/reader.h"
#include "codec/select.h"
#include "codec/text.h"

namespace baler {
namespace {

struct ListOptions {
  std::string archive;
  bool long_form = false;
  bool json = false;
  bool quiet = false;  // taken as every command takes it; list shows no progress and no notes
  EntryPatterns patterns;
};

void PrintEntries(const pak::PakArchive& archive, const std::vector<std::size_t>& chosen,
                  bool long_form) {
  std::string out;
  for (std::size_t i : chosen) {
    const pak::PakEntry& entry = archive[i];
    if (long_form) {
      char numbers[32];
      std::snprintf(numbers, sizeof numbers, "%10d %10d  ", entry.size, entry.offset);
      out += numbers;
    }
    out += Safe(entry.name);
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

void PrintJsonEntries(const pak::PakArchive& archive, const std::vector<std::size_t>& chosen) {
  auto entries = nlohmann::ordered_json::array();
  for (std::size_t i : chosen) {
    const pak::PakEntry& entry = archive[i];
    entries.push_back({{"name", pak::ToUtf8(entry.name)},
                       {"stored_name", pak::ToUtf8(entry.stored_name)},
                       {"offset", entry.offset},
                       {"size", entry.size}});
  }
  PrintJson(entries);
}

int List(const ListOptions& options) {
  const pak::EntrySelection selection = Selection({}, options.patterns);
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(options.archive));
  if (!archive.ok()) return Fail(archive.status(), options.archive);
  auto chosen = pak::SelectEntries(*archive, selection);
  if (!chosen.ok()) return Fail(chosen.status(), options.archive);
  if (options.json) {
    PrintJsonEntries(*archive, *chosen);
  } else {
    PrintEntries(*archive, *chosen, options.long_form);
  }
  return kExitOk;
}

class ListCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command =
        app.add_subcommand("list", "List the entry names of an archive, in archive order");
    command->add_option("ARCHIVE", options_.archive, "The archive")->required();
    command->add_flag("-l,--long", options_.long_form, "Show each entry's size and offset too");
    command->add_flag("--json", options_.json,
                      "A JSON array of {name, stored_name, offset, size}, one object per entry");
    AddPatterns(*command, options_.patterns);
    AddQuiet(*command, options_.quiet);
    command->footer(
        "Example:\n  baler list --json --include '*.ogg' game.pak\n"
        "GLOB: * any characters, ? one, [a-z] one of a set, [!a-z] one outside it; case is "
        "ignored.");
    return command;
  }
  int Run() override { return List(options_); }

 private:
  ListOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeListCommand() { return std::make_unique<ListCommand>(); }

}  // namespace baler
