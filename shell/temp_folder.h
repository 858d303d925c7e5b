// A private folder for the files a program hands to other programs: an archive entry copied out
// so that the system's program for its kind can open it.
//
// The folder is made on first use under the system's temporary folder, closed to other users
// and unique to the process, and each file gets a sub-folder of its own, so a program still
// showing an earlier copy never sees it replaced. Everything in it is removed when the object
// goes, which is when the program ends normally; a program that crashes or is killed leaves the
// folder behind.
#pragma once

#include <optional>
#include <string>

#include "codec/file_system.h"
#include "codec/status.h"

namespace shell {

class TempFolder {
 public:
  // The folder's name starts with `prefix`; it is made inside `parent`, by default the system's
  // temporary folder.
  explicit TempFolder(std::string prefix, std::optional<pak::Path> parent = std::nullopt);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // A new, empty folder inside the private one; makes the private folder first when needed.
  pak::Result<pak::Path> NewSubfolder();
  // The private folder; none until it is first used.
  const std::optional<pak::Path>& path() const { return path_; }

 private:
  std::string prefix_;
  std::optional<pak::Path> parent_;
  std::optional<pak::Path> path_;
  unsigned next_ = 0;
};

}  // namespace shell
