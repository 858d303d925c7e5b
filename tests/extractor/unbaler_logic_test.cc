// Unbaler's window logic with fake dialogs and a fake window, on real temporary folders.
#include "extractor/unbaler_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "codec/text.h"
#include "shell/error_text.h"
#include "shell/path_display.h"
#include "tests/support/fakes.h"
#include "tests/support/test_support.h"

namespace {

using extractor::UnbalerLogic;
using namespace testing_support;  // the shared test helpers and fakes
using Names = std::vector<std::u16string>;
using Files = std::vector<std::string>;

// A file system whose reads throw, as an allocation failure inside a load would.
class ThrowingFileSystem : public testing_support::FaultyFileSystem {
 public:
  pak::Result<std::unique_ptr<pak::InputFile>> OpenForRead(const pak::Path&) override {
    throw std::runtime_error("out of memory");
  }
};

class UnbalerTest : public ::testing::Test {
 protected:
  UnbalerTest() : logic(view, dialog, box, folders, pak::DefaultFileSystem(), pak::Windows1252()) {
    logic.OnLoaded();
  }

  // Writes an archive into the work folder and chooses it in the file dialog.
  std::u16string ChooseArchive(const std::string& name, const Bytes& bytes) {
    WriteFile(work / name, bytes);
    return ChooseFile(U16(work / name));
  }
  std::u16string ChooseFile(const std::u16string& path) {
    dialog.answers.push_back(path);
    logic.OnSelectFile();
    return path;
  }
  void ChooseFolder(const std::filesystem::path& folder) {
    folders.Choose(U16(folder));
    logic.OnSelectDir();
  }

  TempDir work;  // archives
  TempDir out;   // the extraction folder
  FakeView view;
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  UnbalerLogic logic;
};

TEST_F(UnbalerTest, ExtractNeedsBothPathsInEitherOrder) {
  EXPECT_EQ(view.enabled, false);  // start-up decides once
  ChooseArchive("a.pak", MakeArchive({{u"x", {1}}}));
  EXPECT_EQ(view.enabled, false);
  folders.Cancel();
  logic.OnSelectDir();
  EXPECT_EQ(view.enabled, false);
  ChooseFolder(out.path());
  EXPECT_EQ(view.enabled, true);

  FakeView view2;
  UnbalerLogic other(view2, dialog, box, folders, pak::DefaultFileSystem(), pak::Windows1252());
  folders.Choose(U16(out.path()));
  other.OnSelectDir();
  EXPECT_EQ(view2.enabled, false);
  dialog.answers.push_back(U16(work / "a.pak"));
  other.OnSelectFile();
  EXPECT_EQ(view2.enabled, true);
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(UnbalerTest, AcceptedArchiveIsListedSortedButExtractedInArchiveOrder) {
  const std::u16string path = ChooseArchive(
      "a.pak", MakeArchive({{u"B.bin", {2}}, {u"A.WAV", {1, 1}}, {u"c.txt", {3}}, {u"a2", {4}}}));
  // The open dialog: existing files only, no read-only box, PAK archives, no added extension.
  ASSERT_EQ(dialog.requests.size(), 1u);
  EXPECT_EQ(dialog.requests[0].kind, shell::FileDialogRequest::Kind::kOpen);
  EXPECT_EQ(dialog.requests[0].options,
            (shell::FileDialogOptions{.hide_read_only = true, .file_must_exist = true}));
  EXPECT_EQ(dialog.requests[0].filter, u"PAK archives (*.pak)|*.pak");
  EXPECT_EQ(dialog.requests[0].default_extension, u"");

  EXPECT_EQ(logic.archive_path(), path);
  EXPECT_EQ(view.items, (Names{u"A.ogg", u"a2", u"B.bin", u"c.txt"}));
  ChooseFolder(out.path());
  const int fills = view.list_fills, enables = view.enable_calls;
  logic.OnMainCommand();
  EXPECT_TRUE(box.shown.empty());  // success is silent
  EXPECT_EQ(ReadText(out / "FilesList.txt"), "B.bin\r\nA.ogg\r\nc.txt\r\na2\r\n");
  EXPECT_EQ(ReadFile(out / "A.ogg"), (Bytes{1, 1}));
  EXPECT_EQ(ListDir(out.path()), (Files{"A.ogg", "B.bin", "FilesList.txt", "a2", "c.txt"}));
  // Extraction changes nothing on the window and leaves the table for another run.
  EXPECT_EQ(view.list_fills, fills);
  // The command is off while the work runs and back on after it.
  EXPECT_EQ(view.enable_calls, enables + 2);
  EXPECT_EQ(view.enabled, true);
  EXPECT_EQ(view.busy_calls, 4);  // on and off for the load, on and off for the extraction
  EXPECT_FALSE(view.busy);
  EXPECT_EQ(logic.entry_count(), 4u);
}

TEST_F(UnbalerTest, CancellingEitherDialogChangesNothing) {
  const std::u16string path = ChooseArchive("a.pak", MakeArchive({{u"x", {1}}}));
  ChooseFolder(out.path());
  const int enables = view.enable_calls;

  logic.OnSelectFile();  // no answer queued: cancel
  EXPECT_EQ(logic.archive_path(), path);
  EXPECT_EQ(view.items, Names{u"x"});
  EXPECT_EQ(view.enable_calls, enables);  // a cancelled file dialog recomputes nothing

  folders.Cancel();
  logic.OnSelectDir();
  EXPECT_EQ(logic.folder_path(), U16(out.path()));
  EXPECT_EQ(view.dir_caption, U16(out.path()));
  EXPECT_EQ(view.enable_calls, enables + 1);  // the folder browser always recomputes
  EXPECT_EQ(view.enabled, true);
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(UnbalerTest, FolderBrowserOpensAtThePreviousFolder) {
  ChooseFolder(work.path());
  folders.Cancel();
  logic.OnSelectDir();
  ASSERT_EQ(folders.requests.size(), 2u);
  EXPECT_EQ(folders.requests[0].initial_path, u"");
  EXPECT_EQ(folders.requests[1].initial_path, U16(work.path()));
  EXPECT_EQ(folders.requests[1].owner, 4242);
  EXPECT_EQ(folders.requests[1].flags, 1);
  EXPECT_EQ(folders.requests[1].title, u"Browse for Folder where the PAK file will be extracted");
}

// A rejected file leaves the window showing, in the label and the list, the archive that the
// extract command writes; the box says which file was refused and why.
TEST_F(UnbalerTest, RejectedFileLeavesTheListedArchiveOnTheWindow) {
  struct Case {
    const char* what;
    Bytes bytes;
    std::u16string reason;  // the start of the box's last line
  };
  Bytes no_entries = MakeArchive({{u"x", {1}}});
  no_entries[4] = 0;  // the entry count
  Bytes past_end = MakeArchive({{u"x", {1, 2, 3}}});
  past_end.resize(past_end.size() - 1);
  const Case cases[] = {
      {"empty", {}, extractor::kNotAnArchive},
      {"too short", {'p', 'a', 'k'}, extractor::kNotAnArchive},
      {"no signature", {1, 2, 3, 4, 5, 6, 7, 8, 9}, extractor::kNotAnArchive},
      {"no entries", no_entries, u"the archive holds no entries"},
      {"data past the end", past_end, u"entry 1 of 1 (\"x\"): "},
  };
  for (bool with_archive : {false, true}) {
    TempDir folder, target;
    FakeView fresh_view;
    UnbalerLogic fresh(fresh_view, dialog, box, folders, pak::DefaultFileSystem(),
                       pak::Windows1252());
    fresh.OnLoaded();
    std::u16string good;
    if (with_archive) {
      good = U16(folder / "good.pak");
      WriteFile(folder / "good.pak", MakeArchive({{u"keep.wav", {9, 8}}}));
      dialog.answers.push_back(good);
      fresh.OnSelectFile();
    }
    folders.Choose(U16(target.path()));
    fresh.OnSelectDir();
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (with_archive ? ", after an archive" : ", first file"));
      box.shown.clear();
      const auto bad = folder / (std::string(c.what) + ".pak");
      WriteFile(bad, c.bytes);
      dialog.answers.push_back(U16(bad));
      fresh.OnSelectFile();
      ASSERT_EQ(box.shown.size(), 1u);
      const std::u16string& text = box.shown[0].text;
      EXPECT_TRUE(text.starts_with(u"Invalid file\n\n" + U16(bad) + u"\n" + c.reason))
          << pak::ToUtf8(text);
      EXPECT_EQ(box.shown[0].title, u"Unbaler");
      EXPECT_EQ(fresh.archive_path(), good);
      EXPECT_EQ(fresh_view.file_caption, shell::ShortenPath(good));
      EXPECT_EQ(fresh_view.items, with_archive ? Names{u"keep.ogg"} : Names{});
      EXPECT_EQ(fresh_view.enabled, with_archive);
    }
    box.shown.clear();
    fresh.OnMainCommand();  // without an archive a stray click does nothing
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(ListDir(target.path()),
              with_archive ? (Files{"FilesList.txt", "keep.ogg"}) : Files{});
    if (with_archive) {
      EXPECT_EQ(ReadFile(target / "keep.ogg"), (Bytes{9, 8}));
    }
  }
}

// The file is opened again for the extraction; one that is no longer the file listed (other
// bytes, other entries, another file in its place) is listed again and nothing is extracted.
TEST_F(UnbalerTest, ArchiveChangedAfterListingIsReloadedNotExtracted) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    Bytes now;        // what the file holds at the extraction
    bool other_file;  // a new file of the same length and time is moved over the listed one
    Names listed;     // lstFiles after the check
  };
  const Bytes original = MakeArchive({{u"a", {1, 1}}, {u"b", {2, 2}}});
  const Case cases[] = {
      {"same directory, other bytes",
       MakeArchive({{u"a", {7, 7}}, {u"b", {8, 8}}}),
       false,
       {u"a", u"b"}},
      {"other entries", MakeArchive({{u"c", {3}}}), false, {u"c"}},
      {"another file, same length and time",
       MakeArchive({{u"a", {5, 5}}, {u"b", {6, 6}}}),
       true,
       {u"a", u"b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    box.shown.clear();
    const fs::path path = work / "changing.pak";
    WriteFile(path, original);
    const auto listed_time = fs::last_write_time(path);
    ChooseFile(U16(path));
    ChooseFolder(folder.path());
    ASSERT_EQ(view.items, (Names{u"a", u"b"}));
    if (c.other_file) {
      WriteFile(work / "new.pak", c.now);
      fs::last_write_time(work / "new.pak", listed_time);
      fs::rename(work / "new.pak", path);
    } else {
      WriteFile(path, c.now);
      fs::last_write_time(path, listed_time + std::chrono::seconds(2));
    }

    logic.OnMainCommand();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, extractor::kArchiveChanged);
    EXPECT_EQ(box.shown[0].title, u"Unbaler");
    EXPECT_TRUE(ListDir(folder.path()).empty());  // nothing of either archive
    EXPECT_EQ(view.items, c.listed);
    EXPECT_EQ(logic.archive_path(), U16(path));

    // The next click extracts the file as it is now, and only that.
    logic.OnMainCommand();
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(ListDir(folder.path()).size(), c.listed.size() + 1);
    const auto archive = pak::ParsePak(c.now);
    ASSERT_TRUE(archive.ok());
    for (const auto& entry : archive->entries()) {
      EXPECT_EQ(ReadFile(folder.path() / fs::path(entry.name)),
                Bytes(entry.data.begin(), entry.data.end()));
    }
  }
}

TEST_F(UnbalerTest, ExtractionReportsEachEntryWritten) {
  ChooseArchive("a.pak", MakeArchive({{u"a", {1}}, {u"b", {2}}, {u"c", {3}}}));
  ChooseFolder(out.path());
  std::vector<std::pair<std::size_t, std::size_t>> heard;
  logic.ExtractAll([&](std::size_t done, std::size_t all) { heard.emplace_back(done, all); });
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), (std::pair<std::size_t, std::size_t>{3, 3}));
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(UnbalerTest, ArchiveGoneOrSpoiledAfterListingIsReportedAndNothingExtracted) {
  ChooseArchive("a.pak", MakeArchive({{u"one", {1}}}));
  ChooseFolder(out.path());
  std::filesystem::remove(work / "a.pak");
  logic.OnMainCommand();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_TRUE(box.shown[0].text.starts_with(shell::ErrorText(ENOENT, u"")))
      << pak::ToUtf8(box.shown[0].text);

  WriteFile(work / "a.pak", Bytes{'n', 'o', 'p', 'e'});
  logic.OnMainCommand();
  ASSERT_EQ(box.shown.size(), 2u);
  EXPECT_TRUE(box.shown[1].text.starts_with(u"Invalid file\n\n" + U16(work / "a.pak")))
      << pak::ToUtf8(box.shown[1].text);
  EXPECT_TRUE(ListDir(out.path()).empty());
}

TEST_F(UnbalerTest, ReplacesExistingFilesAndLetsTheLaterDuplicateWin) {
  WriteFile(out / "x.ogg", std::string(50, 'o'));
  testing_support::MakeReadOnly(out / "x.ogg");
  WriteFile(out / "y", std::string(50, 'o'));
  ChooseArchive("a.pak", MakeArchive({{u"x.wav", {1}}, {u"y", {2}}, {u"x.WAV", {3, 3}}}));
  ChooseFolder(out.path());
  logic.OnMainCommand();
  // Written as ever, and the entry whose bytes the later one replaced is named in the box.
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_NE(box.shown[0].text.find(u"entry 1 (\"x.ogg\") by entry 3 (\"x.ogg\")"),
            std::u16string::npos);
  EXPECT_EQ(ListDir(out.path()), (Files{"FilesList.txt", "x.ogg", "y"}));
  EXPECT_EQ(ReadFile(out / "x.ogg"), (Bytes{3, 3}));
  EXPECT_EQ(ReadFile(out / "y"), (Bytes{2}));  // no trailing bytes of the old file
  EXPECT_EQ(ReadText(out / "FilesList.txt"), "x.ogg\r\ny\r\nx.ogg\r\n");
  // Again: the same folder ends up the same.
  logic.OnMainCommand();
  EXPECT_EQ(ReadText(out / "FilesList.txt"), "x.ogg\r\ny\r\nx.ogg\r\n");
  EXPECT_EQ(ListDir(out.path()).size(), 3u);
}

TEST_F(UnbalerTest, ManyEntriesOfOneFileMakeOneWholeShortBox) {
  std::vector<RawEntry> entries;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 50; ++i) {
      entries.push_back({pak::FromUtf8("s" + std::to_string(i) + (round == 0 ? ".wav" : ".ogg")),
                         {static_cast<std::uint8_t>(round)}});
    }
  }
  ChooseArchive("a.pak", MakeArchive(entries));
  ChooseFolder(out.path());
  logic.OnMainCommand();
  ASSERT_EQ(box.shown.size(), 1u);
  const std::u16string& text = box.shown[0].text;
  EXPECT_EQ(text.find(u"50 entries were replaced by a later entry"), 0u);
  EXPECT_NE(text.find(u"entry 5 (\"s4.ogg\") by entry 55 (\"s4.ogg\"), and 45 more. Every "
                      u"other entry and FilesList.txt was written"),
            std::u16string::npos)
      << pak::ToUtf8(text);
  EXPECT_LT(text.size(), 400u) << pak::ToUtf8(text);
  EXPECT_EQ(ListDir(out.path()).size(), 51u);
}

TEST_F(UnbalerTest, UnsafeNameRefusesTheExtractionWithItsMessage) {
  ChooseArchive("a.pak", MakeArchive({{u"fine", {1}}, {u"../escape", {2}}}));
  EXPECT_EQ(view.items, (Names{u"../escape", u"fine"}));  // listing is harmless
  ChooseFolder(out.path());
  logic.OnMainCommand();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_NE(box.shown[0].text.find(u"entry 2"), std::u16string::npos);
  EXPECT_EQ(box.shown[0].title, u"Unbaler");
  EXPECT_TRUE(ListDir(out.path()).empty());
  EXPECT_FALSE(std::filesystem::exists(out.path().parent_path() / "escape"));
}

TEST_F(UnbalerTest, IoErrorsAreReportedAndTheWindowCarriesOn) {
  ChooseArchive("a.pak", MakeArchive({{u"one", {1}}}));
  // The file vanished between the dialog and the load.
  const std::u16string gone = ChooseFile(U16(work / "gone.pak"));
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_TRUE(box.shown[0].text.starts_with(shell::ErrorText(ENOENT, u"")))
      << pak::ToUtf8(box.shown[0].text);
  EXPECT_EQ(box.shown[0].title, u"Unbaler");
  EXPECT_NE(box.shown[0].text.find(gone.substr(gone.size() - 8)), std::u16string::npos);
  EXPECT_EQ(logic.archive_path(), U16(work / "a.pak"));  // back to the archive listed
  EXPECT_EQ(view.items, Names{u"one"});

  // The folder vanished between its choice and the extraction.
  const auto folder = out / "sub";
  std::filesystem::create_directory(folder);
  ChooseFolder(folder);
  std::filesystem::remove(folder);
  logic.OnMainCommand();
  ASSERT_EQ(box.shown.size(), 2u);
  EXPECT_TRUE(box.shown[1].text.starts_with(u"Error "));
  EXPECT_FALSE(view.busy);

  // It comes back: the same table extracts now.
  std::filesystem::create_directory(folder);
  logic.OnMainCommand();
  EXPECT_EQ(box.shown.size(), 2u);
  EXPECT_EQ(ReadFile(folder / "one"), Bytes{1});
}

TEST(UnbalerFaults, AFailedWriteKeepsWhatWasWrittenAndTheListNamesOnlyThat) {
  TempDir work, out;
  WriteFile(work / "a.pak", MakeArchive({{u"a", {1}}, {u"b", {2}}, {u"c", {3}}}));
  testing_support::FaultyFileSystem fs;
  FakeView view;
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  UnbalerLogic logic(view, dialog, box, folders, fs, pak::Windows1252());
  dialog.answers.push_back(U16(work / "a.pak"));
  logic.OnSelectFile();
  folders.Choose(U16(out.path()));
  logic.OnSelectDir();
  fs.fail_write_at = 2;  // file a, then file b fails
  logic.OnMainCommand();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_TRUE(box.shown[0].text.starts_with(u"Error 28\n\n"));  // ENOSPC
  EXPECT_EQ(ListDir(out.path()), (Files{"FilesList.txt", "a"}));
  EXPECT_EQ(ReadText(out / "FilesList.txt"), "a\r\n");
}

TEST(UnbalerFaults, BrowseErrorIsShownAndTheButtonStillRecomputed) {
  FakeView view;
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  UnbalerLogic logic(view, dialog, box, folders);
  folders.ConfirmItemWithoutPath();
  logic.OnSelectDir();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text,
            shell::ErrorText(-2147204443, u"Could not get the path of the selected folder"));
  EXPECT_EQ(box.shown[0].title, u"Unbaler");
  EXPECT_EQ(view.enabled, false);
  EXPECT_TRUE(logic.folder_path().empty());

  // A chosen folder whose path is empty is no folder at all.
  folders.Choose(u"");
  logic.OnSelectDir();
  EXPECT_TRUE(logic.folder_path().empty());
  EXPECT_EQ(view.enable_calls, 2);
}

TEST(UnbalerFaults, ALoadThatThrowsFailsWithABoxAndClearsTheBusyCursor) {
  ThrowingFileSystem fs;
  FakeView view;
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  UnbalerLogic logic(view, dialog, box, folders, fs);
  dialog.answers.push_back(u"/any.pak");
  // The load may run on a worker thread, which nothing may escape: the error becomes a failure.
  EXPECT_NO_THROW(logic.OnSelectFile());
  EXPECT_FALSE(view.busy);
  EXPECT_EQ(view.busy_calls, 2);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(logic.work_state(), shell::WorkState::kFailed);
  EXPECT_FALSE(logic.has_archive());
  EXPECT_TRUE(logic.archive_path().empty());
}

TEST(UnbalerPaths, LongPathsAreShortenedOnTheLabelsAndKeptWhole) {
  TempDir work;
  const auto deep = work / "a folder with a rather long name" / "and another one";
  std::filesystem::create_directories(deep);
  WriteFile(deep / "voice.pak", MakeArchive({{u"v", {1}}}));
  FakeView view;
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  UnbalerLogic logic(view, dialog, box, folders);
  dialog.answers.push_back(U16(deep / "voice.pak"));
  logic.OnSelectFile();
  folders.Choose(U16(deep));
  logic.OnSelectDir();
  EXPECT_EQ(logic.archive_path(), U16(deep / "voice.pak"));
  // The beginning, "...", then the last component with its separator.
  EXPECT_EQ(view.file_caption.size(), 38u);
  EXPECT_EQ(view.file_caption.substr(25, 3), u"...");
  EXPECT_TRUE(view.file_caption.ends_with(u"voice.pak"));
  EXPECT_EQ(view.dir_caption.substr(19, 3), u"...");
  EXPECT_TRUE(view.dir_caption.ends_with(u"and another one"));
  EXPECT_EQ(logic.folder_path(), U16(deep));
  // Shortened captions show the whole path as their tip.
  EXPECT_EQ(view.file_tip, U16(deep / "voice.pak"));
  EXPECT_EQ(view.dir_tip, U16(deep));
}

}  // namespace

// The work runs step by step: what the window shows while it runs, after it ends, after a stop.
class UnbalerWorkTest : public UnbalerTest {
 protected:
  UnbalerWorkTest() { logic.SetRunner(runner); }
  // Lists a three-entry archive (the load run to its end) and chooses the output folder.
  void Prepare() {
    ChooseArchive("a.pak", MakeArchive({{u"a", {1}}, {u"b", {2}}, {u"c", {3}}}));
    runner.Finish();
    ChooseFolder(out.path());
  }
  testing_support::StepRunner runner;
};

TEST_F(UnbalerWorkTest, WhileWorkRunsCommandsAreOffAndRefused) {
  ChooseArchive("a.pak", MakeArchive({{u"a", {1}}}));
  // The load has started but not ended: nothing listed yet, everything off.
  EXPECT_EQ(logic.work_state(), shell::WorkState::kRunning);
  EXPECT_TRUE(view.working);
  EXPECT_TRUE(view.busy);
  EXPECT_EQ(view.status(), u"Reading\u2026");
  EXPECT_FALSE(logic.has_archive());
  logic.OnSelectFile();  // refused: no second dialog, no second job
  logic.OnSelectDir();
  EXPECT_EQ(dialog.requests.size(), 1u);
  EXPECT_TRUE(folders.requests.empty());
  EXPECT_EQ(runner.started, 1);

  runner.Finish();
  EXPECT_EQ(logic.work_state(), shell::WorkState::kDone);
  EXPECT_FALSE(view.working);
  EXPECT_FALSE(view.busy);
  EXPECT_EQ(logic.entry_count(), 1u);
}

TEST_F(UnbalerWorkTest, ProgressThenAStatusLineThatTheNextActionClears) {
  Prepare();
  logic.OnMainCommand();
  EXPECT_EQ(view.enabled, false);
  runner.Finish();
  const std::u16string done = u"3 files extracted into " + U16(out.path());
  EXPECT_EQ(view.statuses.end()[-2], u"Extracting 3 of 3, 3 of 3 bytes");
  EXPECT_EQ(view.status(), done);
  EXPECT_EQ(logic.status_text(), done);
  EXPECT_EQ(logic.work_state(), shell::WorkState::kDone);
  EXPECT_EQ(view.enabled, true);
  EXPECT_TRUE(box.shown.empty());  // no box on success
  EXPECT_EQ(
      std::count(view.statuses.begin(), view.statuses.end(), u"Extracting 1 of 3, 1 of 3 bytes"),
      1);

  folders.Cancel();
  logic.OnSelectDir();
  EXPECT_EQ(view.status(), u"3 entries, 3 bytes");  // the list's summary again
}

TEST_F(UnbalerWorkTest, AfterAnExtractionTheStatusLineOpensTheFolderUntilTheNextLine) {
  FakeLauncher launcher;
  logic.SetLauncher(launcher);
  Prepare();
  logic.OnOpenFolder();  // nothing offered yet
  EXPECT_TRUE(launcher.opened.empty());

  // A stop before any file was written offers nothing.
  logic.OnMainCommand();
  logic.OnCancel();
  runner.Finish();
  EXPECT_EQ(logic.status_text(), u"Extraction stopped: 0 files extracted into " + U16(out.path()));
  EXPECT_FALSE(view.offers_folder);

  logic.OnMainCommand();
  EXPECT_FALSE(view.offers_folder);  // the progress offers nothing
  runner.Finish();
  EXPECT_TRUE(view.offers_folder);
  EXPECT_EQ(logic.offered_folder(), U16(out.path()));
  logic.OnOpenFolder();
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0].file, out.path());
  EXPECT_FALSE(launcher.opened[0].bytes);  // a folder: nothing to read

  // No file manager: a box names the folder, and the offer stays.
  launcher.opens = false;
  logic.OnOpenFolder();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, u"Could not open the folder\n\n" + U16(out.path()));
  EXPECT_TRUE(view.offers_folder);

  folders.Cancel();
  logic.OnSelectDir();  // the next line offers nothing
  EXPECT_FALSE(view.offers_folder);
  logic.OnOpenFolder();
  EXPECT_EQ(launcher.opened.size(), 2u);
  EXPECT_EQ(box.shown.size(), 1u);
}

TEST_F(UnbalerWorkTest, ProgressCountsEntriesAndBytesAndFillsTheBar) {
  const Bytes big(2 * pak::kCopyChunk + pak::kCopyChunk / 4, 7);
  const struct {
    std::vector<RawEntry> entries;
    std::vector<std::u16string> lines;  // between "Extracting…" and the end
  } kCases[] = {
      {{{u"a", {1}}, {u"b", {2, 2}}, {u"c", {3, 3, 3}}},
       {u"Extracting 1 of 3, 1 of 6 bytes", u"Extracting 2 of 3, 3 of 6 bytes",
        u"Extracting 3 of 3, 6 of 6 bytes"}},
      {{{u"e", {}}, {u"f", {}}}, {u"Extracting 1 of 2", u"Extracting 2 of 2"}},
      // Inside a large entry, after each chunk.
      {{{u"big", big}},
       {u"Extracting 0 of 1, 2.0 of 4.5 MB", u"Extracting 0 of 1, 4.0 of 4.5 MB",
        u"Extracting 1 of 1, 4.5 of 4.5 MB"}},
  };
  for (const auto& c : kCases) {
    ChooseArchive("p.pak", MakeArchive(c.entries));
    runner.Finish();
    TempDir into;
    ChooseFolder(into.path());
    view.statuses.clear();
    logic.OnMainCommand();
    std::vector<double> bar;
    runner.Finish([&](const pak::ProgressCount&) {
      if (view.progress) bar.push_back(*view.progress);
    });
    const auto start = std::find(view.statuses.begin(), view.statuses.end(), u"Extracting\u2026");
    ASSERT_NE(start, view.statuses.end());
    EXPECT_EQ(std::vector<std::u16string>(start + 1, view.statuses.end() - 1), c.lines);
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end())) << c.entries.size();
    EXPECT_EQ(view.progress, std::nullopt) << "the bar outlived the work";
  }
}

TEST_F(UnbalerWorkTest, EscapeInsideALargeEntryDropsItAndSaysStoppingUntilTheEnd) {
  ChooseArchive("p.pak", MakeArchive({{u"a", {1}}, {u"big", Bytes(3 * pak::kCopyChunk, 7)}}));
  runner.Finish();
  ChooseFolder(out.path());
  logic.OnMainCommand();
  runner.Finish([&](const pak::ProgressCount& count) {
    if (count.entries == 1 && count.bytes > 1 && logic.work_state() == shell::WorkState::kRunning) {
      logic.OnCancel();
    }
  });
  EXPECT_EQ(logic.work_state(), shell::WorkState::kIdle);
  EXPECT_EQ(ListDir(out.path()), (Files{"FilesList.txt", "a"}));
  const auto stopping = std::find(view.statuses.begin(), view.statuses.end(), u"Stopping\u2026");
  ASSERT_NE(stopping, view.statuses.end());
  EXPECT_EQ(view.statuses.end() - stopping, 2) << "a report replaced the stop's line";
  EXPECT_EQ(view.status(), u"Extraction stopped: 1 file extracted into " + U16(out.path()));
}

TEST_F(UnbalerWorkTest, AStopEndsTheExtractionBetweenEntries) {
  // Escape after `after` entries on the worker: those stay whole, the rest are never written.
  const struct {
    std::size_t after;
    Files files;
    std::u16string status;
  } kCases[] = {
      {1, {"FilesList.txt", "a"}, u"Extraction stopped: 1 file extracted into "},
      {2, {"FilesList.txt", "a", "b"}, u"Extraction stopped: 2 files extracted into "},
  };
  Prepare();
  for (const auto& c : kCases) {
    TempDir into;
    ChooseFolder(into.path());
    logic.OnMainCommand();
    runner.Finish([&](std::size_t done, std::size_t) {
      if (done == c.after) logic.OnCancel();
    });
    EXPECT_EQ(logic.work_state(), shell::WorkState::kIdle) << c.after;
    EXPECT_EQ(ListDir(into.path()), c.files) << c.after;
    EXPECT_EQ(view.status(), c.status + U16(into.path())) << c.after;
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(view.enabled, true);
  }
  logic.OnCancel();  // nothing runs: nothing happens
  EXPECT_EQ(logic.work_state(), shell::WorkState::kIdle);
}

TEST_F(UnbalerWorkTest, AFailedExtractionKeepsItsBox) {
  Prepare();
  std::filesystem::remove(work / "a.pak");
  logic.OnMainCommand();
  runner.Finish();
  EXPECT_EQ(logic.work_state(), shell::WorkState::kFailed);
  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(view.status(), u"3 entries, 3 bytes");
  EXPECT_FALSE(view.working);
}

// ---- Paths given on the command line or dropped on the window ----

// Each start path goes through the checks its dialog would have made, and a refused one is named
// in a box while the other is still chosen.
TEST_F(UnbalerTest, StartPathsAreCheckedAsTheDialogsWould) {
  WriteFile(work / "good.pak", MakeArchive({{u"keep.wav", {9, 8}}}));
  WriteFile(work / "bad.pak", std::string("not an archive"));
  const std::u16string good = U16(work / "good.pak"), bad = U16(work / "bad.pak"),
                       gone = U16(work / "gone.pak"), folder = U16(out.path());
  struct Case {
    const char* what;
    Names paths;
    std::u16string archive, folder;  // chosen afterwards
    std::u16string box;              // the start of the one box shown; empty: none
  };
  const Case cases[] = {
      {"archive and folder", {good, folder}, good, folder, u""},
      {"archive only", {good}, good, u"", u""},
      {"nothing", {}, u"", u"", u""},
      {"not an archive", {bad, folder}, u"", folder, u"Invalid file\n\n" + bad + u"\n"},
      {"no such file", {gone, folder}, u"", folder, u"Error "},
      {"a folder as the archive", {folder, folder}, u"", folder, u"Not a file\n\n" + folder},
      {"no such folder", {good, gone}, good, u"", u"No such folder\n\n" + gone},
      {"a file as the folder", {good, good}, good, u"", u"No such folder\n\n" + good},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeView fresh_view;
    FakeMessageBox fresh_box;
    UnbalerLogic fresh(fresh_view, dialog, fresh_box, folders, pak::DefaultFileSystem(),
                       pak::Windows1252());
    fresh.OnLoaded();
    fresh.OpenStartPaths(c.paths);
    EXPECT_EQ(fresh.archive_path(), c.archive);
    EXPECT_EQ(fresh_view.file_caption, shell::ShortenPath(c.archive));
    EXPECT_EQ(fresh.folder_path(), c.folder);
    EXPECT_EQ(fresh_view.dir_caption, shell::ShortenPath(c.folder));
    EXPECT_EQ(fresh_view.items, c.archive.empty() ? Names{} : Names{u"keep.ogg"});
    EXPECT_EQ(fresh_view.enabled, !c.archive.empty() && !c.folder.empty());
    ASSERT_EQ(fresh_box.shown.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_TRUE(fresh_box.shown[0].text.starts_with(c.box))
          << pak::ToUtf8(fresh_box.shown[0].text);
      EXPECT_EQ(fresh_box.shown[0].title, u"Unbaler");
    }
    EXPECT_TRUE(dialog.requests.empty());  // no dialog is shown for a path given
    EXPECT_TRUE(folders.requests.empty());
  }
}

// A folder chosen while the archive given with it is read must not turn the extract command on
// before the archive is listed.
TEST_F(UnbalerWorkTest, StartPathsKeepTheCommandOffUntilTheArchiveIsListed) {
  WriteFile(work / "a.pak", MakeArchive({{u"a", {1}}}));
  logic.OpenStartPaths({U16(work / "a.pak"), U16(out.path())});
  EXPECT_EQ(logic.work_state(), shell::WorkState::kRunning);
  EXPECT_EQ(logic.folder_path(), U16(out.path()));
  EXPECT_EQ(view.enabled, false);
  runner.Finish();
  EXPECT_EQ(view.enabled, true);
  EXPECT_EQ(view.items, Names{u"a"});
}

TEST_F(UnbalerWorkTest, DropsChooseAsTheDialogsDoAndNothingWhileWorkRuns) {
  WriteFile(work / "a.pak", MakeArchive({{u"a", {1}}}));
  WriteFile(work / "b.pak", MakeArchive({{u"b", {2}}}));
  const Names archive{U16(work / "a.pak")};
  ASSERT_TRUE(logic.AcceptsDrop(archive));
  logic.OnDrop(archive);
  EXPECT_EQ(runner.started, 1);  // read as the file dialog's choice is
  // While it is read, nothing more is taken.
  EXPECT_FALSE(logic.AcceptsDrop({U16(out.path())}));
  logic.OnDrop({U16(out.path())});
  EXPECT_EQ(logic.folder_path(), u"");
  runner.Finish();
  EXPECT_EQ(view.items, Names{u"a"});

  // A drop refused changes nothing, says nothing and clears no status line.
  const std::size_t statuses = view.statuses.size();
  // (Several archives are taken together only when each one's name says it is one.)
  WriteFile(work / "notes.txt", std::string("x"));
  const Names two_files{U16(work / "a.pak"), U16(work / "notes.txt")};
  EXPECT_FALSE(logic.AcceptsDrop(two_files));
  logic.OnDrop(two_files);
  EXPECT_EQ(runner.started, 1);
  EXPECT_EQ(view.statuses.size(), statuses);

  // A folder and a file together choose both.
  logic.OnDrop({U16(out.path()), U16(work / "b.pak")});
  EXPECT_EQ(logic.folder_path(), U16(out.path()));
  EXPECT_EQ(view.enabled, false);
  runner.Finish();
  EXPECT_EQ(logic.archive_path(), U16(work / "b.pak"));
  EXPECT_EQ(view.items, Names{u"b"});
  EXPECT_EQ(view.enabled, true);
  EXPECT_TRUE(box.shown.empty());
  EXPECT_TRUE(dialog.requests.empty());
  EXPECT_TRUE(folders.requests.empty());
}
