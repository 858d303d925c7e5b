#include "shell/win32/frm_main.h"

#include <exception>
#include <string>
#include <system_error>

#include "shell/browse_for_folder.h"
#include "shell/error_text.h"
#include "shell/win32/picture_control.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/win32_services.h"
#include "shell/win32/win32_text.h"
#include "shell/window_region.h"

namespace shell::win32 {
namespace {

constexpr wchar_t kClassName[] = L"BalerMain";
constexpr COLORREF kScreenColour = RGB(12, 13, 13);  // the skin's screen area
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The tops of the caption, the path label and the button of a path row.
struct Row {
  int caption;
  int path;
  int button;
};
constexpr Row kUpperRow{60, 56, 54};
constexpr Row kLowerRow{164, 162, 160};

// Font heights in pixels: the layout is in pixels, so the text keeps its size on the skin
// whatever the system's DPI (8 and 12 points at 96 DPI).
constexpr int kControlFontHeight = -11;
constexpr int kTitleFontHeight = -16;
constexpr BYTE kTitleCharset = 177;

HBITMAP LoadPicture(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

std::array<HBITMAP, 3> LoadButtonPictures(HINSTANCE instance, int first_id) {
  return {LoadPicture(instance, first_id), LoadPicture(instance, first_id + 1),
          LoadPicture(instance, first_id + 2)};
}

HFONT ControlFont(int height, int weight, BYTE charset) {
  return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"MS Sans Serif");
}

void RegisterMainClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, kClassName, &existing)) return;
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = procedure;
  type.hInstance = instance;
  type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  type.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  type.lpszClassName = kClassName;
  ::RegisterClassExW(&type);
}

}  // namespace

std::int32_t Win32Pointer::MouseX(std::intptr_t hwnd) {
  POINT at{};
  ::GetCursorPos(&at);
  if (hwnd != 0) ::ScreenToClient(reinterpret_cast<HWND>(hwnd), &at);
  return at.x;
}

std::int32_t Win32Pointer::MouseY(std::intptr_t hwnd) {
  POINT at{};
  ::GetCursorPos(&at);
  if (hwnd != 0) ::ScreenToClient(reinterpret_cast<HWND>(hwnd), &at);
  return at.y;
}

FrmMain::FrmMain(Program program, HINSTANCE instance) : program_(program), instance_(instance) {
  skin_ = LoadPicture(instance_, IDB_SKIN);
  close_ = LoadPicture(instance_, IDB_CLOSE);
  imgSelectFile_ = LoadButtonPictures(instance_, IDB_SELECT_FILE);
  imgSelectDir_ = LoadButtonPictures(instance_, IDB_SELECT_DIR);
  main_pictures_ =
      LoadButtonPictures(instance_, program_ == Program::kUnbaler ? IDB_EXTRACT : IDB_PACK);
  control_font_ = ControlFont(kControlFontHeight, FW_NORMAL, DEFAULT_CHARSET);
  title_font_ = ControlFont(kTitleFontHeight, FW_BOLD, kTitleCharset);
  title_brush_ = ::CreateSolidBrush(kScreenColour);
  black_brush_ = ::CreateSolidBrush(kBlack);
  white_brush_ = ::CreateSolidBrush(kWhite);

  RegisterMainClass(instance_, &FrmMain::WindowProc);
  const wchar_t* title = program_ == Program::kUnbaler ? L"Unbaler" : L"Rebaler";
  // No frame and no caption bar. The system menu and the minimize box give the task-bar button
  // its usual menu and minimizing; neither draws anything on the window.
  hwnd_ = ::CreateWindowExW(WS_EX_APPWINDOW, kClassName, title,
                            WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                            kMainWidth, kMainHeight, nullptr, nullptr, instance_, this);
  CreateControls();
  // The hover tracking runs as long as the window exists; until Load there is nothing to track.
  ::SetTimer(hwnd_, kHoverTimer, 10, nullptr);
}

FrmMain::~FrmMain() {
  pictures_.clear();
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  for (HBITMAP picture : {skin_, close_}) ::DeleteObject(picture);
  for (const auto* pictures : {&imgSelectFile_, &imgSelectDir_, &main_pictures_}) {
    for (HBITMAP picture : *pictures) ::DeleteObject(picture);
  }
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(control_font_), static_cast<HGDIOBJ>(title_font_),
                         static_cast<HGDIOBJ>(title_brush_), static_cast<HGDIOBJ>(black_brush_),
                         static_cast<HGDIOBJ>(white_brush_)}) {
    ::DeleteObject(object);
  }
}

HWND FrmMain::CreateLabel(ControlId id, Box box, const wchar_t* text, HFONT font) {
  // SS_NOTIFY: a label takes its own clicks, so a press on it never drags the window.
  // SS_CENTERIMAGE: one line, centred from top to bottom. SS_NOPREFIX: an "&" in a path is shown.
  const HWND label =
      ::CreateWindowExW(0, L"STATIC", text,
                        WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE,
                        box.left, box.top, box.width, box.height, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

PictureControl* FrmMain::CreatePicture(ControlId id, int left, int top,
                                       std::array<HBITMAP, 3> pictures) {
  pictures_.push_back(std::make_unique<PictureControl>(
      hwnd_, id, left, top, std::vector<HBITMAP>(pictures.begin(), pictures.end())));
  return pictures_.back().get();
}

void FrmMain::CreateControls() {
  const bool unbaler = program_ == Program::kUnbaler;
  // Unbaler chooses its archive first and has that row on top; Rebaler starts from the folder.
  const Row& file_row = unbaler ? kUpperRow : kLowerRow;
  const Row& dir_row = unbaler ? kLowerRow : kUpperRow;

  CreateLabel(kLblTitle, {170, 26, 89, 25}, unbaler ? L"Unbaler" : L"Rebaler", title_font_);

  PictureControl* close = CreatePicture(kImgClose, 384, 28, {close_, nullptr, nullptr});
  close->SetOnClick([this] { imgCloseClick(); });

  CreateLabel(kLabel1, {16, file_row.caption, 41, 17}, L"PAK file:", control_font_);
  CreateLabel(kLabel2, {16, dir_row.caption, 49, 17}, L"Directory:", control_font_);
  CreateLabel(kLblFileName, {66, file_row.path, 249, 21}, L"", control_font_);
  CreateLabel(kLblDir, {66, dir_row.path, 249, 21}, L"", control_font_);

  picSelectFile_ = CreatePicture(kPicSelectFile, 318, file_row.button, imgSelectFile_);
  picSelectFile_->SetOnClick([this] { RunCommand(&shell::MainCommands::OnSelectFile); });
  picSelectDir_ = CreatePicture(kPicSelectDir, 318, dir_row.button, imgSelectDir_);
  picSelectDir_->SetOnClick([this] { RunCommand(&shell::MainCommands::OnSelectDir); });
  picMain_ = CreatePicture(kPicMain, 180, 190, main_pictures_);
  picMain_->SetOnClick([this] { RunCommand(&shell::MainCommands::OnMainCommand); });

  const HWND list = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, L"LISTBOX", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 66,
      84, 319, 69, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLstFiles)), instance_,
      nullptr);
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(control_font_), FALSE);
}

void FrmMain::Load(shell::MainCommands* commands) {
  commands_ = commands;

  buttons_.clear();
  for (PictureControl* surface : {picSelectFile_, picSelectDir_, picMain_}) {
    auto button = std::make_unique<shell::ClsPicButton>();
    button->SetPictures(surface, 0, 1, 2);
    buttons_.push_back(std::move(button));
  }

  const shell::TwipPoint centred = shell::CentredOnScreen(
      static_cast<float>(::GetSystemMetrics(SM_CXSCREEN)) * shell::kTwipsPerPixel,
      static_cast<float>(::GetSystemMetrics(SM_CYSCREEN)) * shell::kTwipsPerPixel,
      static_cast<float>(kMainWidth) * shell::kTwipsPerPixel,
      static_cast<float>(kMainHeight) * shell::kTwipsPerPixel);
  place_ = centred;
  ::SetWindowPos(hwnd_, nullptr, shell::TwipsToPixels(place_.left),
                 shell::TwipsToPixels(place_.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  // The key colour is read from the picture itself: the window is not visible yet.
  COLORREF key = CLR_INVALID;
  if (const HDC dc = ::CreateCompatibleDC(nullptr)) {
    const HGDIOBJ old = ::SelectObject(dc, skin_);
    key = ::GetPixel(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  ShapeWindowFromPicture(key);

  const LONG style = ::GetWindowLongA(hwnd_, GWL_EXSTYLE);
  if ((style & WS_EX_LAYERED) == 0) ::SetWindowLongA(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(hwnd_, 0, 0, LWA_ALPHA);

  fade_.Begin();
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  ::SetTimer(hwnd_, kFadeTimer, 10, nullptr);

  if (commands_ != nullptr) RunCommand(&shell::MainCommands::OnLoaded);
}

void FrmMain::ShapeWindowFromPicture(COLORREF key) {
  BITMAP size{};
  ::GetObjectW(skin_, sizeof size, &size);
  const HDC dc = ::CreateCompatibleDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, skin_);
  // One pixel read per pixel of the skin, straight from the picture; the key is pixel (0, 0).
  const std::vector<shell::RegionRun> runs = shell::WindowRegionRuns(
      size.bmWidth, size.bmHeight, [dc, key](std::int32_t x, std::int32_t y) {
        return x == 0 && y == 0 ? key : ::GetPixel(dc, x, y);
      });
  ::SelectObject(dc, old);
  ::DeleteDC(dc);

  HRGN region = nullptr;
  for (const shell::RegionRun& run : runs) {
    const HRGN rectangle = ::CreateRectRgn(run.x0, run.y, run.x1, run.y + 1);
    if (region == nullptr) {
      region = rectangle;
      continue;
    }
    ::CombineRgn(region, region, rectangle, RGN_OR);
    ::DeleteObject(rectangle);
  }
  // The window owns the region from here on. No region at all: the whole rectangle shows.
  ::SetWindowRgn(hwnd_, region, TRUE);
}

void FrmMain::FadeTick() {
  const shell::Fade::TickResult tick = fade_.Tick();
  ::SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(tick.alpha), LWA_ALPHA);
  if (tick.stop_timer) ::KillTimer(hwnd_, kFadeTimer);
  if (tick.unload) Unload();
}

void FrmMain::HoverTick() { shell::TrackButtonHover(buttons_, *pointer_, WindowHandle()); }

void FrmMain::imgCloseClick() {
  fade_.Close();
  ::SetTimer(hwnd_, kFadeTimer, 10, nullptr);
}

void FrmMain::Unload() {
  ::KillTimer(hwnd_, kFadeTimer);
  ::KillTimer(hwnd_, kHoverTimer);
  ::DestroyWindow(hwnd_);
}

void FrmMain::picShapeMouseDown(int x, int y) {
  // Keep the twips in step with a window that was moved by other means meanwhile.
  RECT box{};
  ::GetWindowRect(hwnd_, &box);
  if (shell::TwipsToPixels(place_.left) != box.left ||
      shell::TwipsToPixels(place_.top) != box.top) {
    place_ = {static_cast<float>(box.left) * shell::kTwipsPerPixel,
              static_cast<float>(box.top) * shell::kTwipsPerPixel};
  }
  drag_.Press(static_cast<float>(x), static_cast<float>(y));
  ::SetCapture(hwnd_);
}

void FrmMain::picShapeMouseMove(int x, int y) {
  const std::optional<shell::TwipPoint> moved =
      drag_.Move(static_cast<float>(x), static_cast<float>(y), place_);
  if (!moved) return;
  place_ = *moved;
  // Windows reports a pointer move when the window moves under a still pointer, so the window
  // keeps gliding after the pointer until it has caught up.
  ::SetWindowPos(hwnd_, nullptr, shell::TwipsToPixels(place_.left),
                 shell::TwipsToPixels(place_.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmMain::picShapeMouseUp(WPARAM buttons_still_down) {
  drag_.Release();
  if ((buttons_still_down & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 &&
      ::GetCapture() == hwnd_) {
    ::ReleaseCapture();
  }
}

void FrmMain::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  const HDC source = ::CreateCompatibleDC(dc);
  const HGDIOBJ old = ::SelectObject(source, skin_);
  ::BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
           paint.rcPaint.bottom - paint.rcPaint.top, source, paint.rcPaint.left, paint.rcPaint.top,
           SRCCOPY);
  ::SelectObject(source, old);
  ::DeleteDC(source);
  ::EndPaint(hwnd_, &paint);
}

LRESULT FrmMain::ColourStatic(HDC dc, HWND control) {
  switch (::GetDlgCtrlID(control)) {
    case kLblTitle:
      ::SetTextColor(dc, kWhite);
      ::SetBkColor(dc, kScreenColour);
      return reinterpret_cast<LRESULT>(title_brush_);
    case kLabel1:
    case kLabel2:
      ::SetTextColor(dc, kWhite);
      ::SetBkColor(dc, kBlack);
      return reinterpret_cast<LRESULT>(black_brush_);
    default:
      ::SetTextColor(dc, kBlack);
      ::SetBkColor(dc, kWhite);
      return reinterpret_cast<LRESULT>(white_brush_);
  }
}

void FrmMain::RunCommand(void (shell::MainCommands::*command)()) {
  if (commands_ == nullptr) return;
  std::u16string text;
  try {
    (commands_->*command)();
    return;
  } catch (const shell::BrowseError& e) {
    text = shell::ErrorText(e.number(), e.description());
  } catch (const std::system_error& e) {
    text = shell::ErrorText(e.code().value(), FromUtf8(e.what()));
  } catch (const std::exception& e) {
    text = shell::ErrorText(0, FromUtf8(e.what()));
  }
  SetBusy(false);
  Win32MessageBox(hwnd_).Show(text, program_ == Program::kUnbaler ? u"Unbaler" : u"Rebaler");
}

void FrmMain::SetFileCaption(const std::u16string& caption) {
  ::SetWindowTextW(Control(kLblFileName), Wide(caption).c_str());
}

void FrmMain::SetDirCaption(const std::u16string& caption) {
  ::SetWindowTextW(Control(kLblDir), Wide(caption).c_str());
}

void FrmMain::SetListItems(const std::vector<std::u16string>& items) {
  const HWND list = Control(kLstFiles);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  std::size_t characters = 0;
  for (const auto& item : items) characters += item.size() + 1;
  ::SendMessageW(list, LB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
  for (const auto& item : items) {
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void FrmMain::SetMainCommandEnabled(bool enabled) { ::EnableWindow(picMain_->hwnd(), enabled); }

void FrmMain::SetBusy(bool busy) {
  busy_ = busy;
  ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::intptr_t FrmMain::WindowHandle() const { return reinterpret_cast<std::intptr_t>(hwnd_); }

LRESULT CALLBACK FrmMain::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return ObjectWindowProc<FrmMain>(hwnd, message, wparam, lparam);
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the skin covers the whole window
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      picShapeMouseDown(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_MOUSEMOVE:
      picShapeMouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      picShapeMouseUp(wparam);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the pointer (a dialog, the task switcher): the release will never
      // come here, and a drag left on would move the window on the next hover.
      if (reinterpret_cast<HWND>(lparam) != hwnd_) drag_.Release();
      return 0;
    case WM_TIMER:
      if (wparam == kFadeTimer) FadeTick();
      if (wparam == kHoverTimer) HoverTick();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == STN_CLICKED) {
        if (LOWORD(wparam) == kLblFileName) RunCommand(&shell::MainCommands::OnSelectFile);
        if (LOWORD(wparam) == kLblDir) RunCommand(&shell::MainCommands::OnSelectDir);
      }
      return 0;
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
      imgCloseClick();
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
