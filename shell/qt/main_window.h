// frmMain on Qt: the main window of both programs, built from shell::MainWindowControls and
// shell::StatusLine and driven by a shell::MainController. Controls carry their names as object
// names (picShape, lblTitle, imgClose, Label1, ..., lstFiles, lblStatus); the timers are named
// after what they do.
#pragma once

#include <QImage>
#include <QLabel>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <map>

#include "shell/main_controller.h"
#include "shell/qt/widgets.h"
#include "shell/work.h"

namespace shell::qt {

class MainWindow : public QWidget,
                   public shell::MainWindowView,
                   private shell::NativeWindow,
                   private shell::Pointer {
  Q_OBJECT

 public:
  explicit MainWindow(shell::Program program, QWidget* parent = nullptr);

  // Start-up (see MainController::Load). `commands` must outlive the window.
  void Load(shell::MainCommands* commands) { controller_.Load(commands); }

  // Where the program's work runs: off the window's thread.
  shell::WorkRunner& runner() { return runner_; }

  // shell::MainView
  void SetBusy(bool busy) override;
  void SetStatus(const std::u16string& text) override;
  void SetStatusOffersFolder(bool offers) override;
  void SetProgress(std::optional<double> fraction) override;
  std::intptr_t WindowHandle() const override { return static_cast<std::intptr_t>(winId()); }

  shell::MainController& controller() override { return controller_; }
  const shell::MainController& controller() const { return controller_; }
  // Replaces the pointer the hover tracking reads; for tests. Not owned.
  void SetPointer(shell::Pointer* pointer) { controller_.SetPointer(*pointer); }
  QWidget* Control(shell::Role role) const { return controls_.at(role); }

 signals:
  // The fade-out has ended and the window has closed.
  void unloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Files and folders dragged from a file manager: the pointer shows whether the program takes
  // them (MainController::AcceptsDrop), and a drop hands them over.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Tab and Shift+Tab, from whichever control: the controller picks the next control.
  bool focusNextPrevChild(bool next) override;
  // Closing by the window system (Alt+F4, the task bar) fades out as the close picture does; the
  // window closes for good once the fade has ended.
  void closeEvent(QCloseEvent* event) override;

 private:
  // shell::MainWindowView
  void SetControlText(shell::Role role, const std::u16string& text) override {
    static_cast<QLabel*>(Control(role))->setText(QString::fromStdU16String(text));
  }
  void SetControlTip(shell::Role role, const std::u16string& tip) override {
    Control(role)->setToolTip(PlainTip(QString::fromStdU16String(tip)));
  }
  void SetControlItems(shell::Role role, const std::vector<std::u16string>& items) override {
    static_cast<FileList*>(Control(role))->SetItems(items);
  }
  void SetControlSizes(shell::Role role, const std::vector<std::u16string>& sizes) override {
    static_cast<FileList*>(Control(role))->SetSizes(sizes);
  }
  std::vector<std::size_t> SelectedControlItems(shell::Role role) const override {
    return static_cast<const FileList*>(Control(role))->SelectedRows();
  }
  void EnableControl(shell::Role role, bool enabled) override {
    Control(role)->setEnabled(enabled);
  }
  void SetControlName(shell::Role role, const std::u16string& name) override {
    Control(role)->setAccessibleName(QString::fromStdU16String(name));
  }

  // shell::NativeWindow
  shell::Box Screen() const override;
  std::int32_t Left() const override { return x(); }
  std::int32_t Top() const override { return y(); }
  void MoveTo(std::int32_t left, std::int32_t top) override { move(left, top); }
  void ShapeFromSkin() override;
  void ShowTransparent() override;
  void SetAlpha(std::int32_t alpha) override { setWindowOpacity(alpha / 255.0); }
  void SetFadeTimer(bool running) override;
  void Unload() override;
  void ShowMessage(const std::u16string& text, const std::u16string& title) override;
  std::intptr_t Handle() const override { return WindowHandle(); }
  shell::PicSurface* Surface(shell::Role role) override {
    return dynamic_cast<PictureSurface*>(controls_.at(role));
  }

  // shell::Pointer: the pointer as Qt sees it, in client coordinates of the window `hwnd`.
  std::int32_t MouseX(std::intptr_t hwnd) override;
  std::int32_t MouseY(std::intptr_t hwnd) override;

  // Shows the skin and the buttons' pictures made for the device pixel ratio `ratio`, and cuts
  // the window out anew if it was cut out before.
  void UsePicturesFor(qreal ratio);
  // A control of the description, or the status line, named and placed on the skin.
  QWidget* CreateControl(const shell::ControlSpec& desc);
  // The keyboard: a key for the controller, from the control of the focus order that has it.
  bool KeyPress(shell::Key key, bool repeat = false);
  // Shows the filter over the status strip and gives it the focus.
  void OpenFilter();
  // Empties and hides the filter; the list shows every item again and takes the focus.
  void CloseFilter();
  // Shows the status line as it stands: a link while it offers a folder.
  void DressStatus();
  void SkinPointer(const shell::PointerEvent& pointer);

  shell::MainController controller_;
  // Whether the platform reports a pointer move when the window moves under a still pointer.
  bool platform_reports_window_moves_ = false;
  // The device pixel ratio the pictures were made for.
  qreal ratio_ = 0.0;
  QImage skin_;
  QLabel* picShape_ = nullptr;
  std::map<shell::Role, QWidget*> controls_;  // the described controls and the status line
  ProgressBar* progress_ = nullptr;           // on the status line, while work runs
  QTimer fade_timer_;
  QTimer hover_timer_;
  bool unloading_ = false;  // the fade-out has ended: the window may close
  std::u16string status_;   // the status line's whole text
  bool status_offers_folder_ = false;
  // Last: its destructor waits for a job still running, which posts to this window. Calls
  // posted to a window that is gone are dropped.
  shell::ThreadRunner runner_{[this](std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
  }};
};

}  // namespace shell::qt
