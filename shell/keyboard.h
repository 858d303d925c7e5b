// The main window from the keyboard, for every front end: which control Tab moves the focus to,
// what Enter and Space do on the focused one, and the mark a focused picture button shows.
//
// Tab moves between the three command buttons, the list, the status strip and the close picture:
// first the button of the upper path row (the archive row in Unbaler, the folder row in Rebaler),
// then the lower row's, the main command, the list, the status strip (only while it offers to
// open a folder) and the close picture; a control that is off is passed over. A front end asks
// which controls are off, since it is the one that turns them off and on.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "shell/main_layout.h"

namespace shell {

// The keys the main window acts on. Shift+Tab is kBackTab.
enum class Key { kTab, kBackTab, kEnter, kSpace, kEscape };

// Whether a control of the window can take the focus now (it is shown and on).
using TakesFocus = std::function<bool(Role)>;

// The controls Tab moves between, in order.
std::array<Role, 6> FocusOrder(Program program);

// Where Tab (or Shift+Tab when `backward`) moves the focus from `from`: the next control of
// FocusOrder that takes it, round from the end to the start. From none of them (the window
// itself has the focus), Tab goes to the first and Shift+Tab to the last. Nothing when no
// control takes the focus.
std::optional<Role> NextFocus(Program program, std::optional<Role> from, bool backward,
                              const TakesFocus& takes_focus);

// The command Enter or Space runs on the focused control: the click of a picture button of the
// focus order or of the status strip; none on the list, which keeps its keys, nor on anything
// else.
Command KeyCommand(Program program, std::optional<Role> focused);

// What the window did with a key: whether it used it (a key not used is left to the focused
// control), and the control to give the focus to, if any.
struct KeyOutcome {
  bool used = false;
  std::optional<Role> focus;
};

// The mark a picture button shows while it has the focus: a dotted frame one pixel wide, `inset`
// pixels inside the button's edge (clear of its rounded corners), every other pixel in the
// colour of the buttons' text, starting with the frame's top-left corner.
struct FocusMark {
  std::int32_t inset;
  Rgb colour;
};
inline constexpr FocusMark kFocusMark{4, {245, 247, 250}};

struct Pixel {
  std::int32_t x, y;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// The pixels of kFocusMark on a button of `width` x `height`, relative to its top-left corner,
// clockwise from the frame's top-left corner; none when the button is too small for the frame.
std::vector<Pixel> FocusMarkPixels(std::int32_t width, std::int32_t height);

}  // namespace shell
