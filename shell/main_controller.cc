#include "shell/main_controller.h"

#include <exception>
#include <system_error>

#include "codec/text.h"
#include "shell/error_text.h"

namespace shell {
namespace {

float Twips(std::int32_t pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

}  // namespace

MainController::MainController(Program program, NativeWindow& window, Pointer& pointer)
    : program_(program), window_(window), pointer_(&pointer) {}

void MainController::Load(MainCommands* commands) {
  Load(commands,
       {window_.Surface(Role::kSelectFile), window_.Surface(Role::kSelectDir),
        window_.Surface(Role::kMainCommand)},
       window_.Surface(Role::kClose));
}

void MainController::Load(MainCommands* commands, std::array<PicSurface*, 3> surfaces,
                          PicSurface* close) {
  commands_ = commands;
  buttons_.clear();
  for (PicSurface* surface : surfaces) {
    auto button = std::make_unique<PictureButton>();
    button->SetPictures(surface, 0, 1, 2, 3);
    buttons_.push_back(std::move(button));
  }
  if (close != nullptr) {
    auto button = std::make_unique<PictureButton>();
    button->SetPictures(close, 0, 1, 2, 3);
    buttons_.push_back(std::move(button));
  }

  const Box screen = window_.Screen();
  const TwipPoint centred = CentredOnScreen(Twips(screen.width), Twips(screen.height),
                                            Twips(kMainWidth), Twips(kMainHeight));
  place_ = {centred.left + Twips(screen.left), centred.top + Twips(screen.top)};
  window_.MoveTo(TwipsToPixels(place_.left), TwipsToPixels(place_.top));

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
  // Keep the twips in step with a window that was moved by other means meanwhile.
  if (TwipsToPixels(place_.left) != window_.Left() || TwipsToPixels(place_.top) != window_.Top()) {
    place_ = {Twips(window_.Left()), Twips(window_.Top())};
  }
  drag_.Press(x, y);
}

bool MainController::SkinMove(float x, float y) {
  const std::optional<TwipPoint> moved = drag_.Move(x, y, place_);
  if (!moved) return false;
  place_ = *moved;
  const std::int32_t left = TwipsToPixels(place_.left);
  const std::int32_t top = TwipsToPixels(place_.top);
  if (left == window_.Left() && top == window_.Top()) return false;
  window_.MoveTo(left, top);
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
  }
}

void MainController::Escape() {
  if (commands_ != nullptr) commands_->OnCancel();
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
  if (working || !close_pending_) return;
  close_pending_ = false;
  Click(Command::kClose);
}

void MainController::MainCommandEnabled(bool enabled) {
  if (buttons_.size() >= 3) buttons_[2]->SetEnabled(enabled);
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
