// Stand-ins for the window and the modal services that the programs' logic calls: a view that
// records what it was told, a file dialog and a folder chooser that give answers and record what
// they were asked, a message box that records what it showed, and a launcher that records what
// it opened. Shared by the logic tests and the widget tests of both programs.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "codec/text.h"
#include "shell/folder_browser.h"
#include "shell/main_view.h"
#include "shell/picture_button.h"
#include "shell/services.h"
#include "shell/work.h"

namespace testing_support {

// The handle FakeView reports, and the one window FakeFolderBackend knows by default.
inline constexpr std::intptr_t kFakeWindow = 4242;

class FakeView : public shell::MainView {
 public:
  std::u16string file_caption, dir_caption, file_tip, dir_tip;
  std::vector<std::u16string> items;
  std::vector<std::u16string> sizes;  // beside the items
  int list_fills = 0;
  std::optional<bool> enabled;  // unset until the logic first decides
  int enable_calls = 0;
  bool busy = false;
  int busy_calls = 0;
  bool working = false;
  std::vector<std::u16string> statuses;  // every status line shown, in order
  std::vector<std::size_t> selected;     // the items the user has selected
  bool offers_folder = false;            // the status line offers to open a folder
  std::optional<double> progress;        // the status line's bar: the part done, or hidden

  void SetFileCaption(const std::u16string& caption) override { file_caption = caption; }
  void SetDirCaption(const std::u16string& caption) override { dir_caption = caption; }
  void SetFileTip(const std::u16string& tip) override { file_tip = tip; }
  void SetDirTip(const std::u16string& tip) override { dir_tip = tip; }
  void SetListItems(const std::vector<std::u16string>& new_items) override {
    items = new_items;
    ++list_fills;
  }
  void SetListSizes(const std::vector<std::u16string>& new_sizes) override { sizes = new_sizes; }
  void SetMainCommandEnabled(bool on) override {
    enabled = on;
    ++enable_calls;
  }
  void SetBusy(bool on) override {
    busy = on;
    ++busy_calls;
  }
  std::vector<std::size_t> SelectedItems() const override { return selected; }
  std::intptr_t WindowHandle() const override { return kFakeWindow; }
  void SetWorking(bool on) override { working = on; }
  void SetStatus(const std::u16string& text) override { statuses.push_back(text); }
  void SetStatusOffersFolder(bool offers) override { offers_folder = offers; }
  void SetProgress(std::optional<double> fraction) override { progress = fraction; }
  std::u16string status() const { return statuses.empty() ? u"" : statuses.back(); }
};

// A runner that keeps the job until the test runs it: Finish() runs what is left of it and its
// end, as a worker and the window's event loop would.
class StepRunner : public shell::WorkRunner {
 public:
  void Start(Task job, pak::Progress progress, std::function<void()> finished) override {
    job_ = std::move(job);
    progress_ = std::move(progress);
    finished_ = std::move(finished);
    ++started;
  }
  bool pending() const { return static_cast<bool>(job_); }
  // Runs the job; `between` hears of each entry on the "worker" before the window does, and
  // `before_end` runs once the job has returned, before its end reaches the window.
  void Finish(const pak::Progress& between = {}, const std::function<void()>& before_end = {}) {
    Task job = std::exchange(job_, nullptr);
    job([&](const pak::ProgressCount& count) {
      if (between) between(count);
      progress_(count);
    });
    // Like a worker's end, what the job held is let go once it has run.
    const std::function<void()> finished = std::exchange(finished_, nullptr);
    progress_ = nullptr;
    if (before_end) before_end();
    finished();
  }
  int started = 0;

 private:
  Task job_;
  pak::Progress progress_;
  std::function<void()> finished_;
};

class FakeFileDialog : public shell::FileDialog {
 public:
  std::deque<std::u16string> answers;  // given first, one a call; an empty one is a cancel
  std::u16string answer;               // given once `answers` is used up; empty: cancel
  std::vector<shell::FileDialogRequest> requests;

  std::u16string Show(const shell::FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return answer;
    std::u16string next = std::move(answers.front());
    answers.pop_front();
    return next;
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

// A choice box that records each question and gives the answers queued, then `answer`.
class FakeChoiceBox : public shell::ChoiceBox {
 public:
  std::deque<Answer> answers;
  Answer answer = Answer::kCancel;
  std::vector<Question> asked;
  Answer Ask(const Question& question) override {
    asked.push_back(question);
    if (answers.empty()) return answer;
    const Answer next = answers.front();
    answers.pop_front();
    return next;
  }
};

class FakeFolderBackend : public shell::FolderDialogBackend {
 public:
  std::deque<shell::BrowseResult> answers;  // given first, one a call
  // Once `answers` is used up: the folder `answer`, or a cancel, or an item without a path.
  std::u16string answer;
  bool cancel = false;
  bool no_path = false;
  std::intptr_t window = kFakeWindow;  // the one handle IsWindow accepts; 0: any
  std::string program_name = "baler";
  std::vector<shell::BrowseRequest> requests;

  void Choose(const std::u16string& path) {
    answers.push_back({shell::BrowseResult::Outcome::kChosen, path});
  }
  void Cancel() { answers.push_back({}); }
  void ConfirmItemWithoutPath() { answers.push_back({shell::BrowseResult::Outcome::kNoPath, {}}); }

  bool IsWindow(std::intptr_t hwnd) override { return window == 0 || hwnd == window; }
  shell::BrowseResult Show(const shell::BrowseRequest& request) override {
    requests.push_back(request);
    if (!answers.empty()) {
      shell::BrowseResult next = std::move(answers.front());
      answers.pop_front();
      return next;
    }
    if (cancel) return {};
    if (no_path) return {shell::BrowseResult::Outcome::kNoPath, {}};
    return {shell::BrowseResult::Outcome::kChosen, answer};
  }
  std::string ProgramName() const override { return program_name; }
};

// A launcher that records the files it was asked to open, with what each held at that moment,
// and answers `opens`.
class FakeLauncher : public shell::Launcher {
 public:
  struct Opened {
    std::filesystem::path file;
    std::optional<std::string> bytes;  // none when there was no file to read
  };
  bool opens = true;
  std::vector<Opened> opened;

  bool Open(const std::filesystem::path& file) override {
    std::optional<std::string> bytes;
    if (std::filesystem::is_directory(file)) {
      // A folder to show: nothing to read.
    } else if (std::ifstream in(file, std::ios::binary); in) {
      bytes.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    opened.push_back({file, std::move(bytes)});
    return opens;
  }
};

// A pointer the test places, in the window's client coordinates; it starts away from every
// control.
class FakePointer : public shell::Pointer {
 public:
  std::int32_t MouseX(std::intptr_t) override { return x; }
  std::int32_t MouseY(std::intptr_t) override { return y; }
  std::int32_t x = -100;
  std::int32_t y = -100;
};

// Program logic that records which commands ran; start-up disables the main command, as the real
// programs do, and the folder command can be made to throw, as a failing library call would.
class RecordingCommands : public shell::MainCommands {
 public:
  explicit RecordingCommands(shell::MainView& view) : view_(view) {}
  void OnLoaded() override {
    calls.push_back("OnLoaded");
    view_.SetMainCommandEnabled(false);
  }
  void OnSelectFile() override { calls.push_back("OnSelectFile"); }
  void OnSelectDir() override {
    calls.push_back("OnSelectDir");
    if (throw_on_select_dir) {
      throw std::runtime_error("Invalid window handle");
    }
  }
  void OnMainCommand() override { calls.push_back("OnMainCommand"); }
  void OnCancel() override { calls.push_back("OnCancel"); }
  bool Working() const override { return working; }
  std::vector<shell::ListMenuItem> ListMenu() override { return menu; }
  void OnListCommand(shell::ListCommand command) override {
    calls.push_back(command == shell::ListCommand::kExtractAll ? "OnListCommand all"
                                                               : "OnListCommand selected");
  }
  void OnOpenItem(std::size_t index) override {
    calls.push_back("OnOpenItem " + std::to_string(index));
  }
  void OnFilter(const std::u16string& text) override {
    calls.push_back("OnFilter " + pak::ToUtf8(text));
  }
  void OnOpenFolder() override { calls.push_back("OnOpenFolder"); }
  int Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }

  std::vector<std::string> calls;
  bool throw_on_select_dir = false;
  bool working = false;                   // what Working() answers
  std::vector<shell::ListMenuItem> menu;  // the list's context menu; none by default

 private:
  shell::MainView& view_;
};

}  // namespace testing_support
