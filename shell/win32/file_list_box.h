// A list of names on Win32: a LISTBOX that holds only the number of its items while this object
// keeps their names and draws the rows in sight, so that a new list of any length is one message.
// It answers LB_GETTEXT and LB_GETTEXTLEN from the names, as a list keeping its own strings does,
// goes to the next name starting with a typed letter, and, where asked, shows a name cut off at
// the right whole as a tip and opens an item on Enter or a double click.
//
// The parent hands on its WM_DRAWITEM (FileListBox::Draw).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "shell/win32/windows_api.h"

namespace shell::win32 {

class FileListBox {
 public:
  struct Options {
    // Shift and Ctrl select several items; otherwise one item at most is selected.
    bool several = false;
    // The tooltip window that shows a name cut off at the right; none when null.
    HWND tips = nullptr;
    // Enter or a double click on an item; neither does anything when empty.
    std::function<void(std::size_t)> open;
    // A press on a selected item moved far enough to be a drag: the selection dragged out of the
    // list. A press without a drag is a click as any other; no drags start when empty.
    std::function<void()> drag_out;
    // Where a row's text starts, in pixels from the row's left end; a list with strings starts it
    // one pixel in.
    int text_left = 1;
    // "/" typed in the list; without it "/" goes to the next name starting with it.
    std::function<void()> find;
  };

  // Creates the list as child `id` of `parent` at `box`, its rows as high as a line of `font`.
  FileListBox(HWND parent, int id, const shell::Box& box, HFONT font, Options options);
  ~FileListBox();
  FileListBox(const FileListBox&) = delete;
  FileListBox& operator=(const FileListBox&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Draws the rows in `font`, each as high as a line of it.
  void SetFont(HFONT font);
  // Shows `items` in their order, from the top, nothing selected.
  void SetItems(std::vector<std::u16string> items);
  // The size each item shows right-aligned in the last shell::kSizeWidth pixels of its row, after
  // SetItems; none while empty.
  void SetSizes(std::vector<std::u16string> sizes);
  // The selected items, in ascending order.
  std::vector<std::size_t> Selected() const;
  // Where the list's menu opens from the keyboard, in screen coordinates.
  POINT KeyboardMenuPlace() const;

  // Draws the row or the focus mark `item` asks for when it is one of a FileListBox; false for
  // any other control.
  static bool Draw(const DRAWITEMSTRUCT& item);

 private:
  static LRESULT CALLBACK Proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                               DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void DrawRow(const DRAWITEMSTRUCT& item) const;
  void GoToNameStartingWith(wchar_t letter);
  void OpenAt(LPARAM point);
  // Whether a press at `point` (client coordinates), with the left button down and neither Shift
  // nor Ctrl, is on a selected item.
  bool PressOnSelected(WPARAM keys, LPARAM point) const;
  void OpenCurrent();
  LRESULT Tip(NMTTDISPINFOW* info);
  friend bool ListItemCutOff(HWND list, int index);

  HWND hwnd_ = nullptr;
  Options options_;
  std::vector<std::u16string> items_;
  std::vector<std::u16string> sizes_;
  int tip_item_ = -1;  // the item under the pointer
  std::wstring tip_;   // the text of the tip it shows
};

// Whether item `index` of the FileListBox `list` is wider than the room the list gives it, so
// that its end is cut off at the right; false for any other window.
bool ListItemCutOff(HWND list, int index);

}  // namespace shell::win32
