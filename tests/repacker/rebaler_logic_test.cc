#include "repacker/rebaler_logic.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "codec/text.h"
#include "shell/error_text.h"
#include "shell/path_display.h"
#include "tests/support/fakes.h"
#include "tests/support/test_support.h"

namespace repacker {
namespace {

namespace fs = std::filesystem;
using namespace testing_support;  // the shared test helpers and fakes
using Names = std::vector<std::u16string>;

using Shown = testing_support::ShownMessage;

// What one dialog was shown, and what it answered.
struct DialogUse {
  const void* dialog;
  Names added, deleted;
};

class FakeDialog : public DifferenceDialog {
 public:
  FakeDialog(std::vector<DialogUse>* uses, DiffAnswer answer) : uses_(uses), answer_(answer) {}
  DiffAnswer ShowDiff(const Names& added, const Names& deleted) override {
    uses_->push_back({this, added, deleted});
    return answer_;
  }

 private:
  std::vector<DialogUse>* uses_;
  DiffAnswer answer_;
};

// The box that reports a file-system error: "Error <the system's number>", then the description.
bool IsErrorBox(const std::u16string& text) {
  return text.starts_with(u"Error ") && !text.starts_with(shell::ErrorText(0, u""));
}

Bytes Data(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A Rebaler window over a real temporary folder "files" and an archive path "out.pak" beside
// it, with fakes for every dialog.
class RebalerTest : public ::testing::Test {
 protected:
  RebalerTest() {
    fs::create_directory(folder());
    backend.answer = U16(folder());
    file_dialog.answer = U16(archive());
  }

  fs::path folder() const { return temp / "files"; }
  fs::path archive() const { return temp / "out.pak"; }
  void Put(const std::u16string& name, const std::string& content) {
    WriteFile(folder() / fs::path(name), content);
  }
  // Both paths chosen, the folder scanned.
  void ChooseBoth() {
    logic.OnSelectFile();
    logic.OnSelectDir();
  }
  // Then the main command: the pack, after the difference dialog where one is made.
  void ChooseBothAndPack() {
    ChooseBoth();
    logic.OnMainCommand();
  }
  const Shown* LastMessage() const {
    return messages.shown.empty() ? nullptr : &messages.shown.back();
  }

  TempDir temp;
  FakeView view;
  FakeFileDialog file_dialog;
  FakeMessageBox messages;
  FakeFolderBackend backend;
  std::vector<DialogUse> dialog_uses;
  DiffAnswer dialog_answer = DiffAnswer::kContinue;
  int dialogs_made = 0;
  RebalerLogic logic{view, file_dialog, messages, backend, [this] {
                       ++dialogs_made;
                       return std::make_unique<FakeDialog>(&dialog_uses, dialog_answer);
                     }};
};

// ---- The difference between the folder and FilesList.txt ----

TEST_F(RebalerTest, AddedAndDeletedFilesAreConfirmedThenPackedInListOrder) {
  Put(u"a.ogg", "A");
  Put(u"B.OGG", "BB");
  Put(u"new.ogg", "NEW");
  Put(u"FilesList.txt", "a.ogg\r\nb.ogg\r\ngone.ogg\r\n");
  ChooseBoth();
  EXPECT_EQ(view.items, (Names{u"a.ogg", u"B.OGG", u"new.ogg"}));
  EXPECT_TRUE(logic.FilesListFound());

  logic.OnMainCommand();

  ASSERT_EQ(dialog_uses.size(), 1u);
  EXPECT_EQ(dialog_uses[0].added, Names{u"new.ogg"});
  EXPECT_EQ(dialog_uses[0].deleted, Names{u"gone.ogg"});
  EXPECT_EQ(
      ReadFile(archive()),
      MakeArchive({{u"a.wav", Data("A")}, {u"B.wav", Data("BB")}, {u"new.wav", Data("NEW")}}));
  EXPECT_TRUE(messages.shown.empty());  // success is silent
  // The window is ready for another repack of the same folder.
  EXPECT_EQ(view.items, (Names{u"a.ogg", u"B.OGG", u"new.ogg"}));
  EXPECT_EQ(view.enabled, true);
  EXPECT_FALSE(view.busy);
}

// ---- Links and special files in the folder ----

#ifndef _WIN32
TEST_F(RebalerTest, LinksOutOfTheFolderAreRefusedAndLeftOutFilesNamedAfterThePack) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> arrange;
    bool packed;
    std::vector<std::u16string> box_says;  // in the one box shown; none when empty
  };
  const std::vector<Case> cases = {
      {"a link inside",
       [](const fs::path& f) { fs::create_symlink("a.ogg", f / "b.ogg"); },
       true,
       {}},
      {"links out",
       [](const fs::path& f) {
         fs::create_symlink("../secret", f / "key");
         fs::create_symlink(f.parent_path() / "secret", f / "key2");
       },
       false,
       {u"\"key\"", u"\"key2\"", u"nothing was written"}},
      {"a dangling link and a pipe",
       [](const fs::path& f) {
         fs::create_symlink("missing", f / "gone");
         ASSERT_EQ(::mkfifo((f / "pipe").c_str(), 0644), 0);
       },
       true,
       {u"Not packed: \"gone\", a link to nothing", u"\nNot packed: \"pipe\", a named pipe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder());
    fs::create_directory(folder());
    fs::remove(archive());
    messages.shown.clear();
    WriteFile(temp / "secret", std::string("private"));
    Put(u"a.ogg", "A");
    c.arrange(folder());
    ChooseBothAndPack();
    EXPECT_EQ(fs::exists(archive()), c.packed);
    if (c.box_says.empty()) {
      EXPECT_TRUE(messages.shown.empty());
      continue;
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, kTitle);
    for (const auto& says : c.box_says) {
      EXPECT_NE(messages.shown[0].text.find(says), std::u16string::npos)
          << pak::ToUtf8(messages.shown[0].text);
    }
  }
}
#endif

TEST(RebalerLeftOut, TheBoxNamesTheFirstTwentyThenCountsTheRest) {
  const struct {
    std::size_t files;
    std::size_t lines;
    const char16_t* last_line;
  } kCases[] = {{1, 1, u"Not packed: \"f0\", a socket"},
                {20, 20, u"Not packed: \"f19\", a socket"},
                {21, 21, u"1 more file not packed"},
                {45, 21, u"25 more files not packed"}};
  for (const auto& c : kCases) {
    std::vector<pak::LeftOutFile> left_out;
    for (std::size_t i = 0; i < c.files; ++i) {
      left_out.push_back({u"f" + pak::FromUtf8(std::to_string(i)), pak::LeftOutReason::kSocket});
    }
    const std::u16string text = LeftOutText(left_out);
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1, c.lines);
    EXPECT_TRUE(text.ends_with(c.last_line)) << pak::ToUtf8(text);
  }
}

TEST_F(RebalerTest, NoDialogWithoutFilesListOrWhenNamesMatchIgnoringCase) {
  // No FilesList.txt: everything counts as added, but nothing needs confirming.
  Put(u"zeta.ogg", "Z");
  Put(u"Alpha.bin", "A");
  ChooseBothAndPack();
  EXPECT_EQ(dialogs_made, 0);
  EXPECT_EQ(ReadFile(archive()),
            MakeArchive({{u"Alpha.bin", Data("A")}, {u"zeta.wav", Data("Z")}}));

  // A list naming exactly the files, in other letter cases and another order.
  Put(u"FilesList.txt", "ZETA.OGG\r\nalpha.BIN\r\n");
  logic.OnSelectDir();
  logic.OnMainCommand();
  EXPECT_EQ(dialogs_made, 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RebalerTest, EmptyFilesListReportsEveryFileAsAdded) {
  Put(u"b.ogg", "B");
  Put(u"a.ogg", "A");
  Put(u"FilesList.txt", "");
  ChooseBoth();
  EXPECT_TRUE(logic.FilesListFound());
  EXPECT_TRUE(logic.RecordedNames().empty());
  logic.OnMainCommand();
  ASSERT_EQ(dialog_uses.size(), 1u);
  EXPECT_EQ(dialog_uses[0].added, (Names{u"a.ogg", u"b.ogg"}));
  EXPECT_TRUE(dialog_uses[0].deleted.empty());
}

TEST_F(RebalerTest, FamilyBinAndFilesListAreNeverPacked) {
  Put(u"a.ogg", "A");
  Put(u"FAMILY.BIN", "secret");
  Put(u"fileslist.TXT", "a.ogg\r\nFamily.Bin\r\n");
  ChooseBoth();
  EXPECT_EQ(view.items, Names{u"a.ogg"});
  logic.OnMainCommand();
  // The recorded Family.Bin has no file that could be packed: it counts as deleted.
  ASSERT_EQ(dialog_uses.size(), 1u);
  EXPECT_TRUE(dialog_uses[0].added.empty());
  EXPECT_EQ(dialog_uses[0].deleted, Names{u"Family.Bin"});
  EXPECT_EQ(ReadFile(archive()), MakeArchive({{u"a.wav", Data("A")}}));
}

// ---- Cancel and failures leave the old archive whole ----

TEST_F(RebalerTest, CancelledDialogWritesNothing) {
  const Bytes old_archive = MakeArchive({{u"old.wav", Data("OLD")}});
  WriteFile(archive(), old_archive);
  Put(u"a.ogg", "A");
  Put(u"FilesList.txt", "b.ogg\r\n");
  dialog_answer = DiffAnswer::kCancel;
  ChooseBothAndPack();

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"The repack was canceled by your request");
  EXPECT_EQ(messages.shown[0].title, u"Repack Canceled");
  EXPECT_EQ(ReadFile(archive()), old_archive);
  EXPECT_EQ(testing_support::ListDir(temp.path()), (std::vector<std::string>{"files", "out.pak"}));
}

// What the folder holds when Pack is pressed is what is compared and packed, whatever changed
// since the folder was chosen.
TEST_F(RebalerTest, RepackRescansTheFolderFirst) {
  struct Case {
    const char* what;
    std::string files_list;  // empty: no FilesList.txt
    std::vector<std::u16string> add, remove;
    Names listed;          // lstFiles after the repack
    Names added, deleted;  // the dialog, when one is expected
    bool dialog;
  };
  const Case cases[] = {
      {"added, no list", "", {u"c.ogg"}, {}, {u"a.ogg", u"b.ogg", u"c.ogg"}, {}, {}, false},
      {"added, listed folder",
       "a.ogg\r\nb.ogg\r\n",
       {u"c.ogg"},
       {},
       {u"a.ogg", u"b.ogg", u"c.ogg"},
       {u"c.ogg"},
       {},
       true},
      {"deleted, no list", "", {}, {u"b.ogg"}, {u"a.ogg"}, {}, {}, false},
      {"deleted, listed folder",
       "a.ogg\r\nb.ogg\r\n",
       {},
       {u"b.ogg"},
       {u"a.ogg"},
       {},
       {u"b.ogg"},
       true},
      {"one for the other",
       "a.ogg\r\nb.ogg\r\n",
       {u"B2.ogg"},
       {u"b.ogg"},
       {u"a.ogg", u"B2.ogg"},
       {u"B2.ogg"},
       {u"b.ogg"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& entry : fs::directory_iterator(folder())) fs::remove(entry.path());
    dialog_uses.clear();
    messages.shown.clear();
    Put(u"a.ogg", "a");
    Put(u"b.ogg", "b");
    if (!c.files_list.empty()) Put(u"FilesList.txt", c.files_list);
    ChooseBoth();
    for (const auto& name : c.add) Put(name, "new");
    for (const auto& name : c.remove) fs::remove(folder() / fs::path(name));

    logic.OnMainCommand();
    EXPECT_TRUE(messages.shown.empty()) << pak::ToUtf8(messages.shown.front().text);
    EXPECT_EQ(view.items, c.listed);
    EXPECT_EQ(logic.Files(), c.listed);
    ASSERT_EQ(dialog_uses.size(), c.dialog ? 1u : 0u);
    if (c.dialog) {
      EXPECT_EQ(dialog_uses[0].added, c.added);
      EXPECT_EQ(dialog_uses[0].deleted, c.deleted);
    }
    std::vector<testing_support::RawEntry> expected;
    for (const auto& name : c.listed) {
      const bool is_new = std::find(c.add.begin(), c.add.end(), name) != c.add.end();
      std::u16string stored = name.substr(0, name.size() - 4) + u".wav";
      expected.push_back({stored, Data(is_new ? "new" : std::string(1, char(name[0])))});
    }
    EXPECT_EQ(ReadFile(archive()), MakeArchive(expected));
  }
}

TEST_F(RebalerTest, RepackReportsEachFilePacked) {
  Put(u"a.ogg", "A");
  Put(u"b.ogg", "B");
  Put(u"c.ogg", "C");
  ChooseBoth();
  Put(u"d.ogg", "D");  // found by the repack's own scan
  std::vector<std::pair<std::size_t, std::size_t>> heard;
  logic.RepackAll([&](std::size_t done, std::size_t all) { heard.emplace_back(done, all); });
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), (std::pair<std::size_t, std::size_t>{4, 4}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RebalerTest, FolderGoneBeforeRepackKeepsOldArchive) {
  const Bytes old_archive = MakeArchive({{u"old.wav", Data("OLD")}});
  WriteFile(archive(), old_archive);
  Put(u"a.ogg", "A");
  ChooseBoth();
  fs::remove_all(folder());
  logic.OnMainCommand();

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, u"Rebaler");
  EXPECT_TRUE(IsErrorBox(messages.shown[0].text)) << pak::ToUtf8(messages.shown[0].text);
  EXPECT_TRUE(view.items.empty());
  EXPECT_EQ(dialogs_made, 0);
  EXPECT_EQ(ReadFile(archive()), old_archive);
  EXPECT_EQ(testing_support::ListDir(temp.path()), (std::vector<std::string>{"out.pak"}));
  EXPECT_FALSE(view.busy);
}

TEST_F(RebalerTest, NamesTheArchiveCannotStoreAreRefusedByName) {
  Put(u"caf\u00e9.ogg", "Latin-1 is fine");
  Put(u"\u20AC.ogg", "the euro sign is not");
  ChooseBothAndPack();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, u"Rebaler");
  EXPECT_NE(messages.shown[0].text.find(u"\u20AC.ogg"), std::u16string::npos);
  EXPECT_FALSE(fs::exists(archive()));

  // An empty folder has nothing to pack.
  fs::remove(folder() / fs::path(u"caf\u00e9.ogg"));
  fs::remove(folder() / fs::path(u"\u20AC.ogg"));
  logic.OnSelectDir();
  logic.OnMainCommand();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].title, u"Rebaler");
  EXPECT_FALSE(fs::exists(archive()));
}

TEST_F(RebalerTest, ExistingReadOnlyArchiveIsReplaced) {
  WriteFile(archive(), MakeArchive({{u"old.wav", Data("OLD")}}));
  testing_support::MakeReadOnly(archive());
  Put(u"a.ogg", "A");
  ChooseBothAndPack();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadFile(archive()), MakeArchive({{u"a.wav", Data("A")}}));
}

TEST_F(RebalerTest, EachRepackGetsAFreshDialog) {
  Put(u"a.ogg", "A");
  Put(u"FilesList.txt", "a.ogg\r\nlost.ogg\r\n");
  ChooseBothAndPack();
  Put(u"extra.ogg", "E");
  logic.OnSelectDir();
  logic.OnMainCommand();

  EXPECT_EQ(dialogs_made, 2);
  ASSERT_EQ(dialog_uses.size(), 2u);
  EXPECT_TRUE(dialog_uses[0].added.empty());
  EXPECT_EQ(dialog_uses[1].added, Names{u"extra.ogg"});
  EXPECT_EQ(dialog_uses[1].deleted, Names{u"lost.ogg"});
}

// ---- Choosing the archive and the folder ----

TEST_F(RebalerTest, SaveDialogSettingsAndCancelKeepsThePath) {
  logic.OnSelectFile();
  ASSERT_EQ(file_dialog.requests.size(), 1u);
  EXPECT_EQ(file_dialog.requests[0].kind, shell::FileDialogRequest::Kind::kSave);
  EXPECT_EQ(file_dialog.requests[0].options,
            (shell::FileDialogOptions{
                .overwrite_prompt = true, .hide_read_only = true, .path_must_exist = true}));
  EXPECT_EQ(file_dialog.requests[0].filter, u"PAK archives (*.pak)|*.pak");
  EXPECT_EQ(file_dialog.requests[0].default_extension, u"pak");
  EXPECT_EQ(logic.archive_path(), U16(archive()));
  EXPECT_FALSE(fs::exists(archive()));  // only named, never created or read

  const int enable_calls = view.enable_calls;
  const std::u16string caption = view.file_caption;
  file_dialog.answer.clear();
  logic.OnSelectFile();
  EXPECT_EQ(logic.archive_path(), U16(archive()));
  EXPECT_EQ(view.file_caption, caption);
  EXPECT_EQ(view.enable_calls, enable_calls);
}

TEST_F(RebalerTest, LongPathsAreShownShortened) {
  const std::u16string long_archive =
      u"/some/rather/long/folder/for/the/game/data/sounds/voice.pak";
  file_dialog.answer = long_archive;
  logic.OnSelectFile();
  EXPECT_EQ(logic.archive_path(), long_archive);
  EXPECT_EQ(view.file_caption.size(), 38u);
  EXPECT_TRUE(view.file_caption.ends_with(u".../voice.pak"));
}

TEST_F(RebalerTest, FolderDialogRequestAndCancelRescansTheEarlierFolder) {
  // A cancel before any folder was chosen leaves the list empty.
  backend.cancel = true;
  logic.OnSelectDir();
  EXPECT_TRUE(view.items.empty());
  EXPECT_TRUE(logic.folder_path().empty());

  backend.cancel = false;
  Put(u"a.ogg", "A");
  logic.OnSelectDir();
  EXPECT_EQ(view.items, Names{u"a.ogg"});
  EXPECT_EQ(view.dir_caption, shell::ShortenPath(U16(folder())));

  ASSERT_EQ(backend.requests.size(), 2u);
  EXPECT_EQ(backend.requests[1].title, u"Browse for Folder where the ogg files are");
  EXPECT_EQ(backend.requests[1].flags, 1);
  EXPECT_EQ(backend.requests[1].owner, testing_support::kFakeWindow);
  EXPECT_TRUE(backend.requests[0].initial_path.empty());

  // Files added and removed meanwhile show up after a cancelled dialog.
  Put(u"b.ogg", "B");
  fs::remove(folder() / "a.ogg");
  backend.cancel = true;
  logic.OnSelectDir();
  EXPECT_EQ(backend.requests[2].initial_path, U16(folder()));
  EXPECT_EQ(logic.folder_path(), U16(folder()));
  EXPECT_EQ(view.items, Names{u"b.ogg"});

  // An empty path is no folder: the chosen one stays, as after a cancel, and is scanned again.
  Put(u"c.ogg", "C");
  backend.cancel = false;
  backend.answer.clear();
  logic.OnSelectDir();
  EXPECT_EQ(logic.folder_path(), U16(folder()));
  EXPECT_EQ(view.items, (Names{u"b.ogg", u"c.ogg"}));
  EXPECT_EQ(view.dir_caption, shell::ShortenPath(U16(folder())));
}

TEST_F(RebalerTest, ScanFailureShowsTheErrorAndEmptiesTheList) {
  Put(u"a.ogg", "A");
  logic.OnSelectDir();
  ASSERT_EQ(view.items, Names{u"a.ogg"});
  fs::remove_all(folder());
  backend.cancel = true;
  logic.OnSelectDir();

  EXPECT_TRUE(view.items.empty());
  EXPECT_TRUE(logic.Files().empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, u"Rebaler");
  EXPECT_TRUE(IsErrorBox(messages.shown[0].text)) << pak::ToUtf8(messages.shown[0].text);
  EXPECT_FALSE(view.busy);
}

TEST_F(RebalerTest, FolderBrowserErrorIsReportedAndChangesNothing) {
  Put(u"a.ogg", "A");
  logic.OnSelectDir();
  Put(u"b.ogg", "B");
  backend.no_path = true;  // the user confirmed an item without a file-system path
  logic.OnSelectDir();

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            shell::ErrorText(shell::kErrNoPath, u"Could not get the path of the selected folder"));
  EXPECT_EQ(messages.shown[0].title, u"Rebaler");
  EXPECT_EQ(logic.folder_path(), U16(folder()));
  EXPECT_EQ(view.items, Names{u"a.ogg"});  // the command stopped at the error
}

TEST_F(RebalerTest, RepackCommandNeedsBothPaths) {
  logic.OnLoaded();
  EXPECT_EQ(view.enabled, false);
  logic.OnSelectFile();
  EXPECT_EQ(view.enabled, false);
  logic.OnSelectDir();
  EXPECT_EQ(view.enabled, true);

  // A stray command without both paths does nothing.
  FakeView other_view;
  RebalerLogic other(other_view, file_dialog, messages, backend, [] { return nullptr; });
  other.OnSelectDir();
  other.OnMainCommand();
  EXPECT_EQ(other_view.enabled, false);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(fs::exists(archive()));
}

// ---- Work on a worker: the state, the status line and a stop ----

TEST_F(RebalerTest, PackingSaysWhatItDidOrThatItStoppedAndKeptTheOldArchive) {
  const Bytes old_archive = MakeArchive({{u"old.wav", Data("OLD")}});
  const struct {
    bool stop;  // Escape after the first file
    shell::WorkState state;
    std::u16string status;
    bool replaced;
  } kCases[] = {
      {false, shell::WorkState::kDone, u"2 files packed into " + U16(archive()) + u" (89 bytes)",
       true},
      {true, shell::WorkState::kIdle,
       u"Packing stopped: " + U16(archive()) + u" was left as it was", false},
  };
  testing_support::StepRunner runner;
  logic.SetRunner(runner);
  Put(u"a.ogg", "A");
  Put(u"b.ogg", std::string(30, 'B'));
  ChooseBoth();
  runner.Finish();  // the folder's scan
  for (const auto& c : kCases) {
    WriteFile(archive(), old_archive);
    logic.OnMainCommand();
    runner.Finish();  // the rescan; the pack follows
    ASSERT_TRUE(runner.pending());
    EXPECT_EQ(logic.work_state(), shell::WorkState::kRunning);
    EXPECT_TRUE(view.working);
    logic.OnSelectDir();  // refused while the pack runs
    EXPECT_EQ(backend.requests.size(), 1u);
    runner.Finish([&](std::size_t done, std::size_t) {
      if (c.stop && done == 1) logic.OnCancel();
    });
    EXPECT_EQ(logic.work_state(), c.state);
    EXPECT_EQ(view.status(), c.status);
    EXPECT_FALSE(view.working);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ReadFile(archive()) != old_archive, c.replaced);
    EXPECT_EQ(testing_support::ListDir(temp.path()),
              (std::vector<std::string>{"files", "out.pak"}));
  }
}

// ---- The folder is read on the worker ----

// A file system that records each listing of a folder and can act in the middle of one, as the
// user could while the worker reads.
class ListingFileSystem : public FaultyFileSystem {
 public:
  pak::Result<pak::FolderListing> ListFolder(const pak::Path& folder) override {
    ++listings;
    if (during_listing) during_listing();
    return FaultyFileSystem::ListFolder(folder);
  }
  int listings = 0;
  std::function<void()> during_listing;
};

class RebalerWorkTest : public RebalerTest {
 protected:
  RebalerWorkTest() { worked.SetRunner(runner); }

  ListingFileSystem disk;
  StepRunner runner;
  RebalerLogic worked{view,
                      file_dialog,
                      messages,
                      backend,
                      [this] {
                        ++dialogs_made;
                        return std::make_unique<FakeDialog>(&dialog_uses, dialog_answer);
                      },
                      disk,
                      pak::Windows1252()};
};

TEST_F(RebalerWorkTest, EveryWayOfChoosingTheFolderReadsItOnTheWorker) {
  const struct {
    const char* what;
    std::function<void(RebalerLogic&)> choose;
  } kCases[] = {
      {"Select Dir", [](RebalerLogic& l) { l.OnSelectDir(); }},
      {"a cancelled Select Dir",
       [this](RebalerLogic& l) {
         backend.Cancel();
         l.OnSelectDir();
       }},
      {"a drop",
       [this](RebalerLogic& l) {
         l.OnDrop({U16(folder()), U16(archive())});
       }},
      {"the command line",
       [this](RebalerLogic& l) {
         l.OpenStartPaths({U16(folder()), U16(archive())});
       }},
  };
  Put(u"a.ogg", "A");
  WriteFile(archive(), std::string("an old archive"));
  worked.OnLoaded();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    Put(u"b.ogg", "B");  // not yet listed by an earlier case
    const Names before = view.items;
    const int listings = disk.listings;
    c.choose(worked);
    ASSERT_TRUE(runner.pending());
    EXPECT_EQ(disk.listings, listings);  // not on the window's thread
    EXPECT_EQ(view.items, before);
    EXPECT_EQ(view.status(), u"Reading\u2026");
    EXPECT_TRUE(view.working);
    EXPECT_EQ(view.enabled, false);

    runner.Finish();
    EXPECT_EQ(disk.listings, listings + 1);
    EXPECT_EQ(view.items, (Names{u"a.ogg", u"b.ogg"}));
    EXPECT_EQ(worked.Files(), view.items);
    EXPECT_EQ(view.status(), u"2 files, 2 bytes");  // no work runs: the list's summary
    EXPECT_FALSE(view.working);
    EXPECT_EQ(view.enabled, !worked.archive_path().empty());
    EXPECT_TRUE(messages.shown.empty());
    fs::remove(folder() / "b.ogg");
  }
}

TEST_F(RebalerWorkTest, AScanThatFailsOrIsStoppedListsNothingAndOnlyAFailureHasABox) {
  const struct {
    const char* what;
    bool remove_folder;
    bool escape;
    std::size_t boxes;
  } kCases[] = {
      {"the folder is gone", true, false, 1},
      {"Escape while it reads", false, true, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    fs::create_directories(folder());
    Put(u"a.ogg", "A");
    messages.shown.clear();
    worked.OnSelectDir();
    runner.Finish();
    ASSERT_EQ(view.items, Names{u"a.ogg"});

    if (c.remove_folder) fs::remove_all(folder());
    if (c.escape) disk.during_listing = [this] { worked.OnCancel(); };
    worked.OnSelectDir();
    runner.Finish();
    disk.during_listing = nullptr;
    EXPECT_TRUE(view.items.empty());
    EXPECT_TRUE(worked.Files().empty());
    ASSERT_EQ(messages.shown.size(), c.boxes);
    if (c.boxes != 0) {
      EXPECT_TRUE(IsErrorBox(messages.shown[0].text));
    }
    EXPECT_EQ(view.status(), u"");
    EXPECT_FALSE(view.working);
    EXPECT_FALSE(view.busy);
  }
}

TEST_F(RebalerWorkTest, PackRescansOnTheWorkerThenAsksThenPacks) {
  Put(u"a.ogg", "A");
  Put(u"FilesList.txt", "a.ogg\r\n");
  worked.OnSelectFile();
  worked.OnSelectDir();
  runner.Finish();
  Put(u"new.ogg", "NEW");
  const int listings = disk.listings;

  worked.OnMainCommand();
  ASSERT_TRUE(runner.pending());
  EXPECT_EQ(disk.listings, listings);
  EXPECT_EQ(view.status(), u"Reading\u2026");
  EXPECT_EQ(view.items, Names{u"a.ogg"});
  EXPECT_EQ(dialogs_made, 0);

  // The scan ends: the list shows it, and the dialog comes before anything is packed.
  dialog_answer = DiffAnswer::kContinue;
  runner.Finish();
  EXPECT_EQ(disk.listings, listings + 1);
  ASSERT_EQ(dialog_uses.size(), 1u);
  EXPECT_EQ(dialog_uses[0].added, Names{u"new.ogg"});
  EXPECT_EQ(view.items, (Names{u"a.ogg", u"new.ogg"}));
  EXPECT_FALSE(fs::exists(archive()));
  ASSERT_TRUE(runner.pending());
  EXPECT_EQ(view.status(), u"Packing\u2026");

  runner.Finish();
  EXPECT_EQ(ReadFile(archive()), MakeArchive({{u"a.wav", Data("A")}, {u"new.wav", Data("NEW")}}));
  EXPECT_TRUE(view.status().starts_with(u"2 files packed into "));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RebalerWorkTest, EscapeDuringThePacksScanPacksNothingQuietly) {
  const Bytes old_archive = MakeArchive({{u"old.wav", Data("OLD")}});
  const struct {
    const char* what;
    bool before_it_runs, while_listing, after_it_returned;
  } kCases[] = {
      {"before the worker starts", true, false, false},
      {"while the folder is listed", false, true, false},
      {"after the scan, before its end is seen", false, false, true},
  };
  Put(u"a.ogg", "A");
  Put(u"FilesList.txt", "a.ogg\r\ngone.ogg\r\n");  // a difference the dialog would ask about
  worked.OnSelectFile();
  worked.OnSelectDir();
  runner.Finish();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    WriteFile(archive(), old_archive);
    Put(u"new.ogg", "NEW");
    worked.OnMainCommand();
    ASSERT_TRUE(runner.pending());
    if (c.before_it_runs) worked.OnCancel();
    if (c.while_listing) disk.during_listing = [this] { worked.OnCancel(); };
    runner.Finish({}, [&] {
      if (c.after_it_returned) worked.OnCancel();
    });
    disk.during_listing = nullptr;
    fs::remove(folder() / "new.ogg");

    EXPECT_FALSE(runner.pending());  // no pack follows
    EXPECT_FALSE(worked.Working());
    EXPECT_EQ(dialogs_made, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(view.status(), u"1 file, 1 byte");
    EXPECT_EQ(view.items, Names{u"a.ogg"});  // as it was
    EXPECT_EQ(view.enabled, true);
    EXPECT_EQ(ReadFile(archive()), old_archive);
    EXPECT_EQ(ListDir(temp.path()), (std::vector<std::string>{"files", "out.pak"}));
  }
}

// The rescan of a repack fills the list again only when the folder changed; choosing the folder
// always fills it.
TEST_F(RebalerTest, ARepackRefillsTheListOnlyWhenTheFolderChanged) {
  const struct {
    const char* what;
    std::vector<std::u16string> add;
    bool choose_again;
    int fills;
  } kCases[] = {
      {"unchanged", {}, false, 0},
      {"a file added", {u"c.ogg"}, false, 1},
      {"chosen again", {}, true, 1},
  };
  Put(u"a.ogg", "A");
  Put(u"b.ogg", "B");
  ChooseBoth();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    for (const auto& name : c.add) Put(name, "new");
    const int fills = view.list_fills;
    if (c.choose_again) logic.OnSelectDir();
    logic.OnMainCommand();
    EXPECT_EQ(view.list_fills - fills, c.fills);
    EXPECT_EQ(view.items, logic.Files());
    EXPECT_TRUE(messages.shown.empty());
  }
}

// ---- The list: sizes, sorting, the filter ----

TEST_F(RebalerTest, TheListShowsSizesSortsAndFiltersWithoutChangingWhatIsPacked) {
  Put(u"a.ogg", std::string(3000, 'a'));
  Put(u"B.txt", "bb");
  Put(u"c.ogg", std::string(70000, 'c'));
  ChooseBoth();
  EXPECT_EQ(view.items, (Names{u"a.ogg", u"B.txt", u"c.ogg"}));
  EXPECT_EQ(view.sizes, (Names{u"2.9 KB", u"2 bytes", u"68 KB"}));
  EXPECT_EQ(view.status(), u"3 files, 71 KB");
  std::vector<std::u16string> texts;
  for (const shell::ListMenuItem& item : logic.ListMenu()) texts.emplace_back(item.text);
  EXPECT_EQ(texts, (Names{u"Sort by Name", u"Sort by Size"}));  // the files' order is by name

  logic.OnListCommand(shell::ListCommand::kSortBySize);
  EXPECT_EQ(view.items, (Names{u"c.ogg", u"a.ogg", u"B.txt"}));
  logic.OnFilter(u"OGG");
  EXPECT_EQ(view.items, (Names{u"c.ogg", u"a.ogg"}));
  EXPECT_EQ(view.status(), u"2 of 3 files, 71 KB");
  // A row opens the file it shows.
  FakeLauncher launcher;
  logic.SetLauncher(launcher);
  logic.OnOpenItem(1);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0].file.filename(), "a.ogg");

  // The pack takes every file in its own order, whatever the list shows.
  logic.OnMainCommand();
  EXPECT_EQ(ReadFile(archive()), MakeArchive({{u"a.wav", Data(std::string(3000, 'a'))},
                                              {u"B.txt", Data("bb")},
                                              {u"c.wav", Data(std::string(70000, 'c'))}}));
}

// ---- Opening a listed file ----

TEST_F(RebalerTest, ADoubleClickOpensTheFoldersOwnFile) {
  struct Case {
    const char* what;
    std::size_t item;
    bool gone;  // deleted after the scan
    bool opens;
    std::vector<std::string> launched;  // file names handed to the launcher
    std::u16string message;             // part of the one box shown; empty: none
  };
  const Case cases[] = {
      {"a listed file", 1, false, true, {"b.ogg"}, u""},
      {"no program for it", 0, false, false, {"a.ogg"}, u"Could not open a.ogg\n"},
      {"deleted since the scan", 1, true, true, {}, u"no longer in the folder"},
      {"an item past the list", 2, false, true, {}, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put(u"a.ogg", "A");
    Put(u"b.ogg", "B");
    FakeLauncher launcher;
    launcher.opens = c.opens;
    logic.SetLauncher(launcher);
    ChooseBoth();
    messages.shown.clear();
    if (c.gone) fs::remove(folder() / "b.ogg");
    logic.OnOpenItem(c.item);
    std::vector<std::string> launched;
    for (const auto& opened : launcher.opened) {
      launched.push_back(opened.file.filename().string());
      EXPECT_EQ(opened.file.parent_path(), folder());
    }
    EXPECT_EQ(launched, c.launched);
    if (c.message.empty()) {
      EXPECT_TRUE(messages.shown.empty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_NE(messages.shown[0].text.find(c.message), std::u16string::npos);
      EXPECT_EQ(messages.shown[0].title, u"Rebaler");
    }
  }
}

TEST_F(RebalerTest, AFileOfAKindThatMightRunIsNotOpened) {
  struct Case {
    std::u16string name;
    std::u16string refused;  // part of the box that refuses it; empty: it opens
  };
  const Case cases[] = {
      {u"Music.OGG", u""},
      {u"notes.txt", u""},
      {u"patch.exe", u"\".exe\""},
      {u"holiday\u202Egpj.cmd", u"holiday\\u{202E}gpj.cmd\n\nIts extension, \".cmd\""},
      {u"LICENSE", u"no extension"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(pak::ToUtf8(c.name));
    fs::remove_all(folder());
    fs::create_directories(folder());
    Put(c.name, "data");
    FakeLauncher launcher;
    logic.SetLauncher(launcher);
    ChooseBoth();
    messages.shown.clear();
    logic.OnOpenItem(0);
    EXPECT_EQ(launcher.opened.size(), c.refused.empty() ? 1u : 0u);
    if (c.refused.empty()) {
      EXPECT_TRUE(messages.shown.empty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_NE(messages.shown[0].text.find(c.refused), std::u16string::npos)
          << pak::ToUtf8(messages.shown[0].text);
    }
  }
}

}  // namespace
}  // namespace repacker

namespace repacker {
namespace {

// ---- Paths given on the command line or dropped on the window ----

TEST_F(RebalerTest, StartPathsAreCheckedAsTheDialogsWould) {
  Put(u"a.ogg", "A");
  fs::create_directory(temp / "taken.pak");
  const std::u16string files = U16(folder()), out = U16(archive()), gone = U16(temp / "gone");
  struct Case {
    const char* what;
    Names paths;
    std::u16string folder, archive;  // chosen afterwards
    std::u16string box;              // the one box shown; empty: none
  };
  const Case cases[] = {
      {"folder and archive", {files, out}, files, out, u""},
      {"folder only", {files}, files, u"", u""},
      {"a name without extension gets .pak", {files, U16(temp / "out")}, files, out, u""},
      {"another extension stays",
       {files, U16(temp / "out.dat")},
       files,
       U16(temp / "out.dat"),
       u""},
      {"no such folder", {gone, out}, u"", out, u"No such folder\n\n" + gone},
      {"a file as the folder",
       {U16(folder() / "a.ogg")},
       u"",
       u"",
       u"No such folder\n\n" + U16(folder() / "a.ogg")},
      {"the archive's folder is missing",
       {files, U16(temp / "gone" / "x.pak")},
       files,
       u"",
       u"No such folder\n\n" + gone},
      {"a folder as the archive",
       {files, U16(temp / "taken.pak")},
       files,
       u"",
       u"Not a file\n\n" + U16(temp / "taken.pak")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeView fresh_view;
    FakeMessageBox fresh_box;
    RebalerLogic fresh(fresh_view, file_dialog, fresh_box, backend, [] { return nullptr; });
    fresh.OnLoaded();
    fresh.OpenStartPaths(c.paths);
    EXPECT_EQ(fresh.folder_path(), c.folder);
    EXPECT_EQ(fresh_view.dir_caption, shell::ShortenPath(c.folder));
    EXPECT_EQ(fresh.archive_path(), c.archive);
    EXPECT_EQ(fresh_view.file_caption, shell::ShortenPath(c.archive));
    EXPECT_EQ(fresh_view.items, c.folder.empty() ? Names{} : Names{u"a.ogg"});
    EXPECT_EQ(fresh_view.enabled, !c.folder.empty() && !c.archive.empty());
    ASSERT_EQ(fresh_box.shown.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_EQ(fresh_box.shown[0].text, c.box);
      EXPECT_EQ(fresh_box.shown[0].title, u"Rebaler");
    }
    EXPECT_TRUE(file_dialog.requests.empty());
    EXPECT_TRUE(backend.requests.empty());
  }
  EXPECT_FALSE(fs::exists(archive()));  // choosing writes nothing
}

// The box that refuses one start path comes over a window that already shows the other.
TEST_F(RebalerTest, ARefusedStartPathIsNamedAfterTheOtherIsShown) {
  struct SeeingBox : shell::MessageBox {
    explicit SeeingBox(const FakeView& seen) : view(seen) {}
    void Show(const std::u16string& text, const std::u16string&) override {
      shown.push_back({text, view.dir_caption, view.items});
    }
    struct Seen {
      std::u16string text, dir_caption;
      Names items;
    };
    const FakeView& view;
    std::vector<Seen> shown;
  } box(view);
  Put(u"a.ogg", "A");
  RebalerLogic fresh(view, file_dialog, box, backend, [] { return nullptr; });
  fresh.OpenStartPaths({U16(folder()), U16(temp / "gone" / "x.pak")});
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, u"No such folder\n\n" + U16(temp / "gone"));
  EXPECT_EQ(box.shown[0].dir_caption, shell::ShortenPath(U16(folder())));
  EXPECT_EQ(box.shown[0].items, Names{u"a.ogg"});
}

TEST_F(RebalerTest, DropsChooseTheFolderOrAPakFileAndRefuseTheRest) {
  Put(u"a.ogg", "A");
  WriteFile(temp / "OLD.PAK", std::string("whatever is there"));
  WriteFile(temp / "notes.txt", std::string("x"));
  logic.OnLoaded();

  logic.OnDrop({U16(temp / "notes.txt")});  // not an archive to write: refused quietly
  EXPECT_EQ(logic.archive_path(), u"");
  EXPECT_FALSE(logic.AcceptsDrop({U16(folder()), U16(temp / "notes.txt")}));
  logic.OnDrop({U16(folder()), U16(temp / "notes.txt")});
  EXPECT_EQ(logic.folder_path(), u"");
  EXPECT_EQ(view.list_fills, 0);

  logic.OnDrop({U16(folder())});
  EXPECT_EQ(logic.folder_path(), U16(folder()));
  EXPECT_EQ(view.items, Names{u"a.ogg"});  // listed as the folder browser's choice is
  EXPECT_EQ(view.enabled, false);
  logic.OnDrop({U16(temp / "OLD.PAK")});
  EXPECT_EQ(logic.archive_path(), U16(temp / "OLD.PAK"));
  EXPECT_EQ(view.enabled, true);
  EXPECT_EQ(ReadText(temp / "OLD.PAK"), "whatever is there");  // only chosen, not written
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(file_dialog.requests.empty());
  EXPECT_TRUE(backend.requests.empty());
}

}  // namespace
}  // namespace repacker
