// Rebaler's logic in its real Qt window and with its real difference dialog, on the offscreen
// platform; only the file and folder dialogs and the message box are fakes.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "repacker/qt/frm_files_mismatch.h"
#include "repacker/rebaler_logic.h"
#include "shell/path_display.h"
#include "shell/qt/frm_main.h"
#include "tests/support/test_support.h"

namespace repacker::qt {
namespace {

namespace fs = std::filesystem;
using testing_support::MakeArchive;
using testing_support::TempDir;
using testing_support::WriteFile;

class FakeFileDialog : public shell::FileDialog {
 public:
  std::u16string Show(const shell::FileDialogRequest&) override { return answer; }
  std::u16string answer;
};

class FakeMessageBox : public shell::MessageBox {
 public:
  void Show(const std::u16string& text, const std::u16string& title) override {
    shown << QString::fromStdU16String(title + u": " + text);
  }
  QStringList shown;
};

class FakeFolderBackend : public shell::FolderDialogBackend {
 public:
  bool IsWindow(std::intptr_t hwnd) override { return hwnd != 0; }
  shell::BrowseResult Show(const shell::BrowseRequest& request) override {
    owner = request.owner;
    std::u16string buffer = answer;
    buffer.resize(512, u'\0');
    return {shell::BrowseResult::Outcome::kChosen, buffer};
  }
  std::string ProgramName() const override { return "rebaler"; }
  std::u16string answer;
  std::intptr_t owner = 0;
};

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

// Answers the difference dialog that the next repack opens with one of its buttons, and
// records the names it showed.
void AnswerNextDialog(const char* button, QStringList* added, QStringList* deleted) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<FrmFilesMismatch*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;  // the test then finds no names and fails
    *added = Items(dialog->findChild<QListWidget*>(QStringLiteral("lstAdded")));
    *deleted = Items(dialog->findChild<QListWidget*>(QStringLiteral("lstDeleted")));
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

    shell::qt::FrmMain window(shell::Program::kRebaler);
    FakeFileDialog file_dialog;
    FakeMessageBox messages;
    FakeFolderBackend backend;
    file_dialog.answer = archive.u16string();
    backend.answer = folder.u16string();
    RebalerLogic logic(window, file_dialog, messages, backend, QtFilesMismatchDialogFactory());
    window.Load(&logic);

    QWidget* picRepack = window.findChild<QWidget*>(QStringLiteral("picRepack"));
    auto* lstFiles = window.findChild<QListWidget*>(QStringLiteral("lstFiles"));
    QVERIFY(picRepack != nullptr && lstFiles != nullptr);
    QVERIFY(!picRepack->isEnabled());

    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("picSelectDir")), Qt::LeftButton);
    QCOMPARE(Items(lstFiles), (QStringList{"a.ogg", "new.ogg"}));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblDir"))->text(),
             QString::fromStdU16String(shell::ShortenPath(folder.u16string())));
    QCOMPARE(backend.owner, window.WindowHandle());
    QVERIFY(!picRepack->isEnabled());

    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("lblFileName")), Qt::LeftButton);
    QVERIFY(picRepack->isEnabled());

    // Cancel first: a message, and nothing written.
    QStringList added, deleted;
    AnswerNextDialog("Command1", &added, &deleted);
    QTest::mouseClick(picRepack, Qt::LeftButton);
    QCOMPARE(added, QStringList{"new.ogg"});
    QCOMPARE(deleted, QStringList{"gone.ogg"});
    QCOMPARE(messages.shown,
             QStringList{"Repack Canceled: The repack was canceled by your request"});
    QVERIFY(!fs::exists(archive));

    // Then continue, in a new dialog.
    added.clear();
    AnswerNextDialog("cmdOK", &added, &deleted);
    QTest::mouseClick(picRepack, Qt::LeftButton);
    QCOMPARE(added, QStringList{"new.ogg"});
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(testing_support::ReadFile(archive) ==
            MakeArchive({{u"a.wav", {'A'}}, {u"new.wav", {'N'}}}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);  // the busy cursor is off again
  }
};

}  // namespace repacker::qt

QTEST_MAIN(repacker::qt::RebalerWindowTest)
#include "rebaler_window_test.moc"
