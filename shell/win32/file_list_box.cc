#include "shell/win32/file_list_box.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "shell/name_list.h"
#include "shell/win32/win32_text.h"

namespace shell::win32 {
namespace {

// The property that leads from a list's window to its FileListBox.
constexpr wchar_t kSelfProperty[] = L"BalerFileListBox";

// The item at `point` (client coordinates); none below the last item.
std::optional<std::size_t> ItemAt(HWND list, LPARAM point) {
  const LRESULT hit = ::SendMessageW(list, LB_ITEMFROMPOINT, 0, point);
  // The high word is set when the point lies below the last item.
  if (HIWORD(hit) != 0) return std::nullopt;
  return LOWORD(hit);
}

// The item with the focus mark; none in an empty list.
std::optional<std::size_t> Caret(HWND list) {
  const LRESULT caret = ::SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  if (caret < 0 || caret >= ::SendMessageW(list, LB_GETCOUNT, 0, 0)) return std::nullopt;
  return static_cast<std::size_t>(caret);
}

}  // namespace

FileListBox::FileListBox(HWND parent, int id, const shell::Box& box, HFONT font, Options options)
    : options_(std::move(options)) {
  // The list holds only the number of its items. It never paints over a sibling laid over it
  // (the main window's status line).
  const DWORD style =
      (options_.several ? LBS_EXTENDEDSEL : 0) | LBS_NODATA | LBS_OWNERDRAWFIXED | WS_CLIPSIBLINGS;
  hwnd_ = CreateChild(parent, id, shell::ControlKind::kList, L"", box, font, style);
  // The rows are as high as a line of the font, as those of a list with strings are.
  ::SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MeasureText(hwnd_, L"", font).line_height);
  ::SetWindowSubclass(hwnd_, &FileListBox::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  ::SetPropW(hwnd_, kSelfProperty, this);
  // The tip asks the list itself for its text (TTN_GETDISPINFOW).
  if (options_.tips != nullptr) SetTip(options_.tips, hwnd_, hwnd_, LPSTR_TEXTCALLBACKW);
}

FileListBox::~FileListBox() {
  if (hwnd_ == nullptr) return;
  ::RemoveWindowSubclass(hwnd_, &FileListBox::Proc, 0);
  ::RemovePropW(hwnd_, kSelfProperty);
}

void FileListBox::SetSizes(std::vector<std::u16string> sizes) {
  sizes_ = std::move(sizes);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void FileListBox::SetItems(std::vector<std::u16string> items) {
  items_ = std::move(items);
  sizes_.clear();
  ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  ::SendMessageW(hwnd_, LB_SETCOUNT, items_.size(), 0);
  ::SendMessageW(hwnd_, LB_SETTOPINDEX, 0, 0);
  ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void FileListBox::SetFont(HFONT font) {
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MeasureText(hwnd_, L"", font).line_height);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

std::vector<std::size_t> FileListBox::Selected() const {
  if (!options_.several) {
    const LRESULT item = ::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
    return item < 0 ? std::vector<std::size_t>{} : std::vector{static_cast<std::size_t>(item)};
  }
  const LRESULT count = ::SendMessageW(hwnd_, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> rows(static_cast<std::size_t>(count));
  const LRESULT got =
      ::SendMessageW(hwnd_, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
  std::vector<std::size_t> selected;
  for (LRESULT i = 0; i < got; ++i) selected.push_back(static_cast<std::size_t>(rows[i]));
  std::sort(selected.begin(), selected.end());
  return selected;
}

POINT FileListBox::KeyboardMenuPlace() const {
  std::optional<shell::Box> caret_row;
  if (const std::optional<std::size_t> caret = Caret(hwnd_)) {
    RECT row{};
    if (::SendMessageW(hwnd_, LB_GETITEMRECT, *caret, reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
      caret_row = shell::Box{row.left, row.top, row.right - row.left, row.bottom - row.top};
    }
  }
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const shell::Point place = shell::KeyboardMenuPlace(caret_row, client.bottom);
  POINT at{place.x, place.y};
  ::ClientToScreen(hwnd_, &at);
  return at;
}

bool FileListBox::Draw(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_LISTBOX) return false;
  const auto* self = static_cast<const FileListBox*>(::GetPropW(item.hwndItem, kSelfProperty));
  if (self == nullptr) return false;
  self->DrawRow(item);
  return true;
}

void FileListBox::DrawRow(const DRAWITEMSTRUCT& item) const {
  RECT row = item.rcItem;
  const HDC dc = item.hDC;
  // The current row, while the list has the focus, is framed by a solid line that stands out from
  // the list's white; the row's own drawing takes it away.
  const auto frame = [&] {
    const HBRUSH brush = ::CreateSolidBrush(Colour(shell::kListFocusColour));
    ::FrameRect(dc, &row, brush);
    ::DeleteObject(brush);
  };
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  if (item.itemID >= items_.size()) {
    // An empty list's focus mark alone.
    ::FillRect(dc, &row, ::GetSysColorBrush(COLOR_WINDOW));
    if (focused) frame();
    return;
  }
  // The colours and the text's place of a list that keeps its own strings.
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetTextColor(dc, ::GetSysColor(selected   ? COLOR_HIGHLIGHTTEXT
                                   : disabled ? COLOR_GRAYTEXT
                                              : COLOR_WINDOWTEXT));
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  const bool sized = item.itemID < sizes_.size();
  RECT name = row;
  if (sized) name.right = std::max(name.left, name.right - shell::kSizeWidth);
  const std::wstring text = Wide(items_[item.itemID]);
  ::ExtTextOutW(dc, name.left + options_.text_left, name.top, ETO_OPAQUE | ETO_CLIPPED, &name,
                text.c_str(), static_cast<UINT>(text.size()), nullptr);
  if (sized) {
    RECT size{name.right, row.top, row.right, row.bottom};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &size, nullptr, 0, nullptr);
    size.right -= 3;
    const std::wstring shown = Wide(sizes_[item.itemID]);
    ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &size,
                DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  ::SelectObject(dc, old);
  if (focused) frame();
}

LRESULT CALLBACK FileListBox::Proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR /*id*/, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(list, &FileListBox::Proc, 0);
    ::RemovePropW(list, kSelfProperty);
    reinterpret_cast<FileListBox*>(self)->hwnd_ = nullptr;
    return ::DefSubclassProc(list, message, wparam, lparam);
  }
  return reinterpret_cast<FileListBox*>(self)->Handle(message, wparam, lparam);
}

LRESULT FileListBox::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case LB_GETTEXTLEN:
    case LB_GETTEXT: {
      // The list keeps no strings; it answers with these, as a list with strings would.
      if (wparam >= items_.size()) return LB_ERR;
      const std::u16string& text = items_[wparam];
      if (message == LB_GETTEXT) {
        auto* out = reinterpret_cast<wchar_t*>(lparam);
        *std::copy(text.begin(), text.end(), out) = L'\0';
      }
      return static_cast<LRESULT>(text.size());
    }
    case WM_CHAR:
      if (wparam == L'/' && options_.find) {
        options_.find();
        return 0;
      }
      if (wparam > L' ') {
        GoToNameStartingWith(static_cast<wchar_t>(wparam));
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (options_.tips != nullptr) {
        const int item = static_cast<int>(ItemAt(hwnd_, lparam).value_or(-1));
        if (item != tip_item_) {
          // Another item: the tip shown belongs to the last one; the next rest asks again.
          tip_item_ = item;
          ::SendMessageW(options_.tips, TTM_POP, 0, 0);
        }
      }
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lparam)->code == TTN_GETDISPINFOW) {
        return Tip(reinterpret_cast<NMTTDISPINFOW*>(lparam));
      }
      break;
    case WM_LBUTTONDOWN:
      if (options_.drag_out && PressOnSelected(wparam, lparam)) {
        POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ::ClientToScreen(hwnd_, &at);
        if (::DragDetect(hwnd_, at)) {
          options_.drag_out();
          return 0;
        }
        // A click after all, whose release the wait for a drag took: the list gets both.
        ::DefSubclassProc(hwnd_, WM_LBUTTONDOWN, wparam, lparam);
        return ::DefSubclassProc(hwnd_, WM_LBUTTONUP, wparam & ~MK_LBUTTON, lparam);
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (options_.open) {
        const LRESULT result = ::DefSubclassProc(hwnd_, message, wparam, lparam);
        OpenAt(lparam);
        return result;
      }
      break;
    case WM_KEYDOWN:
      if (options_.open && wparam == VK_RETURN) {
        OpenCurrent();
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      // Enter opens the item, also where a dialog manager would take it for a default button.
      if (const auto* key = reinterpret_cast<const MSG*>(lparam); options_.open && key != nullptr &&
                                                                  key->message == WM_KEYDOWN &&
                                                                  key->wParam == VK_RETURN) {
        return ::DefSubclassProc(hwnd_, message, wparam, lparam) | DLGC_WANTMESSAGE;
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(hwnd_, message, wparam, lparam);
}

void FileListBox::GoToNameStartingWith(wchar_t letter) {
  // As Windows compares letters without case.
  const auto lower = [](char16_t c) {
    return static_cast<char16_t>(reinterpret_cast<std::uintptr_t>(
        ::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(c)))));
  };
  const std::optional<std::size_t> item =
      shell::NextItemStartingWith(items_, Caret(hwnd_), static_cast<char16_t>(letter), lower);
  if (!item) return;
  // That name alone is selected, and Shift or Ctrl with a click go on from it.
  if (!options_.several) {
    ::SendMessageW(hwnd_, LB_SETCURSEL, *item, 0);
    return;
  }
  ::SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
  ::SendMessageW(hwnd_, LB_SETSEL, TRUE, static_cast<LPARAM>(*item));
  ::SendMessageW(hwnd_, LB_SETANCHORINDEX, *item, 0);
  ::SendMessageW(hwnd_, LB_SETCARETINDEX, *item, FALSE);
}

bool FileListBox::PressOnSelected(WPARAM keys, LPARAM point) const {
  // The wait for a drag follows the real button: a press sent without one is a click.
  if ((keys & (MK_SHIFT | MK_CONTROL)) != 0 || (::GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
    return false;
  }
  const auto hit = static_cast<DWORD>(::SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, point));
  if (HIWORD(hit) != 0) return false;  // below the last item
  return ::SendMessageW(hwnd_, LB_GETSEL, LOWORD(hit), 0) > 0;
}

void FileListBox::OpenAt(LPARAM point) {
  if (const std::optional<std::size_t> item = ItemAt(hwnd_, point)) options_.open(*item);
}

void FileListBox::OpenCurrent() {
  if (const std::optional<std::size_t> item = Caret(hwnd_)) options_.open(*item);
}

LRESULT FileListBox::Tip(NMTTDISPINFOW* info) {
  tip_.clear();
  if (tip_item_ >= 0 && ListItemCutOff(hwnd_, tip_item_)) {
    tip_ = Wide(items_[static_cast<std::size_t>(tip_item_)]);
  }
  // An empty text shows no tip.
  info->lpszText = tip_.data();
  return 0;
}

bool ListItemCutOff(HWND list, int index) {
  const auto* self = static_cast<const FileListBox*>(::GetPropW(list, kSelfProperty));
  if (self == nullptr || index < 0 || static_cast<std::size_t>(index) >= self->items_.size()) {
    return false;
  }
  RECT client{};
  ::GetClientRect(list, &client);
  const std::wstring text = Wide(self->items_[static_cast<std::size_t>(index)]);
  return self->options_.text_left + MeasureText(list, text).width > client.right;
}

}  // namespace shell::win32
