#!/usr/bin/env bash
# Real-window test of a program's main window on its own Xvfb server (no window manager):
# the window appears at 442 x 237, centred; its shape leaves the key-coloured edge columns of the
# skin outside; dragging the skin moves it after the pointer; a click on the close picture
# fades it out and the program exits with 0.
#
# usage: window_xvfb_test.sh <program binary> <window title>
# On failure it prints how the program ended and everything it wrote.
set -euo pipefail

program=$1
title=$2
screen_w=1024
screen_h=768

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"

window_test_setup "$(basename "$program")"

start_xvfb "$work" "${screen_w}x${screen_h}" -br || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export QT_QPA_PLATFORM=xcb

"$program" >"$work/$test_program.log" 2>&1 &
app_pid=$!

find_window() { xdotool search --onlyvisible --name "^${title}\$" | head -n 1 | grep .; }
program_ended() { ! kill -0 "$app_pid"; }
shown_or_ended() { find_window || program_ended; }
wait_until 20 shown_or_ended && window=$(find_window) || fail "no window titled $title appeared"

# Prints "x y width height" of the window.
geometry() {
  xwininfo -id "$window" | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
# Prints the distinct colours of a rectangle of the screen, one a line.
colours() {
  import -window root -crop "$1" +repage txt:- | awk 'NR > 1 { print $3 }' | sort -u
}

read -r x y w h < <(geometry)
[[ $w == 442 && $h == 237 ]] || fail "window is ${w}x${h}, not 442x237"
# A window that was just mapped shows the black root until the program paints it.
background=$(colours 1x1+0+0)
list_drawn() { [[ $(colours "1x1+$((x + 76))+$((y + 94))") != "$background" ]]; }
wait_until 10 list_drawn || fail "the window is not drawn"
# Centred: (1024 - 442) / 2 = 291; (768 - 237) / 2 = 265.5, which rounds to 265 or 266.
[[ $x == 291 && ($y == 265 || $y == 266) ]] || fail "window at $x,$y is not centred"

# The skin's leftmost and rightmost columns are all key colour (white): with the shape applied
# the black root shows there, while the list inside is drawn (above).
for column in 0 441; do
  seen=$(colours "1x${h}+$((x + column))+${y}")
  [[ $seen == "$background" ]] || fail "column $column of the window is not cut out: $seen"
done

# Drag the skin 100 pixels right and hold the button: each move shifts the window by 2 twips per
# pixel of offset, and the window glides after the still pointer until under 8 pixels remain.
xdotool mousemove $((x + 30)) $((y + 120)) mousedown 1 mousemove $((x + 130)) $((y + 120))
moved=0
glided() {
  read -r nx ny _ _ < <(geometry)
  moved=$((nx - x))
  ((moved >= 92))
}
wait_until 10 glided || true
xdotool mouseup 1
((moved >= 92 && moved <= 100)) || fail "the drag moved the window by $moved pixels, not 92 to 100"
[[ $ny == "$y" ]] || fail "a level drag moved the window from top $y to $ny"
x=$nx

# The close picture is 24 x 23 at 384, 28.
xdotool mousemove $((x + 396)) $((y + 39)) click 1
wait_until 10 program_ended || fail "the program did not end after the close click"
status=0
wait "$app_pid" || status=$?
app_pid=
[[ $status == 0 ]] || fail "the program exited with $status"
echo "PASS: $title"
