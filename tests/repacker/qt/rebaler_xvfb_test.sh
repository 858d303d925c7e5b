#!/usr/bin/env bash
# Drives the real rebaler on a private Xvfb display with xdotool, through the real folder and
# save dialogs and the difference dialog: an extracted folder with one file added and one
# deleted is packed after "Continue with Packing", the archive on disk is checked with baler,
# and the window is closed with its close picture.
#
# The folder is big enough for the pack to take a while: meanwhile the window must show the
# progress, and the close picture must show its hover picture under the pointer; afterwards the
# status line must say what was done. The program writes its status lines to its standard error
# (BALER_ECHO_STATUS), which is how the test reads them.
#
# Usage: rebaler_xvfb_test.sh REBALER BALER [SHOT_DIR]
# Screenshots of the main window, of the difference dialog, of the window while packing and
# after it go to SHOT_DIR (default: the current folder). Exits 77 (skipped) when Xvfb, xdotool or
# ImageMagick is missing. On failure it prints how the program ended, everything it wrote and the
# visible windows.
set -euo pipefail

rebaler=$(realpath "$1")
baler=$(realpath "$2")
shots=$(realpath "${3:-.}")
skin=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../../skin")
source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"
need_tools Xvfb xdotool import convert compare

window_test_setup rebaler "$shots/rebaler_xvfb_failure.png"

# Waits up to $1 seconds for a visible window whose name matches $2 and prints its id; gives up
# early when the program has ended.
wait_window() {
  local deadline=$((SECONDS + $1)) id
  while ((SECONDS < deadline)); do
    id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    [[ -z $app_pid ]] || kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# Whether no visible window matches $1.
window_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Qt's file dialogs complete typed paths in a popup, which under load can show up late and stay
# open after its dialog has closed; the next click would only close it. Waits for stray windows
# of the program to go and sends Escape to one that stays (the main window ignores Escape).
dismiss_strays() {
  local deadline=$((SECONDS + 10)) tries=0 id stray
  while ((SECONDS < deadline)); do
    stray=""
    for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
      [[ $id != "$main" ]] && stray=$id
    done
    [[ -z $stray ]] && return 0
    if ((++tries % 10 == 0)); then xdotool key Escape; fi
    sleep 0.05
  done
  return 1
}

# Window-relative click: window id, x, y.
click_in() {
  local x y
  eval "$(xdotool getwindowgeometry --shell "$1")"  # sets X, Y, WIDTH, HEIGHT
  x=$((X + $2)) y=$((Y + $3))
  xdotool mousemove --sync "$x" "$y" click 1
}


# Types a line into the dialog $1 and confirms it with the key $3.
type_line() {
  answer_qt_dialog "$1" "$2" "$3" || fail "the dialog $1 did not take or did not close for: $2"
}

# The status lines the program has shown so far, one a line.
statuses() { sed -n 's/^status: //p' "$work/rebaler.log"; }
last_status() { statuses | tail -n1; }
# Whether the program has shown a status line that matches the pattern $1 whole. (A grep -q at
# the end of a pipe would end the pipe early, which pipefail takes for a failure.)
shown() { grep -qx "status: $1" "$work/rebaler.log"; }

start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

# An archive, extracted as Unbaler would; then one file added and one deleted.
mkdir -p "$work/src" "$work/files"
for name in intro menu_click victory; do printf 'OggS %s\n' "$name" >"$work/src/$name.ogg"; done
printf 'title=Sample\n' >"$work/src/game.ini"
# Filler for the pack to last some seconds (holes on disk here; not once extracted).
(cd "$work/src" && seq -f 'fill_%05g.bin' 1 20000 | xargs truncate -s 16K)
truncate -s 300M "$work/src/large.bin"
"$baler" pack "$work/src" "$work/original.pak" >/dev/null
"$baler" extract "$work/original.pak" "$work/files" >/dev/null
printf 'OggS added\n' >"$work/files/added.ogg"
rm "$work/files/menu_click.ogg"
archive="$work/repacked.pak"

# The program starts in the work folder, where its dialogs open, and the dialogs are given bare
# names. An absolute path typed into Qt's dialog makes it select each folder on the way in its
# list while the typing goes on; under load one can stay selected, and the selection, not the
# typed name, is what the dialog takes.
(cd "$work" && BALER_ECHO_STATUS=1 QT_QPA_PLATFORM=xcb exec "$rebaler") >"$work/rebaler.log" 2>&1 &
app_pid=$!
main=$(wait_window 20 '^Rebaler$') || fail "the main window did not appear"

# The folder row is on top: Select Dir, then the folder dialog.
click_in "$main" $((318 + 51)) $((54 + 13))
dialog=$(wait_window 20 'Browse for Folder') || fail "the folder dialog did not appear"
type_line "$dialog" files alt+c
wait_until 20 window_gone 'Browse for Folder' || fail "the folder dialog did not close"
dismiss_strays || fail "a window of the folder dialog stayed open"
# The folder is read off the window's thread; its commands come back when the list is filled.
listed() { shown 'Reading.*' && [[ $(last_status) != Reading* ]]; }
wait_until 20 listed || fail "the folder was not listed: $(statuses | tail -n3)"

# Select File, then Qt's save dialog.
click_in "$main" $((318 + 51)) $((160 + 13))
dialog=$(wait_window 20 '^Save As$') || fail "the save dialog did not appear"
type_line "$dialog" "$(basename "$archive")" Return
wait_until 20 window_gone '^Save As$' || fail "the save dialog did not close"
dismiss_strays || fail "a window of the save dialog stayed open"
settled_screenshot "$shots/rebaler_xvfb_main.png"

# Pack Files: the difference dialog, answered with "Continue with Packing".
click_in "$main" $((180 + 51)) $((190 + 13))
diff=$(wait_window 20 '^Files List Diff$') || fail "the difference dialog did not appear"
settled_screenshot "$shots/rebaler_xvfb_diff.png"
click_in "$diff" $((131 + 60)) $((242 + 12))
wait_until 20 window_gone '^Files List Diff$' || fail "the difference dialog did not close"

# Straight onto the close picture: the window follows the pointer while the pack runs, so the
# hover picture shows before the status line says that the work has ended.
eval "$(xdotool getwindowgeometry --shell "$main")"  # sets X, Y
xdotool mousemove --sync $((X + 384 + 12)) $((Y + 28 + 11))
hover=$skin/close_1.bmp
shows_hover() {  # leaves the screen in $work/screen.png
  import -window root "$work/screen.png" &&
    convert "$work/screen.png" -crop "$(identify -format '%wx%h' "$hover")+$((X + 384))+$((Y + 28))" \
      +repage "$work/crop.png" &&
    [[ $(compare -metric AE "$work/crop.png" "$hover" null: 2>&1) == 0 ]]
}
wait_until 30 shows_hover || fail "the close picture did not show its hover picture"
shown ".* packed into .*" &&
  fail "the pack ended before the window was seen to answer: make the folder bigger"
cp "$work/screen.png" "$shots/rebaler_xvfb_progress.png"
progressing() { shown 'Packing [0-9]* of [0-9]*, [0-9.]* of [0-9.]* \(bytes\|[KMG]B\)'; }
wait_until 30 progressing || fail "no progress was shown: $(statuses | tail -n3)"
xdotool mousemove --sync 0 0

ended() { [[ $(last_status) != Packing* ]]; }
wait_until 60 ended || fail "the pack did not end: $(last_status)"
listing=$("$baler" list "$archive") || fail "no archive was written: $(ls -A "$work")"
done_line=$(last_status)
grep -qx "$(wc -l <<<"$listing") files packed into $archive ([0-9]* MB)" <<<"$done_line" ||
  fail "the status line says '$done_line'"
settled_screenshot "$shots/rebaler_xvfb_done.png"
grep -qx 'added.ogg' <<<"$listing" || fail "added.ogg is missing from the archive"
grep -qx 'menu_click.ogg' <<<"$listing" && fail "the deleted menu_click.ogg is still packed"
grep -qx 'intro.ogg' <<<"$listing" || fail "intro.ogg is missing from the archive"

# The close picture fades the window out and ends the program.
click_in "$main" $((384 + 12)) $((28 + 11))
rebaler_ended() { ! kill -0 "$app_pid"; }
wait_until 10 rebaler_ended || fail "rebaler did not end after the close picture"
status=0
wait "$app_pid" || status=$?
app_pid=""
((status == 0)) || fail "rebaler ended with status $status"
echo "PASS: packed $(wc -l <<<"$listing") files; added.ogg in, menu_click.ogg out"
