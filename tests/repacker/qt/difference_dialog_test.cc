// frmFilesMismatch on the offscreen platform: its form, its focus order and the ways out of it.
#include "repacker/qt/difference_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>

#include "shell/drag.h"
#include "shell/qt/program.h"
#include "shell/translate.h"
#include "tests/support/qt/list_items.h"

namespace repacker::qt {
namespace {

using Names = std::vector<std::u16string>;

using testing_support::ListItems;

// What the dialog showed while it was up, and what ShowDiff returned.
struct Run {
  bool shown = false;
  bool modal = false;
  QStringList added, deleted;
  std::int32_t result = -1;
};

// Calls ShowDiff and, once the dialog is up, records it and then lets `act` answer it.
Run ShowAndAnswer(DifferenceDialog& dialog, const Names& added, const Names& deleted,
                  const std::function<void(DifferenceDialog&)>& act) {
  Run run;
  QTimer::singleShot(0, &dialog, [&] {
    run.shown = dialog.isVisible();
    run.modal = QApplication::activeModalWidget() == &dialog;
    run.added = ListItems(dialog.findChild<QListView*>(QStringLiteral("lstAdded")));
    run.deleted = ListItems(dialog.findChild<QListView*>(QStringLiteral("lstDeleted")));
    act(dialog);
  });
  run.result = dialog.ShowDiff(added, deleted) == DiffAnswer::kContinue ? 1 : 0;
  return run;
}

QPushButton* Button(QWidget& dialog, const char* name) {
  return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

void Click(QWidget& dialog, const char* name) {
  QTest::mouseClick(Button(dialog, name), Qt::LeftButton);
}

}  // namespace

class DifferenceDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // In English and in every language shipped: the texts are the catalogue's, and every line
  // is whole within its control.
  void formMatchesTheLayout_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("en") << QString() << QStringLiteral("Files List Diff");
    QTest::newRow("de") << QStringLiteral("de") << QStringLiteral("Unterschiede der Dateiliste");
    for (const char* language : {"fr", "es", "pt_BR", "pl", "ru", "zh_CN", "ja"}) {
      QTest::newRow(language) << QString::fromLatin1(language) << QString();
    }
  }

  void formMatchesTheLayout() {
    QFETCH(QString, language);
    QFETCH(QString, title);
    QCOMPARE(shell::qt::InstallLanguage(language.toStdString()), !language.isEmpty());
    const auto english = qScopeGuard([] { shell::qt::InstallLanguage({}); });
    const auto shown = [](std::u16string_view text) {
      return QString::fromStdU16String(std::u16string(shell::Tr(text)));
    };
    DifferenceDialog dialog;
    QCOMPARE(dialog.windowTitle(), shown(repacker::kDiffTitle));
    if (!title.isEmpty()) QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.size(), QSize(508, 273));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());  // not resizable
    QVERIFY(!(dialog.windowFlags() & Qt::FramelessWindowHint));

    for (const repacker::DiffControl& control : repacker::kDiffControls) {
      const std::string name(control.name);
      const auto* widget = dialog.findChild<QWidget*>(QString::fromStdString(name));
      QVERIFY2(widget != nullptr, name.c_str());
      const shell::Box& box = control.twips;
      QCOMPARE(widget->geometry(),
               QRect(shell::TwipsToPixels(box.left), shell::TwipsToPixels(box.top),
                     shell::TwipsToPixels(box.width), shell::TwipsToPixels(box.height)));
      if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        QCOMPARE(label->text(), shown(control.text));
        // The whole line is readable in the label's width.
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 name.c_str());
      } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        QCOMPARE(button->text(), shown(control.text));
        const int margins = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        QVERIFY2(
            button->fontMetrics().horizontalAdvance(button->text()) + margins <= button->width(),
            name.c_str());
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
      }
    }
  }

  void focusFollowsTheTabOrder() {
    DifferenceDialog dialog;
    QStringList chain;
    QWidget* widget = dialog.findChild<QWidget*>(QStringLiteral("lstAdded"));
    for (int i = 0; i < 5; ++i) {
      chain << widget->objectName();
      do {
        widget = widget->nextInFocusChain();
      } while (!(widget->focusPolicy() & Qt::TabFocus));
    }
    QCOMPARE(chain, (QStringList{"lstAdded", "lstDeleted", "cmdOK", "Command1", "lstAdded"}));
  }

  void listsShowTheNamesAsHandedOver() {
    DifferenceDialog dialog;
    const Run run = ShowAndAnswer(dialog, {u"zeta.OGG", u"Alpha.ogg", u"beta.bin"}, {},
                                  [](DifferenceDialog& d) { Click(d, "Command1"); });
    QVERIFY(run.shown);
    QVERIFY(run.modal);
    QCOMPARE(run.added, (QStringList{"zeta.OGG", "Alpha.ogg", "beta.bin"}));
    QVERIFY(run.deleted.isEmpty());
    // Names only to be read: one row is selected at a time.
    for (const char* name : {"lstAdded", "lstDeleted"}) {
      QCOMPARE(dialog.findChild<QListView*>(QLatin1String(name))->selectionMode(),
               QAbstractItemView::SingleSelection);
    }
  }

  void continueCancelAndCloseAnswer_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("expected");
    QTest::newRow("Continue with Packing") << 0 << 1;
    QTest::newRow("Cancel the Packing") << 1 << 0;
    QTest::newRow("title bar close") << 2 << 0;
    QTest::newRow("Escape") << 3 << 0;
  }

  void continueCancelAndCloseAnswer() {
    QFETCH(int, way);
    QFETCH(int, expected);
    DifferenceDialog dialog;
    const Run run = ShowAndAnswer(dialog, {}, {u"gone.ogg"}, [way](DifferenceDialog& d) {
      switch (way) {
        case 0:
          Click(d, "cmdOK");
          break;
        case 1:
          Click(d, "Command1");
          break;
        case 2:
          d.close();
          break;
        default:
          QTest::keyClick(&d, Qt::Key_Escape);
          break;
      }
    });
    QCOMPARE(run.deleted, QStringList{"gone.ogg"});
    QCOMPARE(run.result, expected);
    QVERIFY(!dialog.isVisible());
  }

  void returnAloneAnswersNothing() {
    DifferenceDialog dialog;
    bool still_shown = false;
    const Run run = ShowAndAnswer(dialog, {u"new.ogg"}, {}, [&](DifferenceDialog& d) {
      d.findChild<QListView*>(QStringLiteral("lstAdded"))->setFocus();
      QTest::keyClick(&d, Qt::Key_Return);
      Button(d, "cmdOK")->setFocus();
      QTest::keyClick(&d, Qt::Key_Return);
      still_shown = d.isVisible();
      Click(d, "Command1");
    });
    QVERIFY(still_shown);
    QCOMPARE(run.result, 0);
  }

  void eachUseStartsFresh() {
    const DifferenceDialogFactory factory = QtDifferenceDialogFactory();
    std::unique_ptr<repacker::DifferenceDialog> first = factory();
    auto* first_form = dynamic_cast<DifferenceDialog*>(first.get());
    QVERIFY(first_form != nullptr);
    QCOMPARE(ShowAndAnswer(*first_form, {u"a.ogg"}, {u"b.ogg"},
                           [](DifferenceDialog& d) { Click(d, "cmdOK"); })
                 .result,
             1);
    first.reset();

    std::unique_ptr<repacker::DifferenceDialog> second = factory();
    auto* second_form = dynamic_cast<DifferenceDialog*>(second.get());
    QVERIFY(second_form != nullptr);
    QVERIFY(second_form->answer() == DiffAnswer::kCancel);
    const Run run =
        ShowAndAnswer(*second_form, {u"c.ogg"}, {}, [](DifferenceDialog& d) { d.close(); });
    QCOMPARE(run.added, QStringList{"c.ogg"});
    QVERIFY(run.deleted.isEmpty());
    QCOMPARE(run.result, 0);
  }
};

}  // namespace repacker::qt

QTEST_MAIN(repacker::qt::DifferenceDialogTest)
#include "difference_dialog_test.moc"
