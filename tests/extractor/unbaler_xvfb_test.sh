#!/usr/bin/env bash
# Unbaler from end to end on a private X server, with its real dialogs, driven by xdotool:
# choose an archive, choose a folder, extract, check the folder, close the window.
#
# Usage: unbaler_xvfb_test.sh UNBALER BALER [SCREENSHOT]
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail

unbaler=$1
baler=$2
screenshot=${3:-}

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/unbaler-xvfb-XXXXXX)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

# The archive: a sound entry (shown as .ogg on disk) and a plain one.
mkdir -p "$work/source" "$work/out folder"
printf 'OggS-bytes' >"$work/source/theme.ogg"
printf 'plain data' >"$work/source/data.bin"
"$baler" pack "$work/source" "$work/test.pak" >/dev/null
archive=$work/test.pak
folder="$work/out folder"

QT_QPA_PLATFORM=xcb "$unbaler" >"$work/unbaler.log" 2>&1 &
app_pid=$!

find_main() { xdotool search --onlyvisible --name '^Unbaler$' | head -n1; }
wait_for 100 find_main || fail "the Unbaler window did not appear"
main=$(find_main)
[[ -n $main ]] || fail "the Unbaler window did not appear"
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$X
top=$Y

click_at() {  # x, y inside the main window
  xdotool mousemove --sync $((left + $1)) $((top + $2)) click 1
}
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
dialog_open() { [[ $(visible_windows) -gt 1 ]]; }
dialog_closed() { [[ $(visible_windows) -eq 1 ]]; }
# Types a path into the dialog that has just opened over the main window and confirms it.
answer_dialog() {
  wait_for 50 dialog_open || fail "no dialog opened for: $1"
  local dialog
  dialog=$(xdotool search --onlyvisible --pid "$app_pid" | grep -vx "$main" | tail -n1)
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  sleep 0.3
  xdotool type --delay 5 "$1"
  sleep 0.2
  xdotool key Return
  wait_for 50 dialog_closed || fail "the dialog did not close for: $1"
}

click_at $((318 + 51)) $((54 + 13))  # picSelectFile
answer_dialog "$archive"
sleep 0.3
if [[ -n $screenshot ]] && command -v import >/dev/null; then import -window root "$screenshot"; fi

click_at $((318 + 51)) $((160 + 13))  # picSelectDir
answer_dialog "$folder"
sleep 0.3

click_at $((180 + 51)) $((190 + 13))  # picExtract
wait_for 50 test -s "$folder/FilesList.txt" || fail "nothing was extracted"
sleep 0.3

[[ $(cat "$folder/theme.ogg") == 'OggS-bytes' ]] || fail "theme.ogg differs"
[[ $(cat "$folder/data.bin") == 'plain data' ]] || fail "data.bin differs"
expected=$(printf 'data.bin\r\ntheme.ogg\r\n' | od -c)
[[ $(od -c <"$folder/FilesList.txt") == "$expected" ]] ||
  fail "FilesList.txt is $(od -c <"$folder/FilesList.txt")"
[[ $(ls -A "$folder" | wc -l) -eq 3 ]] || fail "unexpected files: $(ls -A "$folder")"

click_at $((384 + 12)) $((28 + 11))  # imgClose: fades out, then the program ends
for ((i = 0; i < 50; i++)); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "Unbaler did not end after the close click"
status=0
wait "$app_pid" || status=$?
app_pid=""
[[ $status -eq 0 ]] || fail "Unbaler exited with $status: $(cat "$work/unbaler.log")"
echo "PASS"
