#include "shell/win32/main_window.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "shell/name_list.h"
#include "shell/text_fit.h"
#include "shell/translate.h"
#include "shell/win32/file_drag.h"
#include "shell/win32/file_list_box.h"
#include "shell/win32/picture_control.h"
#include "shell/win32/win32_services.h"
#include "shell/win32/win32_text.h"
#include "shell/window_region.h"

namespace shell::win32 {
namespace {

constexpr wchar_t kClassName[] = L"BalerMain";
constexpr int kFilterId = ControlId(shell::Role::kFilter);

// A call from the worker for the window's thread: the LPARAM of a posted kWorkMessage, which the
// window runs once and frees. A call posted to a window that is gone is dropped.
constexpr UINT kWorkMessage = WM_APP + 1;
// Posted when a drag out of the list has ended: after any drop it made on the window itself.
constexpr UINT kDragOutEnded = WM_APP + 2;

void PostCall(HWND window, std::function<void()> call) {
  auto owned = std::make_unique<std::function<void()>>(std::move(call));
  if (::PostMessageW(window, kWorkMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) {
    owned.release();  // the window frees it
  }
}

void RunPostedCall(LPARAM call) {
  const std::unique_ptr<std::function<void()>> owned(
      reinterpret_cast<std::function<void()>*>(call));
  if (owned && *owned) (*owned)();
}

// The resource holding a picture at `scale`: its name in capitals, "_2X" added for the 2x one.
std::wstring ResourceName(std::string_view picture, int scale) {
  std::wstring name;
  for (char c : picture) name += static_cast<wchar_t>(c - (c >= 'a' && c <= 'z' ? 32 : 0));
  return scale == 2 ? name + L"_2X" : name;
}

// An existing face: `face` when the system has it, else `fallback`.
std::wstring FaceOrFallback(std::u16string_view face, std::u16string_view fallback) {
  const std::wstring wanted = Wide(face);
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(query.lfFaceName, wanted.c_str(), LF_FACESIZE - 1);
  bool found = false;
  const HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(
      screen, &query,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) -> int {
        *reinterpret_cast<bool*>(seen) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found ? wanted : Wide(fallback);
}

// Fills `box` of `dc` with `colour`.
void FillBox(HDC dc, const shell::Box& box, shell::Rgb colour) {
  const RECT rect{box.left, box.top, box.left + box.width, box.top + box.height};
  const HBRUSH brush = ::CreateSolidBrush(Colour(colour));
  ::FillRect(dc, &rect, brush);
  ::DeleteObject(brush);
}

// The paths of the files and folders dropped from the shell; the drop is let go.
std::vector<std::u16string> DroppedPaths(HDROP drop) {
  std::vector<std::u16string> paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(FromWide(path));
  }
  ::DragFinish(drop);
  return paths;
}

}  // namespace

POINT Win32Pointer::Position(std::intptr_t hwnd) {
  POINT at{};
  ::GetCursorPos(&at);
  if (hwnd != 0) ::ScreenToClient(reinterpret_cast<HWND>(hwnd), &at);
  return at;
}

MainWindow::MainWindow(shell::Program program, HINSTANCE instance)
    : instance_(instance),
      controller_(program, *this, pointer_),
      controls_(shell::MainWindowControls(program)) {
  skin_ = LoadPicture(shell::PictureName(shell::Picture::kSkin), 1);
  // The program's own icon; a test program without one gets the system's.
  HICON icon = ::LoadIconW(instance_, L"APP_ICON");
  RegisterWindowClass(instance_, kClassName, &ObjectWindowProc<MainWindow>,
                      icon != nullptr ? icon : ::LoadIconW(nullptr, IDI_APPLICATION));
  // No frame and no caption bar. The system menu and the minimize box give the task-bar button
  // its usual menu and minimizing; neither draws anything on the window.
  hwnd_ =
      ::CreateWindowExW(WS_EX_APPWINDOW, kClassName, Wide(controller_.title()).c_str(),
                        WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                        shell::kMainWidth, shell::kMainHeight, nullptr, nullptr, instance_, this);
  tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                            nullptr, instance_, nullptr);
  for (const shell::ControlSpec& desc : controls_) CreateControl(desc);
  // The hover tracking runs as long as the window exists; until Load there is nothing to track.
  ::SetTimer(hwnd_, kHoverTimer, 10, nullptr);
  runner_ = std::make_unique<shell::ThreadRunner>(
      [window = hwnd_](std::function<void()> call) { PostCall(window, std::move(call)); });
  // The status strip below the list: one line, drawn by DrawStatus. SS_NOTIFY: it takes its own
  // clicks, so a press on it never drags the window.
  status_brush_ = ::CreateSolidBrush(Colour(status_.background));
  gdi_objects_.push_back(status_brush_);
  const HWND status =
      CreateChild(hwnd_, kStatusId, shell::ControlKind::kLabel, L"", status_.box,
                  FontFor(status_.font), SS_OWNERDRAW | SS_NOTIFY | WS_CLIPSIBLINGS);
  ::SetWindowSubclass(status, &MainWindow::StatusProc, 0, reinterpret_cast<DWORD_PTR>(this));
  // The filter, over the strip, hidden until it is opened.
  const HWND filter = CreateChild(hwnd_, kFilterId, filter_.kind, L"", filter_.box,
                                  FontFor(filter_.font), WS_CLIPSIBLINGS);
  ::SendMessageW(filter, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(filter_.indent, 0));
  // Shown while it is empty, also while it has the focus.
  ::SendMessageW(filter, EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(Wide(shell::Tr(shell::kFilterCue)).c_str()));
  ::ShowWindow(filter, SW_HIDE);
  // Files and folders dropped anywhere on the window; the program decides what it takes.
  ::DragAcceptFiles(hwnd_, TRUE);
  // Everything above is laid out at 96 dpi; now at the DPI of the screen the window is on.
  ApplyDpi(WindowDpi(hwnd_));
}

MainWindow::~MainWindow() {
  pictures_.clear();
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  for (HGDIOBJ object : gdi_objects_) ::DeleteObject(object);
}

HBITMAP MainWindow::LoadPicture(std::string_view name, int scale) {
  const std::wstring resource = ResourceName(name, scale);
  if (const auto loaded = loaded_pictures_.find(resource); loaded != loaded_pictures_.end()) {
    return loaded->second;
  }
  const auto picture = static_cast<HBITMAP>(
      ::LoadImageW(instance_, resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  gdi_objects_.push_back(picture);
  loaded_pictures_.emplace(resource, picture);
  return picture;
}

HFONT MainWindow::FontFor(const shell::Font& font) {
  for (const auto& [desc, made] : fonts_) {
    if (desc == font) return made;
  }
  // A height in pixels at the window's DPI: the layout is in pixels at 96 dpi, so the text keeps
  // its size on the skin.
  const HFONT made =
      ::CreateFontW(-::MulDiv(font.points, dpi_, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                    FALSE, FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, ControlFace().c_str());
  fonts_.emplace_back(font, made);
  gdi_objects_.push_back(made);
  return made;
}

shell::Font MainWindow::ShownFont(const shell::ControlSpec& desc) const {
  shell::Font font = desc.font;
  if (const std::int32_t points = fitted_points_[static_cast<std::size_t>(desc.role)]; points > 0) {
    font.points = points;
  }
  return font;
}

HFONT MainWindow::CaptionFont(std::int32_t pixels) {
  for (const auto& [size, made] : caption_fonts_) {
    if (size == pixels) return made;
  }
  const auto& style = shell::kCaptionStyle;
  // Smoothed in grey, as the skin's other text is drawn.
  const HFONT made = ::CreateFontW(
      -shell::ScaleToDpi(pixels, dpi_), 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
      DEFAULT_PITCH | FF_SWISS, FaceOrFallback(style.face, style.fallback_face).c_str());
  caption_fonts_.emplace_back(pixels, made);
  gdi_objects_.push_back(made);
  return made;
}

void MainWindow::ApplyDpi(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  // The fonts of the old DPI stay alive (in gdi_objects_) until the controls have new ones.
  fonts_.clear();
  caption_fonts_.clear();
  const int scale = shell::PictureScale(dpi);
  skin_ = LoadPicture(shell::PictureName(shell::Picture::kSkin), scale);
  const int width = shell::ScaleToDpi(shell::kMainWidth, dpi);
  const int height = shell::ScaleToDpi(shell::kMainHeight, dpi);
  if (suggested != nullptr) {
    ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (const shell::ControlSpec& desc : controls_) {
    const HWND control = Control(desc.role);
    const shell::Box box = shell::ScaleBox(desc.box, dpi);
    if (const std::vector<std::string> files = shell::PictureFiles(desc); !files.empty()) {
      std::vector<HBITMAP> shown;
      for (const std::string& file : files) shown.push_back(LoadPicture(file, scale));
      for (const auto& picture : pictures_) {
        if (picture->hwnd() == control) {
          const std::int32_t pixels = fitted_points_[static_cast<std::size_t>(desc.role)];
          picture->Place(box, shown, pixels > 0 ? CaptionFont(pixels) : CaptionFont(),
                         shell::ScaleToDpi(1, dpi));
        }
      }
      continue;
    }
    const int indent = shell::ScaleToDpi(desc.indent, dpi);
    ::SetWindowPos(control, nullptr, box.left + indent, box.top, box.width - indent, box.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (desc.kind == shell::ControlKind::kList) {
      files_->SetFont(FontFor(desc.font));
    } else {
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(ShownFont(desc))),
                     FALSE);
    }
  }
  const HWND status = ::GetDlgItem(hwnd_, kStatusId);
  ::SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(status_.font)), FALSE);
  const shell::Box status_box = shell::ScaleBox(status_.box, dpi);
  ::SetWindowPos(status, nullptr, status_box.left, status_box.top, status_box.width,
                 status_box.height, SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND filter = Control(shell::Role::kFilter);
  ::SendMessageW(filter, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(filter_.font)), FALSE);
  ::SendMessageW(filter, EM_SETMARGINS, EC_LEFTMARGIN,
                 MAKELPARAM(shell::ScaleToDpi(filter_.indent, dpi), 0));
  const shell::Box filter_box = shell::ScaleBox(filter_.box, dpi);
  ::SetWindowPos(filter, nullptr, filter_box.left, filter_box.top, filter_box.width,
                 filter_box.height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (shaped_) ShapeFromSkin();
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::CreateControl(const shell::ControlSpec& desc) {
  const int id = ControlId(desc.role);
  const shell::Box& box = desc.box;
  AccessibleLook& look = looks_[static_cast<std::size_t>(desc.role)];
  look.name = Wide(shell::AccessibleName(desc));
  if (const std::vector<std::string> files = shell::PictureFiles(desc); !files.empty()) {
    std::vector<HBITMAP> shown;
    for (const std::string& file : files) shown.push_back(LoadPicture(file, 1));
    pictures_.push_back(std::make_unique<PictureControl>(hwnd_, id, box.left, box.top, shown));
    const auto click = [this, command = desc.click] { controller_.Click(command); };
    pictures_.back()->SetOnClick(click);
    // The caption on the picture is the window's text, as a button's would be.
    const HWND picture = pictures_.back()->hwnd();
    if (!desc.text.empty()) {
      // Fitted to the button (shell::FitCaption) in widths at 1x; it keeps the size chosen here at
      // every DPI.
      const shell::FittedText fitted = shell::FitCaption(
          desc.text, desc.box.width, [&](std::u16string_view text, std::int32_t pixels) {
            const std::int32_t width = MeasureText(picture, Wide(text), CaptionFont(pixels)).width;
            return static_cast<std::int32_t>(::MulDiv(width, shell::kBaseDpi, dpi_));
          });
      fitted_points_[static_cast<std::size_t>(desc.role)] = fitted.points;
      pictures_.back()->SetCaption(Wide(fitted.shown));
      if (!fitted.tooltip.empty()) {
        std::wstring tip = Wide(fitted.tooltip);
        SetTip(tips_, hwnd_, picture, tip.data());
      }
    }
    ::SetWindowTextW(picture, look.name.c_str());
    look.button = true;
    look.press = click;
    MakeAccessible(picture, &look);
    return;
  }
  if (desc.kind == shell::ControlKind::kList) {
    // Several items can be selected (Shift, Ctrl); a name cut off shows whole as a tip.
    files_ = std::make_unique<FileListBox>(
        hwnd_, id, box, FontFor(desc.font),
        FileListBox::Options{.several = true,
                             .tips = tips_,
                             .open = [this](std::size_t item) { controller_.OpenListItem(item); },
                             .drag_out = [this] { DragOut(); },
                             .text_left = 2,
                             .find = [this] { OpenFilter(); }});
    MakeAccessible(files_->hwnd(), &look);
    return;
  }
  DWORD style = 0;
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
  if (desc.kind != shell::ControlKind::kLabel || desc.text.empty()) {
    MakeAccessible(CreateChild(hwnd_, id, desc.kind, Wide(desc.text).c_str(), text_box,
                               FontFor(desc.font), style),
                   &look);
    return;
  }
  // A caption fitted to its box (shell::FitText), measured in the font it is drawn with; it keeps
  // the size chosen here at every DPI (ShownFont).
  const auto font_at = [&](std::int32_t points) {
    shell::Font font = desc.font;
    font.points = points;
    return FontFor(font);
  };
  const shell::FittedText fitted = shell::FitText(
      desc.text, shell::ScaleToDpi(text_box.width, dpi_), desc.font.points,
      [&](std::u16string_view text, std::int32_t points) {
        return static_cast<std::int32_t>(MeasureText(hwnd_, Wide(text), font_at(points)).width);
      });
  fitted_points_[static_cast<std::size_t>(desc.role)] = fitted.points;
  const HWND label = CreateChild(hwnd_, id, desc.kind, Wide(fitted.shown).c_str(), text_box,
                                 font_at(fitted.points), style);
  MakeAccessible(label, &look);
  if (!fitted.tooltip.empty()) {
    std::wstring tip = Wide(fitted.tooltip);
    SetTip(tips_, hwnd_, label, tip.data());
  }
}

shell::PicSurface* MainWindow::Surface(shell::Role role) {
  for (const auto& picture : pictures_) {
    if (picture->hwnd() == Control(role)) return picture.get();
  }
  return nullptr;
}

shell::Box MainWindow::Screen() const {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

RECT MainWindow::WindowBox() const {
  RECT box{};
  ::GetWindowRect(hwnd_, &box);
  return box;
}

void MainWindow::MoveTo(std::int32_t left, std::int32_t top) {
  // Windows reports a pointer move when the window moves under a still pointer, so the window
  // keeps gliding after the pointer until it has caught up.
  ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ShapeFromSkin() {
  shaped_ = true;
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

  // The window owns the region from here on. No region at all: the whole rectangle shows. The
  // picture is drawn at the window's size, which at some DPIs is not its own.
  HRGN region = runs.empty() ? nullptr : ::CreateRectRgn(0, 0, 0, 0);
  const std::vector<shell::RegionRect> rects = shell::MergeRegionRuns(runs);
  for (const shell::RegionRect& r : shell::ScaleRegionRects(
           rects, size.bmWidth, size.bmHeight, shell::ScaleToDpi(shell::kMainWidth, dpi_),
           shell::ScaleToDpi(shell::kMainHeight, dpi_))) {
    const HRGN rectangle = ::CreateRectRgn(r.x0, r.y0, r.x1, r.y1);
    ::CombineRgn(region, region, rectangle, RGN_OR);
    ::DeleteObject(rectangle);
  }
  ::SetWindowRgn(hwnd_, region, TRUE);
}

void MainWindow::ShowTransparent() {
  const LONG style = ::GetWindowLongW(hwnd_, GWL_EXSTYLE);
  if ((style & WS_EX_LAYERED) == 0) ::SetWindowLongW(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetAlpha(0);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
}

void MainWindow::SetAlpha(std::int32_t alpha) {
  ::SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void MainWindow::SetFadeTimer(bool running) {
  if (running) {
    ::SetTimer(hwnd_, kFadeTimer, 10, nullptr);
  } else {
    ::KillTimer(hwnd_, kFadeTimer);
  }
}

void MainWindow::ShowMessage(const std::u16string& text, const std::u16string& title) {
  SetBusy(false);
  Win32MessageBox(hwnd_).Show(text, title);
}

void MainWindow::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  DrawPicture(dc, skin_, client);
  for (const shell::ControlSpec& desc : controls_) {
    if (desc.indent <= 0) continue;
    const shell::Box box = shell::ScaleBox(desc.box, dpi_);
    const RECT strip{box.left, box.top, box.left + shell::ScaleToDpi(desc.indent, dpi_),
                     box.top + box.height};
    ::FillRect(dc, &strip, brushes_[static_cast<std::size_t>(desc.role)]);
  }
  ::EndPaint(hwnd_, &paint);
}

LRESULT MainWindow::ColourStatic(HDC dc, HWND control) {
  const auto index = static_cast<std::size_t>(::GetDlgCtrlID(control) - ControlId({}));
  if (index >= controls_.size() || brushes_[index] == nullptr) return 0;
  ::SetTextColor(dc, Colour(controls_[index].text_colour));
  ::SetBkColor(dc, Colour(controls_[index].background));
  return reinterpret_cast<LRESULT>(brushes_[index]);
}

void MainWindow::SetStatus(const std::u16string& text) {
  status_text_ = text;
  ::SetWindowTextW(::GetDlgItem(hwnd_, kStatusId), Wide(text).c_str());
  SetStatusOffersFolder(status_offers_folder_);
}

void MainWindow::SetStatusOffersFolder(bool offers) {
  status_offers_folder_ = offers;
  const HWND status = ::GetDlgItem(hwnd_, kStatusId);
  // The whole line as the tip, since a long path is cut in the middle.
  SetControlTip(shell::Role::kStatus,
                offers ? std::u16string(shell::Tr(shell::kOpenFolderTip)) + u"\r\n" + status_text_
                       : status_text_);
  if (!offers && ::GetFocus() == status) ::SetFocus(Control(shell::Role::kFiles));
  ::InvalidateRect(status, nullptr, TRUE);
}

void MainWindow::DrawStatus(const DRAWITEMSTRUCT& item) const {
  ::FillRect(item.hDC, &item.rcItem, status_brush_);
  const std::wstring text = Wide(status_text_);
  RECT room = item.rcItem;
  room.left += shell::ScaleToDpi(status_.indent, dpi_);
  room.right -= shell::ScaleToDpi(status_.indent, dpi_);
  const HGDIOBJ old = ::SelectObject(
      item.hDC, reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  // A folder it offers shows as a link.
  ::SetTextColor(item.hDC,
                 Colour(status_offers_folder_ ? shell::kLinkColour : status_.text_colour));
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &room,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  ::SelectObject(item.hDC, old);
  if (progress_) {
    const RECT& all = item.rcItem;
    const shell::Box bar =
        shell::ProgressBarBox({all.left, all.top, all.right - all.left, all.bottom - all.top});
    FillBox(item.hDC, bar, shell::kProgressTrackColour);
    FillBox(item.hDC, shell::ProgressDoneBox(bar, *progress_), shell::kProgressDoneColour);
  }
  if (::GetFocus() == item.hwndItem) {
    RECT mark = item.rcItem;
    ::InflateRect(&mark, -1, -1);
    ::DrawFocusRect(item.hDC, &mark);
  }
}

LRESULT CALLBACK MainWindow::StatusProc(HWND status, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR /*id*/, DWORD_PTR /*self*/) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(status, nullptr, TRUE);  // the focus mark
      break;
    case WM_KEYDOWN:
      // The window decides what a key does on the strip, as on a button.
      return ::SendMessageW(::GetParent(status), message, wparam, lparam);
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(status, &MainWindow::StatusProc, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(status, message, wparam, lparam);
}

void MainWindow::OpenFilter() {
  const HWND filter = Control(shell::Role::kFilter);
  ::SetWindowPos(filter, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetFocus(filter);
  ::SendMessageW(filter, EM_SETSEL, 0, -1);
}

void MainWindow::CloseFilter() {
  const HWND filter = Control(shell::Role::kFilter);
  ::SetWindowTextW(filter, L"");  // EN_CHANGE: the list shows every item again
  ::ShowWindow(filter, SW_HIDE);
  ::SetFocus(Control(shell::Role::kFiles));
}

void MainWindow::DragOut() {
  if (controller_.program() != shell::Program::kUnbaler) return;
  const std::vector<std::u16string> files = controller_.DragOutItems();
  if (files.empty()) return;
  dragging_out_ = true;
  DragFilesOut(files);
  ::PostMessageW(hwnd_, kDragOutEnded, 0, 0);
}

void MainWindow::SetProgress(std::optional<double> fraction) {
  if (fraction == progress_) return;
  progress_ = fraction;
  ::InvalidateRect(::GetDlgItem(hwnd_, kStatusId), nullptr, FALSE);
}

void MainWindow::SetControlText(shell::Role role, const std::u16string& text) {
  ::SetWindowTextW(Control(role), Wide(text).c_str());
}

void MainWindow::SetControlName(shell::Role role, const std::u16string& name) {
  looks_[static_cast<std::size_t>(role)].name = Wide(name);
  ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Control(role), OBJID_CLIENT, CHILDID_SELF);
}

void MainWindow::SetControlTip(shell::Role role, const std::u16string& tip) {
  std::wstring text = Wide(tip);
  SetTip(tips_, hwnd_, Control(role), text.data());
}

void MainWindow::SetControlItems(shell::Role /*role*/, const std::vector<std::u16string>& items) {
  // lstFiles is the window's one list.
  files_->SetItems(items);
}

void MainWindow::SetControlSizes(shell::Role /*role*/, const std::vector<std::u16string>& sizes) {
  files_->SetSizes(sizes);
}

std::vector<std::size_t> MainWindow::SelectedControlItems(shell::Role /*role*/) const {
  return files_->Selected();
}

void MainWindow::ShowListMenu(LPARAM place) {
  const std::vector<shell::ListMenuItem> items = controller_.ListMenu();
  if (items.empty()) return;
  const POINT at =
      place == -1 ? files_->KeyboardMenuPlace() : POINT{GET_X_LPARAM(place), GET_Y_LPARAM(place)};
  const HMENU menu = ::CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    ::AppendMenuW(menu,
                  MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED) |
                      (items[i].checked ? MF_CHECKED : MF_UNCHECKED),
                  i + 1, Wide(items[i].text).c_str());
  }
  const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                      at.y, 0, hwnd_, nullptr);
  ::DestroyMenu(menu);
  if (chosen > 0) controller_.RunListCommand(items[static_cast<std::size_t>(chosen) - 1].command);
}

void MainWindow::EnableControl(shell::Role role, bool enabled) {
  const bool focused = !enabled && ::GetFocus() == Control(role);
  ::EnableWindow(Control(role), enabled);
  // A control turned off loses the focus: it goes on to the control Tab would give it to.
  if (focused) RunKey(shell::Key::kTab, role);
}

std::optional<shell::Role> MainWindow::FocusedRole() const {
  const HWND focus = ::GetFocus();
  for (shell::Role role : shell::FocusOrder(controller_.program())) {
    if (focus != nullptr && Control(role) == focus) return role;
  }
  return std::nullopt;
}

bool MainWindow::RunKey(shell::Key key, std::optional<shell::Role> from, bool repeat) {
  const shell::KeyOutcome outcome = controller_.KeyPress(
      key, from,
      [this](shell::Role role) {
        // The status strip takes the focus only while it offers a folder.
        if (role == shell::Role::kStatus) return status_offers_folder_;
        return ::IsWindowEnabled(Control(role)) != 0;
      },
      repeat);
  if (outcome.focus) ::SetFocus(Control(*outcome.focus));
  return outcome.used;
}

bool MainWindow::OnKey(WPARAM key, LPARAM flags) {
  static constexpr struct {
    WPARAM virtual_key;
    shell::Key key;
  } kKeys[] = {{VK_TAB, shell::Key::kTab},
               {VK_RETURN, shell::Key::kEnter},
               {VK_SPACE, shell::Key::kSpace},
               {VK_ESCAPE, shell::Key::kEscape}};
  const auto known = std::find_if(std::begin(kKeys), std::end(kKeys),
                                  [key](const auto& k) { return k.virtual_key == key; });
  if (key == 'F' && ::GetKeyState(VK_CONTROL) < 0) {
    OpenFilter();
    return true;
  }
  if (known == std::end(kKeys)) return false;
  // Escape empties an open filter first; otherwise it stops the work.
  if (known->key == shell::Key::kEscape && ::IsWindowVisible(Control(shell::Role::kFilter))) {
    CloseFilter();
    return true;
  }
  shell::Key pressed = known->key;
  if (pressed == shell::Key::kTab && ::GetKeyState(VK_SHIFT) < 0) pressed = shell::Key::kBackTab;
  // Bit 30: the key was already down.
  return RunKey(pressed, FocusedRole(), (flags & (1 << 30)) != 0);
}

void MainWindow::SetBusy(bool busy) {
  busy_ = busy;
  ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::OnPointer(const shell::PointerEvent& event, WPARAM wparam, LPARAM /*lparam*/) {
  controller_.SkinPointer(event);
  FollowPointer(hwnd_, event, wparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
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
      } else if (HIWORD(wparam) == STN_CLICKED && LOWORD(wparam) == kStatusId) {
        controller_.Click(status_.click);
      } else if (HIWORD(wparam) == EN_CHANGE && LOWORD(wparam) == kFilterId) {
        const HWND filter = Control(shell::Role::kFilter);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(filter)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextW(filter, text.data(), static_cast<int>(text.size()))));
        controller_.Filter(FromWide(text));
      }
      return 0;
    }
    case WM_CONTEXTMENU:
      // A right click on lstFiles, or the menu key or Shift+F10 while it has the focus.
      if (reinterpret_cast<HWND>(wparam) == Control(shell::Role::kFiles)) {
        ShowListMenu(lparam);
        return 0;
      }
      break;
    case kWorkMessage:
      RunPostedCall(lparam);
      return 0;
    case WM_DROPFILES:
      // The shell shows no refusal during the drag. Entries dragged out of the list and dropped
      // back on the window are not taken: they are copies of what it shows.
      if (dragging_out_) {
        ::DragFinish(reinterpret_cast<HDROP>(wparam));
        return 0;
      }
      controller_.Drop(DroppedPaths(reinterpret_cast<HDROP>(wparam)));
      return 0;
    case kDragOutEnded:
      dragging_out_ = false;
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
      if (FileListBox::Draw(*item)) return TRUE;
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
    case WM_DPICHANGED:
      // Moved to a screen of another density, or its scaling changed: the system suggests
      // where the window goes at its new size.
      ApplyDpi(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
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
