#include "shell/qt/qt_services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>

#include "shell/file_filter.h"
#include "shell/translate.h"

namespace shell::qt {
namespace {

// The save dialog's check that the folder of a typed name exists; Qt's own dialog accepts a
// name in a missing folder.
class PakFileDialog : public QFileDialog {
 public:
  PakFileDialog(QWidget* parent, bool path_must_exist)
      : QFileDialog(parent), path_must_exist_(path_must_exist) {}

 protected:
  void accept() override {
    const QStringList files = selectedFiles();
    if (path_must_exist_ && acceptMode() == AcceptSave && !files.isEmpty()) {
      const QFileInfo chosen(files.first());
      if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
        QMessageBox::warning(
            this, windowTitle(),
            QString::fromStdU16String(
                shell::Arg(shell::Tr(shell::kNoSuchPathText),
                           {QDir::toNativeSeparators(chosen.absolutePath()).toStdU16String()})));
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  bool path_must_exist_;
};

// Qt's file dialog completes a typed path in a popup that can open late, when
// the dialog is already closing, and then outlive it: the user's next click
// would only close that popup. Close what is left once the dialog is done.
int ExecWithoutStrayPopups(QDialog& dialog) {
  const int result = dialog.exec();
  while (QWidget* popup = QApplication::activePopupWidget()) {
    if (!popup->close()) break;
  }
  return result;
}

}  // namespace

std::u16string QtFileDialog::Show(const shell::FileDialogRequest& request) {
  const bool save = request.kind == shell::FileDialogRequest::Kind::kSave;
  PakFileDialog dialog(parent_, save && request.options.path_must_exist);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && request.options.file_must_exist ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.options.overwrite_prompt);
  QStringList filters;
  for (const std::u16string& line : shell::FilterLines(request.filter)) {
    filters << QString::fromStdU16String(line);
  }
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.default_extension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdU16String(request.default_extension));
  }
  if (ExecWithoutStrayPopups(dialog) != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? std::u16string() : files.first().toStdU16String();
}

void QtMessageBox::Show(const std::u16string& text, const std::u16string& title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdU16String(title),
                  QString::fromStdU16String(text), QMessageBox::Ok, parent_);
  box.exec();
}

shell::ChoiceBox::Answer QtChoiceBox::Ask(const Question& question) {
  QMessageBox box(QMessageBox::Question, QString::fromStdU16String(question.title),
                  QString::fromStdU16String(question.text), QMessageBox::NoButton, parent_);
  QPushButton* first =
      box.addButton(QString::fromStdU16String(question.first), QMessageBox::AcceptRole);
  QPushButton* second =
      question.second.empty()
          ? nullptr
          : box.addButton(QString::fromStdU16String(question.second), QMessageBox::DestructiveRole);
  QPushButton* cancel =
      box.addButton(QString::fromStdU16String(question.cancel), QMessageBox::RejectRole);
  box.setDefaultButton(second != nullptr ? second : cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == first) return Answer::kFirst;
  if (second != nullptr && box.clickedButton() == second) return Answer::kSecond;
  return Answer::kCancel;
}

bool QtFolderDialog::IsWindow(std::intptr_t hwnd) {
  return hwnd != 0 && QWidget::find(static_cast<WId>(hwnd)) != nullptr;
}

shell::BrowseResult QtFolderDialog::Show(const shell::BrowseRequest& request) {
  QWidget* owner = request.owner > 0 ? QWidget::find(static_cast<WId>(request.owner)) : nullptr;
  QFileDialog dialog(owner, QString::fromStdU16String(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const QString initial = QString::fromStdU16String(request.initial_path);
  // A folder that does not exist (any more) is no error: the chooser opens where it would.
  if (!initial.isEmpty() && QFileInfo(initial).isDir()) dialog.setDirectory(initial);

  using Outcome = shell::BrowseResult::Outcome;
  if (ExecWithoutStrayPopups(dialog) != QDialog::Accepted) return {Outcome::kCancelled, {}};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return {Outcome::kNoPath, {}};
  return {Outcome::kChosen, QDir::toNativeSeparators(chosen.first()).toStdU16String()};
}

std::string QtFolderDialog::ProgramName() const {
  return shell::ProgramNameOf(QCoreApplication::applicationFilePath().toStdU16String());
}

bool QtLauncher::Open(const std::filesystem::path& file) {
#ifdef Q_OS_WIN
  const QString path = QString::fromStdWString(file.wstring());
#else
  const QString path = QFile::decodeName(QByteArray::fromStdString(file.string()));
#endif
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace shell::qt
