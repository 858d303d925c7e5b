// Stand-ins for the modal services Unbaler's logic calls: a file dialog and a folder chooser
// that give queued answers and record what they were asked, and a message box that records what
// it showed. Shared by the logic tests and the widget tests.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "shell/browse_for_folder.h"
#include "shell/services.h"

namespace extractor_test {

class FakeFileDialog : public shell::FileDialog {
 public:
  std::deque<std::u16string> answers;  // an empty answer is a cancel; none left: cancel too
  std::vector<shell::FileDialogRequest> requests;

  std::u16string Show(const shell::FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {};
    std::u16string answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

struct ShownMessage {
  std::u16string text;
  std::u16string title;
};

class FakeMessageBox : public shell::MessageBox {
 public:
  std::vector<ShownMessage> shown;
  void Show(const std::u16string& text, const std::u16string& title) override {
    shown.push_back({text, title});
  }
};

class FakeFolderBackend : public shell::FolderDialogBackend {
 public:
  std::deque<shell::BrowseResult> answers;  // none left: cancel
  std::vector<shell::BrowseRequest> requests;

  // Queues a folder chosen by the user, as the platform hands it back: a NUL-padded buffer.
  void Choose(const std::u16string& path) {
    shell::BrowseResult result;
    result.outcome = shell::BrowseResult::Outcome::kChosen;
    result.buffer = path;
    result.buffer.resize(512, u'\0');
    answers.push_back(result);
  }
  void Cancel() { answers.push_back({}); }
  void ConfirmItemWithoutPath() { answers.push_back({shell::BrowseResult::Outcome::kNoPath, {}}); }

  bool IsWindow(std::intptr_t) override { return true; }
  shell::BrowseResult Show(const shell::BrowseRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {};
    shell::BrowseResult answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
  std::string ProgramName() const override { return "unbaler"; }
};

}  // namespace extractor_test
