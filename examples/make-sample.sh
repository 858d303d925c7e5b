#!/usr/bin/env bash
# Makes examples/sample.pak with the project's own baler: a handful of small
# files of the kinds a game archive holds. Run from the repository root:
# bash examples/make-sample.sh build/bin/baler
set -euo pipefail
baler=${1:-build/bin/baler}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for name in intro menu_click level01_music level02_music victory; do
  printf 'OggS sample sound data for %s\n' "$name" > "$tmp/$name.ogg"
done
printf 'title=Sample\nversion=1\n' > "$tmp/game.ini"
printf 'Welcome to the sample archive.\r\nEdit any file and pack it back.\r\n' > "$tmp/readme.txt"
head -c 2048 /dev/zero | tr '\0' '\125' > "$tmp/textures.bin"
"$baler" pack "$tmp" examples/sample.pak
