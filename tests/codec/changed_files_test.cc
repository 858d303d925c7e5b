// Files the user changed after an extraction, and an extraction that keeps them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using std::chrono::seconds;
using Names = std::vector<std::u16string>;
using Positions = std::vector<std::size_t>;

// Sets the modification time of `path` to the list's, moved by `offset`.
void Touch(const std::filesystem::path& path, const std::filesystem::path& list, seconds offset) {
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(list) + offset);
}

TEST(ChangedSinceExtraction, FindsOnlyListedFilesModifiedAfterTheList) {
  struct Case {
    const char* what;
    bool list;         // whether the folder holds FilesList.txt
    seconds a_offset;  // a.txt's time against the list's
    bool a_exists;
    Positions expected;  // positions in {a.txt, b.txt, c.txt}
  };
  const Case cases[] = {
      {"unchanged: as old as the list", true, seconds(0), true, {}},
      {"written before the list", true, seconds(-5), true, {}},
      {"changed after the list", true, seconds(3), true, {0}},
      {"removed by the user", true, seconds(3), false, {}},
      {"no list: nothing was extracted", false, seconds(3), true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    // b.txt is listed and old; c.txt is new but the list never named it (not extracted).
    WriteFile(dir / "FilesList.txt", std::string("a.txt\r\nb.txt\r\n"));
    if (c.a_exists) WriteFile(dir / "a.txt", std::string("mine"));
    WriteFile(dir / "b.txt", std::string("archive's"));
    WriteFile(dir / "c.txt", std::string("mine"));
    if (c.a_exists) Touch(dir / "a.txt", dir / "FilesList.txt", c.a_offset);
    Touch(dir / "b.txt", dir / "FilesList.txt", seconds(-1));
    Touch(dir / "c.txt", dir / "FilesList.txt", seconds(10));
    if (!c.list) std::filesystem::remove(dir / "FilesList.txt");
    auto changed = pak::ChangedSinceExtraction(
        Fs(), dir.path(), Names{u"a.txt", u"b.txt", u"c.txt"}, Cp(), pak::NameRules::kPosix);
    ASSERT_TRUE(changed.ok()) << changed.status().message();
    EXPECT_EQ(*changed, c.expected);
  }
}

TEST(ChangedSinceExtraction, WindowsRulesMatchTheListIgnoringCase) {
  TempDir dir;
  WriteFile(dir / "FilesList.txt", std::string("Game.INI\r\n"));
  WriteFile(dir / "game.ini", std::string("mine"));
  Touch(dir / "game.ini", dir / "FilesList.txt", seconds(3));
  const Names names{u"game.ini"};
  auto windows =
      pak::ChangedSinceExtraction(Fs(), dir.path(), names, Cp(), pak::NameRules::kWindows);
  auto posix = pak::ChangedSinceExtraction(Fs(), dir.path(), names, Cp(), pak::NameRules::kPosix);
  ASSERT_TRUE(windows.ok() && posix.ok());
  EXPECT_EQ(*windows, Positions{0});
  EXPECT_EQ(*posix, Positions{});
}

TEST(ChangedSinceExtraction, AFreshExtractionChangesNothingAndAnEditShows) {
  TempDir dir;
  const auto archive = Parse(MakeArchive({{u"a.wav", {1}}, {u"b.ini", {2}}}));
  ASSERT_TRUE(pak::ExtractAll(Fs(), archive, dir.path(), Cp()).ok());
  const Names names{u"a.ogg", u"b.ini"};
  auto changed = pak::ChangedSinceExtraction(Fs(), dir.path(), names, Cp());
  ASSERT_TRUE(changed.ok());
  EXPECT_EQ(*changed, Positions{});
  WriteFile(dir / "b.ini", std::string("edited"));
  Touch(dir / "b.ini", dir / "FilesList.txt", seconds(1));
  changed = pak::ChangedSinceExtraction(Fs(), dir.path(), names, Cp());
  ASSERT_TRUE(changed.ok());
  EXPECT_EQ(*changed, Positions{1});
}

TEST(ExtractKeeping, KeptFilesStayListedAndStillReadAsChangedAfterward) {
  TempDir dir;
  const auto archive = Parse(MakeArchive({{u"a.ogg", {1}}, {u"b.ini", {2}}, {u"c.txt", {3}}}));
  ASSERT_TRUE(pak::ExtractAll(Fs(), archive, dir.path(), Cp()).ok());
  // Extracted ten seconds ago, b.ini edited five seconds ago: the new list will be later than
  // the edit.
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(dir / "FilesList.txt", now - seconds(10));
  WriteFile(dir / "b.ini", std::string("edited"));
  std::filesystem::last_write_time(dir / "b.ini", now - seconds(5));
  WriteFile(dir / "a.ogg", std::string("stale"));
  std::filesystem::last_write_time(dir / "a.ogg", now - seconds(20));
  const std::size_t kept[] = {1};
  ASSERT_TRUE(
      pak::ExtractAll(Fs(), archive, dir.path(), Cp(), pak::HostNameRules(), {}, nullptr, kept)
          .ok());
  EXPECT_EQ(ReadText(dir / "b.ini"), "edited");
  EXPECT_EQ(ReadFile(dir / "a.ogg"), (Bytes{1}));
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "a.ogg\r\nb.ini\r\nc.txt\r\n");
  auto changed =
      pak::ChangedSinceExtraction(Fs(), dir.path(), Names{u"a.ogg", u"b.ini", u"c.txt"}, Cp());
  ASSERT_TRUE(changed.ok());
  EXPECT_EQ(*changed, Positions{1});
}

TEST(ExtractKeeping, AFailureAtTheFirstWrittenEntryLeavesTheOldListAndKeptFiles) {
  TempDir dir;
  const auto archive = Parse(MakeArchive({{u"a.ini", {1}}, {u"b.bin", {2}}}));
  WriteFile(dir / "FilesList.txt", std::string("a.ini\r\n"));
  WriteFile(dir / "a.ini", std::string("edited"));
  FaultyFileSystem faulty;
  faulty.fail_write_at = 1;
  const std::size_t kept[] = {0};
  EXPECT_FALSE(
      pak::ExtractAll(faulty, archive, dir.path(), Cp(), pak::HostNameRules(), {}, nullptr, kept)
          .ok());
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "a.ini\r\n");
  EXPECT_EQ(ReadText(dir / "a.ini"), "edited");
  EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"FilesList.txt", "a.ini"}));
}

}  // namespace
