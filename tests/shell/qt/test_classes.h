// The QTest classes of the shell's widget tests, run together by main.cc.
#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace shell::qt {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpFadesInAndShapesTheWindow();
  void controlsSitWhereTheDescriptionSays();
  void closeDuringFadeInFadesOutAndUnloads();
  void buttonsShowHoverAndPressedPictures();
  void hoverTrackingResetsButtonsThePointerLeft();
  void clicksReachTheCommands();
  void dragOfTheSkinMovesTheWindow();
  void commandErrorsAreShownAndTheWindowCarriesOn();
  void newListStartsAtItsTopAndCutOffNamesShowWhole();
  void tipsShowTheirTextAsItIs();
};

class MainWindowKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void tabMovesTheFocusAndEnterOrSpaceRunTheFocusedButton();
  void theFocusedButtonShowsTheMarkAndLosesTheFocusWhenTurnedOff();
  void aCloseByTheWindowSystemFadesOut();
};

class QtServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void openDialogTakesOnlyExistingFiles();
  void saveDialogChecksFolderAndAsksBeforeReplacing();
  void folderDialogOpensOnTheInitialPathAndPadsTheBuffer();
  void windowHandlesAndProgramName();
  void choiceBoxAnswersWithTheButtonPressed();
};

// Runs `act` on the next modal dialog that opens over the current one, from inside the dialog's
// own event loop. The watch ends with `scope`, so one that never fired cannot act in a later test.
inline void OnNextModal(QObject* scope, std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(scope);
  timer->setInterval(10);
  QPointer<QWidget> current = QApplication::activeModalWidget();
  QObject::connect(timer, &QTimer::timeout, [timer, current, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == current) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start();
}

}  // namespace shell::qt
