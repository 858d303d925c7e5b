#include "shell/main_controller.h"

#include <exception>
#include <system_error>

#include "codec/text.h"
#include "shell/error_text.h"

namespace shell {
namespace {

// The picture buttons, in the order they are kept; a role whose surface is missing has none.
constexpr Role kButtonRoles[] = {Role::kSelectFile, Role::kSelectDir, Role::kMainCommand,
                                 Role::kClose};

}  // namespace

MainController::MainController(Program program, NativeWindow& window, Pointer& pointer)
    : program_(program), window_(window), pointer_(&pointer) {}

void MainController::Load(MainCommands* commands) {
  commands_ = commands;
  buttons_.clear();
  button_roles_.clear();
  for (Role role : kButtonRoles) {
    PicSurface* surface = window_.Surface(role);
    if (surface == nullptr) continue;
    auto button = std::make_unique<PictureButton>();
    button->Bind(surface);
    buttons_.push_back(std::move(button));
    button_roles_.push_back(role);
  }

  const Box screen = window_.Screen();
  drag_.Centre(screen.left, screen.top, screen.width, screen.height,
               ScaleToDpi(kMainWidth, window_.Dpi()), ScaleToDpi(kMainHeight, window_.Dpi()));
  window_.MoveTo(drag_.place().left, drag_.place().top);

  // The pixels come from the picture, not the screen: the window is not visible yet.
  window_.ShapeFromSkin();
  window_.ShowTransparent();
  fade_.Begin();
  window_.SetFadeTimer(true);
  Run(&MainCommands::OnLoaded);
}

void MainController::FadeTick() {
  const Fade::TickResult tick = fade_.Tick();
  window_.SetAlpha(tick.alpha);
  if (tick.stop_timer) window_.SetFadeTimer(false);
  if (tick.unload) window_.Unload();
}

void MainController::HoverTick() {
  // Before start-up there is nothing to track, and no reason to ask for the window's handle.
  if (buttons_.empty()) return;
  TrackButtonHover(buttons_, *pointer_, window_.Handle());
}

void MainController::SkinPress(float x, float y) {
  // An enabled button takes its own presses, so one that reaches the skin over a button came
  // through a disabled one; a press on a dimmed button is not a grip on the window.
  for (const ControlSpec& desc : MainWindowControls(program_)) {
    const Box& box = desc.box;
    if (desc.kind == ControlKind::kPictureButton && x >= static_cast<float>(box.left) &&
        y >= static_cast<float>(box.top) && x < static_cast<float>(box.left + box.width) &&
        y < static_cast<float>(box.top + box.height)) {
      return;
    }
  }
  drag_.Press(x, y, {window_.Left(), window_.Top()});
}

bool MainController::SkinMove(float x, float y) {
  const std::optional<PixelPoint> moved = drag_.Move(x, y);
  if (!moved || (moved->left == window_.Left() && moved->top == window_.Top())) return false;
  window_.MoveTo(moved->left, moved->top);
  return true;
}

bool MainController::SkinPointer(const PointerEvent& event) {
  switch (event.kind) {
    case PointerEvent::Kind::kPress:
      SkinPress(event.x, event.y);
      break;
    case PointerEvent::Kind::kMove:
      return SkinMove(event.x, event.y);
    case PointerEvent::Kind::kRelease:
      SkinRelease();
      break;
  }
  return false;
}

void MainController::Click(Command command) {
  switch (command) {
    case Command::kNone:
      return;
    case Command::kClose:
      if (commands_ != nullptr && commands_->Working()) {
        close_pending_ = true;
        commands_->OnCancel();
        return;
      }
      fade_.Close();
      window_.SetFadeTimer(true);
      return;
    case Command::kSelectFile:
      return Run(&MainCommands::OnSelectFile);
    case Command::kSelectDir:
      return Run(&MainCommands::OnSelectDir);
    case Command::kMainCommand:
      return Run(&MainCommands::OnMainCommand);
    case Command::kOpenFolder:
      return Run(&MainCommands::OnOpenFolder);
  }
}

void MainController::Escape() {
  if (commands_ != nullptr) commands_->OnCancel();
}

void MainController::Filter(const std::u16string& text) {
  if (commands_ != nullptr) Guarded([&] { commands_->OnFilter(text); });
}

KeyOutcome MainController::KeyPress(Key key, std::optional<Role> focused,
                                    const TakesFocus& takes_focus, bool repeat) {
  switch (key) {
    case Key::kTab:
    case Key::kBackTab:
      return {true, NextFocus(program_, focused, key == Key::kBackTab, takes_focus)};
    case Key::kEnter:
    case Key::kSpace: {
      const Command command = KeyCommand(program_, focused);
      if (command == Command::kNone) return {};
      if (!repeat) Click(command);
      return {true, {}};
    }
    case Key::kEscape:
      Escape();
      return {true, {}};
  }
  return {};
}

void MainController::Working(bool working) {
  // The two path buttons do nothing meanwhile, and look it.
  for (Role role : {Role::kSelectFile, Role::kSelectDir}) {
    if (PictureButton* path = button(role)) path->SetEnabled(!working);
  }
  if (working || !close_pending_) return;
  close_pending_ = false;
  Click(Command::kClose);
}

void MainController::MainCommandEnabled(bool enabled) {
  if (PictureButton* main = button(Role::kMainCommand)) main->SetEnabled(enabled);
}

PictureButton* MainController::button(Role role) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (button_roles_[i] == role) return buttons_[i].get();
  }
  return nullptr;
}

std::vector<ListMenuItem> MainController::ListMenu() {
  if (commands_ == nullptr) return {};
  return commands_->ListMenu();
}

void MainController::RunListCommand(ListCommand command) {
  if (commands_ == nullptr || commands_->Working()) return;
  Guarded([&] { commands_->OnListCommand(command); });
}

void MainController::OpenListItem(std::size_t index) {
  if (commands_ == nullptr || commands_->Working()) return;
  Guarded([&] { commands_->OnOpenItem(index); });
}

std::vector<std::u16string> MainController::DragOutItems() {
  std::vector<std::u16string> files;
  if (commands_ == nullptr || commands_->Working()) return files;
  Guarded([&] { files = commands_->OnDragOut(); });
  return files;
}

void MainController::Run(void (MainCommands::*command)()) {
  if (commands_ == nullptr || commands_->Working()) return;
  Guarded([&] { (commands_->*command)(); });
}

bool MainController::AcceptsDrop(const std::vector<std::u16string>& paths) {
  return commands_ != nullptr && !commands_->Working() && commands_->AcceptsDrop(paths);
}

void MainController::Drop(const std::vector<std::u16string>& paths) {
  if (commands_ == nullptr || commands_->Working()) return;
  Guarded([&] { commands_->OnDrop(paths); });
}

void MainController::Guarded(const std::function<void()>& body) {
  std::u16string text;
  try {
    body();
    return;
  } catch (const std::system_error& e) {
    text = ErrorText(e.code().value(), pak::FromUtf8(e.what()));
  } catch (const std::exception& e) {
    text = ErrorText(0, pak::FromUtf8(e.what()));
  }
  window_.ShowMessage(text, title());
}

}  // namespace shell
