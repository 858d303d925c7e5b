// Choosing entries by name and by glob, and extracting only the chosen ones.
#include "codec/select.h"

#include <gtest/gtest.h>

#include "codec/reader.h"
#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using Names = std::vector<std::u16string>;
using Indices = std::vector<std::size_t>;

struct GlobCase {
  const char16_t* pattern;
  const char16_t* name;
  bool matches;
};

TEST(Glob, MatchesLikeAShellIgnoringCase) {
  const GlobCase cases[] = {
      {u"*.ogg", u"a.ogg", true},
      {u"*.ogg", u"A.OGG", true},
      {u"*.ogg", u"a.ogg.bak", false},
      {u"*.ogg", u".ogg", true},  // a leading dot is an ordinary character
      {u"*", u"", true},
      {u"", u"", true},
      {u"", u"a", false},
      {u"a", u"", false},
      {u"a?c", u"abc", true},
      {u"a?c", u"ac", false},
      {u"a?c", u"abbc", false},
      {u"**x", u"x", true},
      {u"*ab", u"aab", true},  // the star must give back what it took
      {u"a*b*c", u"abbbc", true},
      {u"a*b*c", u"abbb", false},
      {u"*a*b", u"xxaybz", false},
      {u"*a*b*", u"xxaybz", true},
      {u"[ab]*", u"bx", true},
      {u"[ab]*", u"cx", false},
      {u"[!ab]*", u"bx", false},
      {u"[^ab]*", u"cx", true},
      {u"[a-c]x", u"Bx", true},
      {u"[A-C]x", u"bx", true},
      {u"[a-c]x", u"dx", false},
      {u"[]]", u"]", true},
      {u"[!]]", u"]", false},
      {u"[!]]", u"a", true},
      {u"[a-]", u"-", true},
      {u"[\\]]", u"]", true},
      {u"[", u"[", true},  // no closing bracket: the bracket stands for itself
      {u"a[b", u"a[b", true},
      {u"a[b", u"ab", false},
      {u"\\*", u"*", true},
      {u"\\*", u"a", false},
      {u"\\?x", u"ax", false},
      {u"\u00e9*", u"\u00c9t\u00e9.ogg", true},  // Latin-1 letters fold too
      {u"level0?_*.ogg", u"level01_music.ogg", true},
      {u"level0?_*.ogg", u"level10_music.ogg", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pak::GlobMatch(c.pattern, c.name), c.matches)
        << pak::ToUtf8(c.pattern) << " against " << pak::ToUtf8(c.name);
  }
}

struct SelectCase {
  const char* what;
  pak::EntrySelection selection;
  Indices chosen;
};

TEST(SelectEntries, ByNameAndPatternInArchiveOrder) {
  const auto archive = Parse(MakeArchive(
      {{u"a.wav", {1}}, {u"b.bin", {2}}, {u"Music.WAV", {3}}, {u"b.bin", {4}}, {u"c.txt", {5}}}));
  const SelectCase cases[] = {
      {"nothing asked: everything", {}, {0, 1, 2, 3, 4}},
      {"a name as on disk", {{u"a.ogg"}, {}, {}}, {0}},
      {"a name in another case", {{u"A.OGG"}, {}, {}}, {0}},
      {"a shared name: both entries", {{u"b.bin"}, {}, {}}, {1, 3}},
      {"names keep archive order", {{u"c.txt", u"a.ogg"}, {}, {}}, {0, 4}},
      {"a name given twice", {{u"c.txt", u"C.TXT"}, {}, {}}, {4}},
      {"include", {{}, {u"*.ogg"}, {}}, {0, 2}},
      {"two includes", {{}, {u"*.ogg", u"c*"}, {}}, {0, 2, 4}},
      {"exclude only", {{}, {}, {u"*.ogg"}}, {1, 3, 4}},
      {"names and includes add up", {{u"c.txt"}, {u"a*"}, {}}, {0, 4}},
      {"exclude wins over include", {{}, {u"*"}, {u"b*", u"m*"}}, {0, 4}},
      {"exclude wins over a name", {{u"a.ogg", u"c.txt"}, {}, {u"a*"}}, {4}},
      {"an include that matches nothing", {{}, {u"zzz*"}, {}}, {}},
  };
  for (const auto& c : cases) {
    auto chosen = pak::SelectEntries(archive, c.selection);
    ASSERT_TRUE(chosen.ok()) << c.what << ": " << chosen.status().message();
    EXPECT_EQ(*chosen, c.chosen) << c.what;
  }
}

TEST(SelectEntries, RefusesNamesTheArchiveDoesNotHoldNamingEachOnce) {
  const auto archive = Parse(MakeArchive({{u"a.wav", {1}}, {u"b.bin", {2}}}));
  // The stored name is not the name on disk.
  auto chosen = pak::SelectEntries(archive, {{u"a.wav"}, {}, {}});
  ASSERT_FALSE(chosen.ok());
  EXPECT_EQ(chosen.status().kind(), pak::Status::Kind::kRefused);
  EXPECT_NE(chosen.status().message().find("\"a.wav\""), std::string::npos);

  chosen = pak::SelectEntries(archive, {{u"x", u"b.bin", u"y", u"X"}, {}, {}});
  ASSERT_FALSE(chosen.ok());
  const std::string& message = chosen.status().message();
  EXPECT_NE(message.find("\"x\", \"y\""), std::string::npos) << message;
  EXPECT_EQ(message.find("b.bin"), std::string::npos) << message;
  EXPECT_EQ(message.find("\"X\""), std::string::npos) << "named twice: " << message;
}

TEST(ExtractSelected, WritesOnlyTheChosenEntriesAndNoList) {
  TempDir dir;
  WriteFile(dir / "b.bin", std::string("an older and longer file"));
  const auto archive =
      Parse(MakeArchive({{u"a.wav", {1}}, {u"b.bin", {2, 3}}, {u"x", {4}}, {u"x", {5}}}));
  const Indices chosen = {1, 2, 3};
  // Everything is written, and the entry whose bytes the later one replaced is named.
  const pak::Status status =
      pak::ExtractSelected(pak::DefaultFileSystem(), archive, dir.path(), chosen);
  EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused);
  EXPECT_NE(status.message().find("entry 3 (\"x\") by entry 4"), std::string::npos)
      << status.message();
  EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"b.bin", "x"}));
  EXPECT_EQ(ReadFile(dir / "b.bin"), (Bytes{2, 3}));
  EXPECT_EQ(ReadFile(dir / "x"), (Bytes{5}));  // the later of two entries of one name
}

TEST(ExtractSelected, RefusesAnUnsafeArchiveAsAWhole) {
  TempDir dir;
  const auto archive = Parse(MakeArchive({{u"ok.bin", {1}}, {u"../escape", {2}}}));
  const Indices chosen = {0};
  const pak::Status status =
      pak::ExtractSelected(pak::DefaultFileSystem(), archive, dir.path(), chosen);
  EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused);
  EXPECT_TRUE(ListDir(dir.path()).empty());
}

TEST(ExtractSelected, AFailedWriteLeavesNoHalfFileAndTheOldOneWhole) {
  TempDir dir;
  WriteFile(dir / "b.bin", std::string("old"));
  const auto archive = Parse(MakeArchive({{u"a.bin", Bytes(10, 1)}, {u"b.bin", Bytes(10, 2)}}));
  const Indices chosen = {0, 1};
  for (int fail_at = 1; fail_at <= 2; ++fail_at) {
    FaultyFileSystem fs;
    fs.fail_write_at = fail_at;
    EXPECT_FALSE(pak::ExtractSelected(fs, archive, dir.path(), chosen).ok()) << fail_at;
    EXPECT_EQ(testing_support::ReadText(dir / "b.bin"), "old") << fail_at;
    const auto left = ListDir(dir.path());
    EXPECT_EQ(left, fail_at == 1 ? (std::vector<std::string>{"b.bin"})
                                 : (std::vector<std::string>{"a.bin", "b.bin"}))
        << fail_at;
    std::filesystem::remove(dir / "a.bin");
  }
}

TEST(ExtractSelected, AStopOrAnIndexPastTheArchiveLeavesOnlyWholeEntries) {
  const auto archive = Parse(MakeArchive({{u"a", {1}}, {u"b", {2}}, {u"c", {3}}}));
  struct Case {
    const char* what;
    Indices chosen;
    std::size_t stop_after;  // entries written before the stop; none past the number chosen
    pak::Status::Kind kind;
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {"stopped before the first", {0, 2}, 0, pak::Status::Kind::kCancelled, {}},
      {"stopped after one", {2, 0}, 1, pak::Status::Kind::kCancelled, {"c"}},
      {"not stopped", {2, 0}, 9, pak::Status::Kind::kOk, {"a", "c"}},
      {"an index past the end", {0, 3}, 9, pak::Status::Kind::kRefused, {}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    StopAfter stop(c.stop_after);
    const pak::Status status =
        pak::ExtractSelected(pak::DefaultFileSystem(), archive, dir.path(), c.chosen,
                             pak::HostNameRules(), stop.progress, &stop.flag);
    EXPECT_EQ(status.kind(), c.kind) << c.what << ": " << status.message();
    EXPECT_EQ(ListDir(dir.path()), c.files) << c.what;
  }
}

TEST(PrivateFolder, OnlyItsUserCanEnterItAndEachIsNew) {
  TempDir parent;
  auto first = pak::CreatePrivateFolder(parent.path(), "unbaler");
  auto second = pak::CreatePrivateFolder(parent.path(), "unbaler");
  ASSERT_TRUE(first.ok()) << first.status().message();
  ASSERT_TRUE(second.ok()) << second.status().message();
  EXPECT_NE(*first, *second);
  EXPECT_EQ(first->parent_path(), parent.path());
  EXPECT_TRUE(first->filename().string().starts_with("unbaler-"));
  EXPECT_TRUE(std::filesystem::is_directory(*first));
  EXPECT_TRUE(std::filesystem::is_empty(*first));
#ifndef _WIN32
  const auto perms = std::filesystem::status(*first).permissions();
  EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
#endif
  // A parent that is not there: a failure, not a folder somewhere else.
  EXPECT_FALSE(pak::CreatePrivateFolder(parent.path() / "missing", "unbaler").ok());
}

}  // namespace
