// Drives a modal dialog from inside the test that opened it.
//
// A modal dialog runs its own message loop, so a test cannot act on it after the call that shows
// it returns. DialogDriver sets a thread timer before that call; the dialog's loop dispatches the
// timer, which waits for the dialog to appear and settle and then runs the test's action on it
// (reading its controls, pressing a button). One driver at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace win32_testing {

class DialogDriver {
 public:
  // Waits for a visible window of this thread with `title` (any title when empty) and the
  // standard dialog class, then calls `action` with it once.
  DialogDriver(std::wstring title, std::function<void(HWND)> action);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool acted() const { return acted_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  std::wstring title_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  HWND seen_ = nullptr;
  int sightings_ = 0;
  bool acted_ = false;
};

// The text of a window or control.
std::wstring WindowText(HWND hwnd);
// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND control);
// The items of a list box, in order.
std::vector<std::wstring> ListItems(HWND list);

// Whether row `item` of a list box, painted as the list paints itself, shows text near its left
// end in another colour than the row's background (taken at the row's right end).
bool RowShowsText(HWND list, int item);

// The tooltip window this thread made (the main window's one); null when there is none.
HWND ThreadTips();
// Pumps this thread's messages for about `milliseconds`.
void Pump(int milliseconds);

}  // namespace win32_testing
