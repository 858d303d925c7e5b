// frmMain on Win32: the skinned, shaped, fading, draggable main window of both programs.
//
// A borderless popup of 442 x 237 pixels, centred on the screen. Its outline is cut from the skin
// picture by the colour of the skin's top-left pixel (a region of one rectangle per run of other
// colours), it fades in to 235 of 255 on Timer1 when loaded and out to 0 after a click on
// imgClose, when it unloads. Dragging the bare skin moves it, 2 twips per pixel of offset per
// pointer move, so the window glides after the pointer. Timer2 runs the hover tracking of the
// three picture buttons. The program logic drives the window through shell::MainView and gets
// the user's commands through the shell::MainCommands handed to Load; an error escaping a
// command is shown in a message box and the window carries on.
//
// The controls are child windows with the ids below, so tests and tools can find them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "shell/drag.h"
#include "shell/fade.h"
#include "shell/main_view.h"
#include "shell/pic_button.h"
#include "shell/win32/windows_api.h"

namespace shell::win32 {

enum class Program { kUnbaler, kRebaler };

// Child-window ids of the controls on the skin.
enum ControlId : int {
  kLblTitle = 1001,
  kImgClose,
  kLabel1,
  kLabel2,
  kLblFileName,
  kLblDir,
  kPicSelectFile,
  kPicSelectDir,
  kPicMain,  // picExtract in Unbaler, picRepack in Rebaler
  kLstFiles,
};

// The fade and the hover tracking.
inline constexpr UINT_PTR kFadeTimer = 1;
inline constexpr UINT_PTR kHoverTimer = 2;

inline constexpr int kMainWidth = 442;
inline constexpr int kMainHeight = 237;

// The pointer as Windows reports it (GetCursorPos, ScreenToClient).
class Win32Pointer : public shell::Pointer {
 public:
  std::int32_t MouseX(std::intptr_t hwnd) override;
  std::int32_t MouseY(std::intptr_t hwnd) override;
};

class PictureControl;

class FrmMain : public shell::MainView {
 public:
  // Creates the window and its controls, hidden. `instance` holds the skin pictures.
  explicit FrmMain(Program program, HINSTANCE instance = ::GetModuleHandleW(nullptr));
  ~FrmMain() override;
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // Start-up: builds the buttons, centres and shapes the window, makes it layered and fully
  // transparent, shows it, starts the fade-in and ends with commands->OnLoaded(). `commands`
  // must outlive the window.
  void Load(shell::MainCommands* commands);

  // Called once the fade-out has ended and the window is gone; the program's main ends its
  // message loop here.
  void SetOnUnloaded(std::function<void()> on_unloaded) { on_unloaded_ = std::move(on_unloaded); }

  // shell::MainView
  void SetFileCaption(const std::u16string& caption) override;
  void SetDirCaption(const std::u16string& caption) override;
  void SetListItems(const std::vector<std::u16string>& items) override;
  void SetMainCommandEnabled(bool enabled) override;
  void SetBusy(bool busy) override;
  std::intptr_t WindowHandle() const override;

  // The pointer in the client coordinates of `hwnd`, or on the screen when hwnd is 0.
  std::int32_t MouseX(std::intptr_t hwnd) { return pointer_->MouseX(hwnd); }
  std::int32_t MouseY(std::intptr_t hwnd) { return pointer_->MouseY(hwnd); }

  HWND hwnd() const { return hwnd_; }
  HWND Control(ControlId id) const { return ::GetDlgItem(hwnd_, id); }
  Program program() const { return program_; }
  std::int32_t Alpha() const { return fade_.Alpha(); }
  std::int32_t FadeStep() const { return fade_.FadeStep(); }
  bool FadeTimerEnabled() const { return fade_.TimerEnabled(); }
  bool dragging() const { return drag_.dragging(); }
  shell::TwipPoint Place() const { return place_; }
  std::span<const std::unique_ptr<shell::ClsPicButton>> buttons() const { return buttons_; }
  // Replaces the pointer the hover tracking reads; for tests. Not owned.
  void SetPointer(shell::Pointer* pointer) { pointer_ = pointer; }

  // The handlers, reachable for tests as the messages reach them.
  void FadeTick();
  void HoverTick();
  void imgCloseClick();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  template <typename T>
  friend LRESULT ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // A control's place and size on the skin, in pixels.
  struct Box {
    int left, top, width, height;
  };
  void CreateControls();
  HWND CreateLabel(ControlId id, Box box, const wchar_t* text, HFONT font);
  PictureControl* CreatePicture(ControlId id, int left, int top, std::array<HBITMAP, 3> pictures);
  void ShapeWindowFromPicture(COLORREF key);
  void Paint();
  void picShapeMouseDown(int x, int y);
  void picShapeMouseMove(int x, int y);
  void picShapeMouseUp(WPARAM buttons_still_down);
  LRESULT ColourStatic(HDC dc, HWND control);
  // Runs one command of the program logic; an error escaping it is reported, not fatal.
  void RunCommand(void (shell::MainCommands::*command)());
  void Unload();

  const Program program_;
  const HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  shell::MainCommands* commands_ = nullptr;
  std::function<void()> on_unloaded_;
  shell::Fade fade_;
  shell::WindowDrag drag_;
  shell::TwipPoint place_;  // the window's left and top in twips
  bool busy_ = false;
  std::vector<std::unique_ptr<shell::ClsPicButton>> buttons_;
  Win32Pointer win32_pointer_;
  shell::Pointer* pointer_ = &win32_pointer_;

  // The pictures (the skin, the close picture, and normal, hover, pressed of each button) and
  // the GDI objects the controls are drawn with; all owned here.
  HBITMAP skin_ = nullptr;
  HBITMAP close_ = nullptr;
  std::array<HBITMAP, 3> imgSelectFile_{};
  std::array<HBITMAP, 3> imgSelectDir_{};
  std::array<HBITMAP, 3> main_pictures_{};
  HFONT control_font_ = nullptr;
  HFONT title_font_ = nullptr;
  HBRUSH title_brush_ = nullptr;
  HBRUSH black_brush_ = nullptr;
  HBRUSH white_brush_ = nullptr;

  std::vector<std::unique_ptr<PictureControl>> pictures_;
  PictureControl* picSelectFile_ = nullptr;
  PictureControl* picSelectDir_ = nullptr;
  PictureControl* picMain_ = nullptr;
};

}  // namespace shell::win32
