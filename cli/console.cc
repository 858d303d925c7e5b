#include "cli/console.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/baler_cli.h"
#include "codec/reader.h"
#include "codec/text.h"

namespace baler {

using pak::Status;

// On Windows the NUL device counts as a character device too, so only a stream with a console
// behind it counts.
bool IsTerminal(int fd) {
#ifdef _WIN32
  DWORD mode = 0;
  return ::_isatty(fd) != 0 &&
         ::GetConsoleMode(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), &mode) != 0;
#else
  return ::isatty(fd) != 0;
#endif
}

pak::Path ArgPath(const std::string& arg) { return pak::PathFromUtf8(arg); }

std::string Safe(std::string_view text) { return pak::EscapeControls(text); }
std::string Safe(std::u16string_view name) { return pak::EscapeControls(pak::ToUtf8(name)); }

std::string SafeLines(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    out += Safe(text.substr(start, end - start));
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}

int Fail(const Status& status, const std::string& subject) {
  std::string message = status.message();
  if (message == pak::kInvalidFile) {
    message += " (too short, or no archive signature)";
  }
  // The codec escapes the entry names in its messages already (DescribeEntry); what else they
  // hold is made safe here without escaping those names a second time.
  std::cerr << "baler: " << Safe(subject.empty() ? "" : subject + ": ")
            << pak::EscapeRawControls(message) << "\n";
  if (status.kind() == Status::Kind::kCancelled) return kExitCancelled;
  return kExitFailed;
}

std::string AddedAndDeleted(const std::vector<std::u16string>& added,
                            const std::vector<std::u16string>& deleted) {
  std::string out;
  for (const auto& name : added) out += "added    " + Safe(name) + "\n";
  for (const auto& name : deleted) out += "deleted  " + Safe(name) + "\n";
  return out;
}

void PrintJson(const nlohmann::ordered_json& value) {
  // Names are valid UTF-8 (ToUtf8 replaces what it cannot convert); replacing
  // here too keeps a stray byte from turning into an exception.
  const std::string text =
      value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
  std::fwrite(text.data(), 1, text.size(), stdout);
}

nlohmann::ordered_json JsonNames(const std::vector<std::u16string>& names) {
  auto array = nlohmann::ordered_json::array();
  for (const auto& name : names) array.push_back(pak::ToUtf8(name));
  return array;
}

int CheckOutput(int code) {
  std::cout.flush();
  errno = 0;
  const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout.good();
  if (!failed) return code;
  const int error = errno;
  std::cerr << "baler: the output could not be written"
            << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
  return kExitFailed;
}

ProgressLine::ProgressLine(const char* verb, bool quiet)
    : verb_(verb), enabled_(!quiet && IsTerminal(2)) {}

ProgressLine::~ProgressLine() {
  if (shown_) std::fprintf(stderr, "\r\033[K");
}

pak::Progress ProgressLine::callback() {
  if (!enabled_) return {};
  return [this](std::size_t done, std::size_t total) {
    const auto now = std::chrono::steady_clock::now();
    if (done != total && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r%s %zu of %zu (%zu%%)", verb_, done, total,
                 total == 0 ? 100 : done * 100 / total);
    std::fflush(stderr);
  };
}

}  // namespace baler
