// Two names that lead to one file: entries that extraction writes to the same file, files that
// packing would store under one name, and one file seen through another mount.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codec/compare.h"
#include "codec/names.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using Names = std::vector<std::u16string>;
using Clashes = std::vector<pak::NameClash>;

// ---- Two entries, one file ----

TEST(NameClashes, EachNameLosesItsFileToTheLastThatLeadsThere) {
  struct Case {
    const char* what;
    std::vector<std::u16string_view> names;
    bool ignore_case;
    Clashes clashes;
  };
  const Case cases[] = {
      {"none", {u"a", u"b", u"A"}, false, {}},
      {"the same name twice", {u"a", u"b", u"a"}, false, {{0, 2}}},
      {"three times, all to the last", {u"a", u"a", u"b", u"a"}, false, {{0, 3}, {1, 3}}},
      {"case kept apart", {u"Ab", u"aB"}, false, {}},
      {"case ignored", {u"Ab", u"x", u"aB", u"AB"}, true, {{0, 3}, {2, 3}}},
      {"non-ASCII letters folded", {u"\u00C9t\u00E9", u"\u00E9T\u00C9"}, true, {{0, 1}}},
      {"two groups", {u"a", u"b", u"a", u"b"}, false, {{0, 2}, {1, 3}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pak::FindNameClashes(c.names, c.ignore_case), c.clashes) << c.what;
  }
}

TEST(ExtractSharedFiles, WritesEverythingThenNamesTheEntriesWhoseBytesAreInNoFile) {
  using pak::NameRules;
  struct Case {
    const char* what;
    std::vector<RawEntry> entries;
    NameRules rules;
    std::optional<bool> ignores_case;  // what the folder answers
    const char* lost;                  // part of the failure, or null for success
    bool probed;                       // whether the folder was asked
  };
  const Case cases[] = {
      {"a.ogg beside a stored a.wav",
       {{u"a.wav", {1}}, {u"b.bin", {7}}, {u"a.ogg", {2}}},
       NameRules::kPosix,
       std::nullopt,
       "1 entry was replaced by a later entry that lands on the same file, so its bytes are in "
       "no file of the folder: entry 1 (\"a.ogg\") by entry 3 (\"a.ogg\"). Every other entry "
       "and FilesList.txt was written",
       false},
      {"the same bytes twice lose nothing",
       {{u"a.bin", {1, 2}}, {u"a.bin", {1, 2}}},
       NameRules::kPosix,
       std::nullopt,
       nullptr,
       false},
      {"case-only pair in a folder that keeps case",
       {{u"A.bin", {1}}, {u"a.bin", {2}}},
       NameRules::kPosix,
       false,
       nullptr,
       true},
      {"case-only pair in a folder that ignores case",
       {{u"A.bin", {1}}, {u"a.bin", {2}}},
       NameRules::kPosix,
       true,
       "entry 1 (\"A.bin\") by entry 2 (\"a.bin\")",
       true},
      {"case-only pair under Windows rules, without asking",
       {{u"A.bin", {1}}, {u"a.BIN", {2}}},
       NameRules::kWindows,
       false,
       "entry 1 (\"A.bin\") by entry 2 (\"a.BIN\")",
       false},
      {"an exact pair asks nothing of the folder",
       {{u"x", {1}}, {u"x", {2}}, {u"x", {3}}},
       NameRules::kPosix,
       true,
       "2 entries were replaced by a later entry that lands on the same file, so their bytes are "
       "in no file of the folder: entry 1 (\"x\") by entry 3 (\"x\"), entry 2 (\"x\") by entry 3",
       false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    FaultyFileSystem fs;
    fs.ignores_case = c.ignores_case;
    const auto archive = Parse(MakeArchive(c.entries));
    const pak::Status status =
        pak::ExtractAll(fs, archive, dir.path(), pak::Windows1252(), c.rules);
    EXPECT_EQ(fs.case_probes > 0, c.probed) << c.what;
    if (c.lost == nullptr) {
      EXPECT_TRUE(status.ok()) << c.what << ": " << status.message();
    } else {
      EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused) << c.what;
      EXPECT_NE(status.message().find(c.lost), std::string::npos)
          << c.what << ": " << status.message();
    }
    // Whatever the verdict, every entry was written in order and the list names each.
    std::string list;
    for (const auto& entry : c.entries) {
      list += pak::ToUtf8(pak::ArchiveToDiskName(entry.name)) + "\r\n";
    }
    EXPECT_EQ(ReadText(dir / "FilesList.txt"), list) << c.what;
    const RawEntry& last = c.entries.back();
    EXPECT_EQ(ReadFile(dir.path() / pak::PathFromUtf16(pak::ArchiveToDiskName(last.name))),
              last.data)
        << c.what;
  }
}

TEST(ExtractSharedFiles, SelectedEntriesAreJudgedAmongThemselves) {
  struct Case {
    std::vector<std::size_t> chosen;
    const char* lost;
  };
  const Case cases[] = {
      {{0}, nullptr},
      {{2, 0}, nullptr},  // the same bytes, either way round
      {{0, 1}, "entry 1 (\"a.ogg\") by entry 2 (\"a.ogg\")"},
      {{1, 0}, "entry 2 (\"a.ogg\") by entry 1 (\"a.ogg\")"},
      {{1, 1}, nullptr},
  };
  const auto archive = Parse(MakeArchive({{u"a.ogg", {1}}, {u"a.wav", {2}}, {u"a.ogg", {1}}}));
  for (const auto& c : cases) {
    TempDir dir;
    const pak::Status status =
        pak::ExtractSelected(pak::DefaultFileSystem(), archive, dir.path(), c.chosen);
    const std::string what =
        std::to_string(c.chosen.size()) + " from " + std::to_string(c.chosen.front());
    if (c.lost == nullptr) {
      EXPECT_TRUE(status.ok()) << what << ": " << status.message();
    } else {
      EXPECT_NE(status.message().find(c.lost), std::string::npos) << what << status.message();
      EXPECT_EQ(status.message().find("FilesList"), std::string::npos) << status.message();
    }
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"a.ogg"})) << what;
  }
}

TEST(IgnoresCase, ARealFolderIsAskedWithoutLeavingAFile) {
  TempDir dir;
  auto ignores = pak::DefaultFileSystem().IgnoresCase(dir.path());
  ASSERT_TRUE(ignores.ok()) << ignores.status().message();
  // The temporary folder of a test run keeps case on Linux; Windows folders ignore it.
  EXPECT_EQ(*ignores, pak::HostNameRules() == pak::NameRules::kWindows);
  EXPECT_TRUE(ListDir(dir.path()).empty());
  EXPECT_FALSE(pak::DefaultFileSystem().IgnoresCase(dir / "missing").ok());
}

TEST(PackClashes, FilesOfOneStoredNameAreRefusedBeforeAnythingIsWritten) {
  struct Case {
    Names files;
    const char* refusal;  // part of the message, or null when the folder packs
  };
  const Case cases[] = {
      {{u"a.ogg", u"b.txt"}, nullptr},
      {{u"a.ogg", u"a.wav"}, "\"a.ogg\" and \"a.wav\" (both stored as \"a.wav\")"},
      {{u"B.txt", u"b.txt"},
       "\"B.txt\" and \"b.txt\" (names equal but for case, one file when extracted on Windows)"},
      {{u"A.OGG", u"a.wav"}, "\"A.OGG\" and \"a.wav\" (names equal but for case"},
      {{u"x1", u"X1", u"x2", u"X2", u"x3", u"X3", u"x4", u"X4", u"x5", u"X5", u"x6", u"X6", u"x7",
        u"X7"},
       "\"x5\" and \"X5\" (names equal but for case, one file when extracted on Windows), and 2 "
       "more; rename or remove one of each. Nothing was written"},
  };
  for (const auto& c : cases) {
    if (c.refusal != nullptr && pak::HostNameRules() == pak::NameRules::kWindows) continue;
    TempDir dir;
    std::filesystem::create_directory(dir / "in");
    for (const auto& name : c.files) WriteFile(dir.path() / "in" / pak::PathFromUtf16(name), "x");
    FaultyFileSystem fs;
    const pak::Status status = pak::PackFolder(fs, dir / "in", c.files, dir / "out.pak");
    const std::string what = pak::ToUtf8(c.files.front() + u" " + c.files.back());
    if (c.refusal == nullptr) {
      EXPECT_TRUE(status.ok()) << what << ": " << status.message();
      continue;
    }
    EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused) << what;
    EXPECT_NE(status.message().find(c.refusal), std::string::npos) << status.message();
    EXPECT_TRUE(fs.journal.empty()) << what << ": " << fs.journal.front();
    EXPECT_FALSE(std::filesystem::exists(dir / "out.pak")) << what;
  }
}

TEST(CompareSharedFiles, AnEntryWhoseFileHoldsALaterEntrysBytesIsOverwritten) {
  using pak::NameRules;
  struct Case {
    const char* what;
    std::vector<RawEntry> entries;
    NameRules rules;
    std::vector<std::pair<std::string, Bytes>> files;
    std::vector<pak::OverwrittenEntry> overwritten;
    Names modified;
  };
  const Case cases[] = {
      {"a.wav under a.ogg",
       {{u"a.wav", {1}}, {u"a.ogg", {2}}},
       NameRules::kPosix,
       {{"a.ogg", {2}}},
       {{0, u"a.ogg"}},
       {}},
      {"three of one name",
       {{u"x", {1}}, {u"x", {2}}, {u"x", {3}}},
       NameRules::kPosix,
       {{"x", {3}}},
       {{0, u"x"}, {1, u"x"}},
       {}},
      {"equal bytes lose nothing",
       {{u"x", {1}}, {u"y", {5}}, {u"x", {1}}},
       NameRules::kPosix,
       {{"x", {1}}, {"y", {5}}},
       {},
       {}},
      {"a file of neither entry's bytes",
       {{u"x", {1}}, {u"x", {2}}},
       NameRules::kPosix,
       {{"x", {9}}},
       {{0, u"x"}},
       {u"x"}},
      {"case-only under Windows rules",
       {{u"x", {1}}, {u"X", {2}}},
       NameRules::kWindows,
       {{"X", {2}}},
       {{0, u"x"}},
       {}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    Names names;
    for (const auto& [name, bytes] : c.files) {
      WriteFile(dir / name, bytes);
      names.push_back(pak::FromUtf8(name));
    }
    const auto archive = Parse(MakeArchive(c.entries));
    auto diff =
        pak::CompareWithArchive(pak::DefaultFileSystem(), archive, dir.path(), names, c.rules);
    ASSERT_TRUE(diff.ok()) << c.what;
    EXPECT_EQ(diff->overwritten, c.overwritten) << c.what;
    EXPECT_EQ(diff->modified, c.modified) << c.what;
    EXPECT_TRUE(diff->added.empty() && diff->deleted.empty()) << c.what;
    EXPECT_EQ(diff->empty(), c.overwritten.empty() && c.modified.empty()) << c.what;
  }
}

// ---- The same file through another mount ----

TEST(FileId, TheSameFileIsItsNumberLengthAndTimeOnAnyDevice) {
  struct Case {
    const char* what;
    pak::FileId other;
    bool same;
  };
  const pak::FileId file{1, 42, 100, 777};
  const Case cases[] = {
      {"itself", {1, 42, 100, 777}, true},
      {"through an overlay or bind mount", {9, 42, 100, 777}, true},
      {"another file", {1, 43, 100, 777}, false},
      {"another length", {9, 42, 101, 777}, false},
      {"another time", {9, 42, 100, 778}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(file == c.other, c.same) << c.what;
    EXPECT_EQ(c.other == file, c.same) << c.what;
  }
}

#ifndef _WIN32
// What the child of OverlayFolder says happened.
enum MountOutcome { kMounted = 0, kCannotMount = 77 };

// Runs `body` in a child process of its own mount namespace in which `merged` shows an overlay
// of `lower` (on a fresh tmpfs at `base`, which an overlay needs beneath its upper folder).
// Returns the body's exit code, kCannotMount when the system would not mount.
int InOverlay(const std::filesystem::path& base,
              const std::function<int(const std::filesystem::path& lower,
                                      const std::filesystem::path& merged)>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0) ::_exit(kCannotMount);
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) ::_exit(kCannotMount);
    if (::mount("tmpfs", base.c_str(), "tmpfs", 0, nullptr) != 0) ::_exit(kCannotMount);
    std::error_code error;
    for (const char* name : {"lower", "upper", "work", "merged"}) {
      std::filesystem::create_directory(base / name, error);
    }
    const std::string options = "lowerdir=" + (base / "lower").string() +
                                ",upperdir=" + (base / "upper").string() +
                                ",workdir=" + (base / "work").string();
    if (::mount("overlay", (base / "merged").c_str(), "overlay", 0, options.c_str()) != 0) {
      ::_exit(kCannotMount);
    }
    ::_exit(body(base / "lower", base / "merged"));
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(SameFileThroughAnotherMount, NeitherExtractionNorPackingWritesOverItsInput) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting an overlay needs root";
  TempDir dir;
  // The body's bits: 1 the overlay shows another device, 2 extraction was not refused,
  // 4 packing was not refused, 8 the archive or the packed file changed.
  const int outcome = InOverlay(dir.path(), [](const auto& lower, const auto& merged) {
    const Bytes archive_bytes = MakeArchive({{u"in.pak", {1, 2, 3}}});
    WriteFile(lower / "in.pak", archive_bytes);
    WriteFile(lower / "a.bin", std::string("input"));
    int bits = 0;
    const auto below = pak::DefaultFileSystem().Identify(lower / "in.pak");
    const auto above = pak::DefaultFileSystem().Identify(merged / "in.pak");
    if (!below || !above || below->device == above->device) bits |= 1;
    // The archive read through the overlay, extracted into the folder beneath it.
    auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), merged / "in.pak");
    if (!archive.ok() ||
        pak::ExtractAll(pak::DefaultFileSystem(), *archive, lower, pak::Windows1252()).kind() !=
            pak::Status::Kind::kRefused) {
      bits |= 2;
    }
    // The folder packed through the overlay into one of its files, named beneath it.
    const Names files = {u"a.bin", u"in.pak"};
    if (pak::PackFolder(pak::DefaultFileSystem(), merged, files, lower / "a.bin").kind() !=
        pak::Status::Kind::kRefused) {
      bits |= 4;
    }
    if (ReadFile(lower / "in.pak") != archive_bytes || ReadText(lower / "a.bin") != "input") {
      bits |= 8;
    }
    return bits;
  });
  if (outcome == kCannotMount) GTEST_SKIP() << "this system will not mount an overlay here";
  EXPECT_EQ(outcome & 1, 0) << "the overlay showed the file under the same device";
  EXPECT_EQ(outcome, 0);
}
#endif

}  // namespace
