// Runs every QTest class of the shell's widget tests in one application.
#include <QApplication>
#include <QTest>

#include "tests/shell/qt/test_classes.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  int failures = 0;
  {
    shell::qt::MainWindowTest test;
    failures += QTest::qExec(&test, argc, argv);
  }
  {
    shell::qt::MainWindowKeyboardTest test;
    failures += QTest::qExec(&test, argc, argv);
  }
  {
    shell::qt::QtServicesTest test;
    failures += QTest::qExec(&test, argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
