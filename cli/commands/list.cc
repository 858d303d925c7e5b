// baler list: the entry names of an archive, in archive order; of several, one after another.
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
  std::vector<std::string> archives;
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

nlohmann::ordered_json JsonEntries(const pak::PakArchive& archive,
                                   const std::vector<std::size_t>& chosen) {
  auto entries = nlohmann::ordered_json::array();
  for (std::size_t i : chosen) {
    const pak::PakEntry& entry = archive[i];
    entries.push_back({{"name", pak::ToUtf8(entry.name)},
                       {"stored_name", pak::ToUtf8(entry.stored_name)},
                       {"offset", entry.offset},
                       {"size", entry.size}});
  }
  return entries;
}

// Lists one archive: as text, or into `json`.
int ListOne(const std::string& arg, const ListOptions& options, nlohmann::ordered_json* json) {
  const pak::EntrySelection selection = Selection({}, options.patterns);
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(arg));
  if (!archive.ok()) return Fail(archive.status(), arg);
  auto chosen = pak::SelectEntries(*archive, selection);
  if (!chosen.ok()) return Fail(chosen.status(), arg);
  if (options.json) {
    *json = JsonEntries(*archive, *chosen);
  } else {
    PrintEntries(*archive, *chosen, options.long_form);
  }
  return kExitOk;
}

// Several archives: as text, each after a header line as head(1) writes one; as JSON, one object
// of the archives as given, each with its array (an archive that fails is left out). Every
// archive is listed, whichever fails.
int List(const ListOptions& options) {
  if (options.archives.size() == 1) {
    nlohmann::ordered_json entries;
    const int code = ListOne(options.archives[0], options, &entries);
    if (code == kExitOk && options.json) PrintJson(entries);
    return code;
  }
  auto all = nlohmann::ordered_json::object();
  int code = kExitOk;
  for (std::size_t i = 0; i < options.archives.size(); ++i) {
    const std::string& arg = options.archives[i];
    if (!options.json) {
      const std::string header = (i > 0 ? "\n==> " : "==> ") + Safe(arg) + " <==\n";
      std::fwrite(header.data(), 1, header.size(), stdout);
    }
    nlohmann::ordered_json entries;
    const int one = ListOne(arg, options, &entries);
    if (one != kExitOk) {
      code = one;
    } else if (options.json) {
      all[arg] = std::move(entries);
    }
  }
  if (options.json) PrintJson(all);
  return code;
}

class ListCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command =
        app.add_subcommand("list", "List the entry names of an archive, in archive order");
    command
        ->add_option("ARCHIVE", options_.archives,
                     "The archive; of several, each after a line \"==> ARCHIVE <==\"")
        ->required();
    command->add_flag("-l,--long", options_.long_form, "Show each entry's size and offset too");
    command->add_flag("--json", options_.json,
                      "A JSON array of {name, stored_name, offset, size}, one object per entry; "
                      "of several archives, an object of such arrays by archive");
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
