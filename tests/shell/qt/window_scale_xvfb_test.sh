#!/usr/bin/env bash
# Real-window test of a program's main window at a device pixel ratio of 2 (QT_SCALE_FACTOR=2) on
# its own Xvfb server: the window is 884 x 474 screen pixels, the close picture on the screen is
# close_0@2x.bmp pixel for pixel (drawn at 2x, not the 1x picture enlarged), and a click at the
# doubled place of each command runs it: the two choosing commands open their dialogs, the main
# command does its work, the close picture ends the program.
#
# usage: window_scale_xvfb_test.sh <program binary> <window title> <skin folder> <sample archive>
set -euo pipefail

program=$1
title=$2
skin=$3
sample=$4

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"

window_test_setup "$(basename "$program")-scale"
start_xvfb "$work" 1600x1000 -br || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2

# Both paths given, so the main command can run: Unbaler extracts the sample into an empty
# folder; Rebaler packs a folder of one file into a new archive.
mkdir -p "$work/out" "$work/src"
echo "hello" >"$work/src/a.txt"
if [[ $title == Unbaler ]]; then
  "$program" "$sample" "$work/out" >"$work/$test_program.log" 2>&1 &
  upper=file
else
  "$program" "$work/src" "$work/out.pak" >"$work/$test_program.log" 2>&1 &
  upper=dir
fi
app_pid=$!

find_window() { xdotool search --onlyvisible --name "^${title}\$" | head -n 1 | grep .; }
program_ended() { ! kill -0 "$app_pid"; }
shown_or_ended() { find_window || program_ended; }
wait_until 20 shown_or_ended && window=$(find_window) || fail "no window titled $title appeared"
xdotool mousemove 0 0

read -r x y w h < <(xwininfo -id "$window" | awk '
  /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
  /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
[[ $w == 884 && $h == 474 ]] || fail "window is ${w}x${h}, not 884x474"

# The close picture is 24 x 23 at 384, 28 on the skin: 48 x 46 at 768, 56 on the screen.
close_shown() {
  import -window root -crop "48x46+$((x + 768))+$((y + 56))" +repage "$work/close.png" &&
    [[ $(compare -metric AE "$work/close.png" "$skin/close_0@2x.bmp" null: 2>&1) == 0 ]]
}
wait_until 10 close_shown ||
  fail "the close picture on the screen differs from close_0@2x.bmp in" \
    "$(compare -metric AE "$work/close.png" "$skin/close_0@2x.bmp" null: 2>&1) pixels"

# Clicks the middle of a control whose box on the skin is LEFT TOP WIDTH HEIGHT, at twice that.
click_box() {
  xdotool mousemove $((x + 2 * $1 + $3)) $((y + 2 * $2 + $4)) click 1
  xdotool mousemove 0 0
}
# The other windows on the screen, one a line.
others() { xdotool search --onlyvisible --name '.' | grep -vx "$window" || true; }
dialog_open() { [[ -n $(others) ]]; }
dialog_gone() { [[ -z $(others) ]]; }
# Clicks a command that opens a dialog, waits for it, and closes it with Escape.
opens_dialog() {
  local what=$1
  shift
  click_box "$@"
  wait_until 10 dialog_open || fail "a click on $what opened no dialog"
  xdotool windowfocus --sync "$(others | head -n 1)" key Escape
  wait_until 10 dialog_gone || fail "the dialog of $what did not close on Escape"
}

# The path rows: the upper row's button at 318, 54, the lower row's at 318, 160; 102 x 27.
if [[ $upper == file ]]; then file_top=54 dir_top=160; else file_top=160 dir_top=54; fi
opens_dialog "Select File" 318 "$file_top" 102 27
opens_dialog "Select Dir" 318 "$dir_top" 102 27

# The main command at 180, 190: Unbaler extracts, Rebaler packs.
click_box 180 190 102 27
if [[ $title == Unbaler ]]; then
  done_work() { [[ -n $(ls -A "$work/out") ]]; }
else
  done_work() { [[ -s $work/out.pak ]]; }
fi
# A click that comes while the window still leaves the closed dialog's modal state is lost: the
# command is clicked again, a second at a time, until its work shows (doing it twice is harmless).
click_until_done() {
  local tries
  for ((tries = 0; tries < 30; tries++)); do
    wait_until 1 done_work && return 0
    dialog_open && return 1
    click_box 180 190 102 27
  done
  return 1
}
click_until_done || wait_until 10 done_work || fail "a click on the main command did not do its work"
# Whatever it says at the end is let go.
if wait_until 2 dialog_open; then
  xdotool windowfocus --sync "$(others | head -n 1)" key Return
  wait_until 10 dialog_gone || fail "the message of the main command did not close"
fi

# The close picture.
click_box 384 28 24 23
wait_until 10 program_ended || fail "the program did not end after the close click"
status=0
wait "$app_pid" || status=$?
app_pid=
[[ $status == 0 ]] || fail "the program exited with $status"
echo "PASS: $title at 2x"
