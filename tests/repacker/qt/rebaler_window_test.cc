// Rebaler's logic in its real Qt window and with its real difference dialog, on the offscreen
// platform; only the file and folder dialogs and the message box are fakes.
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "repacker/qt/difference_dialog.h"
#include "repacker/rebaler_logic.h"
#include "shell/path_display.h"
#include "shell/qt/main_window.h"
#include "tests/support/fakes.h"
#include "tests/support/qt/list_items.h"
#include "tests/support/test_support.h"

namespace repacker::qt {
namespace {

namespace fs = std::filesystem;
using testing_support::MakeArchive;
using testing_support::TempDir;
using testing_support::WriteFile;

using testing_support::FakeFileDialog;
using testing_support::FakeFolderBackend;
using testing_support::FakeMessageBox;

using testing_support::ListItems;

// Answers the difference dialog that the next repack opens with one of its buttons, and
// records the names it showed.
void AnswerNextDialog(const char* button, QStringList* added, QStringList* deleted) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<DifferenceDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;  // the test then finds no names and fails
    *added = ListItems(dialog->findChild<QListView*>(QStringLiteral("lstAdded")));
    *deleted = ListItems(dialog->findChild<QListView*>(QStringLiteral("lstDeleted")));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
  });
}

}  // namespace

class RebalerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void chooseBothThenRepackThroughTheDifferenceDialog() {
    TempDir temp;
    const fs::path folder = temp / "files";
    const fs::path archive = temp / "out.pak";
    fs::create_directory(folder);
    WriteFile(folder / "a.ogg", std::string("A"));
    WriteFile(folder / "new.ogg", std::string("N"));
    WriteFile(folder / "FilesList.txt", std::string("a.ogg\r\ngone.ogg\r\n"));

    shell::qt::MainWindow window(shell::Program::kRebaler);
    FakeFileDialog file_dialog;
    FakeMessageBox messages;
    FakeFolderBackend backend;
    file_dialog.answer = archive.u16string();
    backend.answer = folder.u16string();
    backend.window = 0;  // the real window's handle
    RebalerLogic logic(window, file_dialog, messages, backend, QtDifferenceDialogFactory());
    window.Load(&logic);

    QWidget* picRepack = window.findChild<QWidget*>(QStringLiteral("picRepack"));
    auto* lstFiles = window.findChild<QListView*>(QStringLiteral("lstFiles"));
    QVERIFY(picRepack != nullptr && lstFiles != nullptr);
    QVERIFY(!picRepack->isEnabled());

    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("picSelectDir")), Qt::LeftButton);
    QCOMPARE(ListItems(lstFiles), (QStringList{"a.ogg", "new.ogg"}));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblDir"))->text(),
             QString::fromStdU16String(shell::ShortenPath(folder.u16string())));
    QCOMPARE(backend.requests.back().owner, window.WindowHandle());
    QVERIFY(!picRepack->isEnabled());

    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("lblFileName")), Qt::LeftButton);
    QVERIFY(picRepack->isEnabled());

    // Cancel first: a message, and nothing written.
    QStringList added, deleted;
    AnswerNextDialog("Command1", &added, &deleted);
    QTest::mouseClick(picRepack, Qt::LeftButton);
    QCOMPARE(added, QStringList{"new.ogg"});
    QCOMPARE(deleted, QStringList{"gone.ogg"});
    QCOMPARE(messages.shown.size(), std::size_t{1});
    QVERIFY(messages.shown[0].title == u"Repack Canceled");
    QVERIFY(messages.shown[0].text == u"The repack was canceled by your request");
    QVERIFY(!fs::exists(archive));

    // Then continue, in a new dialog.
    added.clear();
    AnswerNextDialog("cmdOK", &added, &deleted);
    QTest::mouseClick(picRepack, Qt::LeftButton);
    QCOMPARE(added, QStringList{"new.ogg"});
    QCOMPARE(messages.shown.size(), std::size_t{1});
    QVERIFY(testing_support::ReadFile(archive) ==
            MakeArchive({{u"a.wav", {'A'}}, {u"new.wav", {'N'}}}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);  // the busy cursor is off again
  }

  void aDoubleClickOpensTheFoldersFileAndTheListsMenuOnlySorts() {
    TempDir temp;
    fs::create_directory(temp / "files");
    WriteFile(temp / "files" / "a.ogg", std::string("A"));
    WriteFile(temp / "files" / "b.png", std::string("B"));
    shell::qt::MainWindow window(shell::Program::kRebaler);
    FakeFileDialog file_dialog;
    FakeMessageBox messages;
    FakeFolderBackend backend;
    testing_support::FakeLauncher launcher;
    backend.answer = (temp / "files").u16string();
    backend.window = 0;  // the real window's handle
    RebalerLogic logic(window, file_dialog, messages, backend, QtDifferenceDialogFactory());
    logic.SetLauncher(launcher);
    window.Load(&logic);
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("picSelectDir")), Qt::LeftButton);

    auto* list = window.findChild<QListView*>(QStringLiteral("lstFiles"));
    const QPoint row = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(launcher.opened.size(), std::size_t{1});
    QVERIFY(launcher.opened[0].file == temp / "files" / "b.png");
    QVERIFY(messages.shown.empty());

    // Rebaler's list menu only sorts.
    const std::vector<shell::ListMenuItem> menu = window.controller().ListMenu();
    QCOMPARE(menu.size(), std::size_t{2});
    QCOMPARE(menu[0].command, shell::ListCommand::kSortByName);
    QCOMPARE(menu[1].command, shell::ListCommand::kSortBySize);
  }
};

}  // namespace repacker::qt

QTEST_MAIN(repacker::qt::RebalerWindowTest)
#include "rebaler_window_test.moc"
