#!/usr/bin/env bash
# What a screen reader finds in a program's Qt window: on its own Xvfb server and D-Bus session,
# with the accessibility bus of at-spi2-core, the program is started on an archive and a folder
# whose path is too long for its label, and its accessibility tree is read over D-Bus with gdbus
# (org.a11y.atspi.Accessible): every control that shows has a name, the three commands and the
# close picture are push buttons called by their captions, the path labels are called by the
# whole paths, and the list's items by the names they show; in Unbaler, pressing Extract Files
# through its action extracts, and the status line is then called by its whole text. The tree as
# read (role, name, one object a line) goes to the standard output.
#
# usage: accessibility_xvfb_test.sh <program binary> <window title> <archive>
# Skipped (77) without dbus-run-session, gdbus or at-spi2-core's bus launcher.
set -euo pipefail

program=$1
title=$2
archive=$3
launcher=/usr/libexec/at-spi-bus-launcher

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"
need_tools dbus-run-session gdbus Xvfb xdotool
[[ -x $launcher ]] || { echo "SKIP: $launcher is not installed (at-spi2-core)"; exit 77; }

# A D-Bus session of its own, so that nothing else on the machine answers.
if [[ -z ${BALER_A11Y_SESSION:-} ]]; then
  BALER_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

window_test_setup "$(basename "$program")"
start_xvfb "$work" 1024x768 -br || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
# The session bus starts the accessibility bus's launcher when it is first asked for the address;
# both end with the session.
a11y_address() {
  gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress | sed -n "s/^('\(.*\)',)$/\1/p" | grep .
}
wait_until 10 a11y_address || fail "the accessibility bus did not start"
address=$(a11y_address)

# The paths: the folder's is too long for its label, which shows it shortened.
folder="$work/a folder with a name long enough that the label shows only part of it/and deeper"
mkdir -p "$folder"
cp "$archive" "$work/sample.pak"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
if [[ $title == Unbaler ]]; then
  paths=("$work/sample.pak" "$folder")
else
  printf 'ogg' >"$folder/sound.ogg"  # Rebaler lists the folder's files
  paths=("$folder" "$work/sample.pak")
fi
"$program" "${paths[@]}" >"$work/$test_program.log" 2>&1 &
app_pid=$!

on_bus() { gdbus call --address "$address" "$@"; }
# The (bus name, object path) pairs of an object's children, one "NAME PATH" a line.
children() {
  on_bus --dest "$1" --object-path "$2" --method org.a11y.atspi.Accessible.GetChildren |
    grep -o "('[^']*', objectpath '[^']*')\|('[^']*', '[^']*')" |
    sed "s/^('\([^']*\)', \(objectpath \)\?'\([^']*\)')$/\1 \3/"
}
role_of() {
  on_bus --dest "$1" --object-path "$2" --method org.a11y.atspi.Accessible.GetRoleName |
    sed -n "s/^('\(.*\)',)$/\1/p"
}
name_of() {
  on_bus --dest "$1" --object-path "$2" --method org.freedesktop.DBus.Properties.Get \
    org.a11y.atspi.Accessible Name | sed -n "s/^(<'\(.*\)'>,)$/\1/p"
}
# Whether the object shows on the screen (ATSPI_STATE_SHOWING, bit 25 of the first word).
showing() {
  local state
  state=$(on_bus --dest "$1" --object-path "$2" --method org.a11y.atspi.Accessible.GetState |
    sed -n 's/^(\[uint32 \([0-9]*\),.*/\1/p')
  (((state >> 25) & 1))
}

# The program's object on the bus: the registry's child that holds a window of this title.
registry=(org.a11y.atspi.Registry /org/a11y/atspi/accessible/root)
find_window() {
  local app_bus app_path bus path
  while read -r app_bus app_path; do
    while read -r bus path; do
      [[ $(name_of "$bus" "$path") == "$title" ]] && { echo "$bus $path"; return 0; }
    done < <(children "$app_bus" "$app_path")
  done < <(children "${registry[@]}")
  return 1
}
tree=$work/tree
walk() {  # BUS PATH DEPTH: the object and everything under it, "depth|role|name|showing|BUS PATH"
  local bus=$1 path=$2 depth=$3 child_bus child_path shown=hidden
  showing "$bus" "$path" && shown=showing
  echo "$depth|$(role_of "$bus" "$path")|$(name_of "$bus" "$path")|$shown|$bus $path"
  ((depth < 6)) || return 0
  while read -r child_bus child_path; do walk "$child_bus" "$child_path" $((depth + 1)); done \
    < <(children "$bus" "$path")
}
# Reads the tree again, and whether it then holds a line matching the pattern.
tree_holds() {
  local window
  window=$(find_window) || return 1
  # shellcheck disable=SC2086
  walk $window 0 >"$tree.new"
  mv "$tree.new" "$tree"
  grep -q "$1" "$tree"
}
# The list is read once the archive is: wait for its first item.
wait_until 30 tree_holds '|list item|.\+|showing|' ||
  fail "no window titled $title with a filled list in the tree: $(cat "$tree" 2>/dev/null)"

echo "accessibility tree of $title (depth|role|name|showing):"
cut -d'|' -f1-4 "$tree"

# Every control that shows has a name. The scroll bars and their parts are Qt's, named by it.
unnamed=$(grep '|showing|' "$tree" | awk -F'|' '$3 == "" && $2 != "scroll bar"')
[[ -z $unnamed ]] || fail "objects without a name: $unnamed"
for name in Close "Select File" "Select Dir" "$([[ $title == Unbaler ]] && echo Extract || echo Pack) Files"; do
  grep -qF "2|push button|$name|showing|" "$tree" || fail "no push button called $name"
done
for path in "$folder" "$work/sample.pak"; do
  grep -qF "|label|$path|showing|" "$tree" || fail "no label called by the whole path $path"
done
grep -q '^2|label|PAK file:|showing|' "$tree" || fail "the caption PAK file: is not read"
grep -q '^2|label|Directory:|showing|' "$tree" || fail "the caption Directory: is not read"
grep -q '|list item|.*\.ogg|showing|' "$tree" || fail "the list's items are not read"
# Unbaler's command pressed through the screen reader's action extracts, and the status line is
# then called by its whole text, which the line itself shows shortened.
if [[ $title == Unbaler ]]; then
  read -r bus path < <(grep -F '|push button|Extract Files|' "$tree" | cut -d'|' -f5)
  on_bus --dest "$bus" --object-path "$path" --method org.a11y.atspi.Action.DoAction 0 >/dev/null ||
    fail "the press action of Extract Files failed"
  wait_until 30 tree_holds "|label|[0-9]* files extracted into $folder|showing|" ||
    fail "the status line is not called by its whole text: $(cut -d'|' -f1-4 "$tree")"
  [[ -f "$folder/FilesList.txt" ]] || fail "the press action did not extract"
  grep -F "files extracted into" "$tree" | cut -d'|' -f1-4
fi
echo "accessibility_test: $title: every control named, commands are push buttons"
