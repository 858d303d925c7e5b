#!/usr/bin/env bash
# Makes the fuzzer's seed corpus (fuzz/corpus/) with the project's own baler:
# small archives of the shapes the reader meets. Run from the repository root
# after a build: bash fuzz/make-corpus.sh build/bin/baler
set -euo pipefail
baler=${1:-build/bin/baler}
out=fuzz/corpus
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out" "$tmp/one" "$tmp/mixed" "$tmp/empty"
printf '\x01\x02\x03' > "$tmp/one/a.ogg"
"$baler" pack "$tmp/one" "$out/worked-example.pak"
printf 'voice' > "$tmp/mixed/VOICE01.ogg"
printf 'theme' > "$tmp/mixed/theme.Wav"
printf 'data' > "$tmp/mixed/data.bin"
printf 'bak' > "$tmp/mixed/a.wav.bak"
: > "$tmp/mixed/readme"
printf 'caf\xc3\xa9' > "$tmp/mixed/caf$(printf '\xc3\xa9').ogg"
"$baler" pack "$tmp/mixed" "$out/mixed-names.pak"
: > "$tmp/empty/zero.bin"
"$baler" pack "$tmp/empty" "$out/empty-entry.pak"
printf '1kap' > "$out/signature-only.bin"
printf 'pak1\x01\x00\x06\x00' > "$out/reversed-signature.bin"
