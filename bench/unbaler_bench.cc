// Unbaler's logic on a real archive, without a window: chooses ARCHIVE, chooses FOLDER, then
// extracts, as the clicks would, and prints how long the listing and the extraction took.
// Peak memory is measured from outside, e.g. with /usr/bin/time -v.
//
//     unbaler_bench ARCHIVE FOLDER
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/scripted_answers.h"
#include "codec/file_system.h"
#include "codec/text.h"
#include "extractor/unbaler_logic.h"

namespace {

using bench_support::OneAnswer;
using bench_support::OneFolder;
using bench_support::PrintedBox;

class QuietView : public shell::MainView {
 public:
  void SetFileCaption(const std::u16string&) override {}
  void SetDirCaption(const std::u16string&) override {}
  void SetFileTip(const std::u16string&) override {}
  void SetDirTip(const std::u16string&) override {}
  void SetListItems(const std::vector<std::u16string>& items) override { count = items.size(); }
  void SetMainCommandEnabled(bool on) override { enabled = on; }
  void SetBusy(bool) override {}
  std::intptr_t WindowHandle() const override { return 1; }
  std::size_t count = 0;
  bool enabled = false;
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: unbaler_bench ARCHIVE FOLDER\n");
    return 2;
  }
  QuietView view;
  OneAnswer files(pak::PathFromUtf8(argv[1]).u16string());
  PrintedBox box;
  OneFolder folders(pak::PathFromUtf8(argv[2]).u16string(), "unbaler_bench");
  extractor::UnbalerLogic logic(view, files, box, folders);
  logic.OnLoaded();

  auto start = std::chrono::steady_clock::now();
  logic.OnSelectFile();
  const double list = Seconds(start);
  logic.OnSelectDir();
  start = std::chrono::steady_clock::now();
  logic.OnMainCommand();
  const double extract = Seconds(start);
  std::printf("entries %zu  list %.3f s  extract %.3f s\n", view.count, list, extract);
  return box.shown == 0 && view.enabled ? 0 : 1;
}
