// The dialog that shows, before a repack, which files were added to the folder and which
// recorded names have no file any more, and asks whether to go on.
//
// The repack logic sees the dialog only through this interface, so it can be tested without a
// display and driven by any front end. Each repack asks the factory for a fresh dialog, makes
// one ShowDiff call and then discards it: no list contents or answer carry over to the next
// repack.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace repacker {

class FilesMismatchDialog {
 public:
  virtual ~FilesMismatchDialog() = default;

  // Shows both lists exactly as given (same order, same letter case; either may be empty),
  // waits modally for the user and returns 1 to continue with the packing or 0 to cancel it.
  // Closing the dialog in any other way than with its two buttons counts as cancel. The lists
  // are borrowed for the call only.
  virtual std::int32_t ShowDiff(const std::vector<std::u16string>& added,
                                const std::vector<std::u16string>& deleted) = 0;
};

// Makes a new dialog for one repack.
using FilesMismatchDialogFactory = std::function<std::unique_ptr<FilesMismatchDialog>()>;

}  // namespace repacker
