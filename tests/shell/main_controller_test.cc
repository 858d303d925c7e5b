// The main window's shared behaviour against a fake native window: start-up, the fade, the drag,
// the hover tracking and the commands with their error reports.
#include "shell/main_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "codec/text.h"
#include "shell/folder_browser.h"
#include "tests/support/fakes.h"

namespace shell {
namespace {

class FakeWindow : public NativeWindow {
 public:
  Box Screen() const override { return screen; }
  std::int32_t Left() const override { return left; }
  std::int32_t Top() const override { return top; }
  void MoveTo(std::int32_t new_left, std::int32_t new_top) override {
    left = new_left;
    top = new_top;
    calls.push_back("MoveTo");
  }
  void ShapeFromSkin() override { calls.push_back("ShapeFromSkin"); }
  void ShowTransparent() override { calls.push_back("ShowTransparent"); }
  void SetAlpha(std::int32_t a) override { alpha = a; }
  void SetFadeTimer(bool running) override { fade_timer = running; }
  void Unload() override { calls.push_back("Unload"); }
  void ShowMessage(const std::u16string& text, const std::u16string& title) override {
    messages.push_back(title + u"|" + text);
  }
  std::intptr_t Handle() const override {
    ++handle_reads;
    return 7;
  }
  std::int32_t Dpi() const override { return dpi; }
  PicSurface* Surface(Role role) override {
    const auto found = surfaces.find(role);
    return found == surfaces.end() ? nullptr : found->second;
  }

  Box screen{100, 0, 1920, 1080};
  std::int32_t dpi = kBaseDpi;
  std::int32_t left = 0, top = 0, alpha = -1;
  bool fade_timer = false;
  std::vector<std::string> calls;
  std::vector<std::u16string> messages;
  mutable int handle_reads = 0;
  std::map<Role, PicSurface*> surfaces;
};

class FakeSurface : public PicSurface {
 public:
  explicit FakeSurface(std::int32_t left) : left_(left) {}
  void ShowPicture(ButtonLook look) override { shown = look; }
  std::int32_t Left() const override { return left_; }
  std::int32_t Top() const override { return 54; }
  std::int32_t Width() const override { return 102; }
  std::int32_t Height() const override { return 27; }
  ButtonLook shown = ButtonLook::kNormal;

 private:
  std::int32_t left_;
};

using testing_support::FakePointer;

class RecordingCommands : public MainCommands {
 public:
  explicit RecordingCommands(FakeWindow& window) : window_(window) {}
  void OnLoaded() override { Record("OnLoaded"); }
  void OnSelectFile() override { Record("OnSelectFile"); }
  void OnSelectDir() override { Record("OnSelectDir"); }
  void OnMainCommand() override { Record("OnMainCommand"); }
  void OnCancel() override { Record("OnCancel"); }
  void OnOpenFolder() override { Record("OnOpenFolder"); }
  bool Working() const override { return working; }
  std::vector<ListMenuItem> ListMenu() override {
    return {{ListCommand::kExtractAll, u"All", !working}};
  }
  void OnListCommand(ListCommand command) override {
    Record(command == ListCommand::kExtractAll ? "OnListCommand all" : "OnListCommand selected");
  }
  void OnOpenItem(std::size_t index) override {
    window_.calls.push_back("OnOpenItem " + std::to_string(index));
    if (fail) std::exchange(fail, nullptr)();
  }
  std::function<void()> fail;  // run by the next command
  bool working = false;

 private:
  void Record(const char* name) {
    window_.calls.push_back(name);
    if (fail) std::exchange(fail, nullptr)();
  }
  FakeWindow& window_;
};

class MainControllerTest : public ::testing::Test {
 protected:
  // With the window's own surfaces, found by their roles.
  void Load() {
    window.surfaces = {{Role::kSelectFile, &select_file},
                       {Role::kSelectDir, &select_dir},
                       {Role::kMainCommand, &main_command},
                       {Role::kClose, &close}};
    controller.Load(&commands);
  }

  FakeWindow window;
  FakePointer pointer;
  FakeSurface select_file{318}, select_dir{100}, main_command{180}, close{384};
  RecordingCommands commands{window};
  MainController controller{Program::kRebaler, window, pointer};
};

TEST_F(MainControllerTest, LoadCentresShapesShowsThenFadesInAndEndsWithTheCommandUpdate) {
  Load();
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"MoveTo", "ShapeFromSkin", "ShowTransparent", "OnLoaded"}));
  // Centred on the screen, whose origin is not the desktop's.
  EXPECT_EQ(window.left, 100 + (1920 - kMainWidth) / 2);
  EXPECT_EQ(window.top, (1080 - kMainHeight) / 2 + 1);  // 421.5 pixels rounds up
  EXPECT_TRUE(window.fade_timer);
  EXPECT_EQ(controller.fade().Alpha(), 0);
  ASSERT_EQ(controller.buttons().size(), 4u);
  EXPECT_EQ(controller.button(Role::kSelectFile)->surface(), &select_file);
  EXPECT_EQ(controller.button(Role::kSelectDir)->surface(), &select_dir);
  EXPECT_EQ(controller.button(Role::kMainCommand)->surface(), &main_command);
  EXPECT_EQ(controller.button(Role::kClose)->surface(), &close);
  EXPECT_EQ(controller.button(Role::kFiles), nullptr);
}

TEST_F(MainControllerTest, AWindowDrawnAtAnotherDpiIsCentredAtItsSizeThere) {
  // 192 dpi: 884 x 474 pixels on the screen.
  window.dpi = 192;
  Load();
  EXPECT_EQ(window.left, 100 + (1920 - 884) / 2);
  EXPECT_EQ(window.top, (1080 - 474) / 2);
}

TEST_F(MainControllerTest, TheClosePictureFollowsThePointerLikeTheButtons) {
  Load();
  PictureButton& button = *controller.button(Role::kClose);
  const struct {
    PointerEvent event;
    ButtonLook shown;
  } kSteps[] = {
      {{PointerEvent::Kind::kMove, 0, 3, 3}, ButtonLook::kHover},
      {{PointerEvent::Kind::kPress, kLeftButton, 3, 3}, ButtonLook::kPressed},
      {{PointerEvent::Kind::kRelease, kLeftButton, 3, 3}, ButtonLook::kHover},
  };
  for (const auto& step : kSteps) {
    button.Pointer(step.event);
    EXPECT_EQ(close.shown, step.shown);
  }
}

TEST_F(MainControllerTest, APressThroughADisabledButtonDoesNotDragTheWindow) {
  Load();
  controller.MainCommandEnabled(false);
  EXPECT_EQ(main_command.shown, ButtonLook::kDisabled);  // the dimmed picture
  window.left = 300;
  window.top = 200;
  const struct {
    float x, y;
    bool drags;
  } kPresses[] = {
      {200, 170, true},   // the bare skin
      {200, 200, false},  // on the main command
      {181, 191, false},  // on each button's box, however the front end delivered it
      {330, 60, false},  {390, 30, false}, {100, 10, true},
  };
  for (const auto& press : kPresses) {
    SCOPED_TRACE(press.x);
    controller.SkinPress(press.x, press.y);
    EXPECT_EQ(controller.dragging(), press.drags);
    controller.SkinRelease();
  }
  controller.MainCommandEnabled(true);
  EXPECT_EQ(main_command.shown, ButtonLook::kNormal);
}

TEST_F(MainControllerTest, WhileWorkRunsOnlyEscapeAndCloseAreHeardAndCloseWaitsForTheEnd) {
  Load();
  for (int tick = 0; tick < 47; ++tick) controller.FadeTick();  // faded in: the timer is off
  commands.working = true;
  controller.Working(true);
  // The path buttons show their dimmed pictures while the work runs.
  EXPECT_EQ(select_file.shown, ButtonLook::kDisabled);
  EXPECT_EQ(select_dir.shown, ButtonLook::kDisabled);
  window.calls.clear();
  for (Command command :
       {Command::kSelectFile, Command::kSelectDir, Command::kMainCommand, Command::kOpenFolder}) {
    controller.Click(command);
  }
  EXPECT_TRUE(window.calls.empty());
  controller.Escape();
  controller.Click(Command::kClose);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"OnCancel", "OnCancel"}));
  EXPECT_FALSE(window.fade_timer);
  // The work has stopped: the close goes on, once.
  commands.working = false;
  controller.Working(false);
  EXPECT_EQ(select_file.shown, ButtonLook::kNormal);
  EXPECT_EQ(select_dir.shown, ButtonLook::kNormal);
  EXPECT_TRUE(window.fade_timer);
  for (int tick = 0; tick < 47; ++tick) controller.FadeTick();
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "Unload"), 1);
  controller.Working(true);
  controller.Working(false);
  controller.Click(Command::kMainCommand);
  EXPECT_EQ(window.calls.back(), "OnMainCommand");
}

TEST_F(MainControllerTest, KeysMoveTheFocusAndRunTheFocusedButtonLikeAClick) {
  Load();  // Rebaler: the folder row is on top
  const auto all = [](Role) { return true; };
  const struct {
    Key key;
    std::optional<Role> focused;
    bool working;
    bool used;
    std::optional<Role> focus;
    std::vector<std::string> calls;
    bool repeat = false;  // the key is held down
  } kCases[] = {
      {Key::kTab, std::nullopt, false, true, Role::kSelectDir, {}},
      {Key::kEnter, Role::kSelectDir, false, true, std::nullopt, {"OnSelectDir"}},
      {Key::kSpace, Role::kSelectFile, false, true, std::nullopt, {"OnSelectFile"}},
      {Key::kEnter, Role::kMainCommand, false, true, std::nullopt, {"OnMainCommand"}},
      // Refused while work runs, as a click is; the key is still the window's.
      {Key::kSpace, Role::kMainCommand, true, true, std::nullopt, {}},
      // The list keeps Enter and Space; the window itself has nothing to run.
      {Key::kEnter, Role::kFiles, false, false, std::nullopt, {}},
      {Key::kSpace, Role::kFiles, false, false, std::nullopt, {}},
      // The status strip runs its click too (the close picture's, last below).
      {Key::kEnter, Role::kStatus, false, true, std::nullopt, {"OnOpenFolder"}},
      {Key::kEnter, Role::kStatus, true, true, std::nullopt, {}},
      // Escape stops the work from any control.
      {Key::kEscape, Role::kFiles, true, true, std::nullopt, {"OnCancel"}},
      // A held key runs its command once: the repeats are the window's, and run nothing.
      {Key::kEnter, Role::kSelectDir, false, true, std::nullopt, {}, true},
      {Key::kSpace, Role::kMainCommand, false, true, std::nullopt, {}, true},
      {Key::kSpace, Role::kFiles, false, false, std::nullopt, {}, true},
      {Key::kSpace, Role::kClose, false, true, std::nullopt, {}},  // the fade-out starts
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    window.calls.clear();
    commands.working = c.working;
    const KeyOutcome outcome = controller.KeyPress(c.key, c.focused, all, c.repeat);
    EXPECT_EQ(outcome.used, c.used);
    EXPECT_EQ(outcome.focus, c.focus);
    EXPECT_EQ(window.calls, c.calls);
  }
  EXPECT_TRUE(window.fade_timer);
}

TEST_F(MainControllerTest, FadeInStopsAt235AndCloseFadesOutToUnloadOnce) {
  Load();
  for (int tick = 0; tick < 47; ++tick) controller.FadeTick();
  EXPECT_EQ(window.alpha, 235);
  EXPECT_FALSE(window.fade_timer);
  controller.Click(Command::kClose);
  EXPECT_TRUE(window.fade_timer);
  for (int tick = 0; tick < 47; ++tick) controller.FadeTick();
  EXPECT_EQ(window.alpha, 0);
  EXPECT_FALSE(window.fade_timer);
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "Unload"), 1);
}

TEST_F(MainControllerTest, DragMovesTwoTwipsPerPixelAndFollowsAWindowMovedElsewhere) {
  Load();
  window.calls.clear();
  EXPECT_FALSE(controller.SkinMove(50, 50));  // no press yet
  window.left = 300;                          // moved by other means: the drag starts from here
  window.top = 200;
  controller.SkinPress(10.4f, 20.6f);         // rounds to (10, 21)
  EXPECT_FALSE(controller.SkinMove(13, 21));  // 6 twips: not yet a pixel
  EXPECT_TRUE(window.calls.empty());
  EXPECT_TRUE(controller.SkinMove(18, 21));  // 16 twips more
  EXPECT_EQ(window.left, 301);
  EXPECT_TRUE(controller.SkinMove(10, 11));  // 20 twips up
  EXPECT_EQ(window.left, 301);
  EXPECT_EQ(window.top, 199);
  EXPECT_EQ(controller.place(), (PixelPoint{301, 199}));
  controller.SkinRelease();
  EXPECT_FALSE(controller.SkinMove(200, 200));
}

TEST_F(MainControllerTest, SkinPointerEventsDragWithAnyButton) {
  using Kind = PointerEvent::Kind;
  Load();
  window.left = 300;
  window.top = 200;
  const struct {
    PointerEvent event;
    bool moved;
    std::int32_t left;
  } kSteps[] = {
      {{Kind::kMove, 0, 50, 50}, false, 300},  // no press yet
      {{Kind::kPress, kRightButton, 10, 21}, false, 300},
      {{Kind::kMove, 0, 13, 21}, false, 300},  // 6 twips: not yet a pixel
      {{Kind::kMove, 0, 18, 21}, true, 301},
      {{Kind::kRelease, kMiddleButton, 18, 21}, false, 301},
      {{Kind::kMove, 0, 200, 200}, false, 301},
  };
  for (std::size_t i = 0; i < std::size(kSteps); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(controller.SkinPointer(kSteps[i].event), kSteps[i].moved);
    EXPECT_EQ(window.left, kSteps[i].left);
    EXPECT_EQ(window.top, 200);
  }
}

TEST_F(MainControllerTest, HoverTrackingWaitsForStartUpThenResetsButtonsThePointerLeft) {
  controller.HoverTick();
  EXPECT_EQ(window.handle_reads, 0);  // nothing to track, no window handle needed yet
  Load();
  select_file.shown = main_command.shown = ButtonLook::kHover;
  pointer.x = 320;  // over select-file only
  pointer.y = 60;
  controller.HoverTick();
  EXPECT_EQ(select_file.shown, ButtonLook::kHover);
  EXPECT_EQ(main_command.shown, ButtonLook::kNormal);
  main_command.shown = ButtonLook::kHover;
  controller.MainCommandEnabled(false);  // a disabled command shows its dimmed picture at once
  EXPECT_EQ(main_command.shown, ButtonLook::kDisabled);
  controller.HoverTick();  // and keeps it while the pointer is away
  EXPECT_EQ(main_command.shown, ButtonLook::kDisabled);
}

TEST_F(MainControllerTest, ClicksRunTheirCommandsAndErrorsAreShownWithTheProgramsTitle) {
  Load();
  window.calls.clear();
  for (Command command :
       {Command::kNone, Command::kSelectFile, Command::kSelectDir, Command::kMainCommand}) {
    controller.Click(command);
  }
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"OnSelectFile", "OnSelectDir", "OnMainCommand"}));

  const std::string io_message = std::generic_category().message(5);
  const struct {
    std::function<void()> fail;
    std::u16string shown;
  } cases[] = {
      {[] { throw std::system_error(5, std::generic_category(), "disk"); },
       u"Rebaler|Error 5\n\ndisk: " + std::u16string(io_message.begin(), io_message.end())},
      {[] { throw std::runtime_error("caf\xc3\xa9"); }, u"Rebaler|Error 0\n\ncaf\u00e9"},
  };
  for (const auto& c : cases) {
    window.messages.clear();
    commands.fail = c.fail;
    controller.Click(Command::kSelectDir);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], c.shown);
  }
  // The window carries on.
  controller.Click(Command::kMainCommand);
  EXPECT_EQ(window.calls.back(), "OnMainCommand");
}

// Records what reaches each control through the three primitives, as "role:what".
class RecordingView : public MainWindowView {
 public:
  explicit RecordingView(MainController& controller) : controller_(controller) {}
  MainController& controller() override { return controller_; }
  void SetBusy(bool) override {}
  std::intptr_t WindowHandle() const override { return 0; }
  std::vector<std::string> calls;

 private:
  void SetControlText(Role role, const std::u16string& text) override {
    calls.push_back(Name(role) + ":text " + std::string(text.begin(), text.end()));
  }
  void SetControlTip(Role role, const std::u16string& tip) override {
    calls.push_back(Name(role) + ":tip " + std::string(tip.begin(), tip.end()));
  }
  void SetControlItems(Role role, const std::vector<std::u16string>& items) override {
    calls.push_back(Name(role) + ":items " + std::to_string(items.size()));
  }
  // Tells which control it was asked of.
  std::vector<std::size_t> SelectedControlItems(Role role) const override {
    return {static_cast<std::size_t>(role)};
  }
  void EnableControl(Role role, bool enabled) override {
    calls.push_back(Name(role) + (enabled ? ":on" : ":off"));
  }
  void SetControlName(Role role, const std::u16string& name) override {
    calls.push_back(Name(role) + ":name " + std::string(name.begin(), name.end()));
  }
  static std::string Name(Role role) { return std::to_string(static_cast<int>(role)); }
  MainController& controller_;
};

TEST_F(MainControllerTest, TheMainViewReachesTheControlOfEachRole) {
  const auto name = [](Role role) { return std::to_string(static_cast<int>(role)); };
  const struct {
    std::function<void(MainView&)> call;
    std::vector<std::string> expected;
  } kCases[] = {
      // A screen reader hears a path label by its path, whole: the tip when the caption is
      // shortened, and the row's caption while there is no path.
      {[](MainView& v) { v.SetFileCaption(u"a.pak"); },
       {name(Role::kFileName) + ":text a.pak", name(Role::kFileName) + ":name a.pak"}},
      {[](MainView& v) { v.SetDirCaption(u""); },
       {name(Role::kDir) + ":text ", name(Role::kDir) + ":name Directory:"}},
      {[](MainView& v) { v.SetFileTip(u"C:\\a.pak"); },
       {name(Role::kFileName) + ":tip C:\\a.pak", name(Role::kFileName) + ":name C:\\a.pak"}},
      {[](MainView& v) { v.SetDirTip(u""); }, {name(Role::kDir) + ":tip "}},
      {[](MainView& v) {
         v.SetListItems({u"x", u"y"});
       },
       {name(Role::kFiles) + ":items 2"}},
      {[](MainView& v) { v.SetMainCommandEnabled(true); }, {name(Role::kMainCommand) + ":on"}},
      {[](MainView& v) { v.SetMainCommandEnabled(false); }, {name(Role::kMainCommand) + ":off"}},
  };
  for (const auto& c : kCases) {
    RecordingView view(controller);
    c.call(view);
    EXPECT_EQ(view.calls, c.expected) << c.expected[0];
  }
}

// While work runs the path buttons are off; the path labels keep their look (a disabled label
// draws grey on Win32), and their clicks, like the buttons', are refused by the controller.
TEST_F(MainControllerTest, WorkTurnsOffThePathButtonsButNotThePathLabels) {
  Load();
  const auto name = [](Role role) { return std::to_string(static_cast<int>(role)); };
  for (const bool working : {true, false}) {
    RecordingView view(controller);
    view.SetWorking(working);
    const std::string state = working ? ":off" : ":on";
    EXPECT_EQ(view.calls, (std::vector<std::string>{name(Role::kSelectFile) + state,
                                                    name(Role::kSelectDir) + state}));
  }
  commands.working = true;
  window.calls.clear();
  for (const ControlSpec& control : MainWindowControls(Program::kUnbaler)) {
    if (control.role == Role::kFileName || control.role == Role::kDir) {
      EXPECT_NE(control.click, Command::kNone);
      controller.Click(control.click);
    }
  }
  EXPECT_TRUE(window.calls.empty());
}

TEST_F(MainControllerTest, TheSelectionIsAskedOfTheFileList) {
  RecordingView view(controller);
  EXPECT_EQ(view.SelectedItems(), std::vector<std::size_t>{static_cast<std::size_t>(Role::kFiles)});
}

TEST_F(MainControllerTest, TheListsMenuAndOpeningAnItemRunOnlyWhileNoWorkRuns) {
  EXPECT_TRUE(controller.ListMenu().empty());  // before start-up there is no program to ask
  Load();
  ASSERT_EQ(controller.ListMenu().size(), 1u);
  EXPECT_TRUE(controller.ListMenu()[0].enabled);
  window.calls.clear();
  controller.RunListCommand(ListCommand::kExtractAll);
  controller.OpenListItem(7);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"OnListCommand all", "OnOpenItem 7"}));

  commands.working = true;
  window.calls.clear();
  EXPECT_FALSE(controller.ListMenu()[0].enabled);
  controller.RunListCommand(ListCommand::kExtractSelected);
  controller.OpenListItem(0);
  EXPECT_TRUE(window.calls.empty());

  // An error escaping the command is shown, and the window carries on.
  commands.working = false;
  commands.fail = [] { throw std::runtime_error("boom"); };
  controller.OpenListItem(1);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].find(u"boom"), std::u16string::npos);
  controller.OpenListItem(2);
  EXPECT_EQ(window.calls.back(), "OnOpenItem 2");
}

TEST_F(MainControllerTest, DisablingTheMainCommandThroughTheViewDimsItsPicture) {
  Load();
  RecordingView view(controller);
  main_command.shown = ButtonLook::kHover;
  view.SetMainCommandEnabled(false);
  EXPECT_EQ(main_command.shown, ButtonLook::kDisabled);
  view.SetMainCommandEnabled(true);
  EXPECT_EQ(main_command.shown, ButtonLook::kNormal);
}

}  // namespace
}  // namespace shell

namespace shell {
namespace {

// Drops reach the program only while no work runs, and an error escaping one is shown as a
// command's is.
TEST_F(MainControllerTest, DropsAreRefusedWhileWorkRunsAndTheirErrorsAreShown) {
  using Paths = std::vector<std::u16string>;
  struct DropCommands : RecordingCommands {
    using RecordingCommands::RecordingCommands;
    bool AcceptsDrop(const Paths& paths) override {
      asked.push_back(paths);
      return true;
    }
    void OnDrop(const Paths& paths) override {
      dropped.push_back(paths);
      if (fail) std::exchange(fail, nullptr)();
    }
    std::vector<Paths> asked, dropped;
  } drops(window);
  controller.Load(&drops);
  const Paths paths{u"a.pak", u"folder"};

  drops.working = true;
  EXPECT_FALSE(controller.AcceptsDrop(paths));
  controller.Drop(paths);
  EXPECT_TRUE(drops.asked.empty());
  EXPECT_TRUE(drops.dropped.empty());

  drops.working = false;
  EXPECT_TRUE(controller.AcceptsDrop(paths));
  drops.fail = [] { throw std::system_error(5, std::generic_category(), "read a.pak"); };
  controller.Drop(paths);
  EXPECT_EQ(drops.dropped, std::vector<Paths>{paths});
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_TRUE(window.messages[0].starts_with(u"Rebaler|Error 5\n\n"))
      << pak::ToUtf8(window.messages[0]);
  controller.Drop(paths);  // the window carries on
  EXPECT_EQ(drops.dropped.size(), 2u);
}

}  // namespace
}  // namespace shell
