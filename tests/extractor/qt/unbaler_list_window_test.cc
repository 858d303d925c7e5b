// Unbaler's list in the real Qt window: selecting several entries with Ctrl and Shift, the
// context menu, and opening an entry, with fake dialogs, a fake launcher and real folders.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

#include "extractor/unbaler_logic.h"
#include "shell/path_display.h"
#include "shell/qt/main_window.h"
#include "tests/support/fakes.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;  // the shared test helpers and fakes
using Rows = std::vector<std::size_t>;
namespace fs = std::filesystem;

struct Unbaler {
  Unbaler() : logic(window, dialog, box, folders, pak::DefaultFileSystem(), pak::Windows1252()) {
    window.SetPointer(&pointer);
    folders.window = 0;  // the real window's handle
    logic.SetLauncher(launcher);
    window.Load(&logic);
  }
  // Lists `archive` (written into `work`) and chooses `out` as the folder, in Select Dir's
  // dialog and in every folder dialog after it (Extract Selected's).
  void Prepare(const fs::path& work, const Bytes& archive, const std::optional<fs::path>& out) {
    WriteFile(work / "a.pak", archive);
    dialog.answers.push_back((work / "a.pak").u16string());
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("picSelectFile")), Qt::LeftButton);
    if (!out) return;
    folders.Choose(out->u16string());
    folders.answer = out->u16string();
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("picSelectDir")), Qt::LeftButton);
  }
  QListView* List() { return window.findChild<QListView*>(QStringLiteral("lstFiles")); }
  QPoint Row(int row) { return List()->visualRect(List()->model()->index(row, 0)).center(); }
  void Click(int row, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, keys, Row(row));
  }

  shell::qt::MainWindow window{shell::Program::kUnbaler};
  FakePointer pointer;  // away from every button
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  FakeLauncher launcher;
  extractor::UnbalerLogic logic;
};

// What a menu showed: each item's text and whether it was on.
struct MenuSeen {
  QStringList texts;
  QList<bool> enabled;
};

// Once a popup menu is open, records it and then clicks its item `choose` (-1: closes it).
// `seen` is set once the menu has been looked at.
void OnMenu(QObject* scope, int choose, std::optional<MenuSeen>* seen) {
  auto* timer = new QTimer(scope);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, choose, seen] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    timer->stop();
    timer->deleteLater();
    MenuSeen shown;
    for (QAction* action : menu->actions()) {
      shown.texts << action->text();
      shown.enabled << action->isEnabled();
    }
    *seen = shown;
    if (choose < 0) {
      menu->close();
      return;
    }
    QAction* action = menu->actions().at(choose);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  });
  timer->start();
}

// A right click as the window system delivers it: the press and release, then the request for
// the context menu, which Qt's test functions leave out.
void RightClick(QWidget* viewport, QPoint at) {
  QTest::mouseClick(viewport, Qt::RightButton, {}, at);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &menu);
}

}  // namespace

class UnbalerListWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The status strip lies below the list: scrolled to its end, the list shows its last row
  // whole, above the strip that reads the list's summary; "/" opens the filter over the strip and
  // Escape clears it.
  void theLastRowIsVisibleAboveTheStatusStrip() {
    TempDir work, out;
    Unbaler w;
    std::vector<RawEntry> entries;
    for (int i = 0; i < 30; ++i) {
      entries.push_back({u"entry" + pak::FromUtf8(std::to_string(100 + i)), Bytes(i * 100, 1)});
    }
    w.Prepare(work.path(), MakeArchive(entries), out.path());
    auto* strip = w.window.findChild<QLabel*>(QStringLiteral("lblStatus"));
    QVERIFY(strip != nullptr && strip->isVisible());
    QCOMPARE(strip->text(), QStringLiteral("30 entries, 42 KB"));

    QListView* list = w.List();
    const int last = list->model()->rowCount() - 1;
    QCOMPARE(last, 29);
    w.window.activateWindow();
    list->setFocus();
    w.Click(0);
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentIndex().row(), last);
    const QRect row = list->visualRect(list->currentIndex());
    QVERIFY(list->viewport()->rect().contains(row));
    const QPoint row_bottom = list->viewport()->mapTo(&w.window, row.bottomLeft());
    QVERIFY2(row_bottom.y() < strip->mapTo(&w.window, QPoint(0, 0)).y(),
             "the last row reaches into the status strip");

    QTest::keyClick(list, '/');
    auto* filter = w.window.findChild<QLineEdit*>(QStringLiteral("txtFilter"));
    QVERIFY(filter != nullptr);
    QVERIFY(filter->isVisible());
    QCOMPARE(w.window.focusWidget(), filter);  // the focus goes to the filter
    QCOMPARE(filter->geometry(), strip->geometry());
    QTest::keyClicks(filter, QStringLiteral("Y12"));
    QCOMPARE(list->model()->rowCount(), 10);  // entry120 to entry129
    QTest::keyClick(filter, Qt::Key_Escape);
    QVERIFY(!filter->isVisible());
    QCOMPARE(list->model()->rowCount(), 30);
    QCOMPARE(strip->text(), QStringLiteral("30 entries, 42 KB"));
  }

  void ctrlAndShiftClicksSelectSeveralEntries() {
    TempDir work;
    Unbaler w;
    w.Prepare(work.path(),
              MakeArchive({{u"e", {5}}, {u"d", {4}}, {u"c", {3}}, {u"b", {2}}, {u"a", {1}}}),
              std::nullopt);
    struct Step {
      int row;
      Qt::KeyboardModifiers keys;
      Rows selected;  // list rows
      Rows entries;   // archive entries behind them
    };
    const Step steps[] = {
        {1, {}, {1}, {3}},
        {3, Qt::ControlModifier, {1, 3}, {1, 3}},
        {4, Qt::ShiftModifier, {1, 3, 4}, {0, 1, 3}},  // from the last Ctrl click on
        {0, Qt::ControlModifier, {0, 1, 3, 4}, {0, 1, 3, 4}},
        {3, Qt::ControlModifier, {0, 1, 4}, {0, 3, 4}},  // a second Ctrl click drops it
        {2, {}, {2}, {2}},
    };
    for (const Step& step : steps) {
      w.Click(step.row, step.keys);
      QCOMPARE(w.window.SelectedItems(), step.selected);
      QCOMPARE(w.logic.SelectedEntries(), step.entries);
    }
    // A new list starts with nothing selected.
    w.Prepare(work.path(), MakeArchive({{u"z", {1}}}), std::nullopt);
    QCOMPARE(w.window.SelectedItems(), Rows{});
  }

  void theContextMenuExtractsTheSelectedEntriesOrAll() {
    TempDir work, out;
    Unbaler w;
    w.Prepare(work.path(), MakeArchive({{u"b", {2}}, {u"a", {1}}, {u"c", {3}}}), out.path());
    const QStringList texts{QStringLiteral("Extract Selected Files\u2026"),
                            QStringLiteral("Extract All Files"),
                            QStringLiteral("Replace Entry\u2026"),
                            QStringLiteral("Sort by Name"),
                            QStringLiteral("Sort by Size"),
                            QStringLiteral("Archive Order")};

    // Below the last row: nothing selected, so only "Extract All Files" is on.
    std::optional<MenuSeen> seen;
    OnMenu(&w.window, -1, &seen);
    RightClick(w.List()->viewport(), QPoint(10, w.List()->viewport()->height() - 3));
    QTRY_VERIFY(seen.has_value());
    QCOMPARE(seen->texts, texts);
    QCOMPARE(seen->enabled, (QList<bool>{false, true, false, true, true, true}));
    QVERIFY(ListDir(out.path()).empty());

    w.Click(0);
    w.Click(2, Qt::ControlModifier);
    seen.reset();
    OnMenu(&w.window, 0, &seen);
    RightClick(w.List()->viewport(), w.Row(2));  // on a selected row: the selection stays
    QTRY_VERIFY(seen.has_value());
    QCOMPARE(seen->enabled, (QList<bool>{true, true, false, true, true, true}));
    QTRY_COMPARE(ListDir(out.path()), (std::vector<std::string>{"a", "c"}));
    QCOMPARE(w.window.findChild<QWidget*>(QStringLiteral("lblStatus"))->toolTip(),
             shell::qt::PlainTip(QString::fromStdU16String(std::u16string(shell::kOpenFolderTip) +
                                                           u"\n2 files extracted into " +
                                                           out.path().u16string())));

    seen.reset();
    OnMenu(&w.window, 1, &seen);
    RightClick(w.List()->viewport(), w.Row(1));
    QTRY_COMPARE(ListDir(out.path()), (std::vector<std::string>{"FilesList.txt", "a", "b", "c"}));
    QVERIFY(w.box.shown.empty());
  }

  void theMenuKeyAndShiftF10OpenTheMenuToo() {
    TempDir work;
    Unbaler w;
    w.Prepare(work.path(), MakeArchive({{u"a", {1}}}), std::nullopt);
    w.window.activateWindow();
    w.List()->setFocus();
    w.Click(0);
    // Shift+F10 is the list's own key.
    std::optional<MenuSeen> seen;
    OnMenu(&w.window, -1, &seen);
    QTest::keyClick(w.List(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(seen.has_value());
    QCOMPARE(seen->enabled, (QList<bool>{true, true, true, true, true, true}));
    // The menu key reaches the list as the request the window system makes of it.
    seen.reset();
    OnMenu(&w.window, -1, &seen);
    QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, QPoint(0, 0),
                               w.List()->viewport()->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(w.List()->viewport(), &menu_key);
    QTRY_VERIFY(seen.has_value());
    QCOMPARE(seen->enabled, (QList<bool>{true, true, true, true, true, true}));
  }

  void aDoubleClickOrEnterOpensTheEntryWithItsProgram() {
    TempDir work;
    Unbaler w;
    w.Prepare(work.path(), MakeArchive({{u"b.wav", {2, 2}}, {u"a.png", {1}}}), std::nullopt);
    QTest::mouseDClick(w.List()->viewport(), Qt::LeftButton, {}, w.Row(1));
    QTRY_COMPARE(w.launcher.opened.size(), std::size_t{1});
    QCOMPARE(w.launcher.opened[0].file.filename().string(), std::string("b.ogg"));
    QCOMPARE(w.launcher.opened[0].bytes, std::optional<std::string>("\2\2"));
    QCOMPARE(w.launcher.opened[0].file.parent_path().parent_path(), *w.logic.temp_folder().path());

    w.List()->setFocus();
    w.Click(0);
    QTest::keyClick(w.List(), Qt::Key_Return);
    QTRY_COMPARE(w.launcher.opened.size(), std::size_t{2});
    QCOMPARE(w.launcher.opened[1].file.filename().string(), std::string("a.png"));
    QTest::keyClick(w.List(), Qt::Key_Enter, Qt::KeypadModifier);  // the keypad's
    QTRY_COMPARE(w.launcher.opened.size(), std::size_t{3});
    QTest::keyClick(w.List(), Qt::Key_Return, Qt::ControlModifier);  // not Enter alone

    // A double click below the last row opens nothing.
    QTest::mouseDClick(w.List()->viewport(), Qt::LeftButton, {},
                       QPoint(10, w.List()->viewport()->height() - 3));
    QCOMPARE(w.launcher.opened.size(), std::size_t{3});

    // No program for it: a box says so.
    w.launcher.opens = false;
    QTest::mouseDClick(w.List()->viewport(), Qt::LeftButton, {}, w.Row(0));
    QTRY_COMPARE(w.box.shown.size(), std::size_t{1});
    QVERIFY(w.box.shown[0].text.starts_with(u"Could not open "));
  }
};

QTEST_MAIN(UnbalerListWindowTest)
#include "unbaler_list_window_test.moc"
