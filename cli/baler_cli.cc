#include "cli/baler_cli.h"

#include <CLI/CLI.hpp>
#include <array>
#include <exception>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "baler_version.h"
#include "cli/commands/command.h"
#include "cli/console.h"

namespace baler {
namespace {

// The commands, in the order help lists them.
constexpr std::array kCommands = {&MakeListCommand,   &MakeExtractCommand, &MakePackCommand,
                                  &MakeAddCommand,    &MakeRemoveCommand,  &MakeDiffCommand,
                                  &MakeVerifyCommand, &MakeCheckCommand};

constexpr const char* kExitCodes =
    "Exit codes: 0 success (diff, verify: no difference), 1 a refused input or an I/O error,\n"
    "2 a usage error, 3 cancelled, 4 a difference (diff, verify).";

// A command as the parser knows it, and the unit that holds its options and runs it.
struct DefinedCommand {
  CLI::App* parsed;
  std::unique_ptr<Command> command;
};

std::vector<DefinedCommand> DefineCommands(CLI::App& app) {
  std::vector<DefinedCommand> commands;
  for (const auto make : kCommands) {
    std::unique_ptr<Command> command = make();
    CLI::App* parsed = command->Define(app);
    commands.push_back({parsed, std::move(command)});
  }
  // Set after the commands, which would otherwise take it over as their own.
  app.footer(std::string("Example:\n  baler extract game.pak out\n"
                         "Run baler COMMAND --help for the options and an example of each.\n") +
             kExitCodes);
  return commands;
}

// The first word that is not an option names the command; an unknown one is said so, rather
// than left to the parser, which would only ask for a command. False when it was said.
bool KnownCommand(const CLI::App& app, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.starts_with("-")) continue;
    std::string known;
    bool found = false;
    for (const CLI::App* command : app.get_subcommands({})) {
      found = found || command->get_name() == word;
      known += (known.empty() ? "" : ", ") + command->get_name();
    }
    if (!found) {
      std::cerr << "baler: unknown command \"" << Safe(word) << "\"; the commands are " << known
                << " (baler --help for more)\n";
    }
    return found;
  }
  return true;
}

// Runs the command that was parsed.
int RunParsed(const std::vector<DefinedCommand>& commands) {
  try {
    for (const auto& [parsed, command] : commands) {
      if (*parsed) return CheckOutput(command->Run());
    }
  } catch (const std::exception& e) {
    // The codec reports through Status; this is the last line of defence
    // (out of memory, a path the system cannot convert).
    std::cerr << "baler: " << Safe(std::string_view(e.what())) << "\n";
    return kExitFailed;
  }
  return kExitUsage;
}

}  // namespace

int Run(int argc, char** argv) {
  CLI::App app{"Extract, list, check, compare and pack PAK archives.", "baler"};
  app.require_subcommand(1, 1);
  app.set_version_flag("--version", std::string("baler ") + kVersion);
  const std::vector<DefinedCommand> commands = DefineCommands(app);
  if (!KnownCommand(app, argc, argv)) return kExitUsage;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // The parser's messages quote the arguments: made safe like everything else printed.
    std::ostringstream out, err;
    const int code = app.exit(e, out, err);
    std::cout << out.str();
    std::cerr << SafeLines(err.str());
    return CheckOutput(code == 0 ? kExitOk : kExitUsage);
  }
  return RunParsed(commands);
}

}  // namespace baler
