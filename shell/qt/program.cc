#include "shell/qt/program.h"

#include <QDir>
#include <QUrl>

namespace shell::qt {

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
