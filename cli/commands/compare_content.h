// What diff --against and verify share: the files that pack would take from a folder against an
// archive's entries, by name and byte for byte.
#pragma once

#include <string>

namespace baler {

struct ContentComparison {
  std::string archive;
  std::string folder;
  bool json = false;
  bool quiet = false;
  bool confirm_match = false;  // says so when nothing differs (text output, not quiet)
};

// Prints the differences; returns kExitOk when there is none, kExitDifferent when there is one.
int CompareContent(const ContentComparison& comparison);

}  // namespace baler
