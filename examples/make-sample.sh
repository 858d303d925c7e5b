#!/usr/bin/env bash
# Makes examples/sample.pak with the project's own baler from content that real programs open:
# short Ogg Vorbis sounds (stored in the archive under .wav names, as the game stores them), a
# PNG picture, and two text files. Needs sox with its Ogg Vorbis format (sox, libsox-fmt-base)
# and ImageMagick (`convert`); `bash scripts/setup.sh all` installs them. With the same
# versions of those, running it again makes the same archive byte for byte. Run from the
# repository root:
#   bash examples/make-sample.sh [build/bin/baler]
set -euo pipefail
baler=${1:-build/bin/baler}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/notes" "$tmp/pak"

# sox with -R uses the same random numbers (dither, the stream's serial number) on every run.
sox_=(sox -R -V1)

# note NAME SECONDS VOICE...: one short plucked or sung note, mono at 22050 Hz, faded out.
note() {
  local name=$1 seconds=$2
  shift 2
  "${sox_[@]}" -n -r 22050 -c 1 "$tmp/notes/$name.wav" synth "$seconds" "$@" \
    gain -6 fade 0.005 "$seconds" "$(awk -v s="$seconds" 'BEGIN { print s / 3 }')"
}

# sound NAME NOTE...: the notes one after another, as Ogg Vorbis at a low quality.
sound() {
  local name=$1 note files=()
  shift
  for note in "$@"; do files+=("$tmp/notes/$note.wav"); done
  "${sox_[@]}" "${files[@]}" -C 0 "$tmp/pak/$name.ogg"
}

note click 0.04 square 1800
note c4 0.25 pluck C4
note e4 0.25 pluck E4
note g4 0.25 pluck G4
note c5 0.5 pluck C5
note a3 0.3 sine A3 sine E4
note d4 0.3 sine D4 sine A4
note chord 0.9 pluck C4 pluck E4 pluck G4 pluck C5
note swell 0.8 sine 220-440 sine 330-660

sound intro swell chord
sound menu_click click
sound level01_music c4 e4 g4 c5 g4 e4 c4
sound level02_music a3 d4 a3 d4 chord
sound victory c4 e4 g4 chord

# A 64 x 64 title picture: the name on a blue gradient.
convert -size 64x64 gradient:'#3b68b0-#111417' \
  -fill white -font DejaVu-Sans-Bold -pointsize 13 -gravity center -annotate +0+0 'PAK' \
  -depth 8 +set date:create +set date:modify -define png:exclude-chunks=date,time \
  "$tmp/pak/title.png"

printf 'title=Sample\nversion=1\n' > "$tmp/pak/game.ini"
printf 'Welcome to the sample archive.\r\nEdit any file and pack it back.\r\n' > "$tmp/pak/readme.txt"

"$baler" pack --quiet --yes "$tmp/pak" examples/sample.pak
