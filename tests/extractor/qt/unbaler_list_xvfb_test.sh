#!/usr/bin/env bash
# Unbaler's list on a private X server, driven by xdotool: Shift selects two entries, a right
# click opens the context menu, "Extract Selected Files…" asks for a folder (none is chosen yet)
# and writes those two alone; the menu key opens the menu too; a double click hands a copy of an
# entry to the desktop's opener (a stand-in xdg-open here); closing the window removes the copy.
#
# Usage: unbaler_list_xvfb_test.sh UNBALER BALER [SCREENSHOT]
# SCREENSHOT names the picture of the open menu. Exits 77 (skipped) when Xvfb, xdotool or
# ImageMagick's import is missing. On failure it prints how the program ended, everything it wrote and the windows.
set -euo pipefail

unbaler=$(realpath "$1")
baler=$(realpath "$2")
screenshot=${3:-}

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"
need_tools Xvfb xdotool import

window_test_setup unbaler "${screenshot:+${screenshot%.png}_failure.png}"

start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

# Listed as a.txt, b.png, theme.ogg.
mkdir -p "$work/source" "$work/picked" "$work/bin" "$work/tmp"
printf 'text' >"$work/source/a.txt"
printf 'PNG-bytes' >"$work/source/b.png"
printf 'OggS-bytes' >"$work/source/theme.ogg"
"$baler" pack "$work/source" "$work/test.pak" >/dev/null

# The desktop's opener: records what it was given and what the file held.
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
file=\${1#file://}
printf '%s\n' "\$file" >"$work/opened.txt"
cat "\$file" >"$work/opened-bytes"
SCRIPT
chmod +x "$work/bin/xdg-open"

(cd "$work" && PATH="$work/bin:$PATH" TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb exec "$unbaler") \
  >"$work/unbaler.log" 2>&1 &
app_pid=$!

wait_main_window Unbaler
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
popup_open() { [[ $(visible_windows) -gt 1 ]]; }
popup_closed() { [[ $(visible_windows) -eq 1 ]]; }
focus_on() { xdotool windowfocus --sync "$1" && [[ $(xdotool getwindowfocus) == "$1" ]]; }

click_at $((318 + 51)) $((54 + 13)) # picSelectFile
answer_next_dialog test.pak Return

# The first row of lstFiles, once the archive has been read; the Shift+Down adds the second.
row0_x=$((66 + 30))
row0_y=$((84 + 8))
# The archive is read off the window's thread: the first row shows dark text once it is listed.
listed() {
  local darkest
  darkest=$(import -window root -crop "200x10+$((left + 70))+$((top + 87))" -colorspace gray \
    -format '%[fx:minima.intensity]' info:)
  [[ $darkest < 0.5 ]]
}
wait_until 20 listed || fail "the archive was not listed"
wait_until 20 focus_on "$main" || fail "the main window did not take the keyboard"
selected_two() {
  click_at "$row0_x" "$row0_y" && xdotool key shift+Down
}
# The menu is asked for on the first row: the two rows stay selected.
menu_after_right_click() {
  selected_two && move_to "$row0_x" "$row0_y" && xdotool click 3 && wait_until 2 popup_open
}
wait_until 20 menu_after_right_click || fail "no context menu after a right click on the list"
[[ -z $screenshot ]] || settled_screenshot "$screenshot"
xdotool key Down Return # the first item: "Extract Selected Files…"
# No folder was chosen: the folder browser asks for one, once the menu has gone.
browser_open() { xdotool search --onlyvisible --name '^Browse for Folder'; }
wait_until 20 browser_open || fail "no folder browser after the menu"
answer_next_dialog picked alt+c
picked_two() {
  [[ $(ls -A "$work/picked" | tr '\n' ' ') == "a.txt b.png " &&
    $(cat "$work/picked/b.png") == 'PNG-bytes' ]]
}
wait_until 20 picked_two || fail "the folder does not hold the two entries: $(ls -A "$work/picked")"

# The menu key on the list opens the menu as well; Escape closes it.
click_at "$row0_x" "$row0_y"
xdotool key Menu
wait_until 10 popup_open || fail "no context menu after the menu key"
xdotool key Escape
wait_until 10 popup_closed || fail "the context menu did not close"

# A double click on a.txt: a private copy goes to the opener.
move_to "$row0_x" "$row0_y"
xdotool click --repeat 2 --delay 60 1
wait_until 20 test -s "$work/opened-bytes" || fail "nothing was handed to the opener"
opened=$(cat "$work/opened.txt")
[[ $(cat "$work/opened-bytes") == text ]] || fail "the opener got other bytes from $opened"
[[ $opened == "$work"/tmp/unbaler-*/1/a.txt ]] || fail "the copy is not private: $opened"
[[ $(stat -c %a "${opened%/1/a.txt}") == 700 ]] || fail "the private folder is open to others"

close_main_window Unbaler
! compgen -G "$work/tmp/unbaler-*" >/dev/null || fail "the copies stayed: $(ls -AR "$work/tmp")"
echo "PASS"
