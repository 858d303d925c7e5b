#include "cli/baler_cli.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <CLI/CLI.hpp>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "baler_version.h"
#include "codec/compare.h"
#include "codec/reader.h"
#include "codec/select.h"
#include "codec/text.h"
#include "codec/workflow.h"

namespace baler {
namespace {

using pak::Path;
using pak::Status;

// Whether a standard stream is an interactive terminal. On Windows the NUL device counts as a
// character device too, so only a stream with a console behind it counts.
bool IsTerminal(int fd) {
#ifdef _WIN32
  DWORD mode = 0;
  return ::_isatty(fd) != 0 &&
         ::GetConsoleMode(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), &mode) != 0;
#else
  return ::isatty(fd) != 0;
#endif
}

// Arguments arrive as UTF-8 (on Windows main converts the wide command line).
Path ArgPath(const std::string& arg) { return pak::PathFromUtf8(arg); }

// Everything printed as text that may hold a name goes through here (JSON output does not: its
// encoder escapes what it must): a name with ESC, BEL or a newline
// must neither reach the terminal as such nor fake a line of its own.
std::string Safe(std::string_view text) { return pak::EscapeControls(text); }
std::string Safe(std::u16string_view name) { return pak::EscapeControls(pak::ToUtf8(name)); }

// Text of several lines, each made safe on its own.
std::string SafeLines(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    out += Safe(text.substr(start, end - start));
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}

int Fail(const Status& status, const std::string& subject = {}) {
  std::string message = status.message();
  if (message == pak::kInvalidFile) {
    message += " (too short, or no archive signature)";
  }
  // The codec escapes the entry names in its messages already (DescribeEntry); what else they
  // hold is made safe here without escaping those names a second time.
  std::cerr << "baler: " << Safe(subject.empty() ? "" : subject + ": ")
            << pak::EscapeRawControls(message) << "\n";
  if (status.kind() == Status::Kind::kCancelled) return kExitCancelled;
  return kExitFailed;
}

// A progress line on stderr, redrawn at most ten times a second, only when
// stderr is a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(const char* verb, bool quiet = false)
      : verb_(verb), enabled_(!quiet && IsTerminal(2)) {}
  ~ProgressLine() {
    if (shown_) std::fprintf(stderr, "\r\033[K");
  }
  pak::Progress callback() {
    if (!enabled_) return {};
    return [this](std::size_t done, std::size_t total) {
      const auto now = std::chrono::steady_clock::now();
      if (done != total && now - last_ < std::chrono::milliseconds(100)) return;
      last_ = now;
      shown_ = true;
      std::fprintf(stderr, "\r%s %zu of %zu (%zu%%)", verb_, done, total,
                   total == 0 ? 100 : done * 100 / total);
      std::fflush(stderr);
    };
  }

 private:
  const char* verb_;
  bool enabled_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_{};
};

void PrintJson(const nlohmann::ordered_json& value) {
  // Names are valid UTF-8 (ToUtf8 replaces what it cannot convert); replacing
  // here too keeps a stray byte from turning into an exception.
  const std::string text =
      value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
  std::fwrite(text.data(), 1, text.size(), stdout);
}

nlohmann::ordered_json JsonNames(const std::vector<std::u16string>& names) {
  auto array = nlohmann::ordered_json::array();
  for (const auto& name : names) array.push_back(pak::ToUtf8(name));
  return array;
}

int List(const std::string& archive_path, bool long_form, bool json,
         const pak::EntrySelection& selection) {
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  auto chosen = pak::SelectEntries(*archive, selection);
  if (!chosen.ok()) return Fail(chosen.status(), archive_path);
  if (json) {
    auto entries = nlohmann::ordered_json::array();
    for (std::size_t i : *chosen) {
      const pak::PakEntry& entry = (*archive)[i];
      entries.push_back({{"name", pak::ToUtf8(entry.name)},
                         {"stored_name", pak::ToUtf8(entry.stored_name)},
                         {"offset", entry.offset},
                         {"size", entry.size}});
    }
    PrintJson(entries);
    return kExitOk;
  }
  std::string out;
  for (std::size_t i : *chosen) {
    const pak::PakEntry& entry = (*archive)[i];
    if (long_form) {
      char numbers[32];
      std::snprintf(numbers, sizeof numbers, "%10d %10d  ", entry.size, entry.offset);
      out += numbers;
    }
    out += Safe(entry.name);
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kExitOk;
}

// "N entries" or "1 entry".
std::string Entries(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

int Check(const std::string& archive_path, bool quiet) {
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  // An archive that extraction would refuse is not well-formed for our tools.
  Status names = pak::CheckExtractNames(*archive, pak::HostNameRules());
  if (!names.ok()) return Fail(names, archive_path);
  // Entries that land on one file lose their bytes on every system; names that differ only in
  // case do on Windows and in folders that ignore case, and are kept apart elsewhere. Entries
  // of equal bytes lose nothing either way.
  std::vector<std::size_t> order(archive->size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto same_name = pak::LostEntries(*archive, order, false);
  if (!same_name.ok()) return Fail(same_name.status(), archive_path);
  if (!same_name->empty()) {
    return Fail(Status::Refused(Entries(same_name->size()) +
                                " would be replaced when extracted by a later entry that lands "
                                "on the same file: " +
                                pak::DescribeLostEntries(*archive, *same_name)),
                archive_path);
  }
  auto case_only = pak::LostEntries(*archive, order, true);
  if (!case_only.ok()) return Fail(case_only.status(), archive_path);
  if (!case_only->empty()) {
    const std::string pairs = pak::DescribeLostEntries(*archive, *case_only);
    if (pak::HostNameRules() == pak::NameRules::kWindows) {
      return Fail(Status::Refused(Entries(case_only->size()) +
                                  " would be replaced when extracted by a later entry whose name "
                                  "differs only in case, which Windows takes for the same file: " +
                                  pairs),
                  archive_path);
    }
    if (!quiet) {
      std::cerr << "baler: note: " << Safe(archive_path) << ": " << Entries(case_only->size())
                << " would be replaced by a later entry whose name differs only in case, when "
                   "extracted on Windows or into a folder that ignores case: "
                << Safe(pairs) << "\n";
    }
  }
  std::uint64_t bytes = 0;
  for (const auto& entry : archive->entries()) bytes += static_cast<std::uint64_t>(entry.size);
  std::cout << Safe(archive_path) << ": OK, " << archive->size() << " entries, " << bytes
            << " bytes of data\n";
  return kExitOk;
}

int Extract(const std::string& archive_path, const std::string& folder,
            const pak::EntrySelection& selection, bool quiet) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  if (!fs.IsDirectory(ArgPath(folder))) {
    return Fail(Status::Refused("there is no folder " + folder));
  }
  auto archive = pak::OpenPakFile(fs, ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  if (selection.everything()) {
    ProgressLine progress("Extracting", quiet);
    Status status = pak::ExtractAll(fs, *archive, ArgPath(folder), pak::SystemCodePage(),
                                    pak::HostNameRules(), progress.callback());
    if (!status.ok()) return Fail(status);
    return kExitOk;
  }
  // Every name is looked up before anything is written.
  auto chosen = pak::SelectEntries(*archive, selection);
  if (!chosen.ok()) return Fail(chosen.status(), archive_path);
  if (chosen->empty() && !quiet) {
    std::cerr << "baler: no entry of " << Safe(archive_path) << " matches; nothing was extracted\n";
  }
  ProgressLine progress("Extracting", quiet);
  Status status = pak::ExtractSelected(fs, *archive, ArgPath(folder), *chosen, pak::HostNameRules(),
                                       progress.callback());
  if (!status.ok()) return Fail(status);
  return kExitOk;
}

void PrintDifference(const pak::NameDifference& diff, std::ostream& out) {
  for (const auto& name : diff.added) out << "added    " << Safe(name) << "\n";
  for (const auto& name : diff.deleted) out << "deleted  " << Safe(name) << "\n";
}

int Diff(const std::string& folder, bool json) {
  auto scan = pak::ScanFolder(pak::DefaultFileSystem(), ArgPath(folder), pak::SystemCodePage());
  if (!scan.ok()) return Fail(scan.status());
  const pak::NameDifference diff = pak::CompareNames(*scan);
  if (json) {
    PrintJson({{"added", JsonNames(diff.added)}, {"deleted", JsonNames(diff.deleted)}});
  } else {
    PrintDifference(diff, std::cout);
  }
  return diff.added.empty() && diff.deleted.empty() ? kExitOk : kExitDifferent;
}

// diff --against and verify: the files that pack would take from the folder
// against the archive's entries, by name and byte for byte.
int CompareContent(const std::string& archive_path, const std::string& folder, bool json,
                   bool quiet, bool confirm_match) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  auto archive = pak::OpenPakFile(fs, ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  // A comparison only reads: files through links out of the folder are compared as pack
  // --follow-links would take them.
  auto scan = pak::ScanFolder(fs, ArgPath(folder), pak::SystemCodePage(), nullptr,
                              /*follow_links=*/true);
  if (!scan.ok()) return Fail(scan.status());
  pak::Result<pak::ContentDifference> diff = Status::Cancelled("not compared");
  {
    ProgressLine progress("Comparing", quiet);
    diff = pak::CompareWithArchive(fs, *archive, ArgPath(folder), scan->files, pak::HostNameRules(),
                                   progress.callback());
  }
  if (!diff.ok()) return Fail(diff.status());
  if (json) {
    nlohmann::ordered_json out = {{"added", JsonNames(diff->added)},
                                  {"deleted", JsonNames(diff->deleted)},
                                  {"modified", JsonNames(diff->modified)}};
    // Only archives with entries of one file have it, so that every other output stays as it
    // was.
    if (!diff->overwritten.empty()) {
      auto& overwritten = out["overwritten"] = nlohmann::ordered_json::array();
      for (const auto& lost : diff->overwritten) {
        overwritten.push_back({{"entry", lost.entry + 1}, {"name", pak::ToUtf8(lost.name)}});
      }
    }
    PrintJson(out);
  } else {
    std::string out;
    for (const auto& name : diff->added) out += "added    " + Safe(name) + "\n";
    for (const auto& name : diff->deleted) out += "deleted  " + Safe(name) + "\n";
    for (const auto& name : diff->modified) out += "modified " + Safe(name) + "\n";
    // An entry whose file holds a later entry's bytes: its own are in no file.
    for (const auto& lost : diff->overwritten) {
      out += "overwritten " + Safe(lost.name) + " (entry " + std::to_string(lost.entry + 1) +
             ", by a later entry of the same file)\n";
    }
    if (diff->empty() && confirm_match && !quiet) {
      out += Safe(folder) + ": OK, holds the " + std::to_string(archive->size()) + " entries of " +
             Safe(archive_path) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  return diff->empty() ? kExitOk : kExitDifferent;
}

// Asks on the terminal; false when there is none or the answer is not yes.
bool Confirm() {
  if (!IsTerminal(0)) return false;
  std::cerr << "Continue with Packing? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

int Pack(const std::string& folder, const std::string& archive_path, bool yes, bool verify,
         bool follow_links, bool quiet) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  auto scan = pak::ScanFolder(fs, ArgPath(folder), pak::SystemCodePage(), nullptr, follow_links);
  if (!scan.ok()) return Fail(scan.status());
  if (Status links = pak::CheckFolderLinks(*scan); !links.ok()) {
    return Fail(Status::Refused(links.message() + " (pass --follow-links to pack them anyway)"));
  }
  const pak::NameDifference diff = pak::CompareNames(*scan);
  if (diff.needs_confirmation) {
    // With --yes the list is only a note; otherwise it is part of the question
    // or of the reason for cancelling.
    if (!(yes && quiet)) {
      std::cerr << "The files differ from the names in FilesList.txt:\n";
      PrintDifference(diff, std::cerr);
    }
    if (!yes && !Confirm()) {
      std::string why = "The repack was canceled by your request";
      if (!IsTerminal(0)) why += " (no terminal to ask; pass --yes to pack anyway)";
      return Fail(Status::Cancelled(why));
    }
  }
  ProgressLine progress("Packing", quiet);
  Status status = pak::PackFolder(fs, ArgPath(folder), scan->files, ArgPath(archive_path),
                                  progress.callback(), verify);
  if (!status.ok()) return Fail(status);
  // Notes on what the archive lacks: --quiet, which promises no notes, silences them.
  if (!quiet) {
    for (const auto& file : scan->left_out) {
      std::cerr << "baler: " << Safe(pak::LeftOutNote(file)) << "\n";
    }
  }
  return kExitOk;
}

// What a command printed must have reached its output: a full disk or a closed pipe is a
// failure, not a success with the output lost.
int CheckOutput(int code) {
  std::cout.flush();
  errno = 0;
  const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout.good();
  if (!failed) return code;
  const int error = errno;
  std::cerr << "baler: the output could not be written"
            << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
  return kExitFailed;
}

pak::EntrySelection Selection(const std::vector<std::string>& names,
                              const std::vector<std::string>& includes,
                              const std::vector<std::string>& excludes) {
  pak::EntrySelection selection;
  for (const auto& name : names) selection.names.push_back(pak::FromUtf8(name));
  for (const auto& glob : includes) selection.includes.push_back(pak::FromUtf8(glob));
  for (const auto& glob : excludes) selection.excludes.push_back(pak::FromUtf8(glob));
  return selection;
}

constexpr const char* kExitCodes =
    "Exit codes: 0 success (diff, verify: no difference), 1 a refused input or an I/O error,\n"
    "2 a usage error, 3 cancelled, 4 a difference (diff, verify).";

}  // namespace

int Run(int argc, char** argv) {
  CLI::App app{"Extract, list, check, compare and pack PAK archives.", "baler"};
  app.require_subcommand(1, 1);
  app.set_version_flag("--version", std::string("baler ") + kVersion);

  std::string archive, folder, against;
  std::vector<std::string> entries, includes, excludes;
  bool long_form = false, yes = false, json = false, quiet = false, verify = false,
       follow_links = false;

  const auto add_quiet = [&](CLI::App* command) {
    command->add_flag("-q,--quiet", quiet, "No progress and no notes; errors are still shown");
  };
  const auto add_globs = [&](CLI::App* command) {
    // One pattern per option, so that entry names may follow it.
    command
        ->add_option("--include", includes,
                     "Only entries whose name (as on disk) matches GLOB; repeatable")
        ->option_text("GLOB")
        ->allow_extra_args(false);
    command
        ->add_option("--exclude", excludes,
                     "Leave out entries whose name (as on disk) matches GLOB; repeatable")
        ->option_text("GLOB")
        ->allow_extra_args(false);
  };

  auto* list = app.add_subcommand("list", "List the entry names of an archive, in archive order");
  list->add_option("ARCHIVE", archive, "The archive")->required();
  list->add_flag("-l,--long", long_form, "Show each entry's size and offset too");
  list->add_flag("--json", json,
                 "A JSON array of {name, stored_name, offset, size}, one object per entry");
  add_globs(list);
  add_quiet(list);
  list->footer(
      "Example:\n  baler list --json --include '*.ogg' game.pak\n"
      "GLOB: * any characters, ? one, [a-z] one of a set, [!a-z] one outside it; case is "
      "ignored.");

  auto* extract = app.add_subcommand(
      "extract", "Write every entry and FilesList.txt into a folder, or only some entries");
  extract->add_option("ARCHIVE", archive, "The archive")->required();
  extract->add_option("DIR", folder, "An existing folder")->required();
  extract->add_option("ENTRY", entries,
                      "Only these entries, named as on disk (a.ogg for a stored a.wav); "
                      "no FilesList.txt is written then");
  add_globs(extract);
  add_quiet(extract);
  extract->footer(
      "Examples:\n  baler extract game.pak out\n  baler extract game.pak out intro.ogg "
      "--include 'menu_*'\n"
      "A name that is not in the archive is an error, and nothing is written. With ENTRY, "
      "--include\nor --exclude no FilesList.txt is written.");

  auto* pack = app.add_subcommand("pack", "Pack the files of a folder into an archive");
  pack->add_option("DIR", folder, "The folder of files")->required();
  pack->add_option("ARCHIVE", archive, "The archive to write (replaced if it exists)")->required();
  pack->add_flag("-y,--yes", yes, "Pack even when files were added or deleted, without asking");
  pack->add_flag("--verify", verify,
                 "Read the new archive back and compare every entry with its file before it "
                 "replaces the old one");
  pack->add_flag("--follow-links", follow_links,
                 "Pack the files that links lead to outside DIR too (refused otherwise)");
  add_quiet(pack);
  pack->footer("Example:\n  baler pack --verify out game.pak");

  auto* diff = app.add_subcommand(
      "diff", "Show the files added to a folder and the files deleted from it since extraction");
  diff->add_option("DIR", folder, "The folder of files")->required();
  diff->add_option("--against", against,
                   "Compare with this archive's entries, byte for byte: also shows modified "
                   "files")
      ->option_text("ARCHIVE");
  diff->add_flag("--json", json, "A JSON object: {added, deleted} (with --against: modified)");
  add_quiet(diff);
  diff->footer(
      "Examples:\n  baler diff out\n  baler diff out --against game.pak\n"
      "Exits 0 when there is no difference and 4 when there is one.");

  auto* verify_command = app.add_subcommand(
      "verify", "Check that a folder holds exactly the entries of an archive, byte for byte");
  verify_command->add_option("ARCHIVE", archive, "The archive")->required();
  verify_command->add_option("DIR", folder, "The folder of files")->required();
  verify_command->add_flag("--json", json, "The differences as diff --json shows them");
  add_quiet(verify_command);
  verify_command->footer(
      "Example:\n  baler verify game.pak out\n"
      "Exits 0 when DIR holds every entry (.wav as .ogg) and no other file that pack would "
      "take,\n4 otherwise, after printing the differences as diff --against does.");

  auto* check = app.add_subcommand("check", "Check that an archive is well-formed");
  check->add_option("ARCHIVE", archive, "The archive")->required();
  add_quiet(check);
  check->footer("Example:\n  baler check game.pak");

  // Set after the commands, which would otherwise take it over as their own.
  app.footer(std::string("Example:\n  baler extract game.pak out\n"
                         "Run baler COMMAND --help for the options and an example of each.\n") +
             kExitCodes);

  // The first word that is not an option names the command; an unknown one is said so, rather
  // than left to the parser, which would only ask for a command.
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
      return kExitUsage;
    }
    break;
  }

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

  try {
    const pak::EntrySelection selection = Selection(entries, includes, excludes);
    if (*list) return CheckOutput(List(archive, long_form, json, selection));
    if (*extract) return CheckOutput(Extract(archive, folder, selection, quiet));
    if (*pack) return CheckOutput(Pack(folder, archive, yes, verify, follow_links, quiet));
    if (*diff) {
      if (!against.empty()) {
        return CheckOutput(CompareContent(against, folder, json, quiet, false));
      }
      return CheckOutput(Diff(folder, json));
    }
    if (*verify_command) return CheckOutput(CompareContent(archive, folder, json, quiet, true));
    if (*check) return CheckOutput(Check(archive, quiet));
  } catch (const std::exception& e) {
    // The codec reports through Status; this is the last line of defence
    // (out of memory, a path the system cannot convert).
    std::cerr << "baler: " << Safe(std::string_view(e.what())) << "\n";
    return kExitFailed;
  }
  return kExitUsage;
}

}  // namespace baler
