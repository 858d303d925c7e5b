// frmMain on Qt: the skinned, shaped, fading, draggable main window of both programs.
//
// The window is frameless and 442 x 237 pixels. Its outline is cut from the skin picture by the
// colour of the skin's top-left pixel, it fades in to 235 of 255 on Timer1 when loaded and out
// to 0 after a click on imgClose, when it unloads and the program ends. Dragging the bare skin
// moves it. Timer2 runs the hover tracking of the three picture buttons. The program logic drives
// the window through shell::MainView and receives the user's commands through the
// shell::MainCommands it hands to Load; an error escaping a command is shown in a message box
// and the window carries on.
//
// Controls carry their names as object names (picShape, lblTitle, imgClose, Label1, Label2,
// lblFileName, lblDir, picSelectFile, picSelectDir, picExtract or picRepack, lstFiles) and so do
// the timers (Timer1, Timer2).
#pragma once

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPointF>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <span>
#include <vector>

#include "shell/drag.h"
#include "shell/fade.h"
#include "shell/main_view.h"
#include "shell/pic_button.h"

namespace shell::qt {

class ClickLabel;
class PictureSurface;

enum class Program { kUnbaler, kRebaler };

// The pointer as Qt sees it; MouseX/MouseY with a window handle give client coordinates of that
// window.
class QtPointer : public shell::Pointer {
 public:
  std::int32_t MouseX(std::intptr_t hwnd) override;
  std::int32_t MouseY(std::intptr_t hwnd) override;

 private:
  QPoint Position(std::intptr_t hwnd) const;
};

class FrmMain : public QWidget, public shell::MainView {
  Q_OBJECT

 public:
  explicit FrmMain(Program program, QWidget* parent = nullptr);
  ~FrmMain() override;

  // Start-up: builds the buttons, centres, shapes and shows the window, starts the fade-in and
  // ends with commands->OnLoaded(). `commands` must outlive the window.
  void Load(shell::MainCommands* commands);

  // shell::MainView
  void SetFileCaption(const std::u16string& caption) override;
  void SetDirCaption(const std::u16string& caption) override;
  void SetListItems(const std::vector<std::u16string>& items) override;
  void SetMainCommandEnabled(bool enabled) override;
  void SetBusy(bool busy) override;
  std::intptr_t WindowHandle() const override;

  std::int32_t Alpha() const { return fade_.Alpha(); }
  std::int32_t FadeStep() const { return fade_.FadeStep(); }
  bool dragging() const { return drag_.dragging(); }
  std::span<const std::unique_ptr<shell::ClsPicButton>> buttons() const { return buttons_; }
  // Replaces the pointer the hover tracking reads; for tests. Not owned.
  void SetPointer(shell::Pointer* pointer) { pointer_ = pointer; }

 signals:
  // The fade-out has ended and the window has closed.
  void unloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShapeWindowFromPicture(const QImage& skin);
  void FadeTick();
  void HoverTick();
  void imgCloseClick();
  void picShapeMouseDown(QPointF position);
  void picShapeMouseMove(QPointF position);
  void RepeatDragMove();
  // Runs one command of the program logic; an error escaping it is reported, not fatal.
  void RunCommand(void (shell::MainCommands::*command)());

  shell::MainCommands* commands_ = nullptr;
  shell::Fade fade_;
  shell::WindowDrag drag_;
  shell::TwipPoint place_;  // the window's left and top in twips
  std::vector<std::unique_ptr<shell::ClsPicButton>> buttons_;
  QtPointer qt_pointer_;
  shell::Pointer* pointer_ = &qt_pointer_;
  // Whether the platform reports a pointer move when the window moves under a still pointer.
  bool platform_reports_window_moves_ = false;

  QImage skin_;
  QLabel* picShape_ = nullptr;
  ClickLabel* lblTitle_ = nullptr;
  ClickLabel* imgClose_ = nullptr;
  ClickLabel* Label1_ = nullptr;
  ClickLabel* Label2_ = nullptr;
  ClickLabel* lblFileName_ = nullptr;
  ClickLabel* lblDir_ = nullptr;
  PictureSurface* picSelectFile_ = nullptr;
  PictureSurface* picSelectDir_ = nullptr;
  PictureSurface* picMain_ = nullptr;  // picExtract or picRepack
  QListWidget* lstFiles_ = nullptr;
  QTimer* fade_timer_ = nullptr;
  QTimer* hover_timer_ = nullptr;
};

}  // namespace shell::qt
