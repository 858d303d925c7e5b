#!/usr/bin/env bash
# Unbaler started as a file manager's "Open with" starts it, on a private X server: with an
# archive and a folder on its command line (a path relative to where it starts, a file URL), it
# comes up with both chosen, so the extract command alone extracts. Also --help and a wrong command line, which
# start no window.
#
# Usage: unbaler_start_xvfb_test.sh UNBALER BALER [SCREENSHOT]
# Exits 77 (skipped) when Xvfb or xdotool is missing. On failure it prints how the program
# ended, everything it wrote and the visible windows.
set -euo pipefail

unbaler=$(realpath "$1")
baler=$(realpath "$2")
screenshot=${3:-}

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"
need_tools Xvfb xdotool

window_test_setup unbaler "${screenshot:+${screenshot%.png}_failure.png}"

# No window for these: the usage on the standard output with success, or on the standard error
# with a failure.
QT_QPA_PLATFORM=offscreen "$unbaler" --help >"$work/help.txt" 2>/dev/null ||
  fail "--help failed"
grep -q '^Usage: unbaler \[ARCHIVE \[FOLDER\]\]$' "$work/help.txt" || fail "--help: $(cat "$work/help.txt")"
status=0
QT_QPA_PLATFORM=offscreen "$unbaler" a b c >/dev/null 2>"$work/misuse.txt" || status=$?
[[ $status -eq 2 ]] && grep -q '^Too many paths were given\.$' "$work/misuse.txt" ||
  fail "three paths: status $status, $(cat "$work/misuse.txt")"

start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

mkdir -p "$work/source" "$work/out folder"
printf 'OggS-bytes' >"$work/source/theme.ogg"
printf 'plain data' >"$work/source/data.bin"
"$baler" pack "$work/source" "$work/test.pak" >/dev/null
folder="$work/out folder"

# The archive relative to where it starts, the folder as a desktop entry's URL may give it.
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$unbaler" test.pak "file://${work// /%20}/out%20folder") \
  >"$work/unbaler.log" 2>&1 &
app_pid=$!

wait_main_window Unbaler
# Only the main window: no box said that a path was refused.
[[ $(xdotool search --onlyvisible --pid "$app_pid" | wc -l) -eq 1 ]] || fail "a box opened"
[[ -z $screenshot ]] || settled_screenshot "$screenshot"

# No dialog is needed: extract is on once the archive has been read.
extracted() {
  [[ $(cat "$folder/theme.ogg") == 'OggS-bytes' && $(cat "$folder/data.bin") == 'plain data' &&
    -f "$folder/FilesList.txt" ]]
}
extract_until_done() {
  local try
  for try in $(seq 1 40); do
    click_at $((180 + 51)) $((190 + 13))  # picExtract
    wait_until 1 extracted && return 0
  done
  return 1
}
extract_until_done || fail "extract did not write the archive into the folder: $(ls -AR "$work")"
[[ $(xdotool search --onlyvisible --pid "$app_pid" | wc -l) -eq 1 ]] || fail "a box opened"

close_main_window Unbaler
echo "PASS"
