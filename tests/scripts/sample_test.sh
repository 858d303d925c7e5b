#!/usr/bin/env bash
# examples/sample.pak holds what real programs open: it is small and well-formed, its sounds are
# Ogg Vorbis that decodes (stored under .wav names, as the game stores them), its picture a PNG,
# and its other entries text.
#   sample_test.sh BALER
# Exits 77 (skipped) without `file`; the decoding check needs sox and is skipped without it.
set -euo pipefail
baler=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
sample=$root/examples/sample.pak
command -v file >/dev/null || { echo "SKIP: file is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

size=$(stat -c %s "$sample")
((size < 200 * 1024)) || fail "sample.pak is $size bytes, not under 200 KB"
"$baler" check "$sample" >/dev/null || fail "baler check refuses sample.pak"
"$baler" extract -q "$sample" "$work" || fail "baler cannot extract sample.pak"
rm -f "$work/FilesList.txt"

# name pattern | what `file` must say | how many entries at least
kinds='*.ogg|^Ogg data, Vorbis audio|3
*.png|^PNG image data|1
*.txt|text|1
*.ini|text|0'
declare -A count
for path in "$work"/*; do
  name=${path##*/}
  found=
  while IFS='|' read -r pattern says _; do
    # shellcheck disable=SC2053  # the pattern is a glob on purpose
    [[ $name == $pattern ]] || continue
    found=1
    count[$pattern]=$((${count[$pattern]:-0} + 1))
    what=$(file -b "$path")
    [[ $what =~ $says ]] || fail "$name: file says '$what', not '$says'"
  done <<<"$kinds"
  [[ -n $found ]] || fail "$name: an entry of no known kind ($(file -b "$path"))"
done
while IFS='|' read -r pattern _ least; do
  ((${count[$pattern]:-0} >= least)) || fail "fewer than $least entries named $pattern"
done <<<"$kinds"

# The archive stores every sound under its .wav name.
stored=$("$baler" list --json "$sample" | grep -o '"stored_name": "[^"]*"' | sed 's/.*: "//; s/"$//')
while read -r name; do
  [[ $name == *.ogg ]] || continue
  grep -qx "${name%.ogg}.wav" <<<"$stored" || fail "$name is not stored as ${name%.ogg}.wav"
done < <(ls "$work")

# Every sound decodes from start to end and lasts a moment.
if command -v sox >/dev/null; then
  for path in "$work"/*.ogg; do
    if ! seconds=$(sox "$path" -n stat 2>&1 | sed -n 's/^Length (seconds): *//p') ||
      [[ -z $seconds ]] || ! awk -v s="$seconds" 'BEGIN { exit !(s > 0.01) }'; then
      fail "${path##*/} does not decode to a sound: $(sox "$path" -n stat 2>&1 | head -3)"
    fi
  done
fi

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "sample.pak holds real sounds, a picture and text"
