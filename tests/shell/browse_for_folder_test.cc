#include "shell/browse_for_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/error_text.h"

namespace shell {
namespace {

class FakeBackend : public FolderDialogBackend {
 public:
  bool IsWindow(std::intptr_t hwnd) override {
    if (is_window_throws) throw std::runtime_error("unbound");
    return hwnd == 42;
  }
  BrowseResult Show(const BrowseRequest& request) override {
    requests.push_back(request);
    if (show_throws) throw std::runtime_error("no shell");
    return next;
  }
  std::string ProgramName() const override { return "unbaler"; }

  static BrowseResult Chosen(const std::u16string& path) {
    return {BrowseResult::Outcome::kChosen, path};
  }

  BrowseResult next;
  std::vector<BrowseRequest> requests;
  bool is_window_throws = false;
  bool show_throws = false;
};

// Runs `call` and returns the BrowseError it raises.
BrowseError Raised(const std::function<void()>& call) {
  try {
    call();
  } catch (const BrowseError& e) {
    return e;
  }
  ADD_FAILURE() << "no BrowseError raised";
  return BrowseError(0, "", u"");
}

TEST(CBrowseForFolder, NewObjectDefaults) {
  FakeBackend backend;
  CBrowseForFolder browser(backend);
  EXPECT_EQ(browser.Flags(), 69);
  EXPECT_EQ(browser.HWndOwner(), 0);
  EXPECT_TRUE(browser.DialogTitle().empty());
  EXPECT_TRUE(browser.InitialPath().empty());
  EXPECT_TRUE(browser.SelectedPath().empty());
}

TEST(CBrowseForFolder, BrowseHandsTheSettingsOverAndTakesTheChosenPath) {
  FakeBackend backend;
  CBrowseForFolder browser(backend);
  browser.Init(u"C:\\Old", 42, u"Browse for Folder where the ogg files are",
               static_cast<std::int32_t>(FolderDialogFlag::kReturnOnlyFileSystemFolders));
  backend.next = FakeBackend::Chosen(u"C:\\New");
  EXPECT_TRUE(browser.Browse());
  EXPECT_EQ(browser.SelectedPath(), u"C:\\New");
  ASSERT_EQ(backend.requests.size(), 1u);
  const BrowseRequest& r = backend.requests[0];
  EXPECT_EQ(r.owner, 42);
  EXPECT_EQ(r.flags, 1);
  EXPECT_EQ(r.title, u"Browse for Folder where the ogg files are");
  EXPECT_EQ(r.initial_path, u"C:\\Old");
}

TEST(CBrowseForFolder, CancelAndNoPathKeepTheSelectedPath) {
  FakeBackend backend;
  CBrowseForFolder browser(backend);
  backend.next = {BrowseResult::Outcome::kCancelled, {}};
  EXPECT_FALSE(browser.Browse());
  EXPECT_TRUE(browser.SelectedPath().empty());

  backend.next = FakeBackend::Chosen(u"/home/me/sounds");
  ASSERT_TRUE(browser.Browse());
  backend.next = {BrowseResult::Outcome::kCancelled, {}};
  EXPECT_FALSE(browser.Browse());
  EXPECT_EQ(browser.SelectedPath(), u"/home/me/sounds");

  backend.next = {BrowseResult::Outcome::kNoPath, std::u16string(512, u'\0')};
  const BrowseError e = Raised([&] { browser.Browse(); });
  EXPECT_EQ(e.number(), -2147204443);
  EXPECT_EQ(e.source(), "unbaler.CBrowseForFolder");
  EXPECT_EQ(e.description(), u"Could not get the path of the selected folder");
  EXPECT_STREQ(e.what(), "Could not get the path of the selected folder");
  EXPECT_EQ(browser.SelectedPath(), u"/home/me/sounds");
}

TEST(CBrowseForFolder, OwnerCheck) {
  FakeBackend backend;
  CBrowseForFolder browser(backend);
  browser.SetHWndOwner(42);
  EXPECT_EQ(browser.HWndOwner(), 42);
  // 0 and negative values are stored without asking the platform.
  backend.is_window_throws = true;
  browser.SetHWndOwner(0);
  browser.SetHWndOwner(-5);
  EXPECT_EQ(browser.HWndOwner(), -5);
  backend.is_window_throws = false;

  const BrowseError e = Raised([&] { browser.SetHWndOwner(43); });
  EXPECT_EQ(e.number(), kErrInvalidOwner);
  EXPECT_EQ(e.description(), u"Invalid window handle");
  EXPECT_EQ(browser.HWndOwner(), -5);
}

TEST(CBrowseForFolder, InitWithABadOwnerKeepsPathAndTitleButNotOwnerAndFlags) {
  FakeBackend backend;
  CBrowseForFolder browser(backend);
  browser.Init(u"a", 42, u"t", 1);
  const BrowseError e = Raised([&] { browser.Init(u"b", 99, u"u", 7); });
  EXPECT_EQ(e.number(), kErrInvalidOwner);
  EXPECT_EQ(browser.InitialPath(), u"b");
  EXPECT_EQ(browser.DialogTitle(), u"u");
  EXPECT_EQ(browser.HWndOwner(), 42);
  EXPECT_EQ(browser.Flags(), 1);
}

TEST(CBrowseForFolder, OtherFailuresBecomeComponentFailures) {
  FakeBackend backend;
  CBrowseForFolder browser(backend);
  backend.show_throws = true;
  BrowseError e = Raised([&] { browser.Browse(); });
  EXPECT_EQ(e.number(), kErrComponent);
  EXPECT_EQ(e.number(), -2147204441);
  EXPECT_EQ(e.source(), "unbaler.CBrowseForFolder");
  EXPECT_EQ(e.description(), u"CBrowseForFolder component failure");

  backend.is_window_throws = true;
  e = Raised([&] { browser.SetHWndOwner(42); });
  EXPECT_EQ(e.number(), kErrComponent);
  EXPECT_EQ(browser.HWndOwner(), 0);
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
