// baler extract: every entry and FilesList.txt into a folder, or only the entries chosen; with
// --into, each of several archives into a folder of its name.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <utility>
#include <vector>

#include "cli/baler_cli.h"
#include "cli/commands/command.h"
#include "cli/console.h"
#include "codec/reader.h"
#include "codec/select.h"
#include "codec/text.h"
#include "codec/workflow.h"

namespace baler {
namespace {

using pak::Status;

struct ExtractOptions {
  std::string archive;
  std::string folder;
  std::vector<std::string> entries;  // empty: every entry
  std::string into;                  // set: every positional is an archive
  EntryPatterns patterns;
  bool quiet = false;
  bool keep_changed = false;  // files changed since the last extraction stay
  bool no_overwrite = false;  // every existing file stays
};

// The entries of `entries` whose files stay as they are, by --keep-changed or --no-overwrite,
// each named on stderr (unless quiet) with a count at the end.
pak::Result<std::vector<std::size_t>> KeptEntries(pak::FileSystem& fs,
                                                  const pak::PakArchive& archive,
                                                  const pak::Path& folder,
                                                  const std::vector<std::size_t>& entries,
                                                  const ExtractOptions& options) {
  std::vector<std::size_t> kept;
  if (!options.keep_changed && !options.no_overwrite) return kept;
  std::vector<std::u16string> names;
  names.reserve(entries.size());
  for (std::size_t index : entries) names.push_back(archive[index].name);
  std::vector<std::size_t> positions;
  if (options.keep_changed) {
    auto changed = pak::ChangedSinceExtraction(fs, folder, names, pak::Windows1252());
    if (!changed.ok()) return changed.status();
    positions = std::move(changed).value();
  } else {
    positions = pak::ExistingFiles(fs, folder, names);
  }
  for (std::size_t position : positions) kept.push_back(entries[position]);
  if (!options.quiet && !kept.empty()) {
    // Entries of one name are one file, named once.
    std::unordered_set<std::u16string_view> files;
    for (std::size_t index : kept) {
      if (!files.insert(archive[index].name).second) continue;
      std::cerr << "baler: kept " << Safe(archive[index].name) << "\n";
    }
    std::cerr << "baler: kept " << files.size() << (files.size() == 1 ? " file" : " files")
              << (options.keep_changed ? " changed after the last extraction"
                                       : " that existed already")
              << "; the archive's version was not written\n";
  }
  return kept;
}

// `entries` without those at `kept` (both in ascending order).
std::vector<std::size_t> Without(const std::vector<std::size_t>& entries,
                                 const std::vector<std::size_t>& kept) {
  std::vector<std::size_t> rest;
  std::set_difference(entries.begin(), entries.end(), kept.begin(), kept.end(),
                      std::back_inserter(rest));
  return rest;
}

int Extract(const ExtractOptions& options) {
  const pak::EntrySelection selection = Selection(options.entries, options.patterns);
  pak::FileSystem& fs = pak::DefaultFileSystem();
  const pak::Path folder = ArgPath(options.folder);
  if (!fs.IsDirectory(folder)) {
    return Fail(Status::Refused("there is no folder " + options.folder));
  }
  auto archive = pak::OpenPakFile(fs, ArgPath(options.archive));
  if (!archive.ok()) return Fail(archive.status(), options.archive);
  if (selection.everything()) {
    std::vector<std::size_t> every(archive->size());
    for (std::size_t i = 0; i < every.size(); ++i) every[i] = i;
    auto kept = KeptEntries(fs, *archive, folder, every, options);
    if (!kept.ok()) return Fail(kept.status());
    ProgressLine progress("Extracting", options.quiet);
    Status status;
    if (options.no_overwrite && fs.Stamp(pak::JoinPath(folder, pak::kFilesListName))) {
      // The folder's list is an existing file too: it stays, and only the new files are written.
      status = pak::ExtractSelected(fs, *archive, folder, Without(every, *kept),
                                    pak::HostNameRules(), progress.callback());
    } else {
      status = pak::ExtractAll(fs, *archive, folder, pak::Windows1252(), pak::HostNameRules(),
                               progress.callback(), nullptr, *kept);
    }
    if (!status.ok()) return Fail(status);
    return kExitOk;
  }
  // Every name is looked up before anything is written.
  auto chosen = pak::SelectEntries(*archive, selection);
  if (!chosen.ok()) return Fail(chosen.status(), options.archive);
  if (chosen->empty() && !options.quiet) {
    std::cerr << "baler: no entry of " << Safe(options.archive)
              << " matches; nothing was extracted\n";
  }
  std::vector<std::size_t> sorted = *chosen;
  std::sort(sorted.begin(), sorted.end());
  auto kept = KeptEntries(fs, *archive, folder, sorted, options);
  if (!kept.ok()) return Fail(kept.status());
  std::sort(kept->begin(), kept->end());
  std::vector<std::size_t> rest;
  for (std::size_t index : *chosen) {
    if (!std::binary_search(kept->begin(), kept->end(), index)) rest.push_back(index);
  }
  ProgressLine progress("Extracting", options.quiet);
  Status status =
      pak::ExtractSelected(fs, *archive, folder, rest, pak::HostNameRules(), progress.callback());
  if (!status.ok()) return Fail(status);
  return kExitOk;
}

// The folder an archive is extracted into with --into: its file name without ".pak".
std::u16string FolderName(const pak::Path& archive) {
  std::u16string name = archive.filename().u16string();
  constexpr std::u16string_view kPak = u".pak";
  if (name.size() > kPak.size() &&
      pak::EqualsIgnoreCase(std::u16string_view(name).substr(name.size() - kPak.size()), kPak)) {
    name.resize(name.size() - kPak.size());
  }
  return name;
}

// An archive of several, with where it goes and what it came to.
struct OneOfMany {
  std::string arg;
  pak::Path folder;
  std::optional<pak::PakArchive> archive;
  std::vector<std::size_t> chosen;  // with patterns: the entries they choose
  Status status;
};

// Each archive into a folder of its name inside `into`, one after another: one that fails does
// not stop the others. The failures are reported after the progress line, then a summary.
int ExtractMany(const ExtractOptions& options) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  if (!fs.IsDirectory(ArgPath(options.into))) {
    return Fail(Status::Refused("there is no folder " + options.into));
  }
  std::vector<OneOfMany> jobs(1);
  jobs[0].arg = options.archive;
  if (!options.folder.empty()) jobs.emplace_back().arg = options.folder;
  for (const auto& entry : options.entries) jobs.emplace_back().arg = entry;
  // Two archives of one name would be extracted over each other: refused before anything is.
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const std::u16string name = FolderName(ArgPath(jobs[i].arg));
    jobs[i].folder = pak::JoinPath(ArgPath(options.into), name);
    for (std::size_t j = 0; j < i; ++j) {
      if (pak::EqualsIgnoreCase(FolderName(ArgPath(jobs[j].arg)), name)) {
        return Fail(Status::Refused(jobs[j].arg + " and " + jobs[i].arg +
                                    " would both be extracted into " +
                                    pak::DisplayPath(jobs[i].folder) + "; nothing was extracted"));
      }
    }
  }
  const pak::EntrySelection selection = Selection({}, options.patterns);
  std::size_t total = 0;
  for (OneOfMany& job : jobs) {
    auto archive = pak::OpenPakFile(fs, ArgPath(job.arg));
    if (!archive.ok()) {
      job.status = archive.status();
      continue;
    }
    job.archive = std::move(archive).value();
    if (!selection.everything()) {
      auto chosen = pak::SelectEntries(*job.archive, selection);
      if (!chosen.ok()) {
        job.status = chosen.status();
        continue;
      }
      job.chosen = std::move(chosen).value();
    }
    total += selection.everything() ? job.archive->size() : job.chosen.size();
  }
  {
    ProgressLine line("Extracting", options.quiet);
    const pak::Progress all = line.callback();
    std::size_t before = 0;  // entries of the archives already done
    for (OneOfMany& job : jobs) {
      if (!job.status.ok()) continue;
      const std::size_t count = selection.everything() ? job.archive->size() : job.chosen.size();
      pak::Progress progress;
      if (all) progress = [&](std::size_t done, std::size_t) { all(before + done, total); };
      std::error_code error;
      std::filesystem::create_directory(job.folder, error);
      if (error && !fs.IsDirectory(job.folder)) {
        job.status = Status::IoError(
            "cannot make the folder " + pak::DisplayPath(job.folder) + ": " + error.message(),
            error.value());
      } else if (selection.everything()) {
        job.status = pak::ExtractAll(fs, *job.archive, job.folder, pak::Windows1252(),
                                     pak::HostNameRules(), progress);
      } else {
        job.status = pak::ExtractSelected(fs, *job.archive, job.folder, job.chosen,
                                          pak::HostNameRules(), progress);
      }
      job.archive.reset();
      before += count;
    }
  }
  std::string failed;
  std::size_t failures = 0;
  for (const OneOfMany& job : jobs) {
    if (job.status.ok()) continue;
    Fail(job.status, job.arg);
    failed += (failures++ > 0 ? ", " : "") + Safe(job.arg);
  }
  if (!options.quiet) {
    std::cerr << "baler: " << jobs.size() - failures << " of " << jobs.size()
              << " archives extracted into " << Safe(options.into)
              << (failures > 0 ? "; failed: " + failed : std::string()) << "\n";
  }
  return failures > 0 ? kExitFailed : kExitOk;
}

class ExtractCommand final : public Command {
 public:
  CLI::App* Define(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "extract", "Write every entry and FilesList.txt into a folder, or only some entries");
    command->add_option("ARCHIVE", options_.archive, "The archive")->required();
    command->add_option("DIR", options_.folder, "An existing folder (with --into: an archive)");
    command->add_option("ENTRY", options_.entries,
                        "Only these entries, named as on disk (a.ogg for a stored a.wav); "
                        "no FilesList.txt is written then (with --into: more archives)");
    command
        ->add_option("--into", options_.into,
                     "Every positional is an archive: each is extracted into DIR/NAME, NAME "
                     "its file name without .pak")
        ->option_text("DIR")
        ->allow_extra_args(false);
    AddPatterns(*command, options_.patterns);
    AddQuiet(*command, options_.quiet);
    auto* keep = command->add_flag(
        "--keep-changed", options_.keep_changed,
        "Keep the files changed after the last extraction into DIR (modified after its "
        "FilesList.txt) and write the rest");
    command
        ->add_flag("--no-overwrite", options_.no_overwrite,
                   "Never replace an existing file (FilesList.txt included); write the rest")
        ->excludes(keep);
    command->footer(
        "Examples:\n  baler extract game.pak out\n  baler extract game.pak out intro.ogg "
        "--include 'menu_*'\n  baler extract game.pak out --keep-changed\n"
        "  baler extract data1.pak data2.pak --into out\n"
        "A name that is not in the archive is an error, and nothing is written. With ENTRY, "
        "--include\nor --exclude no FilesList.txt is written. Existing files are replaced unless "
        "--keep-changed\nor --no-overwrite is given; each file kept is named on stderr. With "
        "--into, an archive\nthat fails does not stop the others; the exit code is 1 when one "
        "failed.");
    return command;
  }
  int Run() override {
    if (!options_.into.empty()) {
      // Each archive goes into a folder of its own, which holds no earlier extraction to keep.
      if (options_.keep_changed || options_.no_overwrite) {
        std::cerr << "baler: extract: --keep-changed and --no-overwrite work on one archive "
                     "extracted into DIR, not with --into\n";
        return kExitUsage;
      }
      return ExtractMany(options_);
    }
    if (options_.folder.empty()) {
      std::cerr << "baler: extract: DIR is required (or --into DIR after the archives)\n";
      return kExitUsage;
    }
    return Extract(options_);
  }

 private:
  ExtractOptions options_;
};

}  // namespace

std::unique_ptr<Command> MakeExtractCommand() { return std::make_unique<ExtractCommand>(); }

}  // namespace baler
