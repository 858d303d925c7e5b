// The behaviour of the main window that both front ends share: start-up, the fade, the drag, the
// hover tracking of the picture buttons, and running the program's commands.
//
// A front end creates its native widgets from MainWindowControls, implements NativeWindow, and
// forwards its native events here: the ticks of its two timers, presses, moves and releases on
// the bare skin, and clicks on controls (as the Command of their ControlSpec). The controller
// keeps the fade, the drag and the window's place (WindowDrag), and tells the native window what to
// do. An error escaping a command is shown in a message box titled with the program's name and
// the window carries on.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "shell/drag.h"
#include "shell/fade.h"
#include "shell/keyboard.h"
#include "shell/main_layout.h"
#include "shell/main_view.h"
#include "shell/picture_button.h"
#include "shell/translate.h"

namespace shell {

// What the controller asks of the native main window.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  // The screen the window is centred on, in pixels.
  virtual Box Screen() const = 0;
  // The window's top-left corner on the screen, in pixels.
  virtual std::int32_t Left() const = 0;
  virtual std::int32_t Top() const = 0;
  virtual void MoveTo(std::int32_t left, std::int32_t top) = 0;
  // Cuts the window's outline from the skin picture (WindowRegionRuns).
  virtual void ShapeFromSkin() = 0;
  // Makes the window fully transparent and shows it.
  virtual void ShowTransparent() = 0;
  // The opacity, 0 to 255.
  virtual void SetAlpha(std::int32_t alpha) = 0;
  virtual void SetFadeTimer(bool running) = 0;
  // Closes the window for good; the program ends with it.
  virtual void Unload() = 0;
  virtual void ShowMessage(const std::u16string& text, const std::u16string& title) = 0;
  // The window handle the pointer's client coordinates refer to.
  virtual std::intptr_t Handle() const = 0;
  // The surface of the picture button `role`; null for any other control.
  virtual PicSurface* Surface(Role role) = 0;
  // The DPI the window is drawn at, in the units of Screen and MoveTo: a front end whose
  // coordinates are already independent of the screen's density leaves it at kBaseDpi.
  virtual std::int32_t Dpi() const { return kBaseDpi; }
};

class MainController {
 public:
  MainController(Program program, NativeWindow& window, Pointer& pointer);

  // Start-up: binds the picture buttons (select-file, select-folder, main command and the close
  // picture, each that the window has a surface for) to their surfaces, centres the window,
  // shapes it, shows it transparent, starts the fade-in and ends with commands->OnLoaded().
  // `commands` (may be null) must outlive the controller.
  void Load(MainCommands* commands);

  void FadeTick();
  void HoverTick();
  // A press of any mouse button on the skin at (x, y), pixels on the skin. Only the bare skin
  // drags: a press that reaches the skin through a disabled control does nothing.
  void SkinPress(float x, float y);
  // True when the window moved.
  bool SkinMove(float x, float y);
  void SkinRelease() { drag_.Release(); }
  // Any of the three as one event; true when the window moved.
  bool SkinPointer(const PointerEvent& event);
  // A click on a control; Command::kClose starts the fade-out, after stopping running work.
  // Other commands are refused while work runs.
  void Click(Command command);
  // Escape: stops running work before its next entry.
  void Escape();
  // The text of the list's filter changed (MainCommands::OnFilter); heard while work runs too.
  void Filter(const std::u16string& text);
  // Files or folders dragged over the window and dropped on it (see MainCommands). Refused while
  // work runs, like the commands; a drop the program does not take changes nothing.
  bool AcceptsDrop(const std::vector<std::u16string>& paths);
  void Drop(const std::vector<std::u16string>& paths);
  // A key pressed while `focused` has the keyboard focus (none: no control of FocusOrder, such
  // as the window itself). Tab and Shift+Tab move the focus over the controls that take it;
  // Enter and Space run the focused button's command as a click does (refused while work runs);
  // Escape stops running work. Enter and Space on the list are not used: the list keeps them.
  // A held Enter or Space runs its command once: its `repeat`s are used and run nothing.
  KeyOutcome KeyPress(Key key, std::optional<Role> focused, const TakesFocus& takes_focus,
                      bool repeat = false);
  // Work started or ended: the path buttons show their disabled pictures meanwhile; a close
  // asked for during the work goes on once it has ended.
  void Working(bool working);
  // A disabled command shows its disabled picture and ignores the pointer until enabled.
  void MainCommandEnabled(bool enabled);

  // lstFiles' context menu as the program has it now; empty when there is none to show.
  std::vector<ListMenuItem> ListMenu();
  // A command chosen from that menu; refused while work runs, like the other commands.
  void RunListCommand(ListCommand command);
  // A double click or Enter on the item at `index` of lstFiles; refused while work runs.
  void OpenListItem(std::size_t index);
  // The selected items dragged out of lstFiles: the files the drag hands over (OnDragOut);
  // none while work runs.
  std::vector<std::u16string> DragOutItems();

  // The pointer the hover tracking reads; for tests. Not owned.
  void SetPointer(Pointer& pointer) { pointer_ = &pointer; }

  Program program() const { return program_; }
  std::u16string title() const { return std::u16string(ProgramTitle(program_)); }
  const Fade& fade() const { return fade_; }
  bool dragging() const { return drag_.dragging(); }
  // The window's place in whole pixels, as the controller last put it.
  PixelPoint place() const { return drag_.place(); }
  std::span<const std::unique_ptr<PictureButton>> buttons() const { return buttons_; }
  // The picture button of `role`; null when the window has none.
  PictureButton* button(Role role) const;

 private:
  void Run(void (MainCommands::*command)());
  // Runs `body`; an error escaping it is shown in a message box and the window carries on.
  void Guarded(const std::function<void()>& body);

  const Program program_;
  NativeWindow& window_;
  Pointer* pointer_;
  MainCommands* commands_ = nullptr;
  Fade fade_;
  WindowDrag drag_;
  std::vector<std::unique_ptr<PictureButton>> buttons_;
  std::vector<Role> button_roles_;  // the role of each of buttons_
  bool close_pending_ = false;
};

// The main window's MainView for every front end, written over three primitives that reach one
// control by its role: its caption, its list items, whether it takes input.
class MainWindowView : public MainView {
 public:
  void SetFileCaption(const std::u16string& caption) final {
    SetControlText(Role::kFileName, caption);
    NamePath(Role::kFileName, caption);
  }
  void SetDirCaption(const std::u16string& caption) final {
    SetControlText(Role::kDir, caption);
    NamePath(Role::kDir, caption);
  }
  void SetFileTip(const std::u16string& tip) final {
    SetControlTip(Role::kFileName, tip);
    if (!tip.empty()) NamePath(Role::kFileName, tip);
  }
  void SetDirTip(const std::u16string& tip) final {
    SetControlTip(Role::kDir, tip);
    if (!tip.empty()) NamePath(Role::kDir, tip);
  }
  void SetListItems(const std::vector<std::u16string>& items) final {
    SetControlItems(Role::kFiles, items);
  }
  void SetListSizes(const std::vector<std::u16string>& sizes) final {
    SetControlSizes(Role::kFiles, sizes);
  }
  std::vector<std::size_t> SelectedItems() const final {
    return SelectedControlItems(Role::kFiles);
  }
  // The controller learns of it too: a disabled command gets no pointer events to leave hover.
  void SetMainCommandEnabled(bool enabled) final {
    EnableControl(Role::kMainCommand, enabled);
    controller().MainCommandEnabled(enabled);
  }
  // The two path buttons are off while work runs (the main command is turned off and on by the
  // logic). The path labels stay as they are, their text readable: the controller refuses their
  // clicks meanwhile.
  void SetWorking(bool working) final {
    for (Role role : {Role::kSelectFile, Role::kSelectDir}) {
      EnableControl(role, !working);
    }
    controller().Working(working);
  }

  virtual MainController& controller() = 0;

 protected:
  virtual void SetControlText(Role role, const std::u16string& text) = 0;
  // The text shown while the pointer rests on the control; none when empty.
  virtual void SetControlTip(Role role, const std::u16string& tip) = 0;
  virtual void SetControlItems(Role role, const std::vector<std::u16string>& items) = 0;
  // The size shown at the right of each item of a list (kSizeWidth).
  virtual void SetControlSizes(Role /*role*/, const std::vector<std::u16string>& /*sizes*/) {}
  // The positions of the selected items of a list, ascending.
  virtual std::vector<std::size_t> SelectedControlItems(Role role) const = 0;
  virtual void EnableControl(Role role, bool enabled) = 0;
  // What a screen reader calls the control from now on (the toolkit's accessible name).
  virtual void SetControlName(Role role, const std::u16string& name) = 0;

 private:
  // A path label shows a long path shortened, but a screen reader reads it whole: the logic sets
  // the caption and then the tip, which holds the whole path when the caption is shortened.
  // Without a path the label is called by its row's caption.
  void NamePath(Role role, const std::u16string& path) {
    if (!path.empty()) {
      SetControlName(role, path);
    } else {
      SetControlName(role,
                     std::u16string(Tr(role == Role::kFileName ? kFileCaption : kDirCaption)));
    }
  }
};

}  // namespace shell
