#include "shell/keyboard.h"

#include <algorithm>

namespace shell {

std::array<Role, 6> FocusOrder(Program program) {
  using enum Role;
  if (program == Program::kUnbaler) {
    return {kSelectFile, kSelectDir, kMainCommand, kFiles, kStatus, kClose};
  }
  return {kSelectDir, kSelectFile, kMainCommand, kFiles, kStatus, kClose};
}

std::optional<Role> NextFocus(Program program, std::optional<Role> from, bool backward,
                              const TakesFocus& takes_focus) {
  const auto order = FocusOrder(program);
  const auto count = static_cast<std::ptrdiff_t>(order.size());
  const auto found = from ? std::find(order.begin(), order.end(), *from) : order.end();
  // From outside the order, start just before the first (or just after the last) control.
  std::ptrdiff_t at = found != order.end() ? found - order.begin() : (backward ? count : -1);
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = (at + (backward ? count - 1 : 1)) % count;
    if (takes_focus(order[static_cast<std::size_t>(at)]))
      return order[static_cast<std::size_t>(at)];
  }
  return std::nullopt;
}

Command KeyCommand(Program program, std::optional<Role> focused) {
  if (!focused) return Command::kNone;
  const auto order = FocusOrder(program);
  if (std::find(order.begin(), order.end(), *focused) == order.end()) return Command::kNone;
  if (*focused == Role::kStatus) return StatusLine().click;
  for (const ControlSpec& desc : MainWindowControls(program)) {
    if (desc.role == *focused && desc.kind == ControlKind::kPictureButton) return desc.click;
  }
  return Command::kNone;
}

std::vector<Pixel> FocusMarkPixels(std::int32_t width, std::int32_t height) {
  const std::int32_t left = kFocusMark.inset;
  const std::int32_t top = kFocusMark.inset;
  const std::int32_t right = width - 1 - kFocusMark.inset;
  const std::int32_t bottom = height - 1 - kFocusMark.inset;
  if (right <= left || bottom <= top) return {};
  // The frame's outline, clockwise, each pixel once.
  std::vector<Pixel> outline;
  for (std::int32_t x = left; x < right; ++x) outline.push_back({x, top});
  for (std::int32_t y = top; y < bottom; ++y) outline.push_back({right, y});
  for (std::int32_t x = right; x > left; --x) outline.push_back({x, bottom});
  for (std::int32_t y = bottom; y > top; --y) outline.push_back({left, y});
  std::vector<Pixel> dots;
  for (std::size_t i = 0; i < outline.size(); i += 2) dots.push_back(outline[i]);
  return dots;
}

}  // namespace shell
