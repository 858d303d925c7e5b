#include "shell/win32/frm_main.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "shell/win32/picture_control.h"
#include "shell/win32/win32_services.h"
#include "shell/win32/win32_text.h"
#include "shell/window_region.h"

namespace shell::win32 {
namespace {

constexpr wchar_t kClassName[] = L"BalerMain";

// The resource holding a picture: its name in capitals.
std::wstring ResourceName(std::string_view picture) {
  std::wstring name;
  for (char c : picture) name += static_cast<wchar_t>(c - (c >= 'a' && c <= 'z' ? 32 : 0));
  return name;
}

COLORREF Colour(shell::Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// The height of a line of text in `font` on `control`: a list's row.
LONG TextHeight(HWND control, HFONT font) {
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old = ::SelectObject(dc, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return metrics.tmHeight;
}

// Where the status line goes: over the bottom row of `list` and what shows of the row below it,
// so that no sliver of another row shows above it; inside the list's border and clear of its
// scroll bar.
shell::Box StatusBoxOver(HWND list) {
  RECT client{};
  ::GetClientRect(list, &client);
  ::MapWindowPoints(list, ::GetParent(list), reinterpret_cast<POINT*>(&client), 2);
  const LONG row = std::max<LONG>(1, ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const LONG top = client.top + std::max<LONG>(0, (client.bottom - client.top) / row - 1) * row;
  return {client.left, top, client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL),
          client.bottom - top};
}

}  // namespace

POINT Win32Pointer::Position(std::intptr_t hwnd) {
  POINT at{};
  ::GetCursorPos(&at);
  if (hwnd != 0) ::ScreenToClient(reinterpret_cast<HWND>(hwnd), &at);
  return at;
}

FrmMain::FrmMain(shell::Program program, HINSTANCE instance)
    : instance_(instance),
      controller_(program, *this, pointer_),
      controls_(shell::MainWindowControls(program)) {
  skin_ = LoadPicture(ResourceName(shell::PictureName(shell::Picture::kSkin)));
  // The program's own icon; a test program without one gets the system's.
  HICON icon = ::LoadIconW(instance_, L"APP_ICON");
  RegisterWindowClass(instance_, kClassName, &ObjectWindowProc<FrmMain>,
                      icon != nullptr ? icon : ::LoadIconW(nullptr, IDI_APPLICATION));
  // No frame and no caption bar. The system menu and the minimize box give the task-bar button
  // its usual menu and minimizing; neither draws anything on the window.
  hwnd_ =
      ::CreateWindowExW(WS_EX_APPWINDOW, kClassName, Wide(controller_.title()).c_str(),
                        WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                        shell::kMainWidth, shell::kMainHeight, nullptr, nullptr, instance_, this);
  for (const shell::ControlSpec& desc : controls_) CreateControl(desc);
  WatchListTips();
  // The hover tracking runs as long as the window exists; until Load there is nothing to track.
  ::SetTimer(hwnd_, kHoverTimer, 10, nullptr);
  runner_ = std::make_unique<Win32WorkRunner>(hwnd_);
  // The status line: one line, a long path cut in the middle (DrawStatus).
  status_brush_ = ::CreateSolidBrush(RGB(255, 255, 255));
  gdi_objects_.push_back(status_brush_);
  CreateChild(hwnd_, kStatusId, shell::ControlKind::kLabel, L"",
              StatusBoxOver(Control(shell::Role::kFiles)), FontFor(shell::Font{}),
              SS_OWNERDRAW | WS_CLIPSIBLINGS);
  ::ShowWindow(::GetDlgItem(hwnd_, kStatusId), SW_HIDE);
  // Files and folders dropped anywhere on the window; the program decides what it takes.
  ::DragAcceptFiles(hwnd_, TRUE);
}

FrmMain::~FrmMain() {
  pictures_.clear();
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  for (HGDIOBJ object : gdi_objects_) ::DeleteObject(object);
}

HBITMAP FrmMain::LoadPicture(const std::wstring& name) {
  const auto picture = static_cast<HBITMAP>(
      ::LoadImageW(instance_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  gdi_objects_.push_back(picture);
  return picture;
}

HFONT FrmMain::FontFor(const shell::Font& font) {
  for (const auto& [desc, made] : fonts_) {
    if (desc == font) return made;
  }
  // A height in pixels: the layout is in pixels, so the text keeps its size on the skin whatever
  // the system's DPI.
  const HFONT made =
      ::CreateFontW(-::MulDiv(font.points, 96, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                    FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, Wide(shell::kFontFace).c_str());
  fonts_.emplace_back(font, made);
  gdi_objects_.push_back(made);
  return made;
}

void FrmMain::CreateControl(const shell::ControlSpec& desc) {
  const int id = ControlId(desc.role);
  const shell::Box& box = desc.box;
  if (const std::vector<std::string> files = shell::PictureFiles(desc); !files.empty()) {
    std::vector<HBITMAP> shown;
    for (const std::string& file : files) shown.push_back(LoadPicture(ResourceName(file)));
    pictures_.push_back(std::make_unique<PictureControl>(hwnd_, id, box.left, box.top, shown));
    pictures_.back()->SetOnClick([this, command = desc.click] { controller_.Click(command); });
    return;
  }
  DWORD style = 0;
  if (desc.kind == shell::ControlKind::kList) {
    // Several items can be selected (Shift, Ctrl). The list holds only the number of its items;
    // the window keeps their names and draws the rows in sight (DrawListItem), so that a new
    // list of any length is one message. It never paints over the status line.
    style = LBS_EXTENDEDSEL | LBS_NODATA | LBS_OWNERDRAWFIXED | WS_CLIPSIBLINGS;
  }
  if (desc.kind == shell::ControlKind::kLabel) {
    // SS_NOTIFY: a label takes its own clicks, so a press on it never drags the window.
    // SS_CENTERIMAGE: one line, centred from top to bottom.
    style = SS_NOTIFY | (desc.align == shell::Align::kCentre ? SS_CENTER : SS_LEFT) |
            (desc.align != shell::Align::kLeftTop ? SS_CENTERIMAGE : 0);
    brushes_[static_cast<std::size_t>(desc.role)] = ::CreateSolidBrush(Colour(desc.background));
    gdi_objects_.push_back(brushes_[static_cast<std::size_t>(desc.role)]);
  }
  // Static controls draw their text from their left edge: an indented label starts further right,
  // and the window paints the strip before it in the label's background (Paint).
  const shell::Box text_box{box.left + desc.indent, box.top, box.width - desc.indent, box.height};
  const HWND control = CreateChild(hwnd_, id, desc.kind, Wide(desc.text).c_str(), text_box,
                                   FontFor(desc.font), style);
  // The rows of a list are as high as a line of its font, as those of a list with strings are.
  if (desc.kind == shell::ControlKind::kList) {
    ::SendMessageW(control, LB_SETITEMHEIGHT, 0, TextHeight(control, FontFor(desc.font)));
  }
}

shell::PicSurface* FrmMain::Surface(shell::Role role) {
  for (const auto& picture : pictures_) {
    if (picture->hwnd() == Control(role)) return picture.get();
  }
  return nullptr;
}

shell::Box FrmMain::Screen() const {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

RECT FrmMain::WindowBox() const {
  RECT box{};
  ::GetWindowRect(hwnd_, &box);
  return box;
}

void FrmMain::MoveTo(std::int32_t left, std::int32_t top) {
  // Windows reports a pointer move when the window moves under a still pointer, so the window
  // keeps gliding after the pointer until it has caught up.
  ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmMain::ShapeFromSkin() {
  BITMAP size{};
  ::GetObjectW(skin_, sizeof size, &size);
  const HDC dc = ::CreateCompatibleDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, skin_);
  // One pixel read per pixel of the skin, straight from the picture; the key is pixel (0, 0).
  const std::vector<shell::RegionRun> runs = shell::WindowRegionRuns(
      size.bmWidth, size.bmHeight,
      [dc](std::int32_t x, std::int32_t y) { return ::GetPixel(dc, x, y); });
  ::SelectObject(dc, old);
  ::DeleteDC(dc);

  // The window owns the region from here on. No region at all: the whole rectangle shows.
  HRGN region = runs.empty() ? nullptr : ::CreateRectRgn(0, 0, 0, 0);
  for (const shell::RegionRect& r : shell::MergeRegionRuns(runs)) {
    const HRGN rectangle = ::CreateRectRgn(r.x0, r.y0, r.x1, r.y1);
    ::CombineRgn(region, region, rectangle, RGN_OR);
    ::DeleteObject(rectangle);
  }
  ::SetWindowRgn(hwnd_, region, TRUE);
}

void FrmMain::ShowTransparent() {
  const LONG style = ::GetWindowLongA(hwnd_, GWL_EXSTYLE);
  if ((style & WS_EX_LAYERED) == 0) ::SetWindowLongA(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetAlpha(0);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
}

void FrmMain::SetAlpha(std::int32_t alpha) {
  ::SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void FrmMain::SetFadeTimer(bool running) {
  if (running) {
    ::SetTimer(hwnd_, kFadeTimer, 10, nullptr);
  } else {
    ::KillTimer(hwnd_, kFadeTimer);
  }
}

void FrmMain::ShowMessage(const std::u16string& text, const std::u16string& title) {
  SetBusy(false);
  Win32MessageBox(hwnd_).Show(text, title);
}

void FrmMain::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  DrawBitmap(dc, skin_, paint.rcPaint);
  for (const shell::ControlSpec& desc : controls_) {
    if (desc.indent <= 0) continue;
    const RECT strip{desc.box.left, desc.box.top, desc.box.left + desc.indent,
                     desc.box.top + desc.box.height};
    ::FillRect(dc, &strip, brushes_[static_cast<std::size_t>(desc.role)]);
  }
  ::EndPaint(hwnd_, &paint);
}

LRESULT FrmMain::ColourStatic(HDC dc, HWND control) {
  const auto index = static_cast<std::size_t>(::GetDlgCtrlID(control) - ControlId({}));
  if (index >= controls_.size() || brushes_[index] == nullptr) return 0;
  ::SetTextColor(dc, Colour(controls_[index].text_colour));
  ::SetBkColor(dc, Colour(controls_[index].background));
  return reinterpret_cast<LRESULT>(brushes_[index]);
}

void FrmMain::DrawListItem(const DRAWITEMSTRUCT& item) const {
  RECT row = item.rcItem;
  const HDC dc = item.hDC;
  // Only the focus mark changes: drawing it again takes it away.
  if (item.itemAction == ODA_FOCUS) {
    ::DrawFocusRect(dc, &row);
    return;
  }
  if (item.itemID >= list_items_.size()) return;
  // The colours and the text's place of a list that keeps its own strings.
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetTextColor(dc, ::GetSysColor(selected   ? COLOR_HIGHLIGHTTEXT
                                   : disabled ? COLOR_GRAYTEXT
                                              : COLOR_WINDOWTEXT));
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  const std::wstring text = Wide(list_items_[item.itemID]);
  ::ExtTextOutW(dc, row.left + kListTextLeft, row.top, ETO_OPAQUE | ETO_CLIPPED, &row, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
  ::SelectObject(dc, old);
  if ((item.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(dc, &row);
}

void FrmMain::DrawStatus(const DRAWITEMSTRUCT& item) const {
  ::FillRect(item.hDC, &item.rcItem, status_brush_);
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()))));
  RECT room = item.rcItem;
  room.left += shell::kStatusIndent;
  const HGDIOBJ old = ::SelectObject(
      item.hDC, reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  ::SetTextColor(item.hDC, RGB(0, 0, 0));
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &room,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  ::SelectObject(item.hDC, old);
}

void FrmMain::SetStatus(const std::u16string& text) {
  const HWND status = ::GetDlgItem(hwnd_, kStatusId);
  ::SetWindowTextW(status, Wide(text).c_str());
  // Over the list's bottom row: above it while shown, hidden when there is nothing to say.
  ::SetWindowPos(status, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::ShowWindow(status, text.empty() ? SW_HIDE : SW_SHOWNA);
}

void FrmMain::SetControlText(shell::Role role, const std::u16string& text) {
  ::SetWindowTextW(Control(role), Wide(text).c_str());
}

HWND FrmMain::Tips() {
  if (tips_ == nullptr) {
    tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                              nullptr, instance_, nullptr);
  }
  return tips_;
}

void FrmMain::WatchListTips() {
  const HWND list = Control(shell::Role::kFiles);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  ::SendMessageW(Tips(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SetWindowSubclass(list, &FrmMain::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FrmMain::ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR /*id*/, DWORD_PTR self) {
  auto* window = reinterpret_cast<FrmMain*>(self);
  if (message == WM_MOUSEMOVE) {
    const LRESULT hit = ::SendMessageW(list, LB_ITEMFROMPOINT, 0, lparam);
    // The high word is set when the point lies below the last item.
    const int item = HIWORD(hit) != 0 ? -1 : static_cast<int>(LOWORD(hit));
    if (item != window->list_tip_item_) {
      // Another item: the tip shown belongs to the last one; the next rest asks again.
      window->list_tip_item_ = item;
      if (window->tips_ != nullptr) ::SendMessageW(window->tips_, TTM_POP, 0, 0);
    }
  } else if (message == LB_GETTEXTLEN || message == LB_GETTEXT) {
    // The list keeps no strings; it answers with the window's, as a list with strings would.
    if (wparam >= window->list_items_.size()) return LB_ERR;
    const std::u16string& text = window->list_items_[wparam];
    if (message == LB_GETTEXT) {
      auto* out = reinterpret_cast<wchar_t*>(lparam);
      *std::copy(text.begin(), text.end(), out) = L'\0';
    }
    return static_cast<LRESULT>(text.size());
  } else if (message == WM_CHAR && wparam > L' ') {
    window->GoToNameStartingWith(static_cast<wchar_t>(wparam));
    return 0;
  } else if (message == WM_LBUTTONDBLCLK) {
    const LRESULT result = ::DefSubclassProc(list, message, wparam, lparam);
    window->OpenListItemAt(lparam);
    return result;
  } else if (message == WM_KEYDOWN && wparam == VK_RETURN) {
    window->OpenCurrentListItem();
    return 0;
  } else if (message == WM_GETDLGCODE && lparam != 0 &&
             reinterpret_cast<const MSG*>(lparam)->message == WM_KEYDOWN &&
             reinterpret_cast<const MSG*>(lparam)->wParam == VK_RETURN) {
    // Enter opens the item, also where a dialog manager would take it for a default button.
    return ::DefSubclassProc(list, message, wparam, lparam) | DLGC_WANTMESSAGE;
  } else if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(list, &FrmMain::ListProc, 0);
  }
  return ::DefSubclassProc(list, message, wparam, lparam);
}

void FrmMain::GoToNameStartingWith(wchar_t letter) {
  const auto lower = [](wchar_t c) {
    return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(
        ::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(c)))));
  };
  const HWND list = Control(shell::Role::kFiles);
  const std::size_t count = list_items_.size();
  // From the item after the focus mark, round to the top; from the top when there is no mark.
  const LRESULT caret = ::SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  const std::size_t from = caret < 0 ? count : static_cast<std::size_t>(caret);
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t item = (from + step) % count;
    const std::u16string& name = list_items_[item];
    if (name.empty() || lower(static_cast<wchar_t>(name[0])) != lower(letter)) continue;
    ::SendMessageW(list, LB_SETSEL, FALSE, -1);
    ::SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(item));
    ::SendMessageW(list, LB_SETANCHORINDEX, item, 0);
    ::SendMessageW(list, LB_SETCARETINDEX, item, FALSE);
    return;
  }
}

LRESULT FrmMain::ListTip(NMTTDISPINFOW* info) {
  const HWND list = Control(shell::Role::kFiles);
  list_tip_.clear();
  if (list_tip_item_ >= 0 && ListItemCutOff(list, list_tip_item_)) {
    list_tip_ = Wide(list_items_[static_cast<std::size_t>(list_tip_item_)]);
  }
  // An empty text shows no tip.
  info->lpszText = list_tip_.data();
  return 0;
}

void FrmMain::SetControlTip(shell::Role role, const std::u16string& tip) {
  Tips();
  std::wstring text = Wide(tip);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(Control(role));
  tool.lpszText = text.data();
  // An empty tip removes the tool: the control then shows none.
  ::SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty()) ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FrmMain::SetControlItems(shell::Role role, const std::vector<std::u16string>& items) {
  // lstFiles is the window's one list. A new list shows from its top, nothing selected.
  const HWND list = Control(role);
  list_items_ = items;
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  ::SendMessageW(list, LB_SETCOUNT, items.size(), 0);
  ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::size_t> FrmMain::SelectedControlItems(shell::Role role) const {
  const HWND list = Control(role);
  const LRESULT count = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> rows(static_cast<std::size_t>(count));
  const LRESULT got =
      ::SendMessageW(list, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
  std::vector<std::size_t> selected;
  for (LRESULT i = 0; i < got; ++i) selected.push_back(static_cast<std::size_t>(rows[i]));
  std::sort(selected.begin(), selected.end());
  return selected;
}

void FrmMain::OpenListItemAt(LPARAM point) {
  const LRESULT hit = ::SendMessageW(Control(shell::Role::kFiles), LB_ITEMFROMPOINT, 0, point);
  // The high word is set when the point lies below the last item.
  if (HIWORD(hit) == 0) controller_.OpenListItem(LOWORD(hit));
}

void FrmMain::OpenCurrentListItem() {
  const HWND list = Control(shell::Role::kFiles);
  const LRESULT caret = ::SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  if (caret >= 0 && caret < ::SendMessageW(list, LB_GETCOUNT, 0, 0)) {
    controller_.OpenListItem(static_cast<std::size_t>(caret));
  }
}

void FrmMain::ShowListMenu(LPARAM place) {
  const std::vector<shell::ListMenuItem> items = controller_.ListMenu();
  if (items.empty()) return;
  POINT at{GET_X_LPARAM(place), GET_Y_LPARAM(place)};
  if (place == -1) {
    const HWND list = Control(shell::Role::kFiles);
    const LRESULT caret = ::SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    RECT row{}, client{};
    ::GetClientRect(list, &client);
    const bool shown =
        caret >= 0 &&
        ::SendMessageW(list, LB_GETITEMRECT, caret, reinterpret_cast<LPARAM>(&row)) != LB_ERR &&
        row.bottom > client.top && row.bottom <= client.bottom;
    at = shown ? POINT{row.left, row.bottom} : POINT{0, 0};
    ::ClientToScreen(list, &at);
  }
  const HMENU menu = ::CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    ::AppendMenuW(menu, MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                  Wide(items[i].text).c_str());
  }
  const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                      at.y, 0, hwnd_, nullptr);
  ::DestroyMenu(menu);
  if (chosen > 0) controller_.RunListCommand(items[static_cast<std::size_t>(chosen) - 1].command);
}

void FrmMain::EnableControl(shell::Role role, bool enabled) {
  const bool focused = !enabled && ::GetFocus() == Control(role);
  ::EnableWindow(Control(role), enabled);
  // A control turned off loses the focus: it goes on to the control Tab would give it to.
  if (focused) RunKey(shell::Key::kTab, role);
}

std::optional<shell::Role> FrmMain::FocusedRole() const {
  const HWND focus = ::GetFocus();
  for (shell::Role role : shell::FocusOrder(controller_.program())) {
    if (focus != nullptr && Control(role) == focus) return role;
  }
  return std::nullopt;
}

bool FrmMain::RunKey(shell::Key key, std::optional<shell::Role> from) {
  const shell::KeyOutcome outcome = controller_.KeyPress(
      key, from, [this](shell::Role role) { return ::IsWindowEnabled(Control(role)) != 0; });
  if (outcome.focus) ::SetFocus(Control(*outcome.focus));
  return outcome.used;
}

bool FrmMain::OnKey(WPARAM key, LPARAM flags) {
  static constexpr struct {
    WPARAM virtual_key;
    shell::Key key;
  } kKeys[] = {{VK_TAB, shell::Key::kTab},
               {VK_RETURN, shell::Key::kEnter},
               {VK_SPACE, shell::Key::kSpace},
               {VK_ESCAPE, shell::Key::kEscape}};
  const auto known = std::find_if(std::begin(kKeys), std::end(kKeys),
                                  [key](const auto& k) { return k.virtual_key == key; });
  if (known == std::end(kKeys)) return false;
  shell::Key pressed = known->key;
  if (pressed == shell::Key::kTab && ::GetKeyState(VK_SHIFT) < 0) pressed = shell::Key::kBackTab;
  // A held Enter or Space runs its command once (bit 30: the key was already down).
  const bool repeat = (flags & (1 << 30)) != 0;
  if (repeat && (pressed == shell::Key::kEnter || pressed == shell::Key::kSpace)) return true;
  return RunKey(pressed, FocusedRole());
}

void FrmMain::SetBusy(bool busy) {
  busy_ = busy;
  ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void FrmMain::OnPointer(const shell::PointerEvent& event, WPARAM wparam, LPARAM /*lparam*/) {
  controller_.SkinPointer(event);
  FollowPointer(hwnd_, event, wparam);
}

void FrmMain::OnDropFiles(HDROP drop) {
  std::vector<std::u16string> paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(FromWide(path));
  }
  ::DragFinish(drop);
  // The shell shows no refusal during the drag; one the program does not take changes nothing.
  if (controller_.AcceptsDrop(paths)) controller_.Drop(paths);
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CAPTURECHANGED:
      // Another window took the pointer (a dialog, the task switcher): the release will never
      // come here, and a drag left on would move the window on the next hover.
      if (reinterpret_cast<HWND>(lparam) != hwnd_) controller_.SkinRelease();
      return 0;
    case WM_TIMER:
      if (wparam == kFadeTimer) controller_.FadeTick();
      if (wparam == kHoverTimer) controller_.HoverTick();
      return 0;
    case WM_COMMAND: {
      const auto index = static_cast<std::size_t>(LOWORD(wparam) - ControlId({}));
      if (HIWORD(wparam) == STN_CLICKED && index < controls_.size()) {
        controller_.Click(controls_[index].click);
      }
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->code == TTN_GETDISPINFOW &&
          header->idFrom == reinterpret_cast<UINT_PTR>(Control(shell::Role::kFiles))) {
        return ListTip(reinterpret_cast<NMTTDISPINFOW*>(lparam));
      }
      break;
    }
    case WM_CONTEXTMENU:
      // A right click on lstFiles, or the menu key or Shift+F10 while it has the focus.
      if (reinterpret_cast<HWND>(wparam) == Control(shell::Role::kFiles)) {
        ShowListMenu(lparam);
        return 0;
      }
      break;
    case kWorkMessage:
      RunPostedWork(lparam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_KEYDOWN:
      if (OnKey(wparam, lparam)) return 0;
      break;
    case WM_ACTIVATE:
      // Back from a dialog or another program, the focus returns to the control that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        focus_before_ = FocusedRole();
      } else if (focus_before_ && HIWORD(wparam) == 0 &&
                 ::IsWindowEnabled(Control(*focus_before_))) {
        ::SetFocus(Control(*focus_before_));
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlID == static_cast<UINT>(ControlId(shell::Role::kFiles))) DrawListItem(*item);
      if (item->CtlID == static_cast<UINT>(kStatusId)) DrawStatus(*item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      return ColourStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETCURSOR:
      if (busy_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // Closing from the task bar or with Alt+F4 fades out like the close picture.
      controller_.Click(shell::Command::kClose);
      return 0;
    case WM_DESTROY:
      ::KillTimer(hwnd_, kFadeTimer);
      ::KillTimer(hwnd_, kHoverTimer);
      break;
    case WM_NCDESTROY: {
      const HWND gone = hwnd_;
      hwnd_ = nullptr;
      ::SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
      if (on_unloaded_) on_unloaded_();
      return ::DefWindowProcW(gone, message, wparam, lparam);
    }
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace shell::win32
