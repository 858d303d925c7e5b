#!/usr/bin/env bash
# Drives the real Windows programs under Wine on an X server, with xdotool, through their real
# dialogs: both windows start 442 x 237 and shaped (the desktop shows through the key-coloured
# columns), Unbaler extracts a sample archive chosen in the open dialog into a folder chosen in
# the folder dialog, selects two entries with Ctrl and extracts them alone from the list's context
# menu (which Shift+F10 opens too), and says so when no program opens a double-clicked entry;
# Rebaler packs the edited folder after the difference dialog, a cancelled repack writes nothing,
# the close picture ends each program, and Unbaler started with an archive and a folder on its
# command line extracts with one click. Last, at 192 dpi (the prefix's LogPixels, put back
# afterwards): Unbaler's window is 884 x 474, its close picture is close_0@2x.bmp pixel for
# pixel, and a click at the doubled place of each command runs it.
#
#   tests/shell/win32/window_wine_test.sh BIN_DIR SHOTS_DIR
#
# Expects DISPLAY (an X server without a window manager), WINEPREFIX (booted, with
# "Managed"="N" for the X11 driver) and HOME (the folder the prefix's Desktop points to: the
# folder dialog opens there, and everything in it is removed here, so it must be the Wine tests'
# own home folder, .../wine-test/home). Screenshots go to SHOTS_DIR.
# On failure it prints how the program under test ended and everything it wrote.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"  # the wait and report helpers

bin="$(cd "$1" && pwd)"
shots="$2"
mkdir -p "$shots"
wine="${WINE:-wine}"
desktop="$HOME"
if [[ $desktop != */wine-test/home ]]; then
  echo "window_test: HOME is $desktop, not the Wine tests' own home folder (.../wine-test/home)" >&2
  exit 2
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/baler-window-test.XXXXXX")"
pids=()
program_name=""
program_pid=""
program_log=""

# The prefix's screen density; set for the 192 dpi part, removed again on the way out.
set_dpi() {  # DPI, or nothing to remove the setting
  if [[ -n ${1:-} ]]; then
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f
  else
    "$wine" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f
  fi >/dev/null 2>&1
}
dpi_set=""

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [[ -n $dpi_set ]]; then set_dpi || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Ends the test as failed, with a screenshot, the windows and what the program under test wrote
# (xvfb.sh's `fail` reports a program that window_test_setup started instead).
fail_wine_test() {
  echo "window_test: FAIL: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null || true
  report_windows
  if [[ -n $program_name ]]; then report_program "$program_name" "$program_pid" "$program_log"; fi
  exit 1
}
step() { echo "window_test: $*"; }

# The Windows form of a Linux path, through Wine's drive Z:.
win_path() { echo "Z:${1//\//\\}"; }

wait_window() {  # NAME_REGEX [SECONDS] -> window id
  local deadline=$((SECONDS + ${2:-20})) id
  while ((SECONDS < deadline)); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    if [[ -n "$id" ]]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  return 1
}

no_window() { ! xdotool search --onlyvisible --name "$1"; }
wait_gone() { wait_until "${2:-20}" no_window "$1"; }  # NAME_REGEX [SECONDS]
wait_file() { wait_until "${2:-20}" test -s "$1"; }    # PATH [SECONDS]

wait_exit() {  # PID [SECONDS] -> exit code of the program
  local deadline=$((SECONDS + ${2:-20}))
  while ((SECONDS < deadline)); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      return $?
    fi
    sleep 0.2
  done
  return 124
}

# Clicks at (x, y) of the window's client area.
click_in() {  # WID X Y
  # shellcheck disable=SC2034  # getwindowgeometry sets all six
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
}

pixel() {  # PNG X Y -> r,g,b
  convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# A desktop of one colour, so that what shows through the window's cut-outs can be recognised.
background="58,110,165"
convert -size 1024x768 "xc:rgb($background)" "$work/desktop.png"
display -window root "$work/desktop.png" >/dev/null 2>&1 || true  # exits 1 even when it worked
import -window root "$work/root.png"
[[ "$(pixel "$work/root.png" 5 5)" == "$background" ]] || fail_wine_test "cannot paint the desktop (ImageMagick display)"

# Start, geometry, shape, and a screenshot of the faded-in window.
start_program() {  # EXE TITLE SHOT -> sets program_pid, program_wid
  program_name=$1
  program_log="$work/$1.log"
  "$wine" "$bin/$1" >"$program_log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  program_wid="$(wait_window "^$2\$" 30)" || fail_wine_test "$2 did not open its window"
  local geometry extents
  geometry="$(xwininfo -id "$program_wid" | sed -n 's/^  -geometry //p')"
  [[ "$geometry" == 442x237+* ]] || fail_wine_test "$2: window geometry $geometry, not 442x237"
  extents="$(xwininfo -id "$program_wid" -shape | sed -n 's/^  Window shape extents:  //p')"
  # The skin's first and last columns are key-coloured: the shape starts at x 1 and is narrower.
  [[ "$extents" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail_wine_test "$2: not shaped ($extents)"
  ((BASH_REMATCH[1] < 442 && BASH_REMATCH[3] >= 1)) || fail_wine_test "$2: shape $extents keeps the key columns"
  # shellcheck disable=SC2034  # getwindowgeometry sets all six
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$program_wid")"
  # The fade-in ends at 235 of 255; the X11 driver hands that on as the window's opacity.
  wait_until 20 faded_in "$program_wid" || fail_wine_test "$2 did not fade in ($(opacity "$program_wid"))"
  settled_screenshot "$work/root.png"
  convert "$work/root.png" -crop "462x257+$((X - 10))+$((Y - 10))" +repage "$shots/$3"
  # In the crop the window starts at (10, 10): its left and right key columns show the desktop,
  # the screen area in the middle does not.
  [[ "$(pixel "$shots/$3" 10 128)" == "$background" ]] || fail_wine_test "$2: left column is not cut out"
  [[ "$(pixel "$shots/$3" 451 128)" == "$background" ]] || fail_wine_test "$2: right column is not cut out"
  [[ "$(pixel "$shots/$3" 231 128)" != "$background" ]] || fail_wine_test "$2: the window body is missing"
  step "$2: 442x237, shape $extents, screenshot $3"
}

# The window's opacity as the X11 driver last set it (0 to 4294967295), or nothing.
opacity() { xprop -id "$1" _NET_WM_WINDOW_OPACITY | sed -n 's/.* = \([0-9]*\)$/\1/p'; }
faded_in() { (($(opacity "$1") == 235 * 16843009)); }

# Gives the window the keyboard (there is no window manager to do it) until the server says it
# has it: keys typed after that reach the window after its focus event, in order.
focus_on() { xdotool windowfocus --sync "$1" && [[ $(xdotool getwindowfocus) == "$1" ]]; }

close_program() {  # TITLE
  click_in "$program_wid" 395 39  # imgClose
  local code=0
  wait_exit "$program_pid" 20 || code=$?
  ((code == 0)) || fail_wine_test "$1 did not end after the close picture (exit $code)"
  program_name=""
  step "$1: the close picture ended the program"
}

choose_file() {  # DIALOG_TITLE_REGEX PATH
  local dialog
  dialog="$(wait_window "$1" 20)" || fail_wine_test "no file dialog ($1)"
  wait_until 20 focus_on "$dialog" || fail_wine_test "the file dialog ($1) did not take the keyboard"
  xdotool type --delay 20 "$(win_path "$2")"
  xdotool key Return
  wait_gone "$1" 20 || fail_wine_test "the file dialog did not close"
}

choose_desktop_folder() {
  local dialog
  dialog="$(wait_window '^Browse for Folder$' 20)" || fail_wine_test "no folder dialog"
  choose_desktop_folder_in "$dialog"
}

# Clicks the picture at (X, Y) until the folder dialog opens: the commands are off while the
# window still reads the archive chosen before.
click_for_folder_dialog() {  # X Y
  local dialog=""
  for _ in {1..10}; do
    click_in "$program_wid" "$1" "$2"
    dialog="$(wait_window '^Browse for Folder$' 2)" && break
  done
  [[ -n $dialog ]] || fail_wine_test "no folder dialog"
  choose_desktop_folder_in "$dialog"
}

# Clicks the picture at (X, Y) until a window titled TITLE_REGEX opens, and prints its id: the
# commands are off while the window still reads the folder chosen before, or ends a pack.
click_for_window() {  # X Y TITLE_REGEX
  local window=""
  for _ in {1..10}; do
    click_in "$program_wid" "$1" "$2"
    window="$(wait_window "$3" 2)" && break
  done
  [[ -n $window ]] || return 1
  echo "$window"
}

choose_desktop_folder_in() {  # DIALOG
  local dialog=$1
  # It opens on the desktop folder, which is $HOME here.
  wait_until 20 focus_on "$dialog" || fail_wine_test "the folder dialog did not take the keyboard"
  xdotool key Return
  wait_gone '^Browse for Folder$' 20 || fail_wine_test "the folder dialog did not close"
}

# ---- The sample: three files packed by baler into an archive ----
mkdir -p "$work/source"
printf 'first entry' >"$work/source/a.ogg"
printf '\x00\x01\x02binary' >"$work/source/b.bin"
printf 'sound' >"$work/source/sound.ogg"
"$wine" "$bin/baler.exe" pack "$(win_path "$work/source")" "$(win_path "$work/sample.pak")" \
  || fail_wine_test "baler could not pack the sample"
find "$desktop" -mindepth 1 -maxdepth 1 -exec rm -rf {} +

# ---- Unbaler: drag, open dialog, folder dialog, extract ----
start_program unbaler.exe Unbaler unbaler.png
# Dragging the bare skin moves the window after the pointer (2 twips per pixel of offset per
# pointer move, so less far than the pointer went).
eval "$(xdotool getwindowgeometry --shell "$program_wid")"
before_x=$X
xdotool mousemove --sync $((X + 30)) $((Y + 120)) mousedown 1
xdotool mousemove --sync $((X + 90)) $((Y + 120))
moved() {
  eval "$(xdotool getwindowgeometry --shell "$program_wid")"
  ((X != before_x))
}
wait_until 20 moved || true
xdotool mouseup 1
eval "$(xdotool getwindowgeometry --shell "$program_wid")"
((X > before_x && X <= before_x + 60)) || fail_wine_test "dragging moved the window from x $before_x to $X"
step "Unbaler: dragging the skin moved the window from x $before_x to $X"
click_in "$program_wid" 369 67  # picSelectFile, upper row
choose_file '^Open$' "$work/sample.pak"
click_for_folder_dialog 369 173  # picSelectDir, lower row
click_in "$program_wid" 231 203  # picExtract
extracted() {
  local name
  [[ "$(od -An -c "$desktop/FilesList.txt" | tr -s ' ')" == "$(printf 'a.ogg\r\nb.bin\r\nsound.ogg\r\n' | od -An -c | tr -s ' ')" ]] || return 1
  for name in a.ogg b.bin sound.ogg; do cmp -s "$work/source/$name" "$desktop/$name" || return 1; done
}
wait_until 20 extracted || fail_wine_test "Unbaler did not extract the archive: $(ls -l "$desktop"; od -c "$desktop/FilesList.txt")"
settled_screenshot "$work/root.png"
eval "$(xdotool getwindowgeometry --shell "$program_wid")"
convert "$work/root.png" -crop "462x257+$((X - 10))+$((Y - 10))" +repage "$shots/unbaler-extracted.png"
step "Unbaler: extracted the archive through the real dialogs"

# ---- Unbaler's list: Ctrl selection, the context menu, opening an entry ----
# Rows of lstFiles (a.ogg, b.bin, sound.ogg), in the window's client area.
row_y() { echo $((84 + 2 + 13 * $1 + 6)); }
unbaler_windows() { xdotool search --onlyvisible --classname '^unbaler.exe$' 2>/dev/null | wc -l; }
find "$desktop" -mindepth 1 -maxdepth 1 -exec rm -rf {} +
click_in "$program_wid" 120 "$(row_y 0)"
xdotool keydown ctrl
click_in "$program_wid" 120 "$(row_y 2)"
xdotool keyup ctrl
windows_before=$(unbaler_windows)
menu_open() { (($(unbaler_windows) > windows_before)); }
eval "$(xdotool getwindowgeometry --shell "$program_wid")"
xdotool mousemove --sync $((X + 120)) $((Y + $(row_y 2))) click 3
wait_until 10 menu_open || fail_wine_test "no context menu after a right click on the list"
settled_screenshot "$work/root.png"
convert "$work/root.png" -crop "462x257+$((X - 10))+$((Y - 10))" +repage "$shots/unbaler-list-menu.png"
xdotool key Down Return  # "Extract Selected Files…": the folder dialog, at the folder chosen before
choose_desktop_folder
picked_two() {
  [[ "$(ls -A "$desktop" | tr '\n' ' ')" == "a.ogg sound.ogg " ]] &&
    cmp -s "$work/source/sound.ogg" "$desktop/sound.ogg"
}
wait_until 20 picked_two || fail_wine_test "Extract Selected Files wrote: $(ls -A "$desktop")"
step "Unbaler: Ctrl+click selected two entries; the context menu extracted those alone"
# Shift+F10 with the list in focus opens the menu as well; Escape closes it.
menu_closed() { (($(unbaler_windows) == windows_before)); }
xdotool key shift+F10
wait_until 10 menu_open || fail_wine_test "no context menu after Shift+F10 on the list"
xdotool key Escape
wait_until 10 menu_closed || fail_wine_test "the context menu did not close"
step "Unbaler: Shift+F10 on the list opened the context menu"
# A .bin is not a kind that opens from the list: a double click on it says so.
xdotool mousemove --sync $((X + 120)) $((Y + $(row_y 1))) click --repeat 2 --delay 60 1
no_program_box() { xdotool search --onlyvisible --name '^Unbaler$' | grep -vqx "$program_wid"; }
wait_until 20 no_program_box || fail_wine_test "no message after a double click on b.bin"
settled_screenshot "$shots/unbaler-open-failed.png"
xdotool key Return
wait_until 20 bash -c "! xdotool search --onlyvisible --name '^Unbaler\$' | grep -vqx $program_wid" ||
  fail_wine_test "the message box did not close"
step "Unbaler: a double click on an entry of a kind that is not opened shows a message"
# The whole archive again, as Rebaler's part below expects the folder.
click_in "$program_wid" 231 203  # picExtract
wait_until 20 extracted || fail_wine_test "Unbaler did not extract the archive again"
close_program Unbaler

# ---- Rebaler: save dialog, folder dialog, difference dialog, repack ----
rm "$desktop/b.bin"
printf 'added later' >"$desktop/new.ogg"
start_program rebaler.exe Rebaler rebaler.png
click_in "$program_wid" 369 173  # picSelectFile, lower row
choose_file '^Save As$' "$work/repacked.pak"
click_in "$program_wid" 369 67  # picSelectDir, upper row
choose_desktop_folder
diff_dialog="$(click_for_window 231 203 '^Files List Diff$')" || fail_wine_test "no difference dialog"
settled_screenshot "$shots/files-list-diff.png"
# Tab order: lstAdded (focused), lstDeleted, cmdOK.
wait_until 20 focus_on "$diff_dialog" || fail_wine_test "the difference dialog did not take the keyboard"
xdotool key Tab Tab space
wait_gone '^Files List Diff$' 20 || fail_wine_test "the difference dialog did not close"
# The archive is written aside and renamed into place: once it is there, it is whole.
wait_file "$work/repacked.pak" 20 || fail_wine_test "Rebaler wrote no archive"
"$wine" "$bin/baler.exe" list "$(win_path "$work/repacked.pak")" | tr -d '\r' | sort >"$work/names"
[[ "$(cat "$work/names")" == "$(printf 'a.ogg\nnew.ogg\nsound.ogg')" ]] \
  || fail_wine_test "repacked archive holds: $(cat "$work/names")"
mkdir "$work/check"
"$wine" "$bin/baler.exe" extract "$(win_path "$work/repacked.pak")" "$(win_path "$work/check")" \
  || fail_wine_test "baler could not read the repacked archive"
for name in a.ogg new.ogg sound.ogg; do
  cmp -s "$desktop/$name" "$work/check/$name" || fail_wine_test "repacked $name differs"
done
step "Rebaler: packed the folder after the difference dialog"

# A cancelled repack writes nothing.
cp "$work/repacked.pak" "$work/before.pak"
diff_dialog="$(click_for_window 231 203 '^Files List Diff$')" ||
  fail_wine_test "no difference dialog the second time"
wait_until 20 focus_on "$diff_dialog" || fail_wine_test "the difference dialog did not take the keyboard"
xdotool key Tab Tab Tab space  # Command1, "Cancel the Packing"
canceled="$(wait_window '^Repack Canceled$' 20)" || fail_wine_test "no Repack Canceled message"
settled_screenshot "$shots/repack-canceled.png"
wait_until 20 focus_on "$canceled" || fail_wine_test "the message box did not take the keyboard"
xdotool key Return
wait_gone '^Repack Canceled$' 20 || fail_wine_test "the message box did not close"
cmp -s "$work/before.pak" "$work/repacked.pak" || fail_wine_test "a cancelled repack changed the archive"
step "Rebaler: a cancelled repack left the archive alone"
close_program Rebaler

# ---- Unbaler started with an archive and a folder, as "Open with" starts it ----
mkdir -p "$work/given out"
program_name=unbaler.exe
program_log="$work/unbaler-open-with.log"
"$wine" "$bin/unbaler.exe" "$(win_path "$work/sample.pak")" "$(win_path "$work/given out")" \
  >"$program_log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
program_wid="$(wait_window '^Unbaler$' 30)" || fail_wine_test "Unbaler did not open with a command line"
given_extracted() { cmp -s "$work/source/sound.ogg" "$work/given out/sound.ogg"; }
# No dialog: the extract command is on once the archive given has been read.
for _ in {1..20}; do
  click_in "$program_wid" 231 203  # picExtract
  wait_until 1 given_extracted && break
done
given_extracted || fail_wine_test "Unbaler started with a command line did not extract: $(ls -l "$work/given out")"
settled_screenshot "$work/root.png"
eval "$(xdotool getwindowgeometry --shell "$program_wid")"
convert "$work/root.png" -crop "462x257+$((X - 10))+$((Y - 10))" +repage "$shots/unbaler-open-with.png"
step "Unbaler: started with an archive and a folder, extracted with one click"
close_program Unbaler

# ---- Unbaler at 192 dpi: everything twice the size, the pictures drawn at 2x ----
skin="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../skin" && pwd)"
dpi_set=yes
set_dpi 192
mkdir -p "$work/dpi out"
program_name=unbaler.exe
program_log="$work/unbaler-192.log"
"$wine" "$bin/unbaler.exe" "$(win_path "$work/sample.pak")" "$(win_path "$work/dpi out")" \
  >"$program_log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
program_wid="$(wait_window '^Unbaler$' 30)" || fail_wine_test "Unbaler did not open at 192 dpi"
geometry="$(xwininfo -id "$program_wid" | sed -n 's/^  -geometry //p')"
[[ "$geometry" == 884x474+* ]] || fail_wine_test "at 192 dpi: window geometry $geometry, not 884x474"
wait_until 20 faded_in "$program_wid" || fail_wine_test "at 192 dpi: no fade-in"
xdotool mousemove 0 0
# The close picture, 24 x 23 at 384, 28 on the skin: 48 x 46 at 768, 56.
close_is_2x() {
  eval "$(xdotool getwindowgeometry --shell "$program_wid")"
  import -window root -crop "48x46+$((X + 768))+$((Y + 56))" +repage "$work/close.png" &&
    [[ $(compare -metric AE "$work/close.png" "$skin/close_0@2x.bmp" null: 2>&1) == 0 ]]
}
wait_until 10 close_is_2x || fail_wine_test "at 192 dpi the close picture differs from close_0@2x.bmp" \
  "in $(compare -metric AE "$work/close.png" "$skin/close_0@2x.bmp" null: 2>&1) pixels"
settled_screenshot "$work/root.png"
convert "$work/root.png" -crop "904x494+$((X - 10))+$((Y - 10))" +repage "$shots/unbaler-192dpi.png"
# Each command at twice its place on the skin: the middle of picSelectFile (318, 54, 102 x 27),
# picSelectDir (318, 160) and picExtract (180, 190).
dialog="$(click_for_window 738 134 '^Open$')" || fail_wine_test "at 192 dpi: Select File opened nothing"
wait_until 20 focus_on "$dialog" || fail_wine_test "the open dialog did not take the keyboard"
xdotool key Escape
wait_gone '^Open$' 20 || fail_wine_test "the open dialog did not close"
dialog="$(click_for_window 738 346 '^Browse for Folder$')" ||
  fail_wine_test "at 192 dpi: Select Dir opened nothing"
wait_until 20 focus_on "$dialog" || fail_wine_test "the folder dialog did not take the keyboard"
xdotool key Escape
wait_gone '^Browse for Folder$' 20 || fail_wine_test "the folder dialog did not close"
dpi_extracted() { cmp -s "$work/source/sound.ogg" "$work/dpi out/sound.ogg"; }
# The command is on once the archive given has been read.
for _ in {1..20}; do
  click_in "$program_wid" 462 406
  wait_until 1 dpi_extracted && break
done
dpi_extracted || fail_wine_test "at 192 dpi: Extract Files extracted nothing: $(ls -l "$work/dpi out")"
step "Unbaler at 192 dpi: 884x474, the close picture at 2x, each command at its doubled place"
click_in "$program_wid" 792 78  # imgClose
code=0
wait_exit "$program_pid" 20 || code=$?
((code == 0)) || fail_wine_test "at 192 dpi Unbaler did not end after the close picture (exit $code)"
program_name=""
set_dpi
dpi_set=""
step "Unbaler at 192 dpi: the close picture at its doubled place ended the program"

find "$desktop" -mindepth 1 -maxdepth 1 -exec rm -rf {} +
step "all passed"
