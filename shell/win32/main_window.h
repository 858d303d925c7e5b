// frmMain on Win32: the main window of both programs, a borderless layered popup built from
// shell::MainWindowControls and driven by a shell::MainController. Each control is a child
// window whose id is ControlId(role), so tests and tools can find it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "shell/main_controller.h"
#include "shell/win32/accessible.h"
#include "shell/win32/windows_api.h"
#include "shell/work.h"

namespace shell::win32 {

constexpr int ControlId(shell::Role role) { return 1001 + static_cast<int>(role); }

inline constexpr UINT_PTR kFadeTimer = 1;
inline constexpr UINT_PTR kHoverTimer = 2;
// The status line's control id.
inline constexpr int kStatusId = ControlId(shell::Role::kStatus);

// The pointer as Windows reports it (GetCursorPos, ScreenToClient).
class Win32Pointer : public shell::Pointer {
 public:
  std::int32_t MouseX(std::intptr_t hwnd) override { return Position(hwnd).x; }
  std::int32_t MouseY(std::intptr_t hwnd) override { return Position(hwnd).y; }

 private:
  static POINT Position(std::intptr_t hwnd);
};

class FileListBox;
class PictureControl;

class MainWindow : public shell::MainWindowView, private shell::NativeWindow {
 public:
  // Creates the window and its controls, hidden. `instance` holds the skin pictures.
  explicit MainWindow(shell::Program program, HINSTANCE instance = ::GetModuleHandleW(nullptr));
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Start-up (see MainController::Load). `commands` must outlive the window.
  void Load(shell::MainCommands* commands) { controller_.Load(commands); }
  // Called once the fade-out has ended and the window is gone.
  void SetOnUnloaded(std::function<void()> on_unloaded) { on_unloaded_ = std::move(on_unloaded); }

  // Where the program's work runs: off the window's thread.
  shell::WorkRunner& runner() { return *runner_; }

  // shell::MainView
  void SetBusy(bool busy) override;
  void SetStatus(const std::u16string& text) override;
  void SetStatusOffersFolder(bool offers) override;
  void SetProgress(std::optional<double> fraction) override;
  // Unbaler's selected entries dragged out of the list (MainController::DragOutItems).
  void DragOut();
  std::intptr_t WindowHandle() const override { return reinterpret_cast<std::intptr_t>(hwnd_); }

  HWND hwnd() const { return hwnd_; }
  HWND Control(shell::Role role) const { return ::GetDlgItem(hwnd_, ControlId(role)); }
  shell::MainController& controller() override { return controller_; }
  const shell::MainController& controller() const { return controller_; }
  // Replaces the pointer the hover tracking reads; for tests. Not owned.
  void SetPointer(shell::Pointer* pointer) { controller_.SetPointer(*pointer); }

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnPointer(const shell::PointerEvent& event, WPARAM wparam, LPARAM lparam);
  // The keyboard: a key pressed in the window or handed on by a control; true when used.
  bool OnKey(WPARAM key, LPARAM flags);
  std::optional<shell::Role> FocusedRole() const;
  // Hands `key`, pressed with `from` focused, to the controller and moves the focus as it says.
  bool RunKey(shell::Key key, std::optional<shell::Role> from, bool repeat = false);

  // shell::MainWindowView
  void SetControlText(shell::Role role, const std::u16string& text) override;
  void SetControlTip(shell::Role role, const std::u16string& tip) override;
  void SetControlItems(shell::Role role, const std::vector<std::u16string>& items) override;
  void SetControlSizes(shell::Role role, const std::vector<std::u16string>& sizes) override;
  std::vector<std::size_t> SelectedControlItems(shell::Role role) const override;
  // Shows lstFiles' context menu, at `place` (screen) or, for -1 (the keyboard), under the item
  // with the focus mark, and runs the command chosen from it.
  void ShowListMenu(LPARAM place);
  void EnableControl(shell::Role role, bool enabled) override;
  void SetControlName(shell::Role role, const std::u16string& name) override;

  // shell::NativeWindow
  shell::Box Screen() const override;
  std::int32_t Left() const override { return WindowBox().left; }
  std::int32_t Top() const override { return WindowBox().top; }
  RECT WindowBox() const;
  void MoveTo(std::int32_t left, std::int32_t top) override;
  void ShapeFromSkin() override;
  void ShowTransparent() override;
  void SetAlpha(std::int32_t alpha) override;
  void SetFadeTimer(bool running) override;
  void Unload() override { ::DestroyWindow(hwnd_); }
  void ShowMessage(const std::u16string& text, const std::u16string& title) override;
  std::intptr_t Handle() const override { return WindowHandle(); }
  shell::PicSurface* Surface(shell::Role role) override;
  std::int32_t Dpi() const override { return dpi_; }

  void CreateControl(const shell::ControlSpec& desc);
  // Sizes the window, its controls, fonts, pictures and outline for `dpi`; the window goes to
  // `suggested` (screen pixels) when given, else keeps its top-left corner.
  void ApplyDpi(int dpi, const RECT* suggested = nullptr);
  // The picture `name` (in skin/, without ".bmp") at `scale` (1 or 2); loaded once.
  HBITMAP LoadPicture(std::string_view name, int scale);
  // The status strip's keys and focus (StatusProc), and its drawing.
  static LRESULT CALLBACK StatusProc(HWND status, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR self);
  void DrawStatus(const DRAWITEMSTRUCT& item) const;
  // Shows the filter over the status strip with the focus; Escape there empties and hides it.
  void OpenFilter();
  void CloseFilter();
  HFONT FontFor(const shell::Font& font);
  // The captions' font at the window's DPI, its em `pixels` high at 1x.
  HFONT CaptionFont(std::int32_t pixels = shell::kCaptionStyle.pixels);
  // A control's font as shown: a label's at the size its text was fitted to (CreateControl).
  shell::Font ShownFont(const shell::ControlSpec& desc) const;
  void Paint();
  LRESULT ColourStatic(HDC dc, HWND control);

  const HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  Win32Pointer pointer_;
  shell::MainController controller_;
  std::function<void()> on_unloaded_;
  bool busy_ = false;
  std::unique_ptr<shell::ThreadRunner> runner_;

  // The GDI objects the window and its controls are drawn with; all owned here.
  int dpi_ = shell::kBaseDpi;
  bool shaped_ = false;  // the outline has been cut: a change of DPI cuts it anew
  HBITMAP skin_ = nullptr;
  std::vector<HGDIOBJ> gdi_objects_;
  std::map<std::wstring, HBITMAP> loaded_pictures_;
  std::vector<std::pair<shell::Font, HFONT>> fonts_;           // at dpi_
  std::vector<std::pair<std::int32_t, HFONT>> caption_fonts_;  // at dpi_, by pixels at 1x
  std::vector<std::unique_ptr<PictureControl>> pictures_;
  const std::array<shell::ControlSpec, 10> controls_;  // indexed by role
  const shell::ControlSpec status_ = shell::StatusLine();
  HBRUSH status_brush_ = nullptr;  // the status line's background
  bool status_offers_folder_ = false;
  std::u16string status_text_;  // the whole status line (the control may show it shortened)
  const shell::ControlSpec filter_ = shell::FilterBox();
  std::optional<double> progress_;    // the part of the work done, drawn under the status line
  bool dragging_out_ = false;         // entries are being dragged out of the list
  std::array<HBRUSH, 10> brushes_{};  // each label's background
  // Each label's text size in points, each picture button's caption size in pixels, as fitted;
  // else 0.
  std::array<std::int32_t, 10> fitted_points_{};
  // The control of the focus order that had the focus when the window was last deactivated.
  std::optional<shell::Role> focus_before_;
  // What a screen reader is told of each control (indexed by role); the status line is read by
  // its window text, its whole line.
  std::array<AccessibleLook, 10> looks_;
  HWND tips_ = nullptr;                 // the tooltips of the path labels and of lstFiles
  std::unique_ptr<FileListBox> files_;  // lstFiles
};

}  // namespace shell::win32
