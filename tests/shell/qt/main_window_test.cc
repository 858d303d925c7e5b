#include "shell/qt/main_window.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>
#include <string>
#include <vector>

#include "codec/text.h"
#include "shell/folder_browser.h"
#include "shell/qt/widgets.h"
#include "tests/shell/qt/test_classes.h"
#include "tests/support/fakes.h"

namespace shell::qt {
namespace {

using FakeCommands = testing_support::RecordingCommands;
using testing_support::FakePointer;

// A loaded window of one program with fake commands and a fake pointer away from every button.
struct Loaded {
  explicit Loaded(shell::Program program = shell::Program::kUnbaler)
      : window(program), commands(window) {
    window.SetPointer(&pointer);
    window.Load(&commands);
  }
  template <typename T = QWidget>
  T* Child(const char* name) {
    return window.findChild<T*>(QLatin1String(name));
  }
  PictureSurface* Surface(const char* name) { return Child<PictureSurface>(name); }

  MainWindow window;
  FakeCommands commands;
  FakePointer pointer;
};

// A double click as the window system delivers it: press, release, press, double click, release.
void DoubleClick(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QMouseEvent double_click(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, {});
  QApplication::sendEvent(widget, &double_click);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

}  // namespace

void MainWindowTest::startUpFadesInAndShapesTheWindow() {
  Loaded w;
  QTimer* timer1 = w.Child<QTimer>("fadeTimer");
  QVERIFY(timer1 != nullptr);
  QCOMPARE(w.window.controller().fade().Alpha(), 0);
  QCOMPARE(w.window.controller().fade().FadeStep(), 5);
  QVERIFY(timer1->isActive());
  QCOMPARE(timer1->interval(), 10);
  QVERIFY(w.Child<QTimer>("hoverTimer")->isActive());
  QCOMPARE(w.commands.Count("OnLoaded"), 1);
  QVERIFY(!w.Child("picExtract")->isEnabled());
  QVERIFY(w.window.isVisible());
  QCOMPARE(w.window.size(), QSize(442, 237));
  QVERIFY(w.window.windowFlags() & Qt::FramelessWindowHint);

  // Centred on the screen, the halves rounded to whole pixels.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QCOMPARE(w.window.x(), static_cast<int>(std::lround((screen.width() - 442) / 2.0)));
  QCOMPARE(w.window.y(), static_cast<int>(std::lround((screen.height() - 237) / 2.0)));

  // The white key columns at both edges lie outside the window; the body is inside.
  const QRegion mask = w.window.mask();
  QVERIFY(!mask.isEmpty());
  for (int y : {0, 60, 118, 236}) {
    QVERIFY(!mask.contains(QPoint(0, y)));
    QVERIFY(!mask.contains(QPoint(441, y)));
  }
  QVERIFY(mask.contains(QPoint(221, 118)));
  QVERIFY(!mask.contains(QPoint(0, 0)));

  for (const auto& button : w.window.controller().buttons()) QVERIFY(!button->pressed());
  for (const char* name : {"picSelectFile", "picSelectDir", "imgClose"}) {
    QCOMPARE(w.Surface(name)->shown(), ButtonLook::kNormal);
  }
  QCOMPARE(w.Surface("picExtract")->shown(),
           ButtonLook::kDisabled);  // nothing to extract yet: dimmed

  QTRY_COMPARE_WITH_TIMEOUT(w.window.controller().fade().Alpha(), 235, 5000);
  QVERIFY(!timer1->isActive());
  QCOMPARE(w.window.windowOpacity(), 235 / 255.0);
}

void MainWindowTest::controlsSitWhereTheDescriptionSays() {
  for (shell::Program program : {shell::Program::kUnbaler, shell::Program::kRebaler}) {
    Loaded w(program);
    // Every control of the description and the status line, by its name, where the description
    // puts it.
    const auto controls = shell::MainWindowControls(program);
    std::vector<shell::ControlSpec> described(controls.begin(), controls.end());
    described.push_back(shell::StatusLine());
    for (const shell::ControlSpec& desc : described) {
      QWidget* control = w.Child(std::string(desc.name).c_str());
      QVERIFY2(control != nullptr, desc.name.data());
      QCOMPARE(control, w.window.Control(desc.role));
      QCOMPARE(control->geometry(),
               QRect(desc.box.left, desc.box.top, desc.box.width, desc.box.height));
      if (auto* label = qobject_cast<QLabel*>(control); label && !desc.text.empty()) {
        QCOMPARE(label->text(), QString::fromStdU16String(std::u16string(desc.text)));
      }
    }
    w.window.SetFileCaption(u"C:\\Games\\<b>x</b>.pak");
    w.window.SetListItems({u"a.ogg", u"b.bin"});
    QCOMPARE(w.Child<QLabel>("lblFileName")->text(), QStringLiteral("C:\\Games\\<b>x</b>.pak"));
    QCOMPARE(w.Child<QLabel>("lblFileName")->textFormat(), Qt::PlainText);
    w.window.SetFileTip(u"C:\\Games\\<b>x</b>.pak");
    // Shown as it is, not as markup.
    QCOMPARE(w.Child<QLabel>("lblFileName")->toolTip(),
             QStringLiteral("<p style='white-space:pre'>C:\\Games\\&lt;b&gt;x&lt;/b&gt;.pak</p>"));
    w.window.SetFileTip(u"");
    QVERIFY(w.Child<QLabel>("lblFileName")->toolTip().isEmpty());
    // The status strip is always there; its tip holds the whole line, as it is.
    auto* status = w.Child<QLabel>("lblStatus");
    QVERIFY(!status->isHidden());
    w.window.SetStatus(u"1 file extracted into /tmp/<b>x</b>");
    QCOMPARE(status->textFormat(), Qt::PlainText);
    QCOMPARE(status->toolTip(),
             QStringLiteral(
                 "<p style='white-space:pre'>1 file extracted into /tmp/&lt;b&gt;x&lt;/b&gt;</p>"));
    w.window.SetStatus(u"");
    QVERIFY(!status->isHidden());
    QVERIFY(status->text().isEmpty());
    QCOMPARE(w.Child<QListView>("lstFiles")->model()->rowCount(), 2);
    w.window.SetListItems({u"c.ogg"});
    QCOMPARE(w.Child<QListView>("lstFiles")->model()->index(0, 0).data().toString(),
             QStringLiteral("c.ogg"));
  }
}

void MainWindowTest::closeDuringFadeInFadesOutAndUnloads() {
  Loaded w;
  QSignalSpy unloaded(&w.window, &MainWindow::unloaded);
  QTRY_VERIFY_WITH_TIMEOUT(w.window.controller().fade().Alpha() >= 100, 5000);
  QVERIFY(w.window.controller().fade().Alpha() < 235);
  QWidget* close = w.Child("imgClose");
  QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(12, 11));
  const int at_click = w.window.controller().fade().Alpha();
  QCOMPARE(w.window.controller().fade().FadeStep(), -5);
  QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(12, 11));  // changes nothing
  QCOMPARE(w.window.controller().fade().FadeStep(), -5);
  QTRY_VERIFY(w.window.controller().fade().Alpha() < at_click);
  QTRY_COMPARE_WITH_TIMEOUT(unloaded.count(), 1, 5000);
  QCOMPARE(w.window.controller().fade().Alpha(), 0);
  QVERIFY(!w.window.isVisible());
  QVERIFY(!w.Child<QTimer>("fadeTimer")->isActive());
}

void MainWindowTest::buttonsShowHoverAndPressedPictures() {
  Loaded w;
  PictureSurface* file = w.Surface("picSelectFile");
  const auto& button = w.window.controller().button(Role::kSelectFile);
  w.pointer.x = 318 + 10, w.pointer.y = 54 + 10;  // over the button for the hover tracking

  QTest::mouseMove(file, QPoint(10, 10));
  QTRY_COMPARE(file->shown(), ButtonLook::kHover);
  QTest::mousePress(file, Qt::LeftButton, {}, QPoint(10, 10));
  QCOMPARE(file->shown(), ButtonLook::kPressed);
  QVERIFY(button->pressed());
  QTest::mouseMove(file, QPoint(11, 11));
  QCOMPARE(file->shown(), ButtonLook::kPressed);  // no hover while pressed
  QTest::mouseRelease(file, Qt::LeftButton, {}, QPoint(11, 11));
  QCOMPARE(file->shown(), ButtonLook::kHover);  // hover, while the pointer stays over it
  QVERIFY(!button->pressed());
  QCOMPARE(w.commands.Count("OnSelectFile"), 1);

  QTest::mousePress(file, Qt::RightButton, {}, QPoint(10, 10));
  QTest::mouseRelease(file, Qt::RightButton, {}, QPoint(10, 10));
  QCOMPARE(file->shown(), ButtonLook::kHover);
  QCOMPARE(w.commands.Count("OnSelectFile"), 1);
  w.pointer.x = w.pointer.y = 0;  // the pointer leaves
  QTRY_COMPARE(file->shown(), ButtonLook::kNormal);

  // The disabled main command takes no pointer events, keeps its dimmed picture, and a press
  // on it does not grip the window.
  PictureSurface* extract = w.Surface("picExtract");
  w.pointer.x = 180 + 5, w.pointer.y = 190 + 5;
  QTest::mouseMove(extract, QPoint(5, 5));
  QTest::mousePress(extract, Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(!w.window.controller().dragging());
  QTest::mouseRelease(extract, Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(extract->shown(), ButtonLook::kDisabled);
  QCOMPARE(w.commands.Count("OnMainCommand"), 0);

  // The close picture has its hover and pressed pictures too.
  PictureSurface* close = w.Surface("imgClose");
  w.pointer.x = 384 + 5, w.pointer.y = 28 + 5;
  QTest::mouseMove(close, QPoint(5, 5));
  QCOMPARE(close->shown(), ButtonLook::kHover);
  QTest::mousePress(close, Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(close->shown(), ButtonLook::kPressed);
}

void MainWindowTest::hoverTrackingResetsButtonsThePointerLeft() {
  Loaded w;
  PictureSurface* dir = w.Surface("picSelectDir");
  w.pointer.x = 318 + 3, w.pointer.y = 160 + 3;
  QTest::mousePress(dir, Qt::LeftButton, {}, QPoint(3, 3));
  QCOMPARE(dir->shown(), ButtonLook::kPressed);
  QTest::qWait(50);  // ticks with the pointer over the button leave it alone
  QCOMPARE(dir->shown(), ButtonLook::kPressed);

  w.pointer.x = 318 + 102, w.pointer.y = 160;  // just right of the button
  QTRY_COMPARE(dir->shown(), ButtonLook::kNormal);
  QVERIFY(!w.window.controller().button(Role::kSelectDir)->pressed());
  // Back over it with the button still held: hover, not pressed.
  w.pointer.x = 318 + 3, w.pointer.y = 160 + 3;
  QTest::mouseMove(dir, QPoint(3, 3));
  QCOMPARE(dir->shown(), ButtonLook::kHover);
  QTest::mouseRelease(dir, Qt::LeftButton, {}, QPoint(3, 3));
  QCOMPARE(dir->shown(), ButtonLook::kHover);
}

void MainWindowTest::clicksReachTheCommands() {
  Loaded w;
  QTest::mouseClick(w.Child("lblFileName"), Qt::LeftButton);
  QCOMPARE(w.commands.Count("OnSelectFile"), 1);
  QTest::mouseClick(w.Child("lblDir"), Qt::LeftButton);
  QCOMPARE(w.commands.Count("OnSelectDir"), 1);
  QTest::mouseClick(w.Child("picSelectDir"), Qt::LeftButton, {}, QPoint(50, 13));
  QCOMPARE(w.commands.Count("OnSelectDir"), 2);
  QTest::mouseClick(w.Child("lblDir"), Qt::RightButton);
  QTest::mouseClick(w.Child("Label2"), Qt::LeftButton);
  QCOMPARE(w.commands.Count("OnSelectDir"), 2);

  w.window.SetMainCommandEnabled(true);
  QTest::mouseClick(w.Child("picExtract"), Qt::LeftButton, {}, QPoint(50, 13));
  QCOMPARE(w.commands.Count("OnMainCommand"), 1);
  // A double click runs the command once, on a button as on a label.
  DoubleClick(w.Child("picExtract"), QPoint(50, 13));
  QCOMPARE(w.commands.Count("OnMainCommand"), 2);
  DoubleClick(w.Child("lblFileName"), QPoint(20, 10));
  QCOMPARE(w.commands.Count("OnSelectFile"), 2);
  // A release away from the surface is no click.
  QWidget* extract = w.Child("picExtract");
  QTest::mousePress(extract, Qt::LeftButton, {}, QPoint(50, 13));
  QTest::mouseRelease(extract, Qt::LeftButton, {}, QPoint(150, 13));
  QCOMPARE(w.commands.Count("OnMainCommand"), 2);
}

void MainWindowTest::dragOfTheSkinMovesTheWindow() {
  Loaded w;
  QWidget* skin = w.Child("picShape");
  const QPoint start = w.window.pos();
  // A press on a control placed on the skin starts no drag.
  QTest::mousePress(w.Child("lblTitle"), Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(!w.window.controller().dragging());
  QTest::mouseRelease(w.Child("lblTitle"), Qt::LeftButton, {}, QPoint(5, 5));

  // Any button drags. The pointer goes 60 pixels right and 30 up of the press point and stays
  // there; the window glides after it until less than 8 pixels of offset remain.
  const QPoint press(30, 120);
  QCursor::setPos(w.window.mapToGlobal(press));
  QTest::mousePress(skin, Qt::RightButton, {}, press);
  // Let go of the button however the test ends, or the next tests find it still held.
  auto release = qScopeGuard([&] { QTest::mouseRelease(skin, Qt::RightButton, {}, press); });
  QVERIFY(w.window.controller().dragging());
  const QPoint target = w.window.mapToGlobal(press + QPoint(60, -30));
  QCursor::setPos(target);
  QTest::mouseMove(skin, press + QPoint(60, -30));
  QTRY_VERIFY(w.window.x() - start.x() >= 52);
  QTRY_VERIFY(start.y() - w.window.y() >= 22);
  QTest::qWait(50);
  const QPoint offset = w.window.mapFromGlobal(target) - press;
  QVERIFY2(offset.x() >= 0 && offset.x() < 8 && offset.y() <= 0 && offset.y() > -8,
           qPrintable(QStringLiteral("offset %1,%2").arg(offset.x()).arg(offset.y())));
  release.dismiss();
  QTest::mouseRelease(skin, Qt::RightButton, {}, w.window.mapFromGlobal(target));
  QVERIFY(!w.window.controller().dragging());
}

void MainWindowTest::commandErrorsAreShownAndTheWindowCarriesOn() {
  QObject scope;  // holds this test's modal watches
  Loaded w;
  w.commands.throw_on_select_dir = true;
  QString text, title;
  OnNextModal(&scope, [&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr) {
      text = box->text();
      title = box->windowTitle();
      QVERIFY(box->icon() == QMessageBox::NoIcon);
    }
    modal->close();
  });
  QTest::mouseClick(w.Child("lblDir"), Qt::LeftButton);
  QCOMPARE(text, QStringLiteral("Error 0\n\nInvalid window handle"));
  QCOMPARE(title, QStringLiteral("Unbaler"));
  QVERIFY(w.window.isVisible());
  w.commands.throw_on_select_dir = false;
  QTest::mouseClick(w.Child("lblDir"), Qt::LeftButton);
  QCOMPARE(w.commands.Count("OnSelectDir"), 2);
}

}  // namespace shell::qt

namespace shell::qt {

void MainWindowTest::newListStartsAtItsTopAndCutOffNamesShowWhole() {
  Loaded w;
  auto* list = w.Child<FileList>("lstFiles");
  QVERIFY(list != nullptr);
  std::vector<std::u16string> names;
  for (int i = 0; i < 65535; ++i)
    names.push_back(u"sound\\effect_" + pak::FromUtf8(std::to_string(i)) + u".ogg");
  names[1] =
      u"a\\very\\long\\folder\\name\\that\\does\\not\\fit\\the\\list\\box\\of\\the\\main\\"
      u"window\\at\\all.ogg";

  // The time from the list's arrival to its painting, printed for the record only.
  QElapsedTimer timer;
  timer.start();
  w.window.SetListItems(names);
  list->viewport()->repaint();
  qInfo("65535 names listed and painted in %lld ms", static_cast<long long>(timer.elapsed()));

  QCOMPARE(list->model()->rowCount(), 65535);
  list->scrollToBottom();
  QVERIFY(list->verticalScrollBar()->value() > 0);
  w.window.SetListItems(names);
  QCOMPARE(list->verticalScrollBar()->value(), 0);
  QCOMPARE(list->indexAt(QPoint(2, 2)).row(), 0);

  const struct {
    int row;
    bool cut_off;
  } kRows[] = {{0, false}, {1, true}};
  for (const auto& row : kRows) {
    QCOMPARE(list->CutOff(list->model()->index(row.row, 0)), row.cut_off);
  }
}

// A tip shows its text as it is, whatever in it looks like markup; an empty text is no tip.
void MainWindowTest::tipsShowTheirTextAsItIs() {
  const struct {
    QString text;
    QString markup;
  } kCases[] = {
      {"", ""},
      {"C:\\Games\\<b>x</b>.pak",
       "<p style='white-space:pre'>C:\\Games\\&lt;b&gt;x&lt;/b&gt;.pak</p>"},
      {"Tom & \"Jerry\".ogg", "<p style='white-space:pre'>Tom &amp; &quot;Jerry&quot;.ogg</p>"},
      // Text that is already escaped is escaped again, so it shows as typed.
      {"&lt;", "<p style='white-space:pre'>&amp;lt;</p>"},
      {"  two  spaces\nnext line", "<p style='white-space:pre'>  two  spaces\nnext line</p>"},
  };
  for (const auto& c : kCases) QCOMPARE(PlainTip(c.text), c.markup);
}

}  // namespace shell::qt
