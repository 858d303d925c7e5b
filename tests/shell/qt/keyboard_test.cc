// frmMain on Qt from the keyboard: Tab over the buttons and the list, Enter and Space on the
// focused button, the focus mark, Escape from any control, and a close by the window system.
#include "shell/keyboard.h"

#include <QImage>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "shell/qt/main_window.h"
#include "tests/shell/qt/test_classes.h"
#include "tests/support/fakes.h"

namespace shell::qt {
namespace {

// A loaded, active window with its main command on and the pointer away from every button.
struct Keyed {
  explicit Keyed(shell::Program program) : window(program), commands(window) {
    window.SetPointer(&pointer);
    window.Load(&commands);
    window.SetMainCommandEnabled(true);
    window.activateWindow();
  }
  // The name of the control with the focus; "frmMain" for the window itself.
  QString Focused() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString();
  }
  // A key pressed as the system delivers it: to the control with the focus.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  MainWindow window;
  testing_support::RecordingCommands commands;
  testing_support::FakePointer pointer;
};

}  // namespace

void MainWindowKeyboardTest::tabMovesTheFocusAndEnterOrSpaceRunTheFocusedButton() {
  Keyed w(shell::Program::kRebaler);  // the folder row is on top
  QVERIFY(QTest::qWaitForWindowActive(&w.window));
  w.commands.calls.clear();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool working;
    const char* focused;  // after the key
    std::vector<std::string> calls;
  } kSteps[] = {
      {Qt::Key_Return, {}, false, "frmMain", {}},  // nothing shows the mark before the first Tab
      {Qt::Key_Tab, {}, false, "picSelectDir", {}},
      {Qt::Key_Return, {}, false, "picSelectDir", {"OnSelectDir"}},
      {Qt::Key_Tab, {}, false, "picSelectFile", {}},
      {Qt::Key_Tab, {}, false, "picRepack", {}},
      {Qt::Key_Space, {}, false, "picRepack", {"OnMainCommand"}},
      {Qt::Key_Space, {}, true, "picRepack", {}},  // refused while work runs
      {Qt::Key_Escape, {}, true, "picRepack", {"OnCancel"}},
      {Qt::Key_Tab, {}, false, "lstFiles", {}},
      {Qt::Key_Return, {}, false, "lstFiles", {}},  // the list's own
      {Qt::Key_Escape, {}, true, "lstFiles", {"OnCancel"}},
      // The status strip offers nothing: Tab passes it over to the close picture.
      {Qt::Key_Tab, {}, false, "imgClose", {}},
      {Qt::Key_Tab, {}, false, "picSelectDir", {}},
      {Qt::Key_Tab, Qt::ShiftModifier, false, "imgClose", {}},
      {Qt::Key_Tab, Qt::ShiftModifier, false, "lstFiles", {}},
      {Qt::Key_Tab, Qt::ShiftModifier, false, "picRepack", {}},
  };
  for (const auto& step : kSteps) {
    w.commands.working = step.working;
    w.Press(step.key, step.modifiers);
    QCOMPARE(w.Focused(), QLatin1String(step.focused));
    QCOMPARE(w.commands.calls, step.calls);
    w.commands.calls.clear();
  }
  // A held Space runs its command once: its repeats run nothing.
  QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
  QApplication::sendEvent(QApplication::focusWidget(), &held);
  QCOMPARE(w.Focused(), QStringLiteral("picRepack"));
  QVERIFY(w.commands.calls.empty());
  // While the status strip offers a folder, Tab reaches it after the list and Enter opens it.
  w.window.SetStatusOffersFolder(true);
  w.Press(Qt::Key_Tab);
  w.Press(Qt::Key_Tab);
  QCOMPARE(w.Focused(), QStringLiteral("lblStatus"));
  w.Press(Qt::Key_Return);
  QCOMPARE(w.commands.calls, (std::vector<std::string>{"OnOpenFolder"}));
  // The offer withdrawn, the strip hands the focus back to the list.
  w.window.SetStatusOffersFolder(false);
  QCOMPARE(w.Focused(), QStringLiteral("lstFiles"));
}

void MainWindowKeyboardTest::theFocusedButtonShowsTheMarkAndLosesTheFocusWhenTurnedOff() {
  Keyed w(shell::Program::kUnbaler);
  QVERIFY(QTest::qWaitForWindowActive(&w.window));
  QWidget* extract = w.window.Control(shell::Role::kMainCommand);
  for (int tab = 0; tab < 3; ++tab) w.Press(Qt::Key_Tab);
  QCOMPARE(w.Focused(), QStringLiteral("picExtract"));
  const QImage marked = extract->grab().toImage();
  const shell::Rgb colour = shell::kFocusMark.colour;
  const QColor mark(colour.red, colour.green, colour.blue);
  const std::vector<shell::Pixel> dots =
      shell::FocusMarkPixels(extract->width(), extract->height());
  QVERIFY(!dots.empty());
  for (const shell::Pixel& dot : dots) QCOMPARE(marked.pixelColor(dot.x, dot.y), mark);
  // A click on another button or a label runs it and leaves the focus where it is.
  QTest::mouseClick(w.window.Control(shell::Role::kSelectDir), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(w.window.Control(shell::Role::kDir), Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(w.commands.Count("OnSelectDir"), 2);
  QCOMPARE(w.Focused(), QStringLiteral("picExtract"));
  // Turned off while focused (work starts), the button hands the focus on and drops the mark.
  w.window.SetMainCommandEnabled(false);
  QCOMPARE(w.Focused(), QStringLiteral("lstFiles"));
  QVERIFY(extract->grab().toImage().pixelColor(dots[0].x, dots[0].y) != mark);
  w.Press(Qt::Key_Tab);
  QCOMPARE(w.Focused(), QStringLiteral("imgClose"));
  w.Press(Qt::Key_Tab);
  QCOMPARE(w.Focused(), QStringLiteral("picSelectFile"));
  w.window.SetWorking(true);
  QCOMPARE(w.Focused(), QStringLiteral("lstFiles"));
  // While work runs only the list and the close picture take the focus.
  w.Press(Qt::Key_Tab);
  QCOMPARE(w.Focused(), QStringLiteral("imgClose"));
  w.Press(Qt::Key_Tab);
  QCOMPARE(w.Focused(), QStringLiteral("lstFiles"));
}

void MainWindowKeyboardTest::aCloseByTheWindowSystemFadesOut() {
  Keyed w(shell::Program::kUnbaler);
  QSignalSpy unloaded(&w.window, &MainWindow::unloaded);
  QTRY_VERIFY_WITH_TIMEOUT(w.window.controller().fade().Alpha() >= 50, 5000);
  // What Alt+F4 or the task bar's close sends. While work runs, it is stopped first and the
  // window stays until it has ended.
  w.commands.working = true;
  w.commands.calls.clear();
  QVERIFY(!w.window.close());
  QVERIFY(w.window.isVisible());
  QCOMPARE(w.commands.calls, std::vector<std::string>{"OnCancel"});
  QCOMPARE(w.window.controller().fade().FadeStep(), 5);
  w.commands.working = false;
  w.window.SetWorking(false);
  QVERIFY(w.window.isVisible());
  QCOMPARE(w.window.controller().fade().FadeStep(), -5);
  QTRY_COMPARE_WITH_TIMEOUT(unloaded.count(), 1, 5000);
  QCOMPARE(w.window.controller().fade().Alpha(), 0);
  QVERIFY(!w.window.isVisible());
}

}  // namespace shell::qt
