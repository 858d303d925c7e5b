#include "cli/baler_cli.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "codec/reader.h"
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

// Everything printed that may hold a name goes through here: a name with ESC, BEL or a newline
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
  std::cerr << "baler: " << Safe(subject.empty() ? "" : subject + ": ") << Safe(message) << "\n";
  if (status.kind() == Status::Kind::kCancelled) return kExitCancelled;
  return kExitFailed;
}

// A progress line on stderr, redrawn at most ten times a second, only when
// stderr is a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(const char* verb) : verb_(verb), enabled_(IsTerminal(2)) {}
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

int List(const std::string& archive_path, bool long_form) {
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  std::string out;
  for (const auto& entry : archive->entries()) {
    if (long_form) {
      char numbers[32];
      std::snprintf(numbers, sizeof numbers, "%10d %10d  ", entry.Size, entry.Offset);
      out += numbers;
    }
    out += Safe(entry.Name);
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kExitOk;
}

int Check(const std::string& archive_path) {
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  // An archive that extraction would refuse is not well-formed for our tools.
  Status names = pak::CheckExtractNames(*archive, pak::HostNameRules());
  if (!names.ok()) return Fail(names, archive_path);
  std::uint64_t bytes = 0;
  for (const auto& entry : archive->entries()) bytes += static_cast<std::uint64_t>(entry.Size);
  std::cout << Safe(archive_path) << ": OK, " << archive->size() << " entries, " << bytes
            << " bytes of data\n";
  return kExitOk;
}

int Extract(const std::string& archive_path, const std::string& folder) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  if (!fs.IsDirectory(ArgPath(folder))) {
    return Fail(Status::Refused("there is no folder " + folder));
  }
  auto archive = pak::OpenPakFile(fs, ArgPath(archive_path));
  if (!archive.ok()) return Fail(archive.status(), archive_path);
  ProgressLine progress("Extracting");
  Status status = pak::ExtractAll(fs, *archive, ArgPath(folder), pak::SystemCodePage(),
                                  pak::HostNameRules(), progress.callback());
  if (!status.ok()) return Fail(status);
  return kExitOk;
}

void PrintDifference(const pak::NameDifference& diff, std::ostream& out) {
  for (const auto& name : diff.added) out << "added    " << Safe(name) << "\n";
  for (const auto& name : diff.deleted) out << "deleted  " << Safe(name) << "\n";
}

int Diff(const std::string& folder) {
  auto scan = pak::ScanFolder(pak::DefaultFileSystem(), ArgPath(folder), pak::SystemCodePage());
  if (!scan.ok()) return Fail(scan.status());
  PrintDifference(pak::CompareNames(*scan), std::cout);
  return kExitOk;
}

// Asks on the terminal; false when there is none or the answer is not yes.
bool Confirm() {
  if (!IsTerminal(0)) return false;
  std::cerr << "Continue with Packing? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

int Pack(const std::string& folder, const std::string& archive_path, bool yes) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  auto scan = pak::ScanFolder(fs, ArgPath(folder), pak::SystemCodePage());
  if (!scan.ok()) return Fail(scan.status());
  const pak::NameDifference diff = pak::CompareNames(*scan);
  if (diff.needs_confirmation) {
    std::cerr << "The files differ from the names in FilesList.txt:\n";
    PrintDifference(diff, std::cerr);
    if (!yes && !Confirm()) {
      std::string why = "The repack was canceled by your request";
      if (!IsTerminal(0)) why += " (no terminal to ask; pass --yes to pack anyway)";
      return Fail(Status::Cancelled(why));
    }
  }
  ProgressLine progress("Packing");
  Status status = pak::PackFolder(fs, ArgPath(folder), scan->files, ArgPath(archive_path),
                                  progress.callback());
  if (!status.ok()) return Fail(status);
  return kExitOk;
}

}  // namespace

int Run(int argc, char** argv) {
  CLI::App app{"Extract, list, check and pack PAK archives.", "baler"};
  app.require_subcommand(1, 1);
  app.set_version_flag("--version", "baler 1.0.0");

  std::string archive, folder;
  bool long_form = false, yes = false;

  auto* list = app.add_subcommand("list", "List the entry names of an archive, in archive order");
  list->add_option("ARCHIVE", archive, "The archive")->required();
  list->add_flag("-l,--long", long_form, "Show each entry's size and offset too");

  auto* extract =
      app.add_subcommand("extract", "Write every entry and FilesList.txt into a folder");
  extract->add_option("ARCHIVE", archive, "The archive")->required();
  extract->add_option("DIR", folder, "An existing folder")->required();

  auto* pack = app.add_subcommand("pack", "Pack the files of a folder into an archive");
  pack->add_option("DIR", folder, "The folder of files")->required();
  pack->add_option("ARCHIVE", archive, "The archive to write (replaced if it exists)")->required();
  pack->add_flag("-y,--yes", yes, "Pack even when files were added or deleted, without asking");

  auto* diff = app.add_subcommand(
      "diff", "Show the files added to a folder and the files deleted from it since extraction");
  diff->add_option("DIR", folder, "The folder of files")->required();

  auto* check = app.add_subcommand("check", "Check that an archive is well-formed");
  check->add_option("ARCHIVE", archive, "The archive")->required();

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
    return code == 0 ? kExitOk : kExitUsage;
  }

  try {
    if (*list) return List(archive, long_form);
    if (*extract) return Extract(archive, folder);
    if (*pack) return Pack(folder, archive, yes);
    if (*diff) return Diff(folder);
    if (*check) return Check(archive);
  } catch (const std::exception& e) {
    // The codec reports through Status; this is the last line of defence
    // (out of memory, a path the system cannot convert).
    std::cerr << "baler: " << Safe(std::string_view(e.what())) << "\n";
    return kExitFailed;
  }
  return kExitUsage;
}

}  // namespace baler
