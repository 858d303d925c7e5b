// What every baler command prints through: names made safe for the terminal, failures with their
// exit code, JSON, the progress line, and the check that the output was written.
#pragma once

#include <chrono>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"
#include "codec/writer.h"

namespace baler {

// Whether a standard stream (0, 1 or 2) is an interactive terminal.
bool IsTerminal(int fd);

// Arguments arrive as UTF-8 (on Windows main converts the wide command line).
pak::Path ArgPath(const std::string& arg);

// Everything printed as text that may hold a name goes through here (JSON output does not: its
// encoder escapes what it must): a name with ESC, BEL or a newline
// must neither reach the terminal as such nor fake a line of its own.
std::string Safe(std::string_view text);
std::string Safe(std::u16string_view name);

// Text of several lines, each made safe on its own.
std::string SafeLines(std::string_view text);

// Reports a failure on stderr, naming `subject` when there is one; returns its exit code.
int Fail(const pak::Status& status, const std::string& subject = {});

// The lines "added    NAME" and "deleted  NAME" of a folder's difference.
std::string AddedAndDeleted(const std::vector<std::u16string>& added,
                            const std::vector<std::u16string>& deleted);

void PrintJson(const nlohmann::ordered_json& value);
nlohmann::ordered_json JsonNames(const std::vector<std::u16string>& names);

// What a command printed must have reached its output: a full disk or a closed pipe is a
// failure, not a success with the output lost. Returns `code`, or the failure's.
int CheckOutput(int code);

// A progress line on stderr, redrawn at most ten times a second, only when
// stderr is a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(const char* verb, bool quiet = false);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  pak::Progress callback();

 private:
  const char* verb_;
  bool enabled_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace baler
