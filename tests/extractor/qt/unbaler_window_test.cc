// Unbaler's logic in the real Qt window, driven by clicks, with fake dialogs and real folders.
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <thread>

#include "extractor/unbaler_logic.h"
#include "shell/path_display.h"
#include "shell/qt/main_window.h"
#include "tests/support/fakes.h"
#include "tests/support/qt/list_items.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::Bytes;
using testing_support::FakeFileDialog;
using testing_support::FakeFolderBackend;
using testing_support::FakeMessageBox;
using testing_support::MakeArchive;
using testing_support::ReadFile;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteFile;

// Keeps the hover tracking away from the buttons, wherever the real pointer is.
struct Unbaler {
  Unbaler() : logic(window, dialog, box, folders, pak::DefaultFileSystem(), pak::Windows1252()) {
    window.SetPointer(&pointer);
    folders.window = 0;  // the real window's handle
    window.Load(&logic);
  }
  QWidget* Child(const char* name) { return window.findChild<QWidget*>(QLatin1String(name)); }
  QString Text(const char* name) { return window.findChild<QLabel*>(QLatin1String(name))->text(); }
  void Click(const char* name) { QTest::mouseClick(Child(name), Qt::LeftButton); }
  QStringList Items() {
    return testing_support::ListItems(window.findChild<QListView*>(QStringLiteral("lstFiles")));
  }

  shell::qt::MainWindow window{shell::Program::kUnbaler};
  testing_support::FakePointer pointer;  // away from every button
  FakeFileDialog dialog;
  FakeMessageBox box;
  FakeFolderBackend folders;
  extractor::UnbalerLogic logic;
};

QString Q(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

// What the status line's tip holds for `text`.
QString StatusTip(const std::u16string& text) {
  return shell::qt::PlainTip(QString::fromStdU16String(text));
}

// Drags `urls` over the middle of `window`, as a file manager does; returns whether the window
// took the drag, and drops them there when it did.
bool DragAndDrop(QWidget* window, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPointF at(window->width() / 2.0, window->height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(window, &drop);
  return drop.isAccepted();
}
QUrl File(const std::filesystem::path& path) { return QUrl::fromLocalFile(Q(path)); }

}  // namespace

class UnbalerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void choosingBothPathsByButtonAndLabelThenExtracting() {
    TempDir work, out;
    WriteFile(work / "sounds.pak", MakeArchive({{u"b.wav", {2}}, {u"A.bin", {1}}}));
    Unbaler w;
    QVERIFY(!w.Child("picExtract")->isEnabled());

    w.dialog.answers.push_back((work / "sounds.pak").u16string());
    w.Click("picSelectFile");
    QCOMPARE(w.Text("lblFileName"),
             QString::fromStdU16String(shell::ShortenPath((work / "sounds.pak").u16string())));
    QCOMPARE(w.Items(), (QStringList{"A.bin", "b.ogg"}));
    QVERIFY(!w.Child("picExtract")->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);  // the busy cursor is gone again

    // A click on the folder label chooses the folder as its button does.
    w.folders.Choose(out.path().u16string());
    QTest::mouseClick(w.Child("lblDir"), Qt::LeftButton);
    QCOMPARE(w.Text("lblDir"), Q(out.path()));
    QCOMPARE(w.folders.requests.at(0).owner, w.window.WindowHandle());
    QVERIFY(w.Child("picExtract")->isEnabled());

    w.Click("picExtract");
    QVERIFY(w.box.shown.empty());
    QCOMPARE(ReadText(out / "FilesList.txt"), std::string("b.ogg\r\nA.bin\r\n"));
    QCOMPARE(ReadFile(out / "b.ogg"), Bytes{2});
    QCOMPARE(w.Items(), (QStringList{"A.bin", "b.ogg"}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void rejectedFileKeepsTheListAndCancelKeepsEverything() {
    TempDir work;
    WriteFile(work / "good.pak", MakeArchive({{u"keep", {1}}}));
    WriteFile(work / "bad.pak", Bytes{1, 2, 3});
    Unbaler w;
    w.dialog.answers.push_back((work / "good.pak").u16string());
    w.Click("picSelectFile");

    w.dialog.answers.push_back((work / "bad.pak").u16string());
    QTest::mouseClick(w.Child("lblFileName"), Qt::LeftButton);
    QCOMPARE(w.box.shown.size(), std::size_t{1});
    QVERIFY(w.box.shown[0].text.starts_with(u"Invalid file\n\n" + (work / "bad.pak").u16string()));
    // The label names the archive listed, which is what Extract writes.
    QCOMPARE(w.Text("lblFileName"), Q(work / "good.pak"));
    QCOMPARE(w.Items(), QStringList{"keep"});

    w.Click("picSelectFile");  // nothing queued: the user cancels
    QCOMPARE(w.dialog.requests.size(), std::size_t{3});
    QCOMPARE(w.Text("lblFileName"), Q(work / "good.pak"));
    QCOMPARE(w.Items(), QStringList{"keep"});
    QCOMPARE(w.box.shown.size(), std::size_t{1});
  }

  // A file dropped on the window is read as the archive, a folder becomes the destination;
  // what the program does not take is refused while dragged, and the pointer shows it.
  void droppedFilesAndFoldersAreChosenAndTheRestRefused() {
    TempDir work, out;
    WriteFile(work / "a.pak", MakeArchive({{u"a", {1}}}));
    WriteFile(work / "b.pak", MakeArchive({{u"b", {2}}}));
    Unbaler w;
    w.logic.SetRunner(w.window.runner());
    QVERIFY(w.window.acceptDrops());

    QVERIFY(!DragAndDrop(&w.window, {QUrl("https://example.com/a.pak")}));  // not a local file
    WriteFile(work / "b.txt", std::string("text"));
    QVERIFY(!DragAndDrop(&w.window, {File(work / "a.pak"), File(work / "b.txt")}));
    QVERIFY(!DragAndDrop(&w.window, {File(work / "gone.pak")}));
    QVERIFY(!DragAndDrop(&w.window, {}));

    QVERIFY(DragAndDrop(&w.window, {File(work / "a.pak")}));
    QTRY_COMPARE(w.Items(), QStringList{"a"});
    QCOMPARE(w.Text("lblFileName"), Q(work / "a.pak"));
    QVERIFY(DragAndDrop(&w.window, {File(out.path()), File(work / "b.pak")}));
    QTRY_COMPARE(w.Items(), QStringList{"b"});
    QCOMPARE(w.Text("lblFileName"), Q(work / "b.pak"));
    QCOMPARE(w.Text("lblDir"), Q(out.path()));
    QVERIFY(w.Child("picExtract")->isEnabled());
    QVERIFY(w.box.shown.empty());
    QVERIFY(w.dialog.requests.empty());

    // While work runs a drag is refused.
    std::atomic<bool> release{false};
    w.logic.ExtractAll([&](std::size_t, std::size_t) {
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    QVERIFY(!DragAndDrop(&w.window, {File(work / "a.pak")}));
    release = true;
    QTRY_COMPARE(w.logic.work_state(), shell::WorkState::kDone);
    QCOMPARE(w.Items(), QStringList{"b"});
  }

  // On the window's own worker: while an extraction is held after its first entry, the window
  // takes its progress, keeps the commands off, and Escape stops the work after that entry.
  void theWindowAnswersWhileTheWorkerRunsAndEscapeStopsIt() {
    TempDir work, out;
    WriteFile(work / "a.pak", MakeArchive({{u"a", {1}}, {u"b", {2}}, {u"c", {3}}}));
    Unbaler w;
    w.logic.SetRunner(w.window.runner());
    w.dialog.answers.push_back((work / "a.pak").u16string());
    w.Click("picSelectFile");
    QTRY_COMPARE(w.Items(), (QStringList{"a", "b", "c"}));
    w.folders.Choose(out.path().u16string());
    w.Click("picSelectDir");
    QVERIFY(w.Child("picExtract")->isEnabled());

    std::atomic<bool> release{false};
    w.logic.ExtractAll([&](std::size_t, std::size_t) {
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    QTRY_COMPARE(w.Child("lblStatus")->toolTip(), StatusTip(u"Extracting 1 of 3, 1 of 3 bytes"));
    QVERIFY(w.Child("barProgress")->isVisible());
    for (const char* name : {"picSelectFile", "picSelectDir", "picExtract"}) {
      QVERIFY2(!w.Child(name)->isEnabled(), name);
    }
    // The path labels keep their look, but a click on one chooses nothing while work runs.
    const auto files = w.dialog.requests.size();
    const auto folders = w.folders.requests.size();
    for (const char* name : {"lblFileName", "lblDir"}) {
      QVERIFY2(w.Child(name)->isEnabled(), name);
      QTest::mouseClick(w.Child(name), Qt::LeftButton);
    }
    QCOMPARE(w.dialog.requests.size(), files);
    QCOMPARE(w.folders.requests.size(), folders);
    w.window.activateWindow();
    QTest::keyClick(&w.window, Qt::Key_Escape);
    QCOMPARE(w.logic.work_state(), shell::WorkState::kCancelling);
    release = true;
    QTRY_COMPARE(w.logic.work_state(), shell::WorkState::kIdle);
    // The folder holds what was written: the line offers to open it.
    QCOMPARE(w.Child("lblStatus")->toolTip(),
             StatusTip(std::u16string(shell::kOpenFolderTip) +
                       u"\nExtraction stopped: 1 file extracted into " + out.path().u16string()));
    QCOMPARE(ReadText(out / "FilesList.txt"), std::string("a\r\n"));
    QVERIFY(!std::filesystem::exists(out / "b"));
    QVERIFY(w.Child("picSelectFile")->isEnabled());
    QVERIFY(w.Child("picExtract")->isEnabled());
    QVERIFY(!w.Child("barProgress")->isVisible());
    QVERIFY(w.box.shown.empty());
  }
};

QTEST_MAIN(UnbalerWindowTest)
#include "unbaler_window_test.moc"
