#!/usr/bin/env bash
# Unbaler from end to end on a private X server, with its real dialogs, driven by xdotool:
# choose an archive, choose a folder, extract, check the folder, close the window.
#
# The archive is big enough for the extraction to take a while: meanwhile the window must show
# the progress, and the close picture must show its hover picture under the pointer; afterwards
# the status line must say what was done. The program writes its status lines to its standard
# error (BALER_ECHO_STATUS), which is how the test reads them.
#
# Usage: unbaler_xvfb_test.sh UNBALER BALER [SCREENSHOT]
# SCREENSHOT gets the window after the extraction, SCREENSHOT's name with _progress during it.
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing. On failure it prints how the
# program ended, everything it wrote and the visible windows.
set -euo pipefail

unbaler=$(realpath "$1")
baler=$(realpath "$2")
screenshot=${3:-}

skin=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../../skin")
source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"
need_tools Xvfb xdotool import convert compare

window_test_setup unbaler "${screenshot:+${screenshot%.png}_failure.png}"

start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

# The archive: a sound entry (shown as .ogg on disk), a plain one, and enough filler for the
# extraction to last some seconds (the fillers are holes on disk; the archive is not).
mkdir -p "$work/source" "$work/out folder"
printf 'OggS-bytes' >"$work/source/theme.ogg"
printf 'plain data' >"$work/source/data.bin"
fillers=20000
(cd "$work/source" && seq -f 'fill_%05g.bin' 1 "$fillers" | xargs truncate -s 16K)
truncate -s 300M "$work/source/large.bin"
"$baler" pack "$work/source" "$work/test.pak" >/dev/null
archive=$work/test.pak
folder="$work/out folder"
entries=$((fillers + 3))

# The program starts in the work folder, where its dialogs open, and the dialogs are given bare
# names. An absolute path typed into Qt's dialog makes it select each folder on the way in its
# list while the typing goes on; under load one can stay selected, and the selection, not the
# typed name, is what the dialog takes.
(cd "$work" && BALER_ECHO_STATUS=1 QT_QPA_PLATFORM=xcb exec "$unbaler") >"$work/unbaler.log" 2>&1 &
app_pid=$!

wait_main_window Unbaler
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
dialog_open() { [[ $(visible_windows) -gt 1 ]]; }
dialog_closed() { [[ $(visible_windows) -eq 1 ]]; }

click_at $((318 + 51)) $((54 + 13))  # picSelectFile
answer_next_dialog "$(basename "$archive")" Return

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
answer_next_dialog "$(basename "$folder")" alt+c

# The status lines the program has shown so far, one a line.
statuses() { sed -n 's/^status: //p' "$work/unbaler.log"; }
last_status() { statuses | tail -n1; }
# Whether the program has shown a status line that matches the pattern $1 whole. (A grep -q at
# the end of a pipe would end the pipe early, which pipefail takes for a failure.)
shown() { grep -qx "status: $1" "$work/unbaler.log"; }
# Whether the window shows the picture $3 with its top left corner at $1, $2; the screen is
# left in $work/screen.png.
shows_picture() {
  import -window root "$work/screen.png" &&
    convert "$work/screen.png" -crop "$(identify -format '%wx%h' "$3")+$((left + $1))+$((top + $2))" \
      +repage "$work/crop.png" &&
    [[ $(compare -metric AE "$work/crop.png" "$3" null: 2>&1) == 0 ]]
}

# Extract, then straight onto the close picture: the window follows the pointer while the work
# runs, so the hover picture shows before the status line says that the work has ended.
click_at $((180 + 51)) $((190 + 13))  # picExtract
xdotool mousemove --sync $((left + 384 + 12)) $((top + 28 + 11))
wait_until 30 shows_picture 384 28 "$skin/close_1.bmp" ||
  fail "the close picture did not show its hover picture"
shown ".* extracted into .*" &&
  fail "the extraction ended before the window was seen to answer: make the archive bigger"
[[ -n $screenshot ]] && cp "$work/screen.png" "${screenshot%.png}_progress.png"
progressing() { shown "Extracting [0-9]* of $entries, [0-9.]* of [0-9.]* \\(bytes\\|[KMG]B\\)"; }
wait_until 30 progressing || fail "no progress was shown: $(statuses | tail -n3)"
xdotool mousemove --sync 0 0

done_line="$entries files extracted into $folder"
ended() { [[ $(last_status) != Extracting* ]]; }
wait_until 60 ended || fail "the extraction did not end: $(last_status)"
[[ $(last_status) == "$done_line" ]] ||
  fail "the status line says '$(last_status)', not '$done_line'"
[[ $(cat "$folder/theme.ogg") == 'OggS-bytes' && $(cat "$folder/data.bin") == 'plain data' ]] ||
  fail "the named entries were not extracted: $(ls -A "$folder" | head)"
diff -r --brief --exclude=FilesList.txt "$work/source" "$folder" ||
  fail "the folder does not hold the archive"
[[ $(od -c <"$folder/FilesList.txt") == "$("$baler" list "$archive" | sed 's/$/\r/' | od -c)" ]] ||
  fail "FilesList.txt does not list the archive: $(head -n3 "$folder/FilesList.txt")"
echo "Unbaler's peak resident memory: $(grep VmHWM "/proc/$app_pid/status" | tr -s ' \t' ' ')"

# A file edited after the extraction: Extract Files asks before replacing it, and Enter (Keep my
# files) extracts the rest and leaves the edit alone.
printf 'edited' >"$folder/data.bin"
click_at $((180 + 51)) $((190 + 13))  # picExtract
answer_next_dialog "" Return
kept_line="$((entries - 1)) files extracted into $folder"
kept() { [[ $(last_status) == "$kept_line" ]]; }
wait_until 60 kept || fail "the status line says '$(last_status)', not '$kept_line'"
[[ $(cat "$folder/data.bin") == edited ]] || fail "the edited file was replaced"
[[ -z $screenshot ]] || settled_screenshot "$screenshot"

close_main_window Unbaler
echo "PASS"
