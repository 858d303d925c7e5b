// frmMain on Win32, in process: the controls of both programs, start-up (region, layered style,
// centring), the fade, the drag, the picture buttons and their hover tracking, the label clicks,
// what a screen reader reads of each control, and an error escaping a command.
#include "shell/win32/main_window.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "shell/catalogue_table.h"
#include "shell/error_text.h"
#include "shell/folder_browser.h"
#include "shell/translate.h"
#include "shell/win32/file_list_box.h"
#include "shell/win32/picture_control.h"
#include "shell/win32/win32_text.h"
#include "shell/window_region.h"
#include "tests/support/fakes.h"
#include "tests/support/win32/dialog_driver.h"

namespace {

using shell::Program;
using shell::Role;
using shell::win32::MainWindow;
using shell::win32::PictureControl;
using win32_testing::ChildRect;
using win32_testing::DialogDriver;
using win32_testing::ListItems;
using win32_testing::WindowText;

using testing_support::FakePointer;
using testing_support::RecordingCommands;

TEST(MainWindowWin32, BothProgramsPlaceTheirControlsWhereTheDescriptionSays) {
  for (Program program : {Program::kUnbaler, Program::kRebaler}) {
    MainWindow window(program);
    RECT frame{};
    ::GetWindowRect(window.hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, shell::kMainWidth);
    EXPECT_EQ(frame.bottom - frame.top, shell::kMainHeight);
    const LONG style = ::GetWindowLongW(window.hwnd(), GWL_STYLE);
    EXPECT_NE(style & WS_POPUP, 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_EQ(WindowText(window.hwnd()),
              std::wstring(program == Program::kUnbaler ? L"Unbaler" : L"Rebaler"));
    for (const shell::ControlSpec& desc : shell::MainWindowControls(program)) {
      SCOPED_TRACE(std::string(desc.name));
      const HWND hwnd = window.Control(desc.role);
      ASSERT_NE(hwnd, nullptr);
      const RECT box = ChildRect(hwnd);
      EXPECT_EQ(box.left, desc.box.left + desc.indent);  // the window paints the indent
      EXPECT_EQ(box.top, desc.box.top);
      EXPECT_EQ(box.right, desc.box.left + desc.box.width);
      EXPECT_EQ(box.bottom, desc.box.top + desc.box.height);
      if (desc.kind == shell::ControlKind::kLabel) {
        EXPECT_EQ(WindowText(hwnd), std::wstring(desc.text.begin(), desc.text.end()));
      }
    }
  }
}

// In every language shipped, from the catalogue generated from the translation files: each caption
// is whole within its label, or cut with an ellipsis within it (a point smaller, as tried first).
TEST(MainWindowWin32, CaptionsFitTheirLabelsInEveryLanguage) {
  for (const std::string& language : shell::CatalogueTags()) {
    SCOPED_TRACE(language);
    shell::InstallCatalogue(shell::TableCatalogue(language));
    for (Program program : {Program::kUnbaler, Program::kRebaler}) {
      MainWindow window(program);
      for (const shell::ControlSpec& desc : shell::MainWindowControls(program)) {
        if (desc.kind != shell::ControlKind::kLabel || desc.text.empty()) continue;
        SCOPED_TRACE(std::string(desc.name));
        const HWND label = window.Control(desc.role);
        const std::wstring shown = WindowText(label);
        const std::wstring whole(desc.text.begin(), desc.text.end());
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
        EXPECT_LE(shell::win32::MeasureText(label, shown, font).width,
                  desc.box.width - desc.indent);
        if (shown != whole) {
          ASSERT_FALSE(shown.empty());
          EXPECT_EQ(shown.back(), L'\u2026');
          EXPECT_EQ(whole.substr(0, shown.size() - 1), shown.substr(0, shown.size() - 1));
        }
      }
      // The picture buttons' captions, clear of the rim, are called by their whole text.
      for (const shell::ControlSpec& desc : shell::MainWindowControls(program)) {
        if (desc.kind != shell::ControlKind::kPictureButton || desc.text.empty()) continue;
        SCOPED_TRACE(std::string(desc.name));
        // The window's buttons are bound to their surfaces only once it loads: the surface is found
        // by its window.
        const auto* picture = reinterpret_cast<PictureControl*>(
            ::GetWindowLongPtrW(window.Control(desc.role), GWLP_USERDATA));
        ASSERT_NE(picture, nullptr);
        const std::wstring& shown = picture->caption();
        const std::wstring whole(desc.text.begin(), desc.text.end());
        EXPECT_LE(shell::win32::MeasureText(picture->hwnd(), shown, picture->caption_font()).width,
                  desc.box.width - 2 * shell::kCaptionMargin - 1);
        EXPECT_EQ(WindowText(picture->hwnd()), whole);
        if (shown != whole) {
          ASSERT_FALSE(shown.empty());
          EXPECT_EQ(shown.back(), L'\u2026');
          EXPECT_EQ(whole.substr(0, shown.size() - 1), shown.substr(0, shown.size() - 1));
        }
      }
    }
  }
  shell::InstallCatalogue({});
}

// The region the skin should give, built independently from the picture's bits.
HRGN ExpectedRegion() {
  const auto skin = static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"SKIN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP size{};
  ::GetObjectW(skin, sizeof size, &size);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.bmWidth;
  format.bmiHeader.biHeight = -size.bmHeight;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.bmWidth * size.bmHeight));
  const HDC dc = ::GetDC(nullptr);
  ::GetDIBits(dc, skin, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &format,
              DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, dc);
  ::DeleteObject(skin);
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  const auto runs =
      shell::WindowRegionRuns(pixels.data(), size.bmWidth, size.bmHeight, size.bmWidth);
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  for (const shell::RegionRect& r : shell::MergeRegionRuns(runs)) {
    const HRGN part = ::CreateRectRgn(r.x0, r.y0, r.x1, r.y1);
    ::CombineRgn(region, region, part, RGN_OR);
    ::DeleteObject(part);
  }
  return region;
}

TEST(MainWindowWin32, LoadShapesCentresAndStartsTheFadeTransparent) {
  MainWindow window(Program::kUnbaler);
  RecordingCommands commands(window);
  EXPECT_EQ(::GetWindowLongA(window.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  window.Load(&commands);

  EXPECT_NE(::GetWindowLongA(window.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  BYTE alpha = 1;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(window.hwnd(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 0);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_EQ(window.controller().fade().Alpha(), 0);
  EXPECT_EQ(window.controller().fade().FadeStep(), 5);
  EXPECT_TRUE(window.controller().fade().TimerEnabled());
  EXPECT_TRUE(::IsWindowVisible(window.hwnd()));

  RECT frame{};
  ::GetWindowRect(window.hwnd(), &frame);
  const float left = (static_cast<float>(::GetSystemMetrics(SM_CXSCREEN)) * 15 - 442 * 15) / 2;
  const float top = (static_cast<float>(::GetSystemMetrics(SM_CYSCREEN)) * 15 - 237 * 15) / 2;
  EXPECT_EQ(frame.left, shell::TwipsToPixels(left));
  EXPECT_EQ(frame.top, shell::TwipsToPixels(top));

  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(::GetWindowRgn(window.hwnd(), region), COMPLEXREGION);
  HRGN expected = ExpectedRegion();
  EXPECT_TRUE(::EqualRgn(region, expected));
  // The white key columns at both edges lie outside; the screen area inside.
  EXPECT_FALSE(::PtInRegion(region, 0, 118));
  EXPECT_FALSE(::PtInRegion(region, 441, 118));
  EXPECT_TRUE(::PtInRegion(region, 221, 118));
  ::DeleteObject(region);
  ::DeleteObject(expected);

  EXPECT_EQ(commands.calls, (std::vector<std::string>{"OnLoaded"}));
  EXPECT_FALSE(::IsWindowEnabled(window.Control(shell::Role::kMainCommand)));
  // Every button shows its normal picture but the main command, dimmed: nothing to do yet.
  const auto& buttons = window.controller().buttons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_FALSE(buttons[i]->pressed());
    EXPECT_EQ(static_cast<PictureControl*>(buttons[i]->surface())->shown(),
              i == 2 ? shell::ButtonLook::kDisabled : shell::ButtonLook::kNormal);
  }
}

TEST(MainWindowWin32, FadesInTo235AndOutToUnloadFromWhereverItIs) {
  MainWindow window(Program::kRebaler);
  bool unloaded = false;
  window.SetOnUnloaded([&] { unloaded = true; });
  window.Load(nullptr);
  ::KillTimer(window.hwnd(), shell::win32::kFadeTimer);  // the ticks below are the test's own
  for (int tick = 1; tick <= 20; ++tick) window.controller().FadeTick();
  EXPECT_EQ(window.controller().fade().Alpha(), 100);
  window.controller().Click(shell::Command::kClose);
  window.controller().FadeTick();
  EXPECT_EQ(window.controller().fade().Alpha(), 95);
  window.controller().Click(shell::Command::kClose);  // a second click changes nothing
  EXPECT_EQ(window.controller().fade().FadeStep(), -5);
  for (int tick = 0; tick < 18; ++tick) window.controller().FadeTick();
  EXPECT_EQ(window.controller().fade().Alpha(), 5);
  EXPECT_FALSE(unloaded);
  window.controller().FadeTick();
  EXPECT_TRUE(unloaded);
  EXPECT_EQ(window.hwnd(), nullptr);
}

TEST(MainWindowWin32, TheRealTimersFadeInAndTheClosePictureEndsIt) {
  MainWindow window(Program::kUnbaler);
  bool unloaded = false;
  window.SetOnUnloaded([&] { unloaded = true; });
  window.Load(nullptr);
  win32_testing::Pump(1500);
  EXPECT_EQ(window.controller().fade().Alpha(), 235);
  EXPECT_FALSE(window.controller().fade().TimerEnabled());
  BYTE alpha = 0;
  ::GetLayeredWindowAttributes(window.hwnd(), nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 235);

  const HWND close = window.Control(shell::Role::kClose);
  ::SendMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(window.controller().fade().FadeStep(), -5);
  win32_testing::Pump(1500);
  EXPECT_TRUE(unloaded);
}

TEST(MainWindowWin32, DraggingMovesTwoTwipsPerPixelWithAnyButton) {
  MainWindow window(Program::kUnbaler);
  window.Load(nullptr);
  const HWND hwnd = window.hwnd();
  auto frame = [&] {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return shell::PixelPoint{rect.left, rect.top};
  };
  EXPECT_EQ(frame(), window.controller().place());

  // The left button drags: 150 pixels right and 30 up move the window by 300 and 60 twips, 20
  // and 4 pixels.
  const shell::PixelPoint start = frame();
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  EXPECT_TRUE(window.controller().dragging());
  ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 70));
  EXPECT_EQ(frame(), (shell::PixelPoint{start.left + 20, start.top - 4}));
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(250, 70));
  EXPECT_FALSE(window.controller().dragging());
  ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
  EXPECT_EQ(frame(), (shell::PixelPoint{start.left + 20, start.top - 4}));

  // The right button drags too; 75 pixels of offset move the window by 150 twips, 10 pixels.
  ::SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
  ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(125, 50));
  EXPECT_EQ(frame(), (shell::PixelPoint{start.left + 30, start.top - 4}));
  EXPECT_EQ(frame(), window.controller().place());
  ::SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(125, 50));
  EXPECT_FALSE(window.controller().dragging());
}

TEST(MainWindowWin32, PictureButtonsFollowThePointerAndClicksRunTheCommands) {
  MainWindow window(Program::kUnbaler);
  RecordingCommands commands(window);
  FakePointer pointer;
  window.SetPointer(&pointer);
  window.Load(&commands);
  ::KillTimer(window.hwnd(), shell::win32::kHoverTimer);  // the ticks below are the test's own
  const auto button = window.controller().button(shell::Role::kSelectFile);
  const auto* surface = static_cast<PictureControl*>(button->surface());
  const HWND select_file = window.Control(shell::Role::kSelectFile);
  ASSERT_EQ(surface->hwnd(), select_file);

  ::SendMessageW(select_file, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kHover);
  // The pointer on the button's top-left pixel keeps the hover; one pixel past its right or
  // bottom edge ends it at the next tick.
  pointer.x = 318;
  pointer.y = 54;
  window.controller().HoverTick();
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kHover);
  pointer.x = 420;
  window.controller().HoverTick();
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kNormal);

  pointer.x = 330;
  ::SendMessageW(select_file, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kPressed);
  EXPECT_TRUE(button->pressed());
  ::SendMessageW(select_file, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 5));
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kPressed);  // no hover while pressed
  ::SendMessageW(select_file, WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kHover);  // hover while the pointer stays over it
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"OnLoaded", "OnSelectFile"}));

  // Released away from the button: no click. The right button changes nothing.
  ::SendMessageW(select_file, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(select_file, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  ::SendMessageW(select_file, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(surface->shown(), shell::ButtonLook::kNormal);
  ::SendMessageW(select_file, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(commands.calls.size(), 2u);

  const HWND select_dir = window.Control(shell::Role::kSelectDir);
  ::SendMessageW(select_dir, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(select_dir, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  const auto* main_surface = static_cast<PictureControl*>(
      window.controller().button(shell::Role::kMainCommand)->surface());
  EXPECT_EQ(main_surface->shown(),
            shell::ButtonLook::kDisabled);  // dimmed until there is something to do
  window.SetMainCommandEnabled(true);
  EXPECT_EQ(main_surface->shown(), shell::ButtonLook::kNormal);
  const HWND main = window.Control(shell::Role::kMainCommand);
  EXPECT_TRUE(::IsWindowEnabled(main));
  ::SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(commands.calls,
            (std::vector<std::string>{"OnLoaded", "OnSelectFile", "OnSelectDir", "OnMainCommand"}));

  // A press held while the pointer leaves is forgotten at the next tick.
  ::SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  pointer.x = 10;
  window.controller().HoverTick();
  EXPECT_FALSE(window.controller().button(shell::Role::kMainCommand)->pressed());
  EXPECT_EQ(
      static_cast<PictureControl*>(window.controller().button(shell::Role::kMainCommand)->surface())
          ->shown(),
      shell::ButtonLook::kNormal);
  ::SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
}

TEST(MainWindowWin32, PathLabelsRunTheirButtonsCommandsAndTheViewShowsWhatItIsTold) {
  MainWindow window(Program::kRebaler);
  RecordingCommands commands(window);
  window.Load(&commands);
  for (Role id : {shell::Role::kFileName, shell::Role::kDir, shell::Role::kFileCaption,
                  shell::Role::kTitle}) {
    const HWND label = window.Control(id);
    ::SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"OnLoaded", "OnSelectFile", "OnSelectDir"}));
  EXPECT_FALSE(window.controller().dragging());

  window.SetFileCaption(u"C:\\Games\\R&D\\sound.pak");
  window.SetDirCaption(u"D:\\\u0436");
  EXPECT_EQ(WindowText(window.Control(shell::Role::kFileName)), L"C:\\Games\\R&D\\sound.pak");
  EXPECT_EQ(WindowText(window.Control(shell::Role::kDir)), L"D:\\\u0436");
  window.SetListItems({u"b.ogg", u"A.ogg", u"c\u0436.ogg"});
  EXPECT_EQ(ListItems(window.Control(shell::Role::kFiles)),
            (std::vector<std::wstring>{L"b.ogg", L"A.ogg", L"c\u0436.ogg"}));
  window.SetListItems({});
  EXPECT_TRUE(ListItems(window.Control(shell::Role::kFiles)).empty());

  // A tip for each path label that has one, none for one whose tip is empty.
  window.SetFileTip(u"C:\\a\\long\\path\\sound.pak");
  window.SetDirTip(u"D:\\out");
  window.SetDirTip(u"");
  const HWND tips = win32_testing::ThreadTips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);  // and one of lstFiles

  // Only a name wider than the list is cut off, and only that one shows a tip.
  window.SetListItems({u"a.ogg",
                       u"a\\very\\long\\folder\\name\\that\\does\\not\\fit\\the\\list\\box\\"
                       u"of\\the\\main\\window\\at\\all.ogg"});
  const struct {
    int item;
    bool cut_off;
  } kItems[] = {{0, false}, {1, true}, {2, false}};
  for (const auto& item : kItems) {
    EXPECT_EQ(shell::win32::ListItemCutOff(window.Control(shell::Role::kFiles), item.item),
              item.cut_off)
        << item.item;
  }

  // A new list shows from its first item, wherever the last one was scrolled to.
  const HWND list = window.Control(shell::Role::kFiles);
  const std::vector<std::u16string> many(500, u"x.ogg");
  window.SetListItems(many);
  ::SendMessageW(list, LB_SETTOPINDEX, 400, 0);
  EXPECT_GT(::SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  window.SetListItems(many);
  EXPECT_EQ(::SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
}

// What a screen reader reads of a control: its name and role through the system's accessibility
// interface, as AccessibleObjectFromWindow gives it to any program; "" and 0 when it gives none.
struct Spoken {
  std::wstring name;
  long role = 0;
};
Spoken Speak(HWND control, IAccessible** kept = nullptr) {
  IAccessible* object = nullptr;
  Spoken spoken;
  if (FAILED(::AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object)))) {
    return spoken;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
    spoken.name = name;
    ::SysFreeString(name);
  }
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) spoken.role = role.lVal;
  if (kept != nullptr) {
    *kept = object;
  } else {
    object->Release();
  }
  return spoken;
}

TEST(MainWindowWin32, EachControlTellsAScreenReaderItsNameAndRole) {
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  {
    MainWindow window(Program::kUnbaler);
    RecordingCommands commands(window);
    window.Load(&commands);
    // A path shown shortened is read whole; a folder not chosen yet by its row's caption.
    window.SetFileCaption(u"C:\\...\\sound.pak");
    window.SetFileTip(u"C:\\Games\\Mods\\sound.pak");
    window.SetDirCaption(u"");
    window.SetDirTip(u"");
    const struct {
      Role role;
      std::wstring name;
      // 0: whatever the system says of such a control. Wine's own objects call every control a
      // client area and list no items of a list; Windows' call a label static text and a list
      // a list, with its items.
      long role_read;
    } kControls[] = {
        {Role::kTitle, L"Unbaler", 0},
        {Role::kClose, L"Close", ROLE_SYSTEM_PUSHBUTTON},
        {Role::kFileCaption, L"PAK file:", 0},
        {Role::kDirCaption, L"Directory:", 0},
        {Role::kFileName, L"C:\\Games\\Mods\\sound.pak", 0},
        {Role::kDir, L"Directory:", 0},
        {Role::kSelectFile, L"Select File", ROLE_SYSTEM_PUSHBUTTON},
        {Role::kSelectDir, L"Select Dir", ROLE_SYSTEM_PUSHBUTTON},
        {Role::kMainCommand, L"Extract Files", ROLE_SYSTEM_PUSHBUTTON},
        {Role::kFiles, L"Files", 0},
    };
    for (const auto& control : kControls) {
      const Spoken spoken = Speak(window.Control(control.role));
      EXPECT_EQ(spoken.name, control.name) << static_cast<int>(control.role);
      if (control.role_read != 0) {
        EXPECT_EQ(spoken.role, control.role_read) << control.name;
      }
    }
    // The picture's window text is its caption, for the tools that read window texts.
    EXPECT_EQ(WindowText(window.Control(Role::kSelectDir)), L"Select Dir");
    // The status line is read by its whole line.
    window.SetStatus(u"8 files extracted into C:\\Games\\Mods\\a folder too long to show");
    EXPECT_EQ(Speak(window.Control(Role::kStatus)).name,
              L"8 files extracted into C:\\Games\\Mods\\a folder too long to show");

    // The default action presses a picture button while it is enabled.
    IAccessible* button = nullptr;
    Speak(window.Control(Role::kSelectFile), &button);
    ASSERT_NE(button, nullptr);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    commands.calls.clear();
    EXPECT_EQ(button->accDoDefaultAction(self), S_OK);
    EXPECT_EQ(commands.calls, std::vector<std::string>{"OnSelectFile"});
    ::EnableWindow(window.Control(Role::kSelectFile), FALSE);
    EXPECT_NE(button->accDoDefaultAction(self), S_OK);
    EXPECT_EQ(commands.calls.size(), 1u);
    button->Release();
  }
  ::CoUninitialize();
}

TEST(MainWindowWin32, AnErrorEscapingACommandIsShownAndTheWindowCarriesOn) {
  MainWindow window(Program::kUnbaler);
  RecordingCommands commands(window);
  commands.throw_on_select_dir = true;
  window.Load(&commands);
  std::wstring text;
  DialogDriver driver(L"Unbaler", [&](HWND box) {
    text = WindowText(::GetDlgItem(box, 0xFFFF));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  const HWND dir = window.Control(shell::Role::kSelectDir);
  ::SendMessageW(dir, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(dir, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(driver.acted());
  const std::u16string expected = shell::ErrorText(0, u"Invalid window handle");
  EXPECT_EQ(text, std::wstring(expected.begin(), expected.end()));
  EXPECT_TRUE(::IsWindow(window.hwnd()));
  EXPECT_EQ(commands.calls.back(), "OnSelectDir");
}

}  // namespace
