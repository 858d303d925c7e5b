// Unbaler's work on chosen entries: extracting those selected in the list from its context menu,
// and opening one entry with the system's program, with fake services on real folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "codec/text.h"
#include "extractor/unbaler_logic.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include "tests/support/fakes.h"
#include "tests/support/test_support.h"

namespace {

using extractor::UnbalerLogic;
using namespace testing_support;  // the shared test helpers and fakes
using Files = std::vector<std::string>;
using Rows = std::vector<std::size_t>;
using shell::ListCommand;
namespace fs = std::filesystem;

// In the archive: B.bin, A.wav, c.txt, x, x. The list shows A.ogg, B.bin, c.txt, x, x.
Bytes Sample() {
  return MakeArchive(
      {{u"B.bin", {2}}, {u"A.wav", {1, 1}}, {u"c.txt", {3}}, {u"x", {4}}, {u"x", {5}}});
}

class EntriesTest : public ::testing::Test {
 protected:
  EntriesTest() : logic(view, dialog, box, folders, pak::DefaultFileSystem(), pak::Windows1252()) {
    logic.SetLauncher(launcher);
    logic.OnLoaded();
  }
  void List(const Bytes& archive) {
    WriteFile(work / "a.pak", archive);
    dialog.answers.push_back(U16(work / "a.pak"));
    logic.OnSelectFile();
  }
  // Select Dir chooses `folder`, and so does every folder dialog after it (Extract Selected's).
  void ChooseFolder(const fs::path& folder) {
    folders.Choose(U16(folder));
    folders.answer = U16(folder);
    logic.OnSelectDir();
  }
  // Whether each item of the menu is on, in order.
  // Whether each of the two extraction items is on.
  std::vector<bool> MenuStates() {
    std::vector<bool> states;
    for (const shell::ListMenuItem& item : logic.ListMenu()) {
      if (item.command == ListCommand::kExtractSelected ||
          item.command == ListCommand::kExtractAll) {
        states.push_back(item.enabled);
      }
    }
    return states;
  }
  // Whether Replace Entry… is on.
  bool ReplaceOn() {
    for (const shell::ListMenuItem& item : logic.ListMenu()) {
      if (item.command == ListCommand::kReplaceEntry) return item.enabled;
    }
    return false;
  }

  TempDir work, out;
  FakeView view;
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  FakeLauncher launcher;
  UnbalerLogic logic;
};

TEST_F(EntriesTest, TheSelectionDecidesWhatIsWrittenAndOnlyAllWritesTheList) {
  struct Case {
    const char* what;
    Rows selected;
    ListCommand command;
    bool selected_enabled;  // "Extract Selected Files…" in the menu
    Files written;
    std::u16string status;  // before the folder
    // Part of the box of an extraction that wrote both entries named "x": the earlier one's
    // bytes are in no file.
    std::u16string box = u"";
  };
  const Case cases[] = {
      {"nothing selected", {}, ListCommand::kExtractSelected, false, {}, u""},
      {"one", {0}, ListCommand::kExtractSelected, true, {"A.ogg"}, u"1 file extracted into "},
      {"several",
       {2, 0},
       ListCommand::kExtractSelected,
       true,
       {"A.ogg", "c.txt"},
       u"2 files extracted into "},
      {"every item",
       {0, 1, 2, 3, 4},
       ListCommand::kExtractSelected,
       true,
       {"A.ogg", "B.bin", "c.txt", "x"},
       u"",
       u"entry 4 (\"x\") by entry 5 (\"x\")"},
      {"an item past the list",
       {1, 9},
       ListCommand::kExtractSelected,
       true,
       {"B.bin"},
       u"1 file extracted into "},
      {"all, whatever is selected",
       {1},
       ListCommand::kExtractAll,
       true,
       {"A.ogg", "B.bin", "FilesList.txt", "c.txt", "x"},
       u"",
       u"entry 4 (\"x\") by entry 5 (\"x\")"},
  };
  List(Sample());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    ChooseFolder(folder.path());
    view.selected = c.selected;
    view.statuses.clear();
    EXPECT_EQ(MenuStates(), (std::vector<bool>{c.selected_enabled, true}));
    logic.OnListCommand(c.command);
    if (c.box.empty()) {
      EXPECT_TRUE(box.shown.empty());
    } else {
      ASSERT_EQ(box.shown.size(), 1u);
      EXPECT_NE(box.shown[0].text.find(c.box), std::u16string::npos);
      box.shown.clear();
    }
    EXPECT_EQ(ListDir(folder.path()), c.written);
    EXPECT_EQ(logic.status_text(), c.status.empty() ? u"" : c.status + U16(folder.path()));
  }
}

TEST_F(EntriesTest, SortingAndTheFilterChangeWhatIsShownAndWhatTheRowsExtract) {
  // Each step, then the rows shown, their sizes, the summary, and what extracting the selected
  // row 0 writes.
  const struct {
    const char* what;
    std::optional<ListCommand> sort;
    std::optional<std::u16string> filter;
    std::vector<std::u16string> items;
    std::vector<std::u16string> sizes;
    std::u16string summary;
    Files first;
  } kSteps[] = {
      {"as listed: by name",
       {},
       {},
       {u"A.ogg", u"B.bin", u"c.txt", u"x", u"x"},
       {u"2 bytes", u"1 byte", u"1 byte", u"1 byte", u"1 byte"},
       u"5 entries, 6 bytes",
       {"A.ogg"}},
      {"by size",
       ListCommand::kSortBySize,
       {},
       {u"A.ogg", u"B.bin", u"c.txt", u"x", u"x"},
       {u"2 bytes", u"1 byte", u"1 byte", u"1 byte", u"1 byte"},
       u"5 entries, 6 bytes",
       {"A.ogg"}},
      {"archive order",
       ListCommand::kSortStored,
       {},
       {u"B.bin", u"A.ogg", u"c.txt", u"x", u"x"},
       {u"1 byte", u"2 bytes", u"1 byte", u"1 byte", u"1 byte"},
       u"5 entries, 6 bytes",
       {"B.bin"}},
      {"filtered, in archive order",
       {},
       u"X",  // c.txt holds an x too
       {u"c.txt", u"x", u"x"},
       {u"1 byte", u"1 byte", u"1 byte"},
       u"3 of 5 entries, 3 bytes",
       {"c.txt"}},
      {"filtered by extension, by name",
       ListCommand::kSortByName,
       u".T",
       {u"c.txt"},
       {u"1 byte"},
       u"1 of 5 entries, 1 byte",
       {"c.txt"}},
      {"filter cleared",
       {},
       u"",
       {u"A.ogg", u"B.bin", u"c.txt", u"x", u"x"},
       {u"2 bytes", u"1 byte", u"1 byte", u"1 byte", u"1 byte"},
       u"5 entries, 6 bytes",
       {"A.ogg"}},
  };
  List(Sample());
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.what);
    if (step.sort) logic.OnListCommand(*step.sort);
    if (step.filter) logic.OnFilter(*step.filter);
    EXPECT_EQ(view.items, step.items);
    EXPECT_EQ(view.sizes, step.sizes);
    EXPECT_EQ(view.status(), step.summary);
    std::vector<bool> checked;
    for (const shell::ListMenuItem& item : logic.ListMenu()) checked.push_back(item.checked);
    EXPECT_EQ(std::count(checked.begin(), checked.end(), true), 1);

    TempDir folder;
    ChooseFolder(folder.path());
    view.selected = {0};
    logic.OnListCommand(ListCommand::kExtractSelected);
    EXPECT_EQ(ListDir(folder.path()), step.first);
    folders.Cancel();
    logic.OnSelectDir();  // clears the extraction's line: the summary is back
  }
  // Opening a row opens the entry it shows.
  logic.OnFilter(u"C");
  logic.OnOpenItem(0);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0].file.filename(), "c.txt");
  EXPECT_EQ(launcher.opened[0].bytes, std::string(1, '\3'));
}

TEST_F(EntriesTest, OfTwoSelectedEntriesOfOneNameTheLaterInTheArchiveWins) {
  List(Sample());
  ChooseFolder(out.path());
  for (const Rows& rows : {Rows{3, 4}, Rows{4, 3}}) {
    view.selected = rows;
    logic.OnListCommand(ListCommand::kExtractSelected);
    EXPECT_EQ(ReadFile(out / "x"), (Bytes{5}));
  }
}

// An earlier extraction of a.ini, b.bin and c.txt into `out`, ten seconds ago, and a.ini and
// c.txt edited by the user since.
class ChangedFilesTest : public EntriesTest {
 protected:
  void SetUp() override {
    logic.SetChoiceBox(choices);
    choices.answer = shell::ChoiceBox::Answer::kFirst;  // over a case before: replace all
    List(MakeArchive({{u"a.ini", {1}}, {u"b.bin", {2}}, {u"c.txt", {3}}}));
    ChooseFolder(out.path());
    logic.OnMainCommand();
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(out / "FilesList.txt", now - std::chrono::seconds(10));
    for (const char* name : {"a.ini", "c.txt"}) {
      WriteFile(out / name, std::string("mine"));
      fs::last_write_time(out / name, now - std::chrono::seconds(5));
    }
    WriteFile(out / "b.bin", std::string("stale"));
    fs::last_write_time(out / "b.bin", now - std::chrono::seconds(20));
    view.statuses.clear();
  }
  std::vector<std::string> Contents() {
    return {ReadText(out / "a.ini"), ReadText(out / "b.bin"), ReadText(out / "c.txt")};
  }
  FakeChoiceBox choices;
};

TEST_F(ChangedFilesTest, ExtractFilesAsksAndWritesWhatTheAnswerSays) {
  using Answer = shell::ChoiceBox::Answer;
  struct Case {
    const char* what;
    Answer answer;
    std::vector<std::string> contents;  // a.ini, b.bin, c.txt afterwards
    bool extracted;                     // whether the status says files were extracted
  };
  const Case cases[] = {
      {"replace", Answer::kFirst, {"\x01", "\x02", "\x03"}, true},
      {"keep my files", Answer::kSecond, {"mine", "\x02", "mine"}, true},
      {"cancel", Answer::kCancel, {"mine", "stale", "mine"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();  // afresh
    choices.asked.clear();
    choices.answer = c.answer;
    logic.OnMainCommand();
    ASSERT_EQ(choices.asked.size(), 1u);
    EXPECT_EQ(choices.asked[0].text,
              u"2 files in " + U16(out.path()) +
                  u" were changed after they were extracted: a.ini, c.txt. Replace them with the "
                  u"archive's version?");
    EXPECT_EQ(choices.asked[0].first, u"Replace");
    EXPECT_EQ(choices.asked[0].second, u"Keep my files");
    EXPECT_EQ(choices.asked[0].cancel, u"Cancel");
    EXPECT_EQ(Contents(), c.contents);
    EXPECT_EQ(view.status().starts_with(c.answer == Answer::kSecond ? u"1 file extracted"
                                                                    : u"3 files extracted"),
              c.extracted);
    EXPECT_TRUE(box.shown.empty());
  }
  // Kept files are still the user's at the next extraction: asked again, about the same files.
  choices.asked.clear();
  choices.answers = {Answer::kSecond, Answer::kCancel};
  logic.OnMainCommand();
  logic.OnMainCommand();
  ASSERT_EQ(choices.asked.size(), 2u);
  EXPECT_EQ(choices.asked[1].text, choices.asked[0].text);
}

TEST_F(ChangedFilesTest, ExtractSelectedAsksForTheFolderEveryTimeAndOnlyAboutTheSelection) {
  choices.answer = shell::ChoiceBox::Answer::kSecond;
  view.selected = {1, 2};  // b.bin and c.txt
  folders.requests.clear();
  logic.OnListCommand(ListCommand::kExtractSelected);
  ASSERT_EQ(folders.requests.size(), 1u);
  EXPECT_EQ(folders.requests[0].initial_path, U16(out.path()));
  ASSERT_EQ(choices.asked.size(), 1u);
  EXPECT_NE(choices.asked[0].text.find(u"1 file in "), std::u16string::npos);
  EXPECT_NE(choices.asked[0].text.find(u": c.txt. Replace it"), std::u16string::npos);
  EXPECT_EQ(Contents(), (std::vector<std::string>{"mine", "\x02", "mine"}));
  // A cancelled folder dialog extracts nothing, and asks nothing.
  folders.Cancel();
  logic.OnListCommand(ListCommand::kExtractSelected);
  EXPECT_EQ(folders.requests.size(), 2u);
  EXPECT_EQ(choices.asked.size(), 1u);
}

TEST(ChangedFilesText, ShowsAFewEscapedNamesThenHowManyMore) {
  const std::vector<std::u16string> seven{u"1", u"2", u"3", u"4", u"5", u"6", u"7"};
  EXPECT_EQ(extractor::ChangedFilesText(u"D", seven),
            u"7 files in D were changed after they were extracted: 1, 2, 3, 4, 5, and 2 more. "
            u"Replace them with the archive's version?");
  // A name cannot break the text: its controls are escaped, and a "%2" in it stays as it is.
  const std::u16string one = extractor::ChangedFilesText(u"D", {u"a\nb%2"});
  EXPECT_EQ(one.find(u'\n'), std::u16string::npos);
  EXPECT_NE(one.find(u"%2"), std::u16string::npos);
  EXPECT_TRUE(one.starts_with(u"1 file in D was changed")) << pak::ToUtf8(one);
}

TEST_F(EntriesTest, TheMenuNamesItsCommandsAndIsOffWithoutAnArchiveOrWhileWorkRuns) {
  const auto texts = [&] {
    std::vector<std::u16string> shown;
    for (const shell::ListMenuItem& item : logic.ListMenu()) shown.emplace_back(item.text);
    return shown;
  };
  EXPECT_EQ(texts(),
            (std::vector<std::u16string>{u"Extract Selected Files\u2026", u"Extract All Files",
                                         u"Replace Entry\u2026", u"Sort by Name", u"Sort by Size",
                                         u"Archive Order"}));
  view.selected = {0};  // a stale selection does not count without an archive
  EXPECT_EQ(MenuStates(), (std::vector<bool>{false, false}));

  StepRunner runner;
  logic.SetRunner(runner);
  List(Sample());
  EXPECT_EQ(MenuStates(), (std::vector<bool>{false, false}));  // still reading
  EXPECT_FALSE(ReplaceOn());
  runner.Finish();
  EXPECT_EQ(MenuStates(), (std::vector<bool>{true, true}));
  EXPECT_TRUE(ReplaceOn());
  ChooseFolder(out.path());
  logic.OnListCommand(ListCommand::kExtractSelected);
  EXPECT_EQ(MenuStates(), (std::vector<bool>{false, false}));  // extracting
  EXPECT_FALSE(ReplaceOn());
  logic.OnListCommand(ListCommand::kExtractAll);  // refused meanwhile
  EXPECT_EQ(runner.started, 2);
  runner.Finish();
  EXPECT_EQ(ListDir(out.path()), Files{"A.ogg"});
}

TEST_F(EntriesTest, WithoutAFolderTheMenuAsksForOneAsSelectDirDoes) {
  List(Sample());
  view.selected = {1};
  for (ListCommand command : {ListCommand::kExtractSelected, ListCommand::kExtractAll}) {
    folders.Cancel();
    logic.OnListCommand(command);
    EXPECT_EQ(logic.folder_path(), u"");
    EXPECT_EQ(view.enabled, false);
  }
  ASSERT_EQ(folders.requests.size(), 2u);
  EXPECT_EQ(folders.requests[0].title, extractor::kBrowseTitle);

  folders.Choose(U16(out.path()));
  logic.OnListCommand(ListCommand::kExtractSelected);
  EXPECT_EQ(ListDir(out.path()), Files{"B.bin"});
  // The folder is the chosen folder from now on, as if Select Dir had chosen it.
  EXPECT_EQ(logic.folder_path(), U16(out.path()));
  EXPECT_EQ(view.dir_caption, U16(out.path()));
  EXPECT_EQ(view.enabled, true);
  logic.OnListCommand(ListCommand::kExtractAll);
  EXPECT_EQ(folders.requests.size(), 3u);  // not asked again
  EXPECT_TRUE(fs::exists(out / "FilesList.txt"));
}

TEST_F(EntriesTest, NothingSelectedAsksNothingAndWritesNothing) {
  List(Sample());
  logic.OnListCommand(ListCommand::kExtractSelected);
  EXPECT_TRUE(folders.requests.empty());
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(EntriesTest, SelectedEntriesKeepTheSafetyRulesOfAFullExtraction) {
  List(MakeArchive({{u"fine", {1}}, {u"../escape", {2}}}));
  ChooseFolder(out.path());
  view.selected = {1};  // "fine" alone
  logic.OnListCommand(ListCommand::kExtractSelected);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_NE(box.shown[0].text.find(u"entry 2"), std::u16string::npos)
      << pak::ToUtf8(box.shown[0].text);
  EXPECT_TRUE(ListDir(out.path()).empty());
}

TEST_F(EntriesTest, OpeningCopiesTheEntryIntoAPrivateFolderAndHandsItToTheLauncher) {
  List(Sample());
  EXPECT_FALSE(logic.temp_folder().path().has_value());  // nothing made before it is needed
  logic.OnOpenItem(0);                                   // A.ogg, no destination folder needed
  logic.OnOpenItem(0);  // again: a copy of its own, the first left as it is
  logic.OnOpenItem(2);  // c.txt
  ASSERT_TRUE(box.shown.empty()) << pak::ToUtf8(box.shown[0].text);
  ASSERT_EQ(launcher.opened.size(), 3u);
  const std::optional<fs::path>& temp = logic.temp_folder().path();
  ASSERT_TRUE(temp.has_value());
  const fs::path system_temp = fs::temp_directory_path();  // "C:\\...\\Temp\\" on Windows
  EXPECT_EQ(temp->parent_path(),
            system_temp.has_filename() ? system_temp : system_temp.parent_path());
#ifndef _WIN32
  EXPECT_EQ(fs::status(*temp).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
  const struct {
    std::string name;
    std::string bytes;
  } kExpected[] = {{"A.ogg", "\1\1"}, {"A.ogg", "\1\1"}, {"c.txt", "\3"}};
  for (std::size_t i = 0; i < 3; ++i) {
    const FakeLauncher::Opened& call = launcher.opened[i];
    EXPECT_EQ(call.file.filename().string(), kExpected[i].name);
    EXPECT_EQ(call.file.parent_path().parent_path(), *temp);
    EXPECT_EQ(call.bytes, kExpected[i].bytes);
    EXPECT_TRUE(fs::exists(call.file));
  }
  EXPECT_NE(launcher.opened[0].file, launcher.opened[1].file);
  // Nothing written anywhere else: no FilesList.txt beside the copies.
  EXPECT_EQ(ListDir(launcher.opened[0].file.parent_path()), Files{"A.ogg"});
}

TEST_F(EntriesTest, DraggingOutCopiesTheSelectedEntriesIntoAPrivateFolder) {
  const struct {
    const char* what;
    Rows selected;
    bool archive_changed;
    Files names;  // of the files handed to the drag, in archive order
    std::u16string box;
  } kCases[] = {
      // Any kind of file: a drag runs nothing, so what opening refuses (B.bin) is dragged too.
      {"two entries", {0, 1}, false, {"B.bin", "A.ogg"}, u""},
      {"nothing selected", {}, false, {}, u""},
      {"two entries of one name", {3, 4}, false, {}, u"entry 4"},
      {"a changed archive", {2}, true, {}, extractor::kArchiveChanged},
  };
  for (const auto& c : kCases) {
    List(Sample());
    box.shown.clear();
    view.selected = c.selected;
    if (c.archive_changed) WriteFile(work / "a.pak", MakeArchive({{u"c.txt", {9, 9}}}));
    const std::vector<std::u16string> files = logic.OnDragOut();
    Files names;
    for (const std::u16string& file : files) {
      const fs::path path = pak::PathFromUtf16(file);
      names.push_back(path.filename().string());
      EXPECT_EQ(path.parent_path().parent_path(), *logic.temp_folder().path()) << c.what;
    }
    EXPECT_EQ(names, c.names) << c.what;
    if (!files.empty()) {
      EXPECT_EQ(ReadFile(pak::PathFromUtf16(files[0])), Bytes{2}) << c.what;
      EXPECT_EQ(ReadFile(pak::PathFromUtf16(files[1])), (Bytes{1, 1})) << c.what;
    }
    if (c.box.empty()) {
      EXPECT_TRUE(box.shown.empty()) << c.what;
    } else {
      ASSERT_EQ(box.shown.size(), 1u) << c.what;
      EXPECT_NE(box.shown[0].text.find(c.box), std::u16string::npos)
          << c.what << ": " << pak::ToUtf8(box.shown[0].text);
    }
  }
}

TEST_F(EntriesTest, TheTemporaryFilesGoWithTheProgram) {
  WriteFile(work / "a.pak", Sample());
  fs::path temp;
  {
    FakeView other_view;
    UnbalerLogic other(other_view, dialog, box, folders, pak::DefaultFileSystem(),
                       pak::Windows1252());
    other.SetLauncher(launcher);
    dialog.answers.push_back(U16(work / "a.pak"));
    other.OnSelectFile();
    other.OnOpenItem(2);  // c.txt
    ASSERT_EQ(launcher.opened.size(), 1u);
    temp = *other.temp_folder().path();
    EXPECT_TRUE(fs::exists(launcher.opened[0].file));
  }
  EXPECT_FALSE(fs::exists(temp));
}

TEST_F(EntriesTest, AnEntryThatCannotBeOpenedSaysWhy) {
  struct Case {
    const char* what;
    Bytes archive;
    std::size_t item;
    bool launcher_opens;
    std::size_t launched;    // calls of the launcher
    std::u16string message;  // part of the one box shown; empty: none
  };
  const Case cases[] = {
      {"no program for it", Sample(), 2, false, 1, u"Could not open c.txt\n"},
      {"an unsafe name in the archive", MakeArchive({{u"fine.txt", {1}}, {u"../escape", {2}}}), 1,
       true, 0, u"entry 2"},
      {"an item past the list", Sample(), 5, true, 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    box.shown.clear();
    launcher.opened.clear();
    launcher.opens = c.launcher_opens;
    List(c.archive);
    logic.OnOpenItem(c.item);
    EXPECT_EQ(launcher.opened.size(), c.launched);
    if (c.message.empty()) {
      EXPECT_TRUE(box.shown.empty());
    } else {
      ASSERT_EQ(box.shown.size(), 1u);
      EXPECT_NE(box.shown[0].text.find(c.message), std::u16string::npos)
          << pak::ToUtf8(box.shown[0].text);
      EXPECT_EQ(box.shown[0].title, u"Unbaler");
    }
  }
}

TEST_F(EntriesTest, OnlyDataKindsOpenAndAnyOtherKindIsRefusedBeforeAnythingIsCopied) {
  struct Case {
    std::u16string stored;   // the entry's name in the archive
    std::u16string refused;  // part of the box that refuses it; empty: it opens
  };
  const Case cases[] = {
      {u"Song.OGG", u""},   // case ignored
      {u"voice.wav", u""},  // listed and copied as voice.ogg
      {u"title.png", u""},
      {u"readme.txt", u""},
      {u"tool.exe", u"\".exe\""},
      {u"run.BAT", u"\".BAT\""},
      {u"a.lnk", u"\".lnk\""},
      {u"page.html", u"\".html\""},
      {u"sheet.csv", u"\".csv\""},
      {u"picture.png.scr", u"\".scr\""},  // only the last extension counts
      {u"readme", u"no extension"},
      // Shows as "holidaydmc.jpg": the override does not change what the system sees.
      {u"holiday\u202Egpj.cmd", u"Not opened: holiday\\u{202E}gpj.cmd\n\nIts extension, \".cmd\""},
      {u"note.t\u200Bxt", u"\".t\\u{200B}xt\""},  // no hidden character launders a kind
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(pak::ToUtf8(c.stored));
    box.shown.clear();
    launcher.opened.clear();
    List(MakeArchive({{c.stored, {7}}}));
    const std::optional<fs::path> temp = logic.temp_folder().path();
    const std::size_t copies = temp ? ListDir(*temp).size() : 0;
    logic.OnOpenItem(0);
    if (c.refused.empty()) {
      EXPECT_TRUE(box.shown.empty()) << pak::ToUtf8(box.shown[0].text);
      ASSERT_EQ(launcher.opened.size(), 1u);
      EXPECT_EQ(launcher.opened[0].bytes, std::optional<std::string>("\7"));
      continue;
    }
    EXPECT_TRUE(launcher.opened.empty());
    ASSERT_EQ(box.shown.size(), 1u) << pak::ToUtf8(box.shown[0].text);
    EXPECT_NE(box.shown[0].text.find(c.refused), std::u16string::npos)
        << pak::ToUtf8(box.shown[0].text);
    EXPECT_NE(box.shown[0].text.find(u"Nothing was written."), std::u16string::npos);
    EXPECT_EQ(box.shown[0].title, u"Unbaler");
    const std::optional<fs::path>& after = logic.temp_folder().path();
    EXPECT_EQ(after ? ListDir(*after).size() : 0, copies);  // no copy made
  }
}

TEST_F(EntriesTest, TheCopyCarriesTheMarkOfADownload) {
  List(Sample());
#ifdef _WIN32
  logic.OnOpenItem(0);
  ASSERT_EQ(launcher.opened.size(), 1u);
  const fs::path copy = launcher.opened[0].file;
  fs::path stream = copy;
  stream += L":Zone.Identifier";
  std::ifstream in(stream, std::ios::binary);
  if (in) {
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "[ZoneTransfer]\r\nZoneId=3\r\n");
  }
  // Without streams (Wine) the copy opens unmarked, and nothing stands beside it.
  EXPECT_EQ(ListDir(copy.parent_path()), Files{"A.ogg"});
#else
  // Never executable, and private, whatever the umask would have made of it.
  for (const ::mode_t mask : {0000, 0022, 0077, 0111}) {
    SCOPED_TRACE(mask);
    const ::mode_t before = ::umask(mask);
    launcher.opened.clear();
    logic.OnOpenItem(0);
    ::umask(before);
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(fs::status(launcher.opened[0].file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
  }
#endif
}

TEST_F(EntriesTest, AnArchiveChangedSinceItWasListedIsListedAgainAndNothingOpened) {
  List(MakeArchive({{u"a.txt", {1}}}));
  const auto listed_time = fs::last_write_time(work / "a.pak");
  WriteFile(work / "a.pak", MakeArchive({{u"b", {2}}, {u"c", {3}}}));
  fs::last_write_time(work / "a.pak", listed_time + std::chrono::seconds(5));
  logic.OnOpenItem(0);
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_EQ(view.items, (std::vector<std::u16string>{u"b", u"c"}));
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, extractor::kArchiveChanged);
}

TEST_F(EntriesTest, ExtractingTheSelectionShowsProgressAndEscapeStopsIt) {
  StepRunner runner;
  logic.SetRunner(runner);
  List(Sample());
  runner.Finish();
  ChooseFolder(out.path());
  view.selected = {0, 1, 2};
  logic.OnListCommand(ListCommand::kExtractSelected);
  std::vector<std::u16string> seen;
  runner.Finish([&](std::size_t done, std::size_t) {
    seen.push_back(view.status());
    if (done == 1) logic.OnCancel();
  });
  EXPECT_EQ(seen, std::vector<std::u16string>{u"Extracting\u2026"});
  EXPECT_EQ(view.status(), u"Extraction stopped: 1 file extracted into " + U16(out.path()));
  EXPECT_EQ(ListDir(out.path()), Files{"B.bin"});  // the first in the archive's order
}

TEST_F(EntriesTest, EscapeWhileAnEntryIsCopiedOpensNothing) {
  StepRunner runner;
  logic.SetRunner(runner);
  List(Sample());
  runner.Finish();
  logic.OnOpenItem(0);
  EXPECT_EQ(view.status(), u"Opening\u2026");
  logic.OnCancel();
  runner.Finish();
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(view.status(), u"5 entries, 6 bytes");
}

}  // namespace

namespace {

// Replace Entry… on real files: what the user answers, what the archive then holds, and what the
// window says.
TEST_F(EntriesTest, ReplaceEntryRewritesTheArchiveOnlyWhenAskedAndListsItAgain) {
  using Answer = shell::ChoiceBox::Answer;
  struct Case {
    const char* what;
    Rows selected;
    bool enabled;                  // the menu item
    std::u16string file;           // the dialog's answer (in `work`); empty: cancelled
    std::optional<Answer> answer;  // none: no question asked
    bool changed = false;          // the archive is written anew after it was listed
    Bytes after = {};              // the archive afterwards; empty: as it was
    std::u16string status = u"";
    std::u16string box = u"";  // the start of the one box shown
  };
  const Bytes changed = MakeArchive({{u"A.wav", {6}}, {u"c.txt", {6, 6}}});
  const Case cases[] = {
      {"two selected: off", {0, 1}, false, u"", std::nullopt},
      {"cancelled at the dialog", {0}, true, u"", std::nullopt},
      {"cancelled at the question", {0}, true, u"new.bin", Answer::kCancel},
      {"replaced under the entry's own name, at its place",
       {0},
       true,
       u"new.bin",
       Answer::kFirst,
       false,
       MakeArchive(
           {{u"B.bin", {2}}, {u"A.wav", {7, 7, 7}}, {u"c.txt", {3}}, {u"x", {4}}, {u"x", {5}}}),
       u"A.ogg replaced in "},
      {"the archive changed meanwhile: nothing written, listed again",
       {0},
       true,
       u"new.bin",
       Answer::kFirst,
       true,
       changed,
       u"",
       u"The PAK file changed after it was listed, so no entry was replaced"},
  };
  FakeChoiceBox choices;
  logic.SetChoiceBox(choices);
  WriteFile(work / "new.bin", Bytes{7, 7, 7});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    List(Sample());
    view.selected = c.selected;
    EXPECT_EQ(ReplaceOn(), c.enabled);
    if (c.changed) {
      WriteFile(work / "a.pak", changed);
      fs::last_write_time(work / "a.pak",
                          fs::last_write_time(work / "a.pak") + std::chrono::seconds(5));
    }
    dialog.answers.push_back(c.file.empty() ? u"" : U16(work / "new.bin"));
    choices.asked.clear();
    if (c.answer) {
      choices.answers.push_back(*c.answer);
    }
    box.shown.clear();
    logic.OnListCommand(ListCommand::kReplaceEntry);
    dialog.answers.clear();
    if (c.enabled) {
      ASSERT_FALSE(dialog.requests.empty());
      EXPECT_EQ(dialog.requests.back().filter, u"All files (*.*)|*.*");
      EXPECT_TRUE(dialog.requests.back().options.file_must_exist);
    }
    ASSERT_EQ(choices.asked.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(choices.asked[0].text, u"Replace the entry A.ogg in " + U16(work / "a.pak") +
                                           u" with " + U16(work / "new.bin") +
                                           u"? The archive is rewritten; every other entry "
                                           u"stays as it is.");
      EXPECT_EQ(choices.asked[0].first, u"Replace");
      EXPECT_EQ(choices.asked[0].second, u"");  // two buttons: Replace and Cancel
    }
    const Bytes expected = c.after.empty() ? Sample() : c.after;
    EXPECT_EQ(ReadFile(work / "a.pak"), expected);
    // The list shows what the archive holds now.
    const pak::Result<pak::PakArchive> now = pak::OpenPakFile(Fs(), work / "a.pak");
    ASSERT_TRUE(now.ok());
    EXPECT_EQ(logic.entry_count(), now->size());
    if (!c.after.empty() && !c.changed) {
      EXPECT_EQ(view.sizes[0], u"3 bytes");
    }
    EXPECT_EQ(logic.status_text(), c.status.empty() ? u"" : c.status + U16(work / "a.pak"));
    ASSERT_EQ(box.shown.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_TRUE(box.shown[0].text.starts_with(c.box)) << pak::ToUtf8(box.shown[0].text);
    }
    for (const auto& name : ListDir(work.path())) EXPECT_NE(name[0], '.') << name;
  }
}

}  // namespace

namespace {

// Several archives dropped at once, on real files: asked about, each extracted into a folder of
// its name, one failure not stopping the rest, two of one folder name refused.
TEST_F(EntriesTest, SeveralArchivesDroppedAreExtractedEachIntoAFolderOfItsName) {
  using Answer = shell::ChoiceBox::Answer;
  struct Case {
    const char* what;
    std::vector<std::string> dropped;  // in `work`; "bad.pak" is no archive
    std::optional<Answer> answer;      // none: no question asked
    Files folders;                     // what `out` holds afterwards
    std::u16string status;             // before the folder; empty: none
    std::u16string box = u"";          // the start of the one box shown
    bool at_start = false;  // given on the command line, the folder after them, not dropped
  };
  const Case cases[] = {
      {"given at start with the folder",
       {"one.pak", "two.PAK"},
       Answer::kFirst,
       {"one", "two"},
       u"2 archives extracted into ",
       u"",
       true},
      {"given at start, one missing: named, nothing chosen",
       {"one.pak", "gone.pak"},
       std::nullopt,
       {},
       u"",
       u"Not a file",
       true},
      {"declined", {"one.pak", "two.PAK"}, Answer::kCancel, {}, u""},
      {"each into its folder",
       {"one.pak", "two.PAK"},
       Answer::kFirst,
       {"one", "two"},
       u"2 archives extracted into "},
      {"one failing does not stop the others",
       {"bad.pak", "one.pak", "two.PAK"},
       Answer::kFirst,
       {"one", "two"},
       u"2 of 3 archives extracted into ",
       u"These archives were not extracted in full:"},
      {"two of one folder name: refused before anything is written",
       {"one.pak", "sub/ONE.pak"},
       std::nullopt,
       {},
       u"",
       u"would both be extracted into"},
  };
  FakeChoiceBox choices;
  logic.SetChoiceBox(choices);
  WriteFile(work / "one.pak", MakeArchive({{u"a.bin", {1}}}));
  WriteFile(work / "two.PAK", MakeArchive({{u"b.bin", {2}}, {u"c.wav", {3}}}));
  WriteFile(work / "bad.pak", std::string("not an archive"));
  fs::create_directory(work / "sub");
  WriteFile(work / "sub" / "ONE.pak", MakeArchive({{u"d.bin", {4}}}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    if (!c.at_start) ChooseFolder(folder.path());  // else the command line gives it
    std::vector<std::u16string> dropped;
    for (const std::string& name : c.dropped) dropped.push_back(U16(work / name));
    choices.asked.clear();
    if (c.answer) {
      choices.answers.push_back(*c.answer);
    }
    box.shown.clear();
    if (c.at_start) {
      dropped.push_back(U16(folder.path()));
      logic.OpenStartPaths(dropped);
      dropped.pop_back();
    } else {
      ASSERT_TRUE(logic.AcceptsDrop(dropped));
      logic.OnDrop(dropped);
    }
    ASSERT_EQ(choices.asked.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(choices.asked[0].text,
                u"Extract each of the " + pak::FromUtf8(std::to_string(c.dropped.size())) +
                    u" archives into a folder of its name in " + U16(folder.path()) + u"?");
    }
    EXPECT_EQ(ListDir(folder.path()), c.folders);
    if (!c.folders.empty()) {
      EXPECT_EQ(ListDir(folder.path() / "one"), (Files{"FilesList.txt", "a.bin"}));
      EXPECT_EQ(ReadFile(folder.path() / "two" / "c.ogg"), Bytes{3});
    }
    EXPECT_TRUE(
        logic.status_text().starts_with(c.status.empty() ? u"" : c.status + U16(folder.path())))
        << pak::ToUtf8(logic.status_text());
    ASSERT_EQ(box.shown.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_NE(box.shown[0].text.find(c.box), std::u16string::npos)
          << pak::ToUtf8(box.shown[0].text);
    }
  }
}

}  // namespace
