// How long the real Qt main window goes without painting while its program works: opens the
// program's window on the current display, chooses the two paths as the dialogs would, gives the
// main command, asks the window to repaint every 16 ms and, once the work has ended, prints the
// longest stretch without a paint and without a tick of that timer, from the click to the end.
//
//     paint_gap unbaler ARCHIVE FOLDER
//     paint_gap rebaler FOLDER ARCHIVE
//
// Choosing the archive (Unbaler reads its directory then) is measured the same way. The
// difference dialog, should the folder call for one, answers "continue" without showing. Run it
// under Xvfb (QT_QPA_PLATFORM=xcb); the peak resident memory of the whole process is printed too.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/scripted_answers.h"
#include "codec/text.h"
#include "shell/qt/main_window.h"

namespace {

using bench_support::OneAnswer;
using bench_support::OneFolder;
using bench_support::PrintedBox;

// Longest stretches between paints of the window and between ticks of the repaint timer.
class Gaps : public QObject {
 public:
  void Begin() {
    clock_.start();
    last_paint_ = last_tick_ = 0;
    longest_paint_ = longest_tick_ = 0;
    paint_at_ = 0;
    paints_ = 0;
  }
  void Tick() {
    const qint64 now = clock_.nsecsElapsed();
    longest_tick_ = std::max(longest_tick_, now - last_tick_);
    last_tick_ = now;
  }
  // Ends the stretch at now and prints it.
  void Print(const char* what) const {
    const qint64 now = clock_.nsecsElapsed();
    const auto ms = [](qint64 ns) { return static_cast<double>(ns) / 1e6; };
    std::printf(
        "%s: %.0f ms, %d paints, longest without a paint %.1f ms (ending at %.0f ms), longest "
        "without a timer tick %.1f ms\n",
        what, ms(now), paints_, ms(std::max(longest_paint_, now - last_paint_)), ms(paint_at_),
        ms(std::max(longest_tick_, now - last_tick_)));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && clock_.isValid()) {
      const qint64 now = clock_.nsecsElapsed();
      if (now - last_paint_ > longest_paint_) {
        longest_paint_ = now - last_paint_;
        paint_at_ = now;
      }
      last_paint_ = now;
      ++paints_;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QElapsedTimer clock_;
  qint64 last_paint_ = 0, last_tick_ = 0, longest_paint_ = 0, longest_tick_ = 0, paint_at_ = 0;
  int paints_ = 0;
};

double PeakMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc == 4 ? argv[1] : "";
  if (program != "unbaler" && program != "rebaler") {
    std::fprintf(stderr,
                 "usage: paint_gap unbaler ARCHIVE FOLDER\n"
                 "       paint_gap rebaler FOLDER ARCHIVE\n");
    return 2;
  }
  const bool unbaler = program == "unbaler";
  QApplication app(argc, argv);
  const shell::Program which = unbaler ? shell::Program::kUnbaler : shell::Program::kRebaler;
  shell::qt::MainWindow window(which);
  OneAnswer file(pak::PathFromUtf8(argv[unbaler ? 2 : 3]).u16string());
  OneFolder folder(pak::PathFromUtf8(argv[unbaler ? 3 : 2]).u16string(), "paint_gap");
  PrintedBox box;
  const std::unique_ptr<shell::ProgramLogic> logic =
      bench_support::MakeLogic(which, window, file, box, folder);
  logic->SetRunner(window.runner());
  window.Load(logic.get());

  Gaps gaps;
  window.installEventFilter(&gaps);
  QTimer repaint;
  repaint.setInterval(16);
  QObject::connect(&repaint, &QTimer::timeout, [&] {
    gaps.Tick();
    window.update();
  });

  const auto* fade = window.findChild<QTimer*>(QStringLiteral("fadeTimer"));
  // The commands clicked in turn, each on a timer tick once the fade-in or the work of the one
  // before has ended, and what the stretch from its click to its end is called. Unbaler reads the
  // archive's directory on the first; Rebaler scans the folder on the second.
  const struct {
    shell::Command command;
    const char* measured;
  } kSteps[] = {{shell::Command::kSelectFile, "choose the archive"},
                {shell::Command::kSelectDir, "choose the folder"},
                {shell::Command::kMainCommand, unbaler ? "extract" : "pack"}};
  std::size_t step = 0;
  bool clicked = false;
  QObject::connect(&repaint, &QTimer::timeout, [&] {
    if (step == std::size(kSteps)) return;
    if (clicked ? logic->Working() : fade == nullptr || fade->isActive()) return;
    if (clicked) {
      gaps.Print(kSteps[step].measured);
      if (++step == std::size(kSteps)) {
        std::printf("status line: %s\n", pak::ToUtf8(logic->status_text()).c_str());
        std::printf("peak resident memory: %.1f MB\n", PeakMegabytes());
        QApplication::exit(box.shown == 0 ? 0 : 1);
        return;
      }
    }
    gaps.Begin();
    window.controller().Click(kSteps[step].command);
    clicked = true;
  });
  repaint.start();
  return QApplication::exec();
}
