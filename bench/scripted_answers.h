// Dialogs that answer without showing, for the tools in bench/ that drive a program's logic: the
// file dialog and the folder browser each give one path, whatever they are asked, and a message
// box prints its text on stderr and counts it (a tool that saw one failed).
#pragma once

#include <cstdio>
#include <string>
#include <utility>

#include "codec/text.h"
#include "shell/browse_for_folder.h"
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

}  // namespace bench_support
