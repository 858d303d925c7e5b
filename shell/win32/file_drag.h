// Files handed to another program by dragging them out of a window, as a file manager hands
// them: an OLE drag of a data object that offers the files as a list of dropped files (CF_HDROP).
#pragma once

#include <string>
#include <vector>

#include "shell/win32/windows_api.h"

namespace shell::win32 {

// A data object that offers `files` (whole paths) as a list of dropped files, and nothing else.
// Its one reference is the caller's.
IDataObject* NewFilesData(const std::vector<std::u16string>& files);

// Drags `files` out with a copy, from where the pointer is, until they are dropped (the button
// let go) or the drag is cancelled (Escape). True when they were dropped somewhere that took
// them.
bool DragFilesOut(const std::vector<std::u16string>& files);

}  // namespace shell::win32
