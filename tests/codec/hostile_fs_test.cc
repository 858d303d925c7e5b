// The file system around the archive as an attacker or a careless user leaves it: links in the
// target folder, the archive itself as a target, interruptions, special files, folders that
// cannot be written, names the system cannot hold. Each case runs in a fresh folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "codec/names.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "codec/writer.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using Names = std::vector<std::u16string>;
using Kind = pak::Status::Kind;

bool Has(const pak::Status& status, const std::string& text) {
  return status.message().find(text) != std::string::npos;
}

// The archive read the two ways the programs read one: whole, and streamed from the file.
std::vector<pak::Result<pak::PakArchive>> OpenBothWays(const fs::path& path) {
  std::vector<pak::Result<pak::PakArchive>> out;
  out.push_back(pak::LoadPakFile(Fs(), path));
  out.push_back(pak::OpenPakFile(Fs(), path));
  return out;
}

// ---- 1. Links in the target folder ----

TEST(HostileLinks, NoWriteFollowsALinkOutOfTheFolder) {
  struct Case {
    const char* what;
    const char* name;  // the link's name in the target folder
    bool hard;
  };
  const Case cases[] = {
      {"symlink as the list", "FilesList.txt", false},
      {"hard link as the list", "FilesList.txt", true},
      {"symlink as an entry", "a.bin", false},
      {"hard link as an entry", "a.bin", true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    fs::create_directory(dir / "out");
    WriteFile(dir / "victim", std::string("precious"));
    if (c.hard) {
      fs::create_hard_link(dir / "victim", dir / "out" / c.name);
    } else {
      fs::create_symlink(dir / "victim", dir / "out" / c.name);
    }
    const auto archive = pak::ParsePak(MakeArchive({{u"a.bin", {1, 2, 3}}}));
    ASSERT_TRUE(archive.ok());
    ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir / "out", Cp()).ok()) << c.what;
    EXPECT_EQ(ReadText(dir / "victim"), "precious") << c.what;
    EXPECT_FALSE(fs::is_symlink(dir / "out" / c.name)) << c.what;
    EXPECT_EQ(ReadFile(dir / "out" / "a.bin"), (Bytes{1, 2, 3})) << c.what;
    EXPECT_EQ(ReadText(dir / "out" / "FilesList.txt"), "a.bin\r\n") << c.what;
  }
}

TEST(HostileLinks, ADanglingLinkCreatesNothingOutside) {
  TempDir dir;
  fs::create_directory(dir / "out");
  fs::create_symlink(dir / "created-outside", dir / "out" / "FilesList.txt");
  fs::create_symlink(dir / "also-outside", dir / "out" / "a.bin");
  const auto archive = pak::ParsePak(MakeArchive({{u"a.bin", {1}}}));
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir / "out", Cp()).ok());
  EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"out"}));
}

// ---- Links in a folder being packed ----

using Reason = pak::LeftOutReason;

// A folder holding every kind of name a scan must sort: what it packs, the links out of it it
// refuses, and what it leaves out and why. It is reached through `alias`, a link to the folder
// itself, as well as directly: links that stay inside count as inside either way.
class LinksInAFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path in = dir / "in";
    fs::create_directory(in);
    fs::create_directory(in / "sub");
    WriteFile(dir / "secret", std::string("private key"));
    WriteFile(in / "a.ogg", Bytes{1});
    WriteFile(in / "sub" / "deep.ogg", Bytes{2});
    fs::create_symlink("a.ogg", in / "same.ogg");                     // inside, relative
    fs::create_symlink(in / "a.ogg", in / "absolute.ogg");            // inside, absolute
    fs::create_symlink("sub/../sub/deep.ogg", in / "deep_link.ogg");  // inside, a sub-folder
    fs::create_symlink("../secret", in / "out_relative");
    fs::create_symlink(dir / "secret", in / "out_absolute");
    fs::create_symlink("out_relative", in / "out_chain");   // a link to a link out
    fs::create_symlink("../in/a.ogg", in / "back_in.ogg");  // out and in again: inside
    ASSERT_EQ(::mkfifo((in / "fifo").c_str(), 0644), 0);
    fs::create_symlink("fifo", in / "to_fifo");
    fs::create_symlink("sub", in / "to_folder");
    fs::create_symlink("/dev/null", in / "to_device");
    fs::create_symlink("missing", in / "dangling");
    fs::create_symlink("loop_b", in / "loop_a");
    fs::create_symlink("loop_a", in / "loop_b");
    // Left out without a word: hidden names, the list's own name, Family.Bin, sub-folders.
    fs::create_symlink("../secret", in / ".hidden_out");
    fs::create_symlink("missing", in / ".hidden_dangling");
    fs::create_symlink("../secret", in / "Family.Bin");
    fs::create_directory(in / "folder");
    fs::create_directory_symlink(in, dir / "alias");
  }

  TempDir dir;
};

TEST_F(LinksInAFolder, TheScanSortsEveryName) {
  const Names files = {u"a.ogg", u"absolute.ogg", u"back_in.ogg", u"deep_link.ogg", u"same.ogg"};
  const Names outside = {u"out_absolute", u"out_chain", u"out_relative"};
  const std::vector<pak::LeftOutFile> left_out = {
      {u"dangling", Reason::kDanglingLink},  {u"fifo", Reason::kPipe},
      {u"loop_a", Reason::kLinkLoop},        {u"loop_b", Reason::kLinkLoop},
      {u"to_device", Reason::kLinkToDevice}, {u"to_fifo", Reason::kLinkToPipe},
      {u"to_folder", Reason::kLinkToFolder},
  };
  for (const char* through : {"in", "alias"}) {
    SCOPED_TRACE(through);
    auto scan = pak::ScanFolder(Fs(), dir / through, Cp());
    ASSERT_TRUE(scan.ok()) << scan.status().message();
    EXPECT_EQ(scan->files, files);
    EXPECT_EQ(scan->outside_links, outside);
    EXPECT_EQ(scan->left_out, left_out);
    // Followed, the links out are packed as before.
    scan = pak::ScanFolder(Fs(), dir / through, Cp(), nullptr, /*follow_links=*/true);
    ASSERT_TRUE(scan.ok());
    Names all = files;
    all.insert(all.begin() + 4, outside.begin(), outside.end());
    EXPECT_EQ(scan->files, all);
    EXPECT_TRUE(scan->outside_links.empty());
    EXPECT_EQ(scan->left_out, left_out);
  }
}

TEST_F(LinksInAFolder, ARefusalNamesEveryLinkOutAndAListedOneCounts) {
  // A hidden link out that FilesList.txt records would be packed like any recorded file.
  WriteFile(dir / "in" / "FilesList.txt", std::string("a.ogg\r\n.hidden_out\r\n"));
  auto scan = pak::ScanFolder(Fs(), dir / "in", Cp());
  ASSERT_TRUE(scan.ok());
  EXPECT_EQ(scan->outside_links,
            (Names{u".hidden_out", u"out_absolute", u"out_chain", u"out_relative"}));
  const pak::Status refused = pak::CheckFolderLinks(*scan);
  EXPECT_EQ(refused.kind(), Kind::kRefused);
  for (const char* name : {"\".hidden_out\"", "\"out_absolute\"", "out_chain", "out_relative"}) {
    EXPECT_TRUE(Has(refused, name)) << refused.message();
  }
  EXPECT_TRUE(Has(refused, "nothing was written")) << refused.message();
  // A link out is there, not deleted, though it is not packed.
  EXPECT_EQ(pak::CompareNames(*scan).deleted, Names{});
  scan->outside_links.clear();
  EXPECT_TRUE(pak::CheckFolderLinks(*scan).ok());
}

TEST(HostileLinks, LeftOutNotesSayWhy) {
  const struct {
    Reason reason;
    const char* says;
  } kCases[] = {
      {Reason::kPipe, "named pipe"},
      {Reason::kDevice, "a device"},
      {Reason::kSocket, "a socket"},
      {Reason::kLinkToFolder, "link to a folder"},
      {Reason::kLinkToPipe, "link to a named pipe"},
      {Reason::kDanglingLink, "does not exist"},
      {Reason::kLinkLoop, "loop"},
      {Reason::kUnexamined, "examine"},
  };
  for (const auto& c : kCases) {
    const std::string note = pak::LeftOutNote({u"n\u00e4me", c.reason});
    EXPECT_NE(note.find("\"n\u00e4me\""), std::string::npos) << note;
    EXPECT_NE(note.find(c.says), std::string::npos) << note;
  }
}

TEST(HostileSpecialFiles, ASocketIsLeftOutAndSaidToBe) {
  TempDir dir;
  WriteFile(dir / "a.ogg", Bytes{1});
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = (dir / "sock").string();
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  auto scan = pak::ScanFolder(Fs(), dir.path(), Cp());
  ::close(sock);
  ASSERT_TRUE(scan.ok());
  EXPECT_EQ(scan->files, Names{u"a.ogg"});
  EXPECT_EQ(scan->left_out, (std::vector<pak::LeftOutFile>{{u"sock", Reason::kSocket}}));
}

// ---- 2. The archive being read as a target ----

TEST(HostileArchiveAsTarget, RefusesBeforeWritingAnything) {
  struct Case {
    const char* what;
    // Lays out the folder `out` around the archive at `pak` (which already exists outside).
    std::function<fs::path(const TempDir&)> arrange;  // returns the path the archive is read from
    const char* must_name;
  };
  const Case cases[] = {
      {"an entry named like the archive, in its folder",
       [](const TempDir& d) {
         fs::rename(d / "in.pak", d / "out" / "in.pak");
         return d / "out" / "in.pak";
       },
       "in.pak"},
      {"an entry that is a hard link to the archive",
       [](const TempDir& d) {
         fs::create_hard_link(d / "in.pak", d / "out" / "b.bin");
         return d / "in.pak";
       },
       "b.bin"},
      {"an entry that is a symlink to the archive",
       [](const TempDir& d) {
         fs::create_symlink(d / "in.pak", d / "out" / "b.bin");
         return d / "in.pak";
       },
       "b.bin"},
      {"the archive is the folder's list",
       [](const TempDir& d) {
         fs::rename(d / "in.pak", d / "out" / "FilesList.txt");
         return d / "out" / "FilesList.txt";
       },
       "FilesList.txt"},
      {"the list is a link to the archive",
       [](const TempDir& d) {
         fs::create_symlink(d / "in.pak", d / "out" / "FilesList.txt");
         return d / "in.pak";
       },
       "FilesList.txt"},
  };
  const Bytes bytes = MakeArchive({{u"a.bin", {1}}, {u"b.bin", {2}}, {u"in.pak", {3}}});
  for (const auto& c : cases) {
    for (int way = 0; way < 2; ++way) {
      TempDir dir;
      fs::create_directory(dir / "out");
      WriteFile(dir / "in.pak", bytes);
      const fs::path source = c.arrange(dir);
      const auto before = ListDir(dir / "out");
      auto archive = OpenBothWays(source)[static_cast<std::size_t>(way)];
      ASSERT_TRUE(archive.ok()) << c.what;
      pak::Status status = pak::ExtractAll(Fs(), *archive, dir / "out", Cp());
      EXPECT_EQ(status.kind(), Kind::kRefused) << c.what << ": " << status.message();
      EXPECT_TRUE(Has(status, c.must_name)) << status.message();
      EXPECT_EQ(ListDir(dir / "out"), before) << c.what;
      EXPECT_EQ(ReadFile(source), bytes) << c.what;
    }
  }
}

TEST(HostileArchiveAsTarget, AnArchiveBesideItsEntriesIsFine) {
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"a.bin", {1}}}));
  auto archive = pak::OpenPakFile(Fs(), dir / "in.pak");
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir.path(), Cp()).ok());
  EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"FilesList.txt", "a.bin", "in.pak"}));
}

// ---- 3. Pack overwriting its own input ----

TEST(HostilePackTarget, RefusesATargetThatIsAnInput) {
  struct Case {
    const char* what;
    const char* target;  // relative to the test folder
    const char* link;    // when set: made a symlink to this file in the folder first
  };
  const Case cases[] = {
      {"a member", "x/member.bin", nullptr},
      {"the list", "x/FilesList.txt", nullptr},
      {"the list in other letter case", "x/fileslist.TXT", nullptr},
      {"a link to a member", "link.pak", "x/member.bin"},
      {"a link to the list", "link.pak", "x/FilesList.txt"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    fs::create_directory(dir / "x");
    WriteFile(dir / "x" / "member.bin", std::string("member"));
    WriteFile(dir / "x" / "other.bin", std::string("other"));
    WriteFile(dir / "x" / "FilesList.txt", std::string("member.bin\r\nother.bin\r\n"));
    if (std::strcmp(c.target, "x/fileslist.TXT") == 0) {
      fs::rename(dir / "x" / "FilesList.txt", dir / "x" / "fileslist.TXT");
    }
    if (c.link != nullptr) fs::create_symlink(dir / c.link, dir / c.target);
    auto scan = pak::ScanFolder(Fs(), dir / "x", Cp());
    ASSERT_TRUE(scan.ok());
    const auto before = ListDir(dir / "x");
    pak::Status status = pak::PackFolder(Fs(), dir / "x", scan->files, dir / c.target);
    EXPECT_EQ(status.kind(), Kind::kRefused) << c.what << ": " << status.message();
    EXPECT_EQ(ListDir(dir / "x"), before) << c.what;
    EXPECT_EQ(ReadText(dir / "x" / "member.bin"), "member") << c.what;
  }
}

// ---- 4 and 5. Interruptions ----

// Runs `body` in a child process and returns how it ended: the exit code, or 128 + signal.
int InChild(const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

std::vector<std::string> Hidden(const fs::path& folder) {
  std::vector<std::string> hidden;
  for (auto& name : ListDir(folder)) {
    if (name[0] == '.') hidden.push_back(name);
  }
  return hidden;
}

TEST(HostileInterruption, AKilledExtractionLeavesNoFileWithOtherBytes) {
  // The process dies at every write in turn, staging unnamed or under a hidden name.
  const Bytes big(300000, 7);
  const auto archive =
      pak::ParsePak(MakeArchive({{u"a.bin", {1}}, {u"big.bin", big}, {u"c.bin", {3}}}));
  ASSERT_TRUE(archive.ok());
  for (bool unnamed : {true, false}) {
    for (int die_at = 1; die_at <= 4; ++die_at) {
      TempDir dir;
      WriteFile(dir / "c.bin", std::string("old c"));
      WriteFile(dir / "FilesList.txt", std::string("old list\r\n"));
      const int ended = InChild([&] {
        FaultyFileSystem faulty;
        faulty.unnamed_files = unnamed;
        faulty.before_write = [&](int n) {
          if (n == die_at) ::kill(::getpid(), SIGKILL);
        };
        (void)pak::ExtractAll(faulty, *archive, dir.path(), Cp());
      });
      EXPECT_EQ(ended, 128 + SIGKILL);
      // Each name holds the entry's bytes or is absent (or, for c.bin, still the old file).
      if (fs::exists(dir / "a.bin")) {
        EXPECT_EQ(ReadFile(dir / "a.bin"), (Bytes{1}));
      }
      if (fs::exists(dir / "big.bin")) {
        EXPECT_EQ(ReadFile(dir / "big.bin"), big);
      }
      const std::string c = ReadText(dir / "c.bin");
      EXPECT_TRUE(c == "old c" || c == "\x03") << c;
      EXPECT_EQ(ReadText(dir / "FilesList.txt"), "old list\r\n") << die_at;
      // A SIGKILL cannot be handled: only unnamed files promise that nothing is left.
      if (unnamed) {
        EXPECT_TRUE(Hidden(dir.path()).empty()) << die_at;
      }
    }
  }
}

TEST(HostileInterruption, SignalsRemoveTheTemporaries) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    for (bool packing : {true, false}) {
      TempDir dir;
      WriteFile(dir / "a.ogg", Bytes(1000, 1));
      WriteFile(dir / "b.ogg", Bytes(1000, 2));
      WriteFile(dir / "old.pak", std::string("the old archive"));
      fs::create_directory(dir / "out");
      const int ended = InChild([&] {
        FaultyFileSystem faulty;  // named temporaries, as where unnamed files are missing
        faulty.before_write = [&](int n) {
          if (n == 2) ::raise(signal_number);
        };
        if (packing) {
          (void)pak::PackFolder(faulty, dir.path(), Names{u"a.ogg", u"b.ogg"}, dir / "old.pak");
        } else {
          auto archive = pak::ParsePak(MakeArchive({{u"x", {1}}, {u"y", {2}}}));
          (void)pak::ExtractAll(faulty, *archive, dir / "out", Cp());
        }
      });
      EXPECT_EQ(ended, 128 + signal_number);
      EXPECT_EQ(Hidden(dir.path()), std::vector<std::string>{}) << signal_number << " " << packing;
      EXPECT_EQ(Hidden(dir / "out"), std::vector<std::string>{}) << signal_number << " " << packing;
      EXPECT_EQ(ReadText(dir / "old.pak"), "the old archive");
    }
  }
}

TEST(HostileInterruption, EveryTemporaryIsRemovedHoweverManyAreOpen) {
  // Named temporaries, as where unnamed files are missing; some are freed and taken again, so
  // that reused entries are removed too.
  for (int count : {1, 40, 300}) {
    for (int signal_number : {SIGINT, SIGTERM}) {
      TempDir dir;
      WriteFile(dir / "keep.ogg", std::string("kept"));
      const int ended = InChild([&] {
        std::vector<std::unique_ptr<pak::OutputFile>> open;
        for (int i = 0; i < count; ++i) {
          pak::Path created;
          auto file =
              Fs().CreateTemporary(dir.path(), u"t" + pak::FromUtf8(std::to_string(i)), &created);
          if (!file.ok()) ::_exit(2);
          if (i % 10 == 9 && !Fs().Remove(created).ok()) ::_exit(3);
          open.push_back(std::move(file).value());
        }
        ::raise(signal_number);
        ::_exit(4);
      });
      EXPECT_EQ(ended, 128 + signal_number) << count;
      EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"keep.ogg"}) << count;
    }
  }
}

// ---- Few open files allowed ----

// With 64 descriptors at most (macOS allows 256 by default), extracting 400 entries over an
// earlier extraction keeps fewer files waiting for their flush than the process may open.
TEST(HostileLimits, ReExtractingUnderALowOpenFileLimitWritesEveryFile) {
  std::vector<RawEntry> entries;
  for (int i = 0; i < 400; ++i) {
    entries.push_back({u"e" + pak::FromUtf8(std::to_string(i)) + u".bin",
                       Bytes(static_cast<std::size_t>(100 + i), static_cast<std::uint8_t>(i))});
  }
  const auto archive = pak::ParsePak(MakeArchive(entries));
  ASSERT_TRUE(archive.ok());
  for (bool unnamed : {true, false}) {
    TempDir dir;
    ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir.path(), Cp()).ok());
    for (int i = 0; i < 400; i += 3) {
      WriteFile(dir / ("e" + std::to_string(i) + ".bin"), std::string("old"));
    }
    const int ended = InChild([&] {
      const struct rlimit limit = {64, 64};
      if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) ::_exit(2);
      FaultyFileSystem faulty;
      faulty.unnamed_files = unnamed;
      faulty.sync_file_system = true;  // the files' flushes are not what is tested here
      const pak::Status status = pak::ExtractAll(faulty, *archive, dir.path(), Cp());
      if (!status.ok()) {
        std::fprintf(stderr, "%s\n", status.message().c_str());
        ::_exit(1);
      }
    });
    EXPECT_EQ(ended, 0) << unnamed;
    for (int i = 0; i < 400; ++i) {
      ASSERT_EQ(ReadFile(dir / ("e" + std::to_string(i) + ".bin")), entries[i].data) << i;
    }
    EXPECT_EQ(Hidden(dir.path()), std::vector<std::string>{});
  }
}

// The real system's answer follows the soft limit and what the process holds open.
TEST(HostileLimits, SpareFileHandlesCountWhatIsOpen) {
  const int ended = InChild([] {
    const struct rlimit limit = {64, 64};
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) ::_exit(2);
    const std::size_t before = Fs().SpareFileHandles();
    if (before == 0 || before > 64 - 3 - 16) ::_exit(3);
    std::vector<int> held;
    for (int i = 0; i < 10; ++i) held.push_back(::open("/dev/null", O_RDONLY));
    if (Fs().SpareFileHandles() != before - 10) ::_exit(4);
    for (int i = 0; i < 100; ++i) held.push_back(::open("/dev/null", O_RDONLY));
    if (Fs().SpareFileHandles() != 0) ::_exit(5);
  });
  EXPECT_EQ(ended, 0);
}

TEST(HostileInterruption, ALeftoverTemporaryIsNeverPackedOrCounted) {
  TempDir dir;
  WriteFile(dir / "a.ogg", Bytes{1});
  WriteFile(dir / ".out.pak.tmp4242-0", std::string("half an archive"));
  WriteFile(dir / ".a.ogg.tmp4242-1", std::string("half a file"));
  for (bool with_list : {false, true}) {
    if (with_list) WriteFile(dir / "FilesList.txt", std::string("a.ogg\r\n"));
    auto scan = pak::ScanFolder(Fs(), dir.path(), Cp());
    ASSERT_TRUE(scan.ok());
    EXPECT_EQ(scan->files, (Names{u"a.ogg"}));
    const auto diff = pak::CompareNames(*scan);
    EXPECT_TRUE(diff.added.empty() || !with_list);
    EXPECT_FALSE(diff.needs_confirmation);
  }
}

// ---- 6. Special files ----

TEST(HostileSpecialFiles, AreRefusedWithoutBlocking) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  fs::create_directory(dir / "folder");
  fs::create_symlink("/dev/null", dir / "device");
  struct Case {
    const char* name;
    const char* says;
  };
  const Case cases[] = {{"fifo", "named pipe"}, {"folder", "folder"}, {"device", "device"}};
  for (const auto& c : cases) {
    // Reading an archive: every way a program opens one.
    for (auto& archive : OpenBothWays(dir / c.name)) {
      ASSERT_FALSE(archive.ok()) << c.name;
      EXPECT_TRUE(Has(archive.status(), c.says)) << archive.status().message();
    }
  }
  // Packing: a listed file that is a FIFO stops the pack, with nothing written.
  WriteFile(dir / "a.ogg", Bytes{1});
  pak::Status status = pak::PackFolder(Fs(), dir.path(), Names{u"a.ogg", u"fifo"}, dir / "o.pak");
  EXPECT_TRUE(Has(status, "named pipe")) << status.message();
  EXPECT_FALSE(fs::exists(dir / "o.pak"));
  // The folder scan does not offer special files at all.
  auto scan = pak::ScanFolder(Fs(), dir.path(), Cp());
  ASSERT_TRUE(scan.ok());
  EXPECT_EQ(scan->files, (Names{u"a.ogg"}));
  // A FilesList.txt that is a FIFO is no list, and does not hang the scan.
  ASSERT_EQ(::mkfifo((dir / "FilesList.txt").c_str(), 0644), 0);
  scan = pak::ScanFolder(Fs(), dir.path(), Cp());
  ASSERT_TRUE(scan.ok());
  EXPECT_FALSE(scan->files_list_found);
}

// ---- 7. Folders that cannot be written ----

TEST(HostilePermissions, AReadOnlyFolderChangesNothingAndReportsTheRealError) {
  TempDir dir;
  testing_support::OpenForOthers(dir.path());
  fs::create_directory(dir / "ro");
  WriteFile(dir / "ro" / "FilesList.txt", std::string("old list\r\n"));
  fs::permissions(dir / "ro" / "FilesList.txt", fs::perms::all);
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  const auto archive = pak::ParsePak(MakeArchive({{u"a.bin", {1}}}));
  // The child reports: 0 all as it should be; otherwise the number of the check that failed.
  const int result = testing_support::RunUnprivileged([&]() -> int {
    for (bool unnamed : {true, false}) {
      FaultyFileSystem staged;
      staged.unnamed_files = unnamed;
      pak::Status status = pak::ExtractAll(staged, *archive, dir / "ro", Cp());
      if (status.error_number() != EACCES) return 10 + status.error_number() % 100;
      if (!Has(status, std::strerror(EACCES))) return 2;
    }
    pak::Path temporary;
    auto created = Fs().CreateTemporary(dir / "ro", u"new.bin", &temporary);
    if (created.ok() || created.status().error_number() != EACCES) return 3;
    return 0;
  });
  EXPECT_EQ(result, 0) << "see the check in the child; 10 + n: error number n";
  EXPECT_EQ(ReadText(dir / "ro" / "FilesList.txt"), "old list\r\n");
  EXPECT_EQ(ListDir(dir / "ro"), (std::vector<std::string>{"FilesList.txt"}));
}

// ---- 8 and 9. Names the system cannot hold; names extraction would refuse ----

TEST(HostileNames, TheHostsLengthLimitIsPartOfTheCheck) {
  const std::u16string e_acute(1, u'\u00E9');
  auto repeat = [](const std::u16string& s, int n) {
    std::u16string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
  };
  struct Case {
    std::u16string name;
    bool posix_ok, windows_ok;
  };
  const Case cases[] = {
      {repeat(e_acute, 127), true, true},   // 254 bytes of UTF-8
      {repeat(e_acute, 128), false, true},  // 256 bytes
      {repeat(e_acute, 200), false, true},  // 400 bytes
      {repeat(u"a", 255), true, true},     {repeat(u"a", 256), false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pak::CheckEntryName(c.name, 0, pak::NameRules::kPosix).ok(), c.posix_ok)
        << c.name.size();
    EXPECT_EQ(pak::CheckEntryName(c.name, 0, pak::NameRules::kWindows).ok(), c.windows_ok)
        << c.name.size();
  }
  // Extraction refuses the archive before writing its first, harmless entry.
  TempDir dir;
  const auto archive =
      pak::ParsePak(MakeArchive({{u"first.bin", {1}}, {repeat(e_acute, 200), {2}}}));
  ASSERT_TRUE(archive.ok());
  pak::Status status = pak::ExtractAll(Fs(), *archive, dir.path(), Cp(), pak::NameRules::kPosix);
  EXPECT_EQ(status.kind(), Kind::kRefused);
  EXPECT_TRUE(Has(status, "entry 2")) << status.message();
  EXPECT_TRUE(ListDir(dir.path()).empty());
}

TEST(HostileNames, PackRefusesWhatExtractionWouldRefuseAnywhere) {
  const std::u16string long_utf8(128, u'\u00E9');
  const Names refused = {u"bell\u0007.ogg", u"a\\b.ogg",  u"a:b.ogg",   u"con.txt", u"trailing.",
                         u"space ",         u"what?.ogg", u"pipe|.ogg", u"nul",     long_utf8,
                         u"FilesList.txt"};
  for (const auto& name : refused) {
    pak::Status status = pak::CheckPackNames(Names{u"fine.ogg", name});
    EXPECT_EQ(status.kind(), Kind::kRefused) << pak::EscapeControls(pak::ToUtf8(name));
    EXPECT_TRUE(Has(status, pak::ToUtf8(name))) << status.message();
  }
  EXPECT_TRUE(pak::CheckPackNames(Names{u".hidden.ogg", u"caf\u00E9.ogg", u"a b.c.ogg"}).ok());
}

// ---- 10. Round trip of every entry ----

TEST(HostileRoundTrip, EntriesStartingWithADotPackBack) {
  TempDir dir;
  const Bytes original = MakeArchive({{u".dot.wav", {1}}, {u"b.bin", {2}}, {u".cfg", {3}}});
  WriteFile(dir / "in.pak", original);
  fs::create_directory(dir / "x");
  auto archive = pak::LoadPakFile(Fs(), dir / "in.pak");
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir / "x", Cp()).ok());
  WriteFile(dir / "x" / ".unrecorded", std::string("stays out"));
  auto scan = pak::ScanFolder(Fs(), dir / "x", Cp());
  ASSERT_TRUE(scan.ok());
  EXPECT_EQ(scan->files, (Names{u".cfg", u".dot.ogg", u"b.bin"}));
  const auto diff = pak::CompareNames(*scan);
  EXPECT_TRUE(diff.deleted.empty());
  EXPECT_FALSE(diff.needs_confirmation);
  // In archive order, the packed archive is the original byte for byte.
  ASSERT_TRUE(
      pak::PackFolder(Fs(), dir / "x", Names{u".dot.ogg", u"b.bin", u".cfg"}, dir / "o.pak").ok());
  EXPECT_EQ(ReadFile(dir / "o.pak"), original);
}

TEST(HostileRoundTrip, ARecordedNameThatLeavesTheFolderIsNeverLookedUp) {
  TempDir dir;
  fs::create_directory(dir / "x");
  WriteFile(dir / "outside", std::string("secret"));
  WriteFile(dir / "x" / "FilesList.txt", std::string("../outside\r\n"));
  auto scan = pak::ScanFolder(Fs(), dir / "x", Cp());
  ASSERT_TRUE(scan.ok());
  EXPECT_TRUE(scan->files.empty());
}

}  // namespace
