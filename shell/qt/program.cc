#include "shell/qt/program.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>
#include <memory>

#include "shell/translate.h"

namespace shell::qt {

bool InstallLanguage(const std::string& language) {
  auto translator = std::make_shared<QTranslator>();
  if (language.empty() ||
      !translator->load(
          QStringLiteral(":/translations/baler_%1.qm").arg(QString::fromStdString(language)))) {
    shell::InstallCatalogue({});
    return false;
  }
  shell::InstallCatalogue([translator](std::u16string_view english) {
    const QByteArray source = QString::fromStdU16String(std::u16string(english)).toUtf8();
    return translator->translate("baler", source.constData()).toStdU16String();
  });
  return true;
}

std::string InstallUserLanguage() {
  std::vector<std::string> shipped;
  for (const QString& file : QDir(QStringLiteral(":/translations")).entryList()) {
    // "baler_pt_BR.qm"
    shipped.push_back(file.mid(6, file.size() - 9).toStdString());
  }
  std::vector<std::string> preferred;
  for (const QString& tag : QLocale::system().uiLanguages()) preferred.push_back(tag.toStdString());
  std::string language = shell::ChooseLanguage(preferred, shipped);
  if (!InstallLanguage(language)) language.clear();
  return language;
}

void InstallQtLanguage(QApplication& app, const std::string& language) {
  if (language.empty()) return;
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_") + QString::fromStdString(language),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

shell::StartArguments ReadEarlyArguments(int argc, char* argv[], shell::Program program) {
  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i)
    arguments.push_back(QString::fromLocal8Bit(argv[i]).toStdU16String());
  return shell::ParseStartArguments(program, arguments, u"");
}

shell::StartArguments ReadStartArguments(shell::Program program) {
  std::vector<std::u16string> arguments;
  const QStringList given = QCoreApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i) {
    // A desktop entry may pass a file as a URL ("file:///home/u/a%20b.pak").
    const QString& word = given[i];
    const QString path =
        word.startsWith(QLatin1String("file://")) ? QUrl(word).toLocalFile() : word;
    arguments.push_back(QDir::toNativeSeparators(path).toStdU16String());
  }
  return shell::ParseStartArguments(program, arguments,
                                    QDir::toNativeSeparators(QDir::currentPath()).toStdU16String());
}

}  // namespace shell::qt
