#!/usr/bin/env bash
# The main job: installs what is missing, builds, and starts Unbaler
# (`scripts/run.sh rebaler` starts Rebaler). Without a display it says so and
# shows baler, the command-line tool, at work on examples/sample.pak.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-unbaler}
case "$program" in unbaler|rebaler) ;; *) echo "usage: $0 [unbaler|rebaler]" >&2; exit 2 ;; esac

bash scripts/setup.sh core
cmake --preset default >/dev/null
cmake --build --preset default

if [ -n "${DISPLAY:-}" ]; then
  exec "build/bin/$program"
fi

echo
echo "There is no display here (DISPLAY is not set), so $program's window cannot open."
echo "Here is baler, the command-line tool, at work on examples/sample.pak instead."
baler=build/bin/baler
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
set -x
"$baler" check examples/sample.pak
"$baler" list -l examples/sample.pak
"$baler" extract examples/sample.pak "$work"
ls -l "$work"
echo "An edited line" >> "$work/readme.txt"
"$baler" pack "$work" "$work/../sample-edited.pak" --yes
"$baler" list "$work/../sample-edited.pak"
{ set +x; } 2>/dev/null
rm -f "$work/../sample-edited.pak"
