#include "cli/commands/compare_content.h"

#include <cstdio>

#include "cli/baler_cli.h"
#include "cli/console.h"
#include "codec/compare.h"
#include "codec/reader.h"
#include "codec/workflow.h"

namespace baler {
namespace {

using pak::Status;

void PrintJsonDifference(const pak::ContentDifference& diff) {
  nlohmann::ordered_json out = {{"added", JsonNames(diff.added)},
                                {"deleted", JsonNames(diff.deleted)},
                                {"modified", JsonNames(diff.modified)}};
  // Only archives with entries of one file have it, so that every other output stays as it
  // was.
  if (!diff.overwritten.empty()) {
    auto& overwritten = out["overwritten"] = nlohmann::ordered_json::array();
    for (const auto& lost : diff.overwritten) {
      overwritten.push_back({{"entry", lost.entry + 1}, {"name", pak::ToUtf8(lost.name)}});
    }
  }
  PrintJson(out);
}

void PrintDifference(const pak::ContentDifference& diff, const ContentComparison& comparison,
                     std::size_t entries) {
  std::string out = AddedAndDeleted(diff.added, diff.deleted);
  for (const auto& name : diff.modified) out += "modified " + Safe(name) + "\n";
  // An entry whose file holds a later entry's bytes: its own are in no file.
  for (const auto& lost : diff.overwritten) {
    out += "overwritten " + Safe(lost.name) + " (entry " + std::to_string(lost.entry + 1) +
           ", by a later entry of the same file)\n";
  }
  if (diff.empty() && comparison.confirm_match && !comparison.quiet) {
    out += Safe(comparison.folder) + ": OK, holds the " + std::to_string(entries) + " entries of " +
           Safe(comparison.archive) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace

int CompareContent(const ContentComparison& comparison) {
  pak::FileSystem& fs = pak::DefaultFileSystem();
  auto archive = pak::OpenPakFile(fs, ArgPath(comparison.archive));
  if (!archive.ok()) return Fail(archive.status(), comparison.archive);
  // A comparison only reads: files through links out of the folder are compared as pack
  // --follow-links would take them.
  auto scan = pak::ScanFolder(fs, ArgPath(comparison.folder), pak::Windows1252(), nullptr,
                              /*follow_links=*/true);
  if (!scan.ok()) return Fail(scan.status());
  pak::Result<pak::ContentDifference> diff = Status::Cancelled("not compared");
  {
    ProgressLine progress("Comparing", comparison.quiet);
    diff = pak::CompareWithArchive(fs, *archive, ArgPath(comparison.folder), scan->files,
                                   pak::HostNameRules(), progress.callback());
  }
  if (!diff.ok()) return Fail(diff.status());
  if (comparison.json) {
    PrintJsonDifference(*diff);
  } else {
    PrintDifference(*diff, comparison, archive->size());
  }
  return diff->empty() ? kExitOk : kExitDifferent;
}

}  // namespace baler
