// Running baler as a process from the tests: its exit code and what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

namespace baler_process {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

// Runs baler with `args` (already shell-quoted where needed), no terminal; with a timeout, a
// run that hangs ends with code 124. With `output`, its standard output goes there instead (and
// Outcome::out stays empty).
inline Outcome Baler(const testing_support::TempDir& dir, const std::string& args,
                     int timeout_seconds = 0, const std::string& output = {}) {
  const std::string out = output.empty() ? (dir / ".out").string() : output;
  const std::string err = (dir / ".err").string();
  const std::string limit =
      timeout_seconds > 0 ? "timeout " + std::to_string(timeout_seconds) + " " : "";
  const std::string command =
      limit + "'" + BALER_PATH + "' " + args + " </dev/null >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  Outcome o{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            output.empty() ? testing_support::ReadText(out) : std::string(),
            testing_support::ReadText(err)};
  if (output.empty()) std::remove(out.c_str());
  std::remove(err.c_str());
  return o;
}

// Shell-quotes a path.
inline std::string Q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace baler_process
