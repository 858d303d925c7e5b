#include "shell/folder_browser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/error_text.h"

namespace shell {
namespace {

class FakeBackend : public FolderDialogBackend {
 public:
  bool IsWindow(std::intptr_t hwnd) override {
    ++is_window_calls;
    return hwnd == 42;
  }
  BrowseResult Show(const BrowseRequest& request) override {
    requests.push_back(request);
    return next;
  }
  std::string ProgramName() const override { return "unbaler"; }

  BrowseResult next;
  std::vector<BrowseRequest> requests;
  int is_window_calls = 0;
};

TEST(BrowseForFolder, HandsTheRequestOverAndAnswersWithTheChosenPath) {
  FakeBackend backend;
  backend.next = {BrowseResult::Outcome::kChosen, u"C:\\New"};
  const BrowseRequest request{42, u"Browse for Folder where the ogg files are", 1, u"C:\\Old"};
  const FolderChoice choice = BrowseForFolder(backend, request);
  EXPECT_EQ(choice.outcome, FolderChoice::Outcome::kChosen);
  EXPECT_EQ(choice.path, u"C:\\New");
  ASSERT_EQ(backend.requests.size(), 1u);
  const BrowseRequest& r = backend.requests[0];
  EXPECT_EQ(r.owner, 42);
  EXPECT_EQ(r.flags, 1);
  EXPECT_EQ(r.title, request.title);
  EXPECT_EQ(r.initial_path, u"C:\\Old");
}

// Every way the chooser can end, with the number and text the user is shown for a failure.
TEST(BrowseForFolder, OutcomesAndFailures) {
  using Outcome = FolderChoice::Outcome;
  const struct {
    std::intptr_t owner;
    BrowseResult::Outcome shown;
    Outcome outcome;
    std::int32_t number;
    std::u16string description;
    bool dialog_shown;
  } kCases[] = {
      {0, BrowseResult::Outcome::kCancelled, Outcome::kCancelled, 0, u"", true},
      // 0 and negative owners are taken without asking the platform.
      {-5, BrowseResult::Outcome::kChosen, Outcome::kChosen, 0, u"", true},
      {0, BrowseResult::Outcome::kNoPath, Outcome::kFailed, -2147204443,
       u"Could not get the path of the selected folder", true},
      {0, BrowseResult::Outcome::kFailed, Outcome::kFailed, -2147204441,
       u"CBrowseForFolder component failure", true},
      // An owner that names no window fails before anything is shown.
      {43, BrowseResult::Outcome::kChosen, Outcome::kFailed, -2147204442, u"Invalid window handle",
       false},
  };
  for (const auto& c : kCases) {
    FakeBackend backend;
    backend.next = {c.shown, u"/home/me/sounds"};
    const FolderChoice choice = BrowseForFolder(backend, {c.owner, u"t", 1, u""});
    EXPECT_EQ(choice.outcome, c.outcome) << c.owner;
    EXPECT_EQ(choice.error_number, c.number);
    EXPECT_EQ(choice.error_description, c.description);
    EXPECT_EQ(choice.error_source, c.outcome == Outcome::kFailed ? "unbaler.CBrowseForFolder" : "");
    EXPECT_EQ(backend.requests.size(), c.dialog_shown ? 1u : 0u);
    EXPECT_EQ(backend.is_window_calls, c.owner > 0 ? 1 : 0);
  }
}

TEST(ErrorText, NumberBlankLineDescription) {
  EXPECT_EQ(ErrorText(-2147204443, u"Could not get the path of the selected folder"),
            u"Error -2147204443\n\nCould not get the path of the selected folder");
  EXPECT_EQ(ErrorText(53, u"File not found"), u"Error 53\n\nFile not found");
}

TEST(ProgramNameOf, TheFileNameWithoutItsLastExtension) {
  const struct {
    std::u16string_view path;
    const char* name;
  } kCases[] = {
      {u"C:\\Games\\unbaler.exe", "unbaler"},
      {u"/usr/bin/rebaler", "rebaler"},
      {u"Z:/tools\\my.baler.exe", "my.baler"},
      {u"C:\\dotted.dir\\plain", "plain"},
      {u"/home/.hidden", ".hidden"},
      {u"unbaler.exe", "unbaler"},
      {u"C:\\Spiele\\\u00dcbersetzer.exe",
       "\xc3\x9c"
       "bersetzer"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ProgramNameOf(c.path), c.name) << std::string(c.name);
  }
}

}  // namespace
}  // namespace shell
