#!/usr/bin/env bash
# Unbaler's list with the status strip shown, in a real Qt window on a private X server: the
# widget test that scrolls the list to its last row and finds it whole above the strip, run
# under xcb rather than the offscreen platform, with the fonts and scroll bars a desktop has.
#
# Usage: unbaler_strip_xvfb_test.sh LIST_WINDOW_TESTS
# Exits 77 (skipped) when Xvfb is missing.
set -euo pipefail

tests=$(realpath "$1")

source "$(dirname "${BASH_SOURCE[0]}")/../../support/xvfb.sh"
need_tools Xvfb xdotool

window_test_setup unbaler_strip
start_xvfb "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

QT_QPA_PLATFORM=xcb "$tests" theLastRowIsVisibleAboveTheStatusStrip >"$work/unbaler_strip.log" 2>&1 ||
  fail "the list's last row is not shown whole above the status strip"
echo "the last row lies above the status strip"
