#!/usr/bin/env bash
# Unbaler from end to end on a private X server, with its real dialogs, driven by xdotool:
# choose an archive, choose a folder, extract, check the folder, close the window.
#
# Usage: unbaler_xvfb_test.sh UNBALER BALER [SCREENSHOT]
# Exits 77 (skipped) when Xvfb or xdotool is missing. On failure it prints how the program
# ended, everything it wrote and the visible windows.
set -euo pipefail

unbaler=$(realpath "$1")
baler=$(realpath "$2")
screenshot=${3:-}

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

window_test_setup unbaler "${screenshot:+${screenshot%.png}_failure.png}"

start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

# The archive: a sound entry (shown as .ogg on disk) and a plain one.
mkdir -p "$work/source" "$work/out folder"
printf 'OggS-bytes' >"$work/source/theme.ogg"
printf 'plain data' >"$work/source/data.bin"
"$baler" pack "$work/source" "$work/test.pak" >/dev/null
archive=$work/test.pak
folder="$work/out folder"

# The program starts in the work folder, where its dialogs open, and the dialogs are given bare
# names. An absolute path typed into Qt's dialog makes it select each folder on the way in its
# list while the typing goes on; under load one can stay selected, and the selection, not the
# typed name, is what the dialog takes.
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$unbaler") >"$work/unbaler.log" 2>&1 &
app_pid=$!

find_main() { xdotool search --onlyvisible --name '^Unbaler$' | head -n1 | grep .; }
app_ended() { ! kill -0 "$app_pid"; }
shown_or_ended() { find_main || app_ended; }
wait_until 20 shown_or_ended && main=$(find_main) || fail "the Unbaler window did not appear"
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$X
top=$Y

click_at() {  # x, y inside the main window
  xdotool mousemove --sync $((left + $1)) $((top + $2)) click 1
}
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
dialog_open() { [[ $(visible_windows) -gt 1 ]]; }
dialog_closed() { [[ $(visible_windows) -eq 1 ]]; }
# Gives the dialog the keyboard (there is no window manager to do it) until the server says it
# has it: keys typed after that reach the dialog after its focus event, in order.
focus_on() { xdotool windowfocus --sync "$1" && [[ $(xdotool getwindowfocus) == "$1" ]]; }
# Types a name into the dialog that has just opened over the main window and confirms it.
answer_dialog() {
  wait_until 20 dialog_open || fail "no dialog opened for: $1"
  local dialog
  dialog=$(xdotool search --onlyvisible --pid "$app_pid" | grep -vx "$main" | tail -n1)
  wait_until 20 focus_on "$dialog" || fail "the dialog for $1 did not take the keyboard"
  xdotool type --delay 5 "$1"
  # Under load the name box's completer can still be open when Return arrives; that Return only
  # takes the completion. Return again, to the dialog only, while it stays open.
  local try
  for try in $(seq 1 10); do
    xdotool key Return
    wait_until 2 dialog_closed && return 0
    focus_on "$dialog" || break
  done
  wait_until 20 dialog_closed || fail "the dialog did not close for: $1"
}

click_at $((318 + 51)) $((54 + 13))  # picSelectFile
answer_dialog "$(basename "$archive")"

# The commands are off while the archive is read: clicks until the folder dialog opens.
click_until_dialog() {  # x, y inside the main window
  local try
  for try in $(seq 1 40); do
    click_at "$1" "$2"
    wait_until 1 dialog_open && return 0
  done
  return 1
}
click_until_dialog $((318 + 51)) $((160 + 13)) || fail "no dialog opened for the folder" # picSelectDir
answer_dialog "$(basename "$folder")"

click_at $((180 + 51)) $((190 + 13))  # picExtract
extracted() {
  [[ $(cat "$folder/theme.ogg") == 'OggS-bytes' && $(cat "$folder/data.bin") == 'plain data' &&
    $(od -c <"$folder/FilesList.txt") == "$(printf 'data.bin\r\ntheme.ogg\r\n' | od -c)" ]]
}
wait_until 20 extracted ||
  fail "the folder does not hold the archive: $(ls -AR "$work"; od -c "$folder/FilesList.txt")"
[[ $(ls -A "$folder" | wc -l) -eq 3 ]] || fail "unexpected files: $(ls -A "$folder")"
[[ -z $screenshot ]] || settled_screenshot "$screenshot"

click_at $((384 + 12)) $((28 + 11))  # imgClose: fades out, then the program ends
wait_until 10 app_ended || fail "Unbaler did not end after the close click"
status=0
wait "$app_pid" || status=$?
app_pid=""
[[ $status -eq 0 ]] || fail "Unbaler exited with $status"
echo "PASS"
