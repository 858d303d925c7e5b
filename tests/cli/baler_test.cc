// baler as a process: arguments, exit codes, and the files it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/support/test_support.h"

namespace {

using testing_support::Bytes;
using testing_support::ListDir;
using testing_support::MakeArchive;
using testing_support::ReadFile;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteFile;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

// Runs baler with `args` (already shell-quoted where needed), no terminal; with a timeout, a
// run that hangs ends with code 124.
Outcome Baler(const TempDir& dir, const std::string& args, int timeout_seconds = 0) {
  const std::string out = (dir / ".out").string(), err = (dir / ".err").string();
  const std::string limit =
      timeout_seconds > 0 ? "timeout " + std::to_string(timeout_seconds) + " " : "";
  const std::string command =
      limit + "'" + BALER_PATH + "' " + args + " </dev/null >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  Outcome o{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return o;
}

std::string Q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

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

TEST(Baler, PackAsksBeforePackingADifferentFolder) {
  TempDir dir;
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "a.ogg", Bytes{1});
  WriteFile(dir / "x" / "new.ogg", Bytes{2});
  WriteFile(dir / "x" / "FilesList.txt", std::string("a.ogg\r\ngone.ogg\r\n"));
  WriteFile(dir / "out.pak", std::string("old"));

  auto o = Baler(dir, "diff " + Q(dir / "x"));
  EXPECT_EQ(o.code, 0);
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
  EXPECT_NE(o.err.find("list, extract, pack, diff, check"), std::string::npos) << o.err;
}

TEST(Baler, RefusesToDestroyItsOwnInputs) {
  struct Case {
    const char* what;
    const char* args;  // $D is the test folder
  };
  const Case cases[] = {
      {"pack onto a member", "pack --yes $D/x $D/x/member.bin"},
      {"pack onto the list", "pack --yes $D/x $D/x/FilesList.txt"},
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

}  // namespace
