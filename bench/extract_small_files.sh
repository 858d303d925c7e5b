#!/usr/bin/env bash
# Times `baler extract` of an archive of N files of a few bytes each: the Linux build, the
# Windows build under Wine, and, under Wine, a bare loop that only creates, writes and closes N
# files (CreateFileW with CREATE_NEW, WriteFile, CloseHandle): the least any program pays there
# per file. Each extraction writes into a fresh folder, and its files are compared with the
# packed ones.
#
#   bench/extract_small_files.sh                  # 2,000 and 20,000 files, best of 1
#   bench/extract_small_files.sh --files "500 2000" --repeat 3
#   bench/extract_small_files.sh --windows-baler OLD/baler.exe   # e.g. an older build to compare
#
# Needs build/bin/baler (cmake --preset default) and build-win/bin/baler.exe (cmake --preset win),
# and the Wine prefix that scripts/test-windows.sh boots (build-win/wine-test/prefix; WINEPREFIX
# to use another). The bare loop is built with x86_64-w64-mingw32-gcc when it is there. Under
# Wine every lookup of a name that does not exist reads the whole folder (names are compared
# ignoring case), so the time grows with the square of the number of files there.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
files="2000 20000"
repeat=1
linux_baler="$root/build/bin/baler"
windows_baler="$root/build-win/bin/baler.exe"
while (($#)); do
  case "$1" in
    --files) files="$2"; shift 2 ;;
    --repeat) repeat="$2"; shift 2 ;;
    --linux-baler) linux_baler="$2"; shift 2 ;;
    --windows-baler) windows_baler="$2"; shift 2 ;;
    *) echo "usage: $0 [--files \"N ...\"] [--repeat R] [--linux-baler B] [--windows-baler B]" >&2
       exit 2 ;;
  esac
done

export WINEPREFIX="${WINEPREFIX:-$root/build-win/wine-test/prefix}"
export HOME="${WINE_HOME:-$root/build-win/wine-test/home}"
export WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
wine=/usr/lib/wine/wine64
[[ -x "$wine" ]] || wine="$(command -v wine64 || command -v wine)"

linux_baler="$(realpath "$linux_baler")"
windows_baler="$(realpath "$windows_baler")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The Windows programs are given paths relative to the folder they start in.
cd "$work"

bare=""
if command -v x86_64-w64-mingw32-gcc >/dev/null; then
  cat >"$work/bare.c" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>
int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const int n = atoi(argv[2]);
  wchar_t name[1024];
  for (int i = 0; i < n; ++i) {
    swprintf(name, 1024, L"%hs\\f%d.bin", argv[1], i);
    HANDLE h = CreateFileW(name, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    if (h == INVALID_HANDLE_VALUE || !WriteFile(h, name, 8, &written, NULL) || !CloseHandle(h)) {
      return 1;
    }
  }
  return 0;
}
EOF
  x86_64-w64-mingw32-gcc -O2 -o "$work/bare.exe" "$work/bare.c" && bare=bare.exe
fi

# Seconds of wall-clock time of the command, best of $repeat; each run starts with an empty
# folder $2 that the command writes into.
best_of() {
  local out="$1" best="" start end t
  shift
  for ((r = 0; r < repeat; ++r)); do
    rm -rf "$out" && mkdir "$out"
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc)
    if [[ -z "$best" ]] || (($(echo "$t < $best" | bc))); then best=$t; fi
  done
  printf '%.2f' "$best"
}

same_files() {
  diff -rq --exclude=FilesList.txt "$1" "$2" >/dev/null || { echo "wrong output in $2" >&2; exit 1; }
}

printf '%8s %12s %12s %12s %10s\n' files "linux s" "wine s" "bare wine s" "wine/bare"
for n in $files; do
  src="$work/src$n"
  mkdir -p "$src"
  for ((i = 0; i < n; ++i)); do printf 'entry %d\n' "$i" >"$src/f$i.bin"; done
  "$linux_baler" pack "$src" "$work/small$n.pak" >/dev/null
  linux=$(best_of "$work/linux" "$linux_baler" extract "$work/small$n.pak" "$work/linux")
  same_files "$src" "$work/linux"
  wine_s=$(best_of wine "$wine" "$windows_baler" extract "small$n.pak" wine)
  same_files "$src" "$work/wine"
  bare_s="-" ratio="-"
  if [[ -n "$bare" ]]; then
    bare_s=$(best_of bare "$wine" "$bare" bare "$n")
    ratio=$(printf '%.2f' "$(echo "$wine_s / $bare_s" | bc -l)")
  fi
  printf '%8d %12s %12s %12s %10s\n' "$n" "$linux" "$wine_s" "$bare_s" "$ratio"
  rm -rf "$src" "$work/linux" "$work/wine" "$work/bare" "$work/small$n.pak"
done
