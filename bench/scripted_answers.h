// Dialogs that answer without showing, for the tools that drive a program's logic (bench/, and the
// Windows window probe): the file dialog and the folder browser each give one path, whatever they
// are asked, a message box prints its text on stderr and counts it (a tool that saw one failed),
// and Rebaler's difference dialog goes on with the packing.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "codec/text.h"
#include "extractor/unbaler_logic.h"
#include "repacker/rebaler_logic.h"
#include "shell/folder_browser.h"
#include "shell/services.h"

namespace bench_support {

class OneAnswer : public shell::FileDialog {
 public:
  explicit OneAnswer(std::u16string path) : path_(std::move(path)) {}
  std::u16string Show(const shell::FileDialogRequest&) override { return path_; }

 private:
  std::u16string path_;
};

class OneFolder : public shell::FolderDialogBackend {
 public:
  OneFolder(std::u16string path, std::string program)
      : path_(std::move(path)), program_(std::move(program)) {}
  bool IsWindow(std::intptr_t) override { return true; }
  shell::BrowseResult Show(const shell::BrowseRequest&) override {
    return {shell::BrowseResult::Outcome::kChosen, path_};
  }
  std::string ProgramName() const override { return program_; }

 private:
  std::u16string path_;
  std::string program_;
};

class PrintedBox : public shell::MessageBox {
 public:
  void Show(const std::u16string& text, const std::u16string& title) override {
    std::fprintf(stderr, "box: %s: %s\n", pak::ToUtf8(title).c_str(), pak::ToUtf8(text).c_str());
    ++shown;
  }
  int shown = 0;
};

// Says on stderr what it was shown, and answers "continue".
class GoOn : public repacker::DifferenceDialog {
 public:
  repacker::DiffAnswer ShowDiff(const std::vector<std::u16string>& added,
                                const std::vector<std::u16string>& deleted) override {
    std::fprintf(stderr, "difference dialog: %zu added, %zu deleted; continuing\n", added.size(),
                 deleted.size());
    return repacker::DiffAnswer::kContinue;
  }
};

// The logic of `program` over `view` and the given dialogs; Rebaler's difference dialog is GoOn.
inline std::unique_ptr<shell::ProgramLogic> MakeLogic(shell::Program program, shell::MainView& view,
                                                      shell::FileDialog& file,
                                                      shell::MessageBox& box,
                                                      shell::FolderDialogBackend& folder) {
  if (program == shell::Program::kUnbaler) {
    return std::make_unique<extractor::UnbalerLogic>(view, file, box, folder);
  }
  return std::make_unique<repacker::RebalerLogic>(view, file, box, folder,
                                                  [] { return std::make_unique<GoOn>(); });
}

}  // namespace bench_support
