#!/usr/bin/env bash
# Builds the Windows programs and tests with MinGW-w64 (scripts/build-windows.sh), then runs
# them under Wine on a private X server: the cross-built codec, shell and logic tests, the
# Windows-only tests (tests/codec/win32, tests/shell/win32, tests/repacker/win32), baler.exe under
# a Russian code page (tests/cli/win32/code_page_wine_test.sh), and the
# real-window test that drives unbaler.exe and rebaler.exe through their real dialogs
# (tests/shell/win32/window_wine_test.sh).
#
#   scripts/test-windows.sh
#
# Installs nothing. The Wine prefix lives in build-win/wine-test/ and is booted once; its home
# folder (which the prefix's Desktop points to) is build-win/wine-test/home. Screenshots land in
# build-win/wine-test/shots/. BUILD_DIR and JOBS as for build-windows.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-win}"
export BUILD_DIR="$build"
started=$SECONDS

# ---- Tools ----
missing=()
for tool in wine wineboot wineserver Xvfb xdotool xwininfo xprop import convert display; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
  echo "test-windows: missing tools: ${missing[*]}" >&2
  echo "test-windows: the packages are wine, wine64, xvfb, xdotool, x11-utils, imagemagick" >&2
  exit 2
fi

# ---- Build ----
tests=(codec_tests shell_core_test extractor_tests repacker_tests codec_win32_tests
       shell_win32_tests repacker_win32_tests)
"$root/scripts/build-windows.sh" baler unbaler rebaler "${tests[@]}"
echo "test-windows: built in $((SECONDS - started)) s"

# ---- Wine ----
wine_root="$build/wine-test"
export WINEPREFIX="$wine_root/prefix"
export HOME="$wine_root/home"
export WINEDEBUG=-all
# No desktop menu entries, no .NET or HTML engine downloads: none of them is needed here.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64
if [[ -x /usr/lib/wine/wine64 ]] && ! command -v wine64 >/dev/null; then
  export WINE=/usr/lib/wine/wine64
else
  WINE="$(command -v wine64 || command -v wine)"
  export WINE
fi
mkdir -p "$HOME" "$wine_root/shots"

xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A private X server, started as every real-window test starts one.
source "$root/tests/support/xvfb.sh"
start_xvfb "$wine_root" || {
  echo "test-windows: Xvfb did not start: $(cat "$wine_root/xvfb.log")" >&2
  exit 1
}

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "test-windows: booting the Wine prefix (once)"
  wineboot -i >/dev/null 2>&1
  # No window manager runs here: Wine's windows are its own, and it need not wait for one.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
fi
wine_started=$SECONDS

# ---- Unit tests ----
# A test written for POSIX file systems that cannot hold on Windows (two names differing only in
# letter case are one file there): left out here until it is made portable.
declare -A skip=(
  [codec_tests]="ScanAndCompare.ScanOrderIsIndependentOfTheFileSystem"
)

failed=()
for test in "${tests[@]}"; do
  filter=()
  [[ -n "${skip[$test]:-}" ]] && filter=("--gtest_filter=-${skip[$test]}")
  log="$wine_root/$test.log"
  if timeout 300 "$WINE" "$build/bin/$test.exe" "${filter[@]}" >"$log" 2>&1; then
    echo "test-windows: $test: $(grep -E '^\[  PASSED  \]' "$log" | tr -s ' ')"
  else
    echo "test-windows: $test FAILED (log: $log)"
    grep -E '^\[  FAILED  \]|Failure' "$log" | head -20 || true
    failed+=("$test")
  fi
done

# ---- baler.exe under a code page other than 1252 ----
if bash "$root/tests/cli/win32/code_page_wine_test.sh" "$build/bin" >"$wine_root/code_page_test.log" 2>&1; then
  sed 's/^/test-windows: /' "$wine_root/code_page_test.log"
else
  cat "$wine_root/code_page_test.log"
  failed+=("code_page_test")
fi

# ---- Real windows ----
if bash "$root/tests/shell/win32/window_wine_test.sh" "$build/bin" "$wine_root/shots" \
    >"$wine_root/window_test.log" 2>&1; then
  grep '^window_test:' "$wine_root/window_test.log" | sed 's/^/test-windows: /'
else
  cat "$wine_root/window_test.log"
  failed+=("window_test")
fi

echo "test-windows: Wine tests took $((SECONDS - wine_started)) s, everything $((SECONDS - started)) s"
if ((${#failed[@]})); then
  echo "test-windows: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "test-windows: all passed"
