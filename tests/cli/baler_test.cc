// baler as a process: arguments, exit codes, and the files it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "baler_version.h"
#include "tests/cli/baler_process.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;

using baler_process::Baler;
using baler_process::Q;

TEST(Baler, ListCheckAndExtract) {
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"b.WAV", {1, 2}}, {u"a.bin", {3}}}));
  auto o = Baler(dir, "list " + Q(dir / "in.pak"));
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out, "b.ogg\na.bin\n");  // archive order, renamed
  o = Baler(dir, "list -l " + Q(dir / "in.pak"));
  EXPECT_EQ(o.out, "         2         58  b.ogg\n         1         60  a.bin\n");
  o = Baler(dir, "check " + Q(dir / "in.pak"));
  EXPECT_EQ(o.code, 0) << o.err;

  std::filesystem::create_directory(dir / "x");
  o = Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x"));
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(ListDir(dir / "x"), (std::vector<std::string>{"FilesList.txt", "a.bin", "b.ogg"}));
  EXPECT_EQ(ReadText(dir / "x" / "FilesList.txt"), "b.ogg\r\na.bin\r\n");
  EXPECT_EQ(ReadFile(dir / "x" / "b.ogg"), (Bytes{1, 2}));
}

TEST(Baler, ExtractKeepsChangedOrExistingFilesOnlyWhenAsked) {
  struct Case {
    const char* args;
    std::string a, b;  // a.ini and b.bin afterwards (c.txt, deleted before, is always back)
    std::vector<std::string> said;  // lines expected on stderr; none: stderr is empty
  };
  const Case cases[] = {
      {"", "\x01", "\x02", {}},
      {"--keep-changed", "edited", "\x02", {"baler: kept a.ini\n", "kept 1 file changed after"}},
      {"--keep-changed -q", "edited", "\x02", {}},
      {"--no-overwrite",
       "edited",
       "stale",
       {"baler: kept a.ini\n", "baler: kept b.bin\n", "kept 2 files that existed"}},
      {"--keep-changed a.ini c.txt", "edited", "stale", {"baler: kept a.ini\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    TempDir dir;
    WriteFile(dir / "in.pak", MakeArchive({{u"a.ini", {1}}, {u"b.bin", {2}}, {u"c.txt", {3}}}));
    std::filesystem::create_directory(dir / "x");
    ASSERT_EQ(Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x")).code, 0);
    // Extracted ten seconds ago; a.ini edited since, b.bin overwritten before the list.
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(dir / "x" / "FilesList.txt", now - std::chrono::seconds(10));
    WriteFile(dir / "x" / "a.ini", std::string("edited"));
    std::filesystem::last_write_time(dir / "x" / "a.ini", now - std::chrono::seconds(5));
    WriteFile(dir / "x" / "b.bin", std::string("stale"));
    std::filesystem::last_write_time(dir / "x" / "b.bin", now - std::chrono::seconds(20));
    std::filesystem::remove(dir / "x" / "c.txt");
    const auto o = Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x") + " " + c.args);
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(ReadText(dir / "x" / "a.ini"), c.a);
    EXPECT_EQ(ReadText(dir / "x" / "b.bin"), c.b);
    EXPECT_EQ(ReadText(dir / "x" / "c.txt"), "\x03");
    if (c.said.empty()) {
      EXPECT_EQ(o.err, "");
    }
    for (const std::string& line : c.said) EXPECT_NE(o.err.find(line), std::string::npos) << o.err;
  }
  TempDir dir;
  EXPECT_EQ(Baler(dir, "extract --keep-changed --no-overwrite in.pak x").code, 2);
}

TEST(Baler, RefusalsAndUsageErrorsHaveTheirExitCodes) {
  TempDir dir;
  WriteFile(dir / "bad.pak", std::string("not an archive at all"));
  auto o = Baler(dir, "check " + Q(dir / "bad.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("Invalid file"), std::string::npos);
  EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << "one line: " << o.err;

  WriteFile(dir / "evil.pak", MakeArchive({{u"ok", {1}}, {u"../escape", {2}}}));
  std::filesystem::create_directory(dir / "x");
  o = Baler(dir, "check " + Q(dir / "evil.pak"));
  EXPECT_EQ(o.code, 1);
  o = Baler(dir, "extract " + Q(dir / "evil.pak") + " " + Q(dir / "x"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("../escape"), std::string::npos);
  EXPECT_TRUE(ListDir(dir / "x").empty());
  EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "escape"));

  o = Baler(dir, "extract " + Q(dir / "evil.pak") + " " + Q(dir / "missing"));
  EXPECT_EQ(o.code, 1);
  o = Baler(dir, "list " + Q(dir / "absent.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("absent.pak"), std::string::npos);

  EXPECT_EQ(Baler(dir, "").code, 2);
  EXPECT_EQ(Baler(dir, "frobnicate").code, 2);
  EXPECT_EQ(Baler(dir, "list").code, 2);
  EXPECT_EQ(Baler(dir, "--help").code, 0);
}

TEST(Baler, VersionIsTheNameAndTheBuildsVersion) {
  TempDir dir;
  const auto o = Baler(dir, "--version");
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out, std::string("baler ") + baler::kVersion + "\n");
  // The project's version, then what git adds past a release tag, if anything.
  EXPECT_TRUE(std::regex_match(o.out, std::regex(R"(baler \d+\.\d+\.\d+(-\d+-g[0-9a-f]{7,})?\n)")))
      << o.out;
}

TEST(Baler, PackAsksBeforePackingADifferentFolder) {
  TempDir dir;
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "a.ogg", Bytes{1});
  WriteFile(dir / "x" / "new.ogg", Bytes{2});
  WriteFile(dir / "x" / "FilesList.txt", std::string("a.ogg\r\ngone.ogg\r\n"));
  WriteFile(dir / "out.pak", std::string("old"));

  auto o = Baler(dir, "diff " + Q(dir / "x"));
  EXPECT_EQ(o.code, 4);  // a difference
  EXPECT_EQ(o.out, "added    new.ogg\ndeleted  gone.ogg\n");

  // No terminal and no --yes: cancelled, nothing written.
  o = Baler(dir, "pack " + Q(dir / "x") + " " + Q(dir / "out.pak"));
  EXPECT_EQ(o.code, 3);
  EXPECT_NE(o.err.find("The repack was canceled by your request"), std::string::npos);
  EXPECT_EQ(ReadText(dir / "out.pak"), "old");

  o = Baler(dir, "pack --yes " + Q(dir / "x") + " " + Q(dir / "out.pak"));
  EXPECT_EQ(o.code, 0) << o.err;
  o = Baler(dir, "list " + Q(dir / "out.pak"));
  EXPECT_EQ(o.out, "a.ogg\nnew.ogg\n");
}

TEST(Baler, ExtractThenPackGivesBackTheArchive) {
  TempDir dir;
  const Bytes original = MakeArchive({{u"alpha.wav", Bytes(3000, 1)}, {u"beta.txt", {2, 3}}});
  WriteFile(dir / "in.pak", original);
  std::filesystem::create_directory(dir / "x");
  ASSERT_EQ(Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x")).code, 0);
  auto o = Baler(dir, "pack " + Q(dir / "x") + " " + Q(dir / "out.pak"));
  ASSERT_EQ(o.code, 0) << o.err;  // no difference: nothing to ask
  EXPECT_EQ(ReadFile(dir / "out.pak"), original);
  // Nothing but the archive was left beside it.
  EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"in.pak", "out.pak", "x"}));
}

TEST(Baler, PackRefusesWhatTheWriterCannotStore) {
  TempDir dir;
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / (std::string(251, 'n') + ".ogg"), Bytes{1});
  auto o = Baler(dir, "pack " + Q(dir / "x") + " " + Q(dir / "out.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("254"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.pak"));
  std::filesystem::create_directory(dir / "empty");
  o = Baler(dir, "pack " + Q(dir / "empty") + " " + Q(dir / "out.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("no file to pack"), std::string::npos);
}

// The flushes and moves baler really makes, as strace sees them: a file that replaces another is
// flushed before the move and the folder after it; files made where nothing stood are not
// flushed at all; the entries that replace files are flushed together, with one call for the
// whole file system. Each call is named as "sync all" (that call), "sync unnamed" (a file that
// gets its name only when complete), "sync ~out.pak" (a temporary made for out.pak), "rename
// ~out.pak out.pak" or "sync folder".
std::vector<std::string> TracedFlushesAndMoves(const TempDir& dir, const std::string& args,
                                               const std::filesystem::path& folder) {
  const auto log = dir / ".trace";
  // LeakSanitizer cannot work in a process that is being traced: it is off for these runs.
  const std::string command = "ASAN_OPTIONS=detect_leaks=0 strace -y -o " + Q(log) +
                              " -e trace=fsync,fdatasync,syncfs,rename,renameat,renameat2 '" +
                              BALER_PATH + "' " + args + " </dev/null >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  auto label = [&](const std::string& path) {
    if (std::filesystem::path(path) == folder) return std::string("folder");
    std::string name = std::filesystem::path(path).filename().string();
    if (name[0] == '#') return std::string("unnamed");  // O_TMPFILE: named only when complete
    const auto tmp = name.rfind(".tmp");
    if (name[0] == '.' && tmp != std::string::npos) name = "~" + name.substr(1, tmp - 1);
    return name;
  };
  std::vector<std::string> calls;
  std::ifstream in(log);
  const std::regex sync(R"re(^f(?:data)?sync\(\d+<(.*)>(?:\(deleted\))?\)\s+= 0)re");
  const std::regex move(R"re(^rename\w*\(.*"(.*)", .*"(.*)"\)\s+= 0)re");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, sync)) calls.push_back("sync " + label(m[1]));
    if (line.starts_with("syncfs(") && line.ends_with("= 0")) calls.push_back("sync all");
    if (std::regex_search(line, m, move))
      calls.push_back("rename " + label(m[1]) + " " + label(m[2]));
  }
  std::filesystem::remove(log);
  return calls;
}

TEST(Baler, FlushesWhatReplacesAFileBeforeTheMoveAndTheFolderAfterIt) {
  if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "strace is missing or cannot trace here";
  }
  TempDir dir;
  std::filesystem::create_directory(dir / "in");
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "in" / "a.ogg", Bytes{1});
  WriteFile(dir / "in" / "b.bin", Bytes{2});
  WriteFile(dir / "old.pak", std::string("old"));
  WriteFile(dir / "in.pak", MakeArchive({{u"a.wav", {1}}, {u"b.bin", {2}}}));
  using Calls = std::vector<std::string>;
  struct Case {
    const char* what;
    std::string args;
    std::filesystem::path folder;
    Calls calls;
  };
  const std::vector<Case> cases = {
      {"pack over an old archive", "pack " + Q(dir / "in") + " " + Q(dir / "old.pak"), dir.path(),
       Calls{"sync unnamed", "rename ~old.pak old.pak", "sync folder"}},
      {"extract into an empty folder", "extract " + Q(dir / "in.pak") + " " + Q(dir / "x"),
       dir / "x", Calls{}},
      {"extract again over the same files", "extract " + Q(dir / "in.pak") + " " + Q(dir / "x"),
       dir / "x",
       Calls{"sync all", "rename ~a.ogg a.ogg", "rename ~b.bin b.bin", "sync unnamed",
             "rename ~FilesList.txt FilesList.txt", "sync folder"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TracedFlushesAndMoves(dir, c.args, c.folder), c.calls) << c.what;
  }
  EXPECT_EQ(ReadText(dir / "x" / "FilesList.txt"), "a.ogg\r\nb.bin\r\n");
}

TEST(Baler, NamesAndMessagesCannotReachTheTerminalRaw) {
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"a\x1b[2Jb", {1}}, {u"x\ny", {2}}, {u"bell\a", {3}}}));
  auto o = Baler(dir, "list " + Q(dir / "in.pak"));
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out, "a\\x1b[2Jb\nx\\x0ay\nbell\\x07\n");  // one line per entry
  o = Baler(dir, "check " + Q(dir / "in.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("a\\x1b[2Jb"), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find('\x1b'), std::string::npos);

  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "FilesList.txt", std::string("gone\x1b]0;owned\a\r\n"));
  o = Baler(dir, "diff " + Q(dir / "x"));
  EXPECT_EQ(o.out, "deleted  gone\\x1b]0;owned\\x07\n");

  o = Baler(dir, "\"$(printf 'frob\\033nicate')\"");
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("unknown command \"frob\\x1bnicate\""), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("list, extract, pack, add, remove, diff, verify, check"), std::string::npos)
      << o.err;
}

TEST(Baler, RefusesToDestroyItsOwnInputs) {
  struct Case {
    const char* what;
    const char* args;  // $D is the test folder
  };
  const Case cases[] = {
      {"pack onto a member", "pack --yes $D/x $D/x/member.bin"},
      {"pack onto the list", "pack --yes $D/x $D/x/FilesList.txt"},
      {"pack as a new list in another case", "pack --yes $D/x $D/x/fileslist.TXT"},
      {"pack as a new list through another path", "pack --yes $D/x $D/x/../x/FILESLIST.txt"},
      {"extract next to the archive, an entry named like it", "extract $D/x/member.bin $D/x"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::filesystem::create_directory(dir / "x");
    const Bytes member = MakeArchive({{u"member.bin", {9}}});  // an archive, to extract too
    WriteFile(dir / "x" / "member.bin", member);
    WriteFile(dir / "x" / "FilesList.txt", std::string("member.bin\r\n"));
    std::string args = c.args;
    for (std::size_t at; (at = args.find("$D")) != std::string::npos;) {
      args.replace(at, 2, dir.path().string());
    }
    auto o = Baler(dir, args);
    EXPECT_EQ(o.code, 1) << c.what << ": " << o.err;
    EXPECT_EQ(ReadFile(dir / "x" / "member.bin"), member) << c.what;
    EXPECT_EQ(ReadText(dir / "x" / "FilesList.txt"), "member.bin\r\n") << c.what;
    EXPECT_EQ(ListDir(dir / "x"), (std::vector<std::string>{"FilesList.txt", "member.bin"}));
  }
}

TEST(Baler, OutputThatCannotBeWrittenIsAFailure) {
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"b.WAV", {1, 2}}, {u"a.bin", {3}}}));
  std::filesystem::create_directory(dir / "x");
  ASSERT_EQ(Baler(dir, "extract -q " + Q(dir / "in.pak") + " " + Q(dir / "x")).code, 0);
  std::filesystem::create_directory(dir / "y");
  WriteFile(dir / "y" / "new.bin", std::string("n"));
  struct Case {
    std::string args;
    int code;  // with the output on a full disk
  };
  const Case cases[] = {
      {"list " + Q(dir / "in.pak"), 1},
      {"list --json " + Q(dir / "in.pak"), 1},
      {"list -l " + Q(dir / "in.pak"), 1},
      {"check " + Q(dir / "in.pak"), 1},
      {"diff " + Q(dir / "y"), 1},
      {"diff --json " + Q(dir / "x"), 1},
      {"diff " + Q(dir / "x") + " --against " + Q(dir / "in.pak"), 0},  // prints nothing
      {"verify " + Q(dir / "in.pak") + " " + Q(dir / "x"), 1},
      {"verify --json " + Q(dir / "in.pak") + " " + Q(dir / "x"), 1},
      {"extract -q " + Q(dir / "in.pak") + " " + Q(dir / "x"), 0},  // prints nothing
      {"--help", 1},
  };
  for (const auto& c : cases) {
    auto o = Baler(dir, c.args, 0, "/dev/full");
    EXPECT_EQ(o.code, c.code) << c.args << ": " << o.err;
    if (c.code == 1) {
      EXPECT_NE(o.err.find("baler: the output could not be written"), std::string::npos)
          << c.args << ": " << o.err;
    }
  }
}

TEST(Baler, CheckAgreesWithExtractAndSpecialFilesDoNotHang) {
  TempDir dir;
  std::u16string long_name;
  for (int i = 0; i < 200; ++i) long_name += u'\u00E9';  // 400 bytes of UTF-8
  WriteFile(dir / "long.pak", MakeArchive({{u"first.bin", {1}}, {long_name, {2}}}));
  std::filesystem::create_directory(dir / "x");
  auto o = Baler(dir, "check " + Q(dir / "long.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("entry 2"), std::string::npos) << o.err;
  o = Baler(dir, "extract " + Q(dir / "long.pak") + " " + Q(dir / "x"));
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(ListDir(dir / "x").empty());

  ASSERT_EQ(::mkfifo((dir / "fifo.pak").c_str(), 0644), 0);
  for (const char* command : {"check", "list"}) {
    o = Baler(dir, std::string(command) + " " + Q(dir / "fifo.pak"), /*timeout_seconds=*/20);
    EXPECT_EQ(o.code, 1) << command;
    EXPECT_NE(o.err.find("named pipe"), std::string::npos) << o.err;
  }
}

TEST(Baler, PackRefusesLinksOutOfTheFolderAndNamesWhatItLeavesOut) {
  TempDir dir;
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "secret", std::string("private key"));
  WriteFile(dir / "x" / "a.bin", Bytes{1});
  std::filesystem::create_symlink("../secret", dir / "x" / "id_rsa");
  std::filesystem::create_symlink(dir / "secret", dir / "x" / "copy");
  std::filesystem::create_symlink("missing", dir / "x" / "gone");
  ASSERT_EQ(::mkfifo((dir / "x" / "pipe").c_str(), 0644), 0);
  const std::string pack = "pack " + Q(dir / "x") + " " + Q(dir / "out.pak");
  const Bytes key = {'p', 'r', 'i', 'v', 'a', 't', 'e', ' ', 'k', 'e', 'y'};
  const Bytes followed = MakeArchive({{u"a.bin", {1}}, {u"copy", key}, {u"id_rsa", key}});
  const std::string notes =
      "baler: Not packed: \"gone\", a link to nothing: what it names does not exist\n"
      "baler: Not packed: \"pipe\", a named pipe (FIFO)\n";
  const struct {
    const char* options;
    int code;
    std::vector<std::string> err_says;  // each on stderr; with code 0, stderr is exactly these
    Bytes archive;                      // empty: no archive written
  } kCases[] = {
      {"", 1, {"\"copy\", \"id_rsa\"", "nothing was written", "--follow-links"}, {}},
      {" --quiet", 1, {"\"copy\", \"id_rsa\""}, {}},
      {" --follow-links", 0, {notes}, followed},
      {" --follow-links --quiet", 0, {""}, followed},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.options);
    std::filesystem::remove(dir / "out.pak");
    const auto o = Baler(dir, pack + c.options);
    EXPECT_EQ(o.code, c.code) << o.err;
    if (c.code == 0) {
      EXPECT_EQ(o.err, c.err_says.front());
    } else {
      for (const auto& says : c.err_says) EXPECT_NE(o.err.find(says), std::string::npos) << o.err;
    }
    if (c.archive.empty()) {
      EXPECT_FALSE(std::filesystem::exists(dir / "out.pak"));
    } else {
      EXPECT_EQ(ReadFile(dir / "out.pak"), c.archive);
    }
  }
}

TEST(Baler, EntriesOfOneFileAreNamedByEveryCommand) {
  struct Case {
    const char* what;
    std::vector<RawEntry> entries;
    int check, extract, verify;  // exit codes
    const char* said;            // what check says (stderr), or null for nothing
  };
  const Case cases[] = {
      {"a.wav and a.ogg",
       {{u"a.wav", {1}}, {u"b", {3}}, {u"a.ogg", {2}}},
       1,
       1,
       4,
       "entry 1 (\"a.ogg\") by entry 3 (\"a.ogg\")"},
      {"one name, equal bytes", {{u"a", {1}}, {u"a", {1}}}, 0, 0, 0, nullptr},
      {"names equal but for case",
       {{u"A", {1}}, {u"a", {2}}},
       0,
       0,
       0,
       "note: " /* kept apart here, merged on Windows */},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(dir / "in.pak", MakeArchive(c.entries));
    std::filesystem::create_directory(dir / "x");
    auto o = Baler(dir, "check " + Q(dir / "in.pak"));
    EXPECT_EQ(o.code, c.check) << c.what << ": " << o.err;
    if (c.said == nullptr) {
      EXPECT_EQ(o.err, "") << c.what;
    } else {
      EXPECT_NE(o.err.find(c.said), std::string::npos) << c.what << ": " << o.err;
    }
    EXPECT_EQ(Baler(dir, "check -q " + Q(dir / "in.pak")).err.empty(), c.check == 0) << c.what;
    o = Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x"));
    EXPECT_EQ(o.code, c.extract) << c.what << ": " << o.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "x" / "FilesList.txt")) << c.what;
    o = Baler(dir, "verify " + Q(dir / "in.pak") + " " + Q(dir / "x"));
    EXPECT_EQ(o.code, c.verify) << c.what << ": " << o.out;
  }
}

TEST(Baler, VerifyShowsAnOverwrittenEntryInTextAndJson) {
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"a.wav", {1}}, {u"a.ogg", {2}}}));
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "a.ogg", Bytes{2});
  auto o = Baler(dir, "verify " + Q(dir / "in.pak") + " " + Q(dir / "x"));
  EXPECT_EQ(o.code, 4);
  EXPECT_EQ(o.out, "overwritten a.ogg (entry 1, by a later entry of the same file)\n");
  o = Baler(dir, "diff --json " + Q(dir / "x") + " --against " + Q(dir / "in.pak"));
  EXPECT_EQ(o.code, 4);
  EXPECT_NE(o.out.find("\"modified\": [],\n  \"overwritten\": [\n    {\n      \"entry\": 1,\n"
                       "      \"name\": \"a.ogg\""),
            std::string::npos)
      << o.out;
}

TEST(Baler, AddAndRemoveChangeTheArchiveInPlace) {
  struct Case {
    const char* args;  // each word "@NAME" is the file NAME of the test's folder
    int code;
    std::string list;  // the archive's names afterwards
    std::string said;  // a part of what was said on stderr
  };
  const std::string before = "a.bin\nz.bin\n";
  const std::vector<Case> cases = {
      {"add @in.pak @new.ogg", 0, "a.bin\nnew.ogg\nz.bin\n", "1 new entry"},
      {"add @in.pak @A.BIN @new.ogg", 0, "A.BIN\nnew.ogg\nz.bin\n", "1 new entry, 1 replaced"},
      {"add -q @in.pak @new.ogg", 0, "a.bin\nnew.ogg\nz.bin\n", ""},
      {"remove @in.pak Z.BIN", 0, "a.bin\n", "1 removed"},
      {"remove @in.pak z.bin nope.ogg", 1, before, "no entry named \"nope.ogg\""},
      {"add @in.pak @in.pak", 1, before, "the archive being changed"},
      {"add @in.pak", 2, before, "FILE"},
      {"remove @in.pak", 2, before, "NAME"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteFile(dir / "in.pak", MakeArchive({{u"a.bin", {1}}, {u"z.bin", {2}}}));
    WriteFile(dir / "new.ogg", Bytes{3});
    WriteFile(dir / "A.BIN", Bytes{4});
    std::string args;
    std::istringstream words(c.args);
    for (std::string word; words >> word;) {
      args += (args.empty() ? "" : " ") + (word[0] == '@' ? Q(dir / word.substr(1)) : word);
    }
    const auto o = Baler(dir, args);
    EXPECT_EQ(o.code, c.code) << c.args << ": " << o.err;
    if (c.said.empty()) {
      EXPECT_EQ(o.err, "") << c.args;
    }
    EXPECT_NE(o.err.find(c.said), std::string::npos) << c.args << ": " << o.err;
    EXPECT_EQ(Baler(dir, "list " + Q(dir / "in.pak")).out, c.list) << c.args;
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"A.BIN", "in.pak", "new.ogg"}))
        << c.args;
  }
}

TEST(Baler, ExtractIntoAFolderOfEachArchivesName) {
  TempDir dir;
  WriteFile(dir / "one.pak", MakeArchive({{u"a.wav", {1}}}));
  WriteFile(dir / "Two.PAK", MakeArchive({{u"b.bin", {2}}, {u"c.bin", {3}}}));
  WriteFile(dir / "bad.pak", std::string("not an archive"));
  std::filesystem::create_directory(dir / "out");
  // The failing archive comes first: the others are extracted all the same.
  auto o = Baler(dir, "extract " + Q(dir / "bad.pak") + " " + Q(dir / "one.pak") + " " +
                          Q(dir / "Two.PAK") + " --into " + Q(dir / "out"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("bad.pak: Invalid file"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("2 of 3 archives extracted"), std::string::npos) << o.err;
  EXPECT_EQ(ListDir(dir / "out"), (std::vector<std::string>{"Two", "one"}));
  EXPECT_EQ(ListDir(dir / "out" / "one"), (std::vector<std::string>{"FilesList.txt", "a.ogg"}));
  EXPECT_EQ(ReadFile(dir / "out" / "Two" / "c.bin"), (Bytes{3}));

  // Two archives of one name would land in one folder: refused before anything is written.
  std::filesystem::create_directory(dir / "again");
  std::filesystem::create_directory(dir / "other");
  WriteFile(dir / "other" / "ONE.pak", MakeArchive({{u"x", {4}}}));
  o = Baler(dir, "extract " + Q(dir / "one.pak") + " " + Q(dir / "other" / "ONE.pak") + " --into " +
                     Q(dir / "again"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("nothing was extracted"), std::string::npos) << o.err;
  EXPECT_TRUE(ListDir(dir / "again").empty());
  // Without --into the second word is still the folder, and required.
  EXPECT_EQ(Baler(dir, "extract " + Q(dir / "one.pak")).code, 2);
}

TEST(Baler, ListAndCheckShowAHeaderPerArchiveOfSeveral) {
  TempDir dir;
  WriteFile(dir / "one.pak", MakeArchive({{u"a.wav", {1}}}));
  WriteFile(dir / "two.pak", MakeArchive({{u"b.bin", {2}}}));
  WriteFile(dir / "bad.pak", std::string("not an archive"));
  const std::string one = (dir / "one.pak").string(), two = (dir / "two.pak").string(),
                    bad = (dir / "bad.pak").string();
  struct Case {
    std::string args;
    int code;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"list " + Q(one) + " " + Q(two), 0,
       "==> " + one + " <==\na.ogg\n\n==> " + two + " <==\nb.bin\n"},
      {"list " + Q(one) + " " + Q(bad) + " " + Q(two), 1,
       "==> " + one + " <==\na.ogg\n\n==> " + bad + " <==\n\n==> " + two + " <==\nb.bin\n"},
      {"list --json " + Q(bad) + " " + Q(two), 1,
       "{\n  \"" + two +
           "\": [\n    {\n      \"name\": \"b.bin\",\n      \"stored_name\": \"b.bin\",\n"
           "      \"offset\": 32,\n      \"size\": 1\n    }\n  ]\n}\n"},
      {"check " + Q(bad) + " " + Q(two), 1,
       "==> " + bad + " <==\n\n==> " + two + " <==\n" + two + ": OK, 1 entries, 1 bytes of data\n"},
      {"check " + Q(two), 0, two + ": OK, 1 entries, 1 bytes of data\n"},
  };
  for (const Case& c : cases) {
    const auto o = Baler(dir, c.args);
    EXPECT_EQ(o.code, c.code) << c.args << ": " << o.err;
    EXPECT_EQ(o.out, c.out) << c.args;
  }
}

}  // namespace
