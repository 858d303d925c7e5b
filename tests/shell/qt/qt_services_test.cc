#include "shell/qt/qt_services.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/shell/qt/test_classes.h"

namespace shell::qt {
namespace {

QString FromU16(const std::u16string& s) { return QString::fromStdU16String(s); }

// Types `path` into the file dialog and confirms it, as the user does.
void Confirm(QWidget* modal, const QString& path) {
  auto* name_box = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(name_box != nullptr);
  name_box->setText(path);
  static_cast<QDialog*>(modal)->accept();  // as the dialog's own button does
}

// A file dialog over no window, and a folder that holds one file, `existing`.
struct DialogScene {
  explicit DialogScene(const char* name) : existing(dir.filePath(QLatin1String(name))) {
    QFile(existing).open(QIODevice::WriteOnly);
  }
  QObject scope;  // holds the test's modal watches
  QTemporaryDir dir;
  const QString existing;
  QtFileDialog files{nullptr};
};

}  // namespace

void QtServicesTest::openDialogTakesOnlyExistingFiles() {
  DialogScene scene("sounds.pak");
  auto& [scope, dir, existing, files] = scene;
  const shell::FileDialogRequest open{
      shell::FileDialogRequest::Kind::kOpen, {.file_must_exist = true}, u"*.pak|*.pak", u""};

  bool refused = false;
  OnNextModal(&scope, [&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("*.pak (*.pak)")});
    QVERIFY(dialog->defaultSuffix().isEmpty());
    // A missing file is refused with a message; the dialog stays open.
    OnNextModal(&scope, [&](QWidget* message) {
      refused = qobject_cast<QMessageBox*>(message) != nullptr;
      message->close();
      Confirm(dialog, existing);
    });
    Confirm(dialog, dir.filePath(QStringLiteral("missing.pak")));
  });
  QCOMPARE(FromU16(files.Show(open)), existing);
  QVERIFY(refused);

  // The next use starts with an empty name box; a cancel returns nothing.
  OnNextModal(&scope, [](QWidget* modal) {
    QVERIFY(modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text().isEmpty());
    qobject_cast<QDialog*>(modal)->reject();
  });
  QVERIFY(files.Show(open).empty());
}

void QtServicesTest::saveDialogChecksFolderAndAsksBeforeReplacing() {
  DialogScene scene("old.pak");
  auto& [scope, dir, existing, files] = scene;
  const shell::FileDialogRequest save{
      shell::FileDialogRequest::Kind::kSave,
      {.overwrite_prompt = true, .hide_read_only = true, .path_must_exist = true},
      u"*.pak|*.pak",
      u""};

  // A new name in an existing folder comes back unchecked.
  const QString fresh = dir.filePath(QStringLiteral("new.pak"));
  OnNextModal(&scope, [&](QWidget* modal) {
    QCOMPARE(qobject_cast<QFileDialog*>(modal)->acceptMode(), QFileDialog::AcceptSave);
    Confirm(modal, fresh);
  });
  QCOMPARE(FromU16(files.Show(save)), fresh);

  // A name in a missing folder is refused; an existing file needs a yes to the replace question.
  int questions = 0;
  OnNextModal(&scope, [&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    OnNextModal(&scope, [&, dialog](QWidget* missing_folder) {
      ++questions;
      missing_folder->close();
      OnNextModal(&scope, [&](QWidget* replace) {
        auto* box = qobject_cast<QMessageBox*>(replace);
        QVERIFY(box != nullptr);
        ++questions;
        box->button(QMessageBox::Yes)->click();
      });
      Confirm(dialog, existing);
    });
    Confirm(dialog, dir.filePath(QStringLiteral("no such folder/new.pak")));
  });
  QCOMPARE(FromU16(files.Show(save)), existing);
  QCOMPARE(questions, 2);

  // With an extension to add, a name typed without one gets it; a name with one keeps its own.
  shell::FileDialogRequest with_extension = save;
  with_extension.default_extension = u"pak";
  const struct {
    const char* typed;
    const char* chosen;
  } names[] = {{"typed", "typed.pak"}, {"typed.bin", "typed.bin"}};
  for (const auto& name : names) {
    OnNextModal(&scope, [&](QWidget* modal) {
      Confirm(modal, dir.filePath(QString::fromLatin1(name.typed)));
    });
    QCOMPARE(FromU16(files.Show(with_extension)), dir.filePath(QString::fromLatin1(name.chosen)));
  }
}

void QtServicesTest::choiceBoxAnswersWithTheButtonPressed() {
  using Answer = shell::ChoiceBox::Answer;
  const shell::ChoiceBox::Question three{u"2 files changed", u"Unbaler", u"Replace",
                                         u"Keep my files", u"Cancel"};
  // Without a second answer: Replace and Cancel, Cancel the default.
  const shell::ChoiceBox::Question two{u"2 files changed", u"Unbaler", u"Replace", u"", u"Cancel"};
  // The button pressed, by its caption; none: Escape.
  const struct {
    const shell::ChoiceBox::Question* question;
    const char* press;
    Answer answer;
  } cases[] = {{&three, "Replace", Answer::kFirst}, {&three, "Keep my files", Answer::kSecond},
               {&three, "Cancel", Answer::kCancel}, {&three, nullptr, Answer::kCancel},
               {&two, "Replace", Answer::kFirst},   {&two, "Cancel", Answer::kCancel},
               {&two, nullptr, Answer::kCancel}};
  for (const auto& c : cases) {
    QObject scope;  // holds this case's modal watch
    QtChoiceBox choices(nullptr);
    const bool has_second = !c.question->second.empty();
    QStringList captions;
    OnNextModal(&scope, [&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->text(), QStringLiteral("2 files changed"));
      for (QAbstractButton* button : box->buttons()) captions << button->text();
      QCOMPARE(box->defaultButton()->text(),
               has_second ? QStringLiteral("Keep my files") : QStringLiteral("Cancel"));
      if (c.press == nullptr) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
      }
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == QLatin1String(c.press)) button->click();
      }
    });
    QVERIFY(choices.Ask(*c.question) == c.answer);
    captions.sort();
    QStringList expected{QStringLiteral("Cancel"), QStringLiteral("Replace")};
    if (has_second) expected.insert(1, QStringLiteral("Keep my files"));
    QCOMPARE(captions, expected);
  }
}

void QtServicesTest::folderDialogOpensOnTheInitialPathAndPadsTheBuffer() {
  QObject scope;  // holds this test's modal watches
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("sounds"));
  const QString sounds = QDir(dir.path()).filePath(QStringLiteral("sounds"));
  QtFolderDialog folders;

  shell::BrowseRequest request{0, u"Browse for Folder where the ogg files are", 1,
                               sounds.toStdU16String()};
  OnNextModal(&scope, [&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Browse for Folder where the ogg files are"));
    QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
    QVERIFY(dialog->testOption(QFileDialog::ShowDirsOnly));
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(sounds).canonicalPath());
    static_cast<QDialog*>(dialog)->accept();  // nothing typed: the folder it shows
  });
  shell::BrowseResult result = folders.Show(request);
  QCOMPARE(result.outcome, shell::BrowseResult::Outcome::kChosen);
  const std::u16string& path = result.path;
  QCOMPARE(QDir(FromU16(path)).canonicalPath(), QDir(sounds).canonicalPath());

  // A folder that does not exist opens the chooser without complaint; cancelling is reported.
  request.initial_path = dir.filePath(QStringLiteral("gone")).toStdU16String();
  OnNextModal(&scope, [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  QCOMPARE(folders.Show(request).outcome, shell::BrowseResult::Outcome::kCancelled);
}

void QtServicesTest::windowHandlesAndProgramName() {
  QWidget window;
  QtFolderDialog folders;
  QVERIFY(folders.IsWindow(static_cast<std::intptr_t>(window.winId())));
  QVERIFY(!folders.IsWindow(0));
  QVERIFY(!folders.IsWindow(0x7ffffff0));
  QCOMPARE(QString::fromStdString(folders.ProgramName()), QStringLiteral("shell_qt_test"));
}

}  // namespace shell::qt
