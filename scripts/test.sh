#!/usr/bin/env bash
# The whole test suite, as CI runs it: installs what is missing, then
#   1. the release build and every test (unit, process, widget, real-window),
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. the ParsePak fuzzer for 60 seconds on the seed corpus,
#   4. the Windows build, its tests under Wine, when that part of the tree exists.
# It ends with one line: "N passed, M failed".
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh all

passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Adds one ctest run's counts to the totals.
count_ctest() {
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + ${total:-0} - ${bad:-0}))
  failed=$((failed + ${bad:-1}))
}

run_suite() {  # preset
  echo "== $1: build"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  echo "== $1: tests"
  ctest --preset "$1" -j2 2>&1 | tee "$log" || true
  count_ctest
}

run_suite default
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 run_suite asan

echo "== fuzz: ParsePak for 60 s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target parse_pak_fuzz
work=$(mktemp -d)
if build-fuzz/bin/parse_pak_fuzz -max_total_time=60 -print_final_stats=1 \
     -artifact_prefix="$work/" "$work" fuzz/corpus 2>&1 | tail -n 8; then
  passed=$((passed + 1))
else
  echo "the fuzzer found a crash: $(ls "$work")"
  failed=$((failed + 1))
fi
rm -rf "$work"

if [ -x bench/run ]; then
  echo "== bench: smoke run"
  if bench/run --smoke; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi

if [ -f scripts/test-windows.sh ]; then
  echo "== windows: cross build and tests under Wine"
  if bash scripts/test-windows.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
