// Both windows in every shipped language, on Qt's offscreen platform: the catalogue built into the
// program is the one shown, and no caption (of a label or a picture button) is cut: each shows its
// whole text within its box, or is cut with an ellipsis within its box and carries its whole text
// as tooltip.
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

#include "shell/main_layout.h"
#include "shell/picture_button.h"
#include "shell/qt/main_window.h"
#include "shell/qt/program.h"
#include "shell/translate.h"

namespace shell::qt {

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsFitInEveryLanguage_data();
  void captionsFitInEveryLanguage();
};

void LanguageTest::captionsFitInEveryLanguage_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<QString>("caption");  // the file row's caption, as the catalogue has it
  QTest::newRow("en") << QString() << QStringLiteral("PAK file:");
  QTest::newRow("de") << QStringLiteral("de") << QStringLiteral("Archiv:");
  QTest::newRow("fr") << QStringLiteral("fr") << QStringLiteral("Archive :");
  QTest::newRow("es") << QStringLiteral("es") << QStringLiteral("Archivo:");
  QTest::newRow("pt_BR") << QStringLiteral("pt_BR") << QStringLiteral("Arquivo:");
  QTest::newRow("pl") << QStringLiteral("pl") << QStringLiteral("Plik:");
  QTest::newRow("ru") << QStringLiteral("ru") << QStringLiteral("Архив:");
  QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << QStringLiteral("文件：");
  QTest::newRow("ja") << QStringLiteral("ja") << QStringLiteral("ファイル:");
}

void LanguageTest::captionsFitInEveryLanguage() {
  QFETCH(QString, language);
  QFETCH(QString, caption);
  QCOMPARE(InstallLanguage(language.toStdString()), !language.isEmpty());
  const auto english = qScopeGuard([] { InstallLanguage({}); });
  if (language == QLatin1String("zh_CN") || language == QLatin1String("ja")) {
    const auto system = language == QLatin1String("ja") ? QFontDatabase::Japanese
                                                        : QFontDatabase::SimplifiedChinese;
    QVERIFY2(
        !QFontDatabase::families(system).isEmpty(),
        "no font with Chinese or Japanese glyphs: install fonts-noto-cjk or fonts-wqy-microhei");
  }
  for (const shell::Program program : {shell::Program::kUnbaler, shell::Program::kRebaler}) {
    MainWindow window(program);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool caption_seen = false;
    for (const shell::ControlSpec& desc : shell::MainWindowControls(program)) {
      // The labels' captions, and the picture buttons' drawn over their pictures, clear of the
      // rim.
      const bool button = desc.kind == shell::ControlKind::kPictureButton;
      if ((desc.kind != shell::ControlKind::kLabel && !button) || desc.text.empty()) continue;
      const auto* label = window.findChild<QLabel*>(QLatin1String(desc.name.data()));
      QVERIFY(label != nullptr);
      const QString whole = QString::fromStdU16String(std::u16string(desc.text));
      caption_seen = caption_seen || whole == caption;
      const QString shown = label->text();
      const int width = QFontMetrics(label->font()).horizontalAdvance(shown);
      const QByteArray where = (language + QLatin1Char(' ') + whole).toUtf8();
      const int room =
          button ? desc.box.width - 2 * shell::kCaptionMargin - 1 : desc.box.width - desc.indent;
      QVERIFY2(width <= room, where.constData());
      if (button) QCOMPARE(label->accessibleName(), whole);
      if (shown != whole) {
        QVERIFY2(shown.endsWith(QChar(0x2026)), where.constData());
        QVERIFY2(whole.startsWith(shown.chopped(1)), where.constData());
        QVERIFY2(label->toolTip().contains(whole.toHtmlEscaped()), where.constData());
        // Cut only after the smaller size was tried.
        if (button) {
          QCOMPARE(label->font().pixelSize(), shell::kCaptionStyle.pixels - 1);
        } else {
          QCOMPARE(label->font().pointSize(), desc.font.points - 1);
        }
      }
    }
    QVERIFY2(caption_seen, "the catalogue's caption is not the one shown");
  }
}

}  // namespace shell::qt

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  shell::qt::LanguageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
