// The Windows headers as the Windows front end includes them.
//
// <windows.h> defines MessageBox as a macro for MessageBoxW, which would rename the front ends'
// shared shell::MessageBox service in every file that sees it; the macro is dropped here and the
// code calls ::MessageBoxW by its own name.
//
// The shell's neutral headers name some of their constants after the Windows flags they stand for
// (BIF_RETURNONLYFSDIRS, OFN_FILEMUSTEXIST, ...), which <windows.h> defines as macros. They are
// read first, so that their declarations are in place before the macros exist.
#pragma once

#include "shell/browse_for_folder.h"
#include "shell/services.h"
// After the neutral headers.
#include <windows.h>
// After <windows.h>, which these need.
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <windowsx.h>

#undef MessageBox
