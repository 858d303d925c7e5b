#!/usr/bin/env bash
# The whole test suite, as CI runs it: installs what is missing, then
#   1. the format check of the C++ files (scripts/check-format.sh),
#   2. the release build and every test (unit, process, widget, real-window),
#   3. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer,
#   4. the ParsePak fuzzer for 60 seconds on the seed corpus,
#   5. the benchmarks' smoke run,
#   6. the Windows build, its tests under Wine, when that part of the tree exists.
# Every stage runs, whatever happened before it. Each test that ctest runs counts as one result,
# each other stage (setup, a build, the format check, the fuzzer, ...) as one more; tests that
# skip themselves (no X server, say) count as neither. It ends with one line,
# "N passed, M failed", and exits non-zero when anything failed.
#
# No `set -e`: a failing stage is counted, not the end of the run.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

passed=0
failed=0
skipped=0
results=$(mktemp -d)

# The summary line comes last even when the script itself breaks off (an unset variable, a
# signal): that counts as one more failure.
finished=0
finish() {
  local status=$?
  if ((!finished)); then
    echo "test: the run broke off (status $status) before it was finished" >&2
    failed=$((failed + 1))
  fi
  rm -rf "$results"
  echo
  if ((skipped)); then echo "($skipped skipped)"; fi
  echo "$passed passed, $failed failed"
  ((failed == 0)) || exit 1
}
trap finish EXIT

# stage NAME COMMAND [ARGS...]: runs one stage and counts it as one result; returns its outcome.
stage() {
  local name=$1
  shift
  echo "== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "== $name: FAILED" >&2
    failed=$((failed + 1))
    return 1
  fi
}

# count_junit FILE CTEST_STATUS: one ctest run's results into the totals.
source scripts/ctest-counts.sh

# suite PRESET: configures and builds PRESET (one stage), then runs its tests (one result each).
suite() {
  local preset=$1 status=0
  build_preset() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }
  stage "$preset: build" build_preset "$preset" || { echo "== $preset: tests not run"; return; }
  echo "== $preset: tests"
  ctest --preset "$preset" -j2 --output-junit "$results/$preset.xml" || status=$?
  count_junit "$results/$preset.xml" "$status"
}

fuzz() {
  local work status=0
  cmake --preset fuzz >/dev/null || return 1
  cmake --build --preset fuzz --target parse_pak_fuzz || return 1
  work=$(mktemp -d)
  build-fuzz/bin/parse_pak_fuzz -max_total_time=60 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" fuzz/corpus 2>&1 | tail -n 8 || status=$?
  ((status == 0)) || echo "the fuzzer found a crash: $(ls "$work")"
  rm -rf "$work"
  return "$status"
}

stage "setup: packages" bash scripts/setup.sh all
stage "format: C++ files against .clang-format" bash scripts/check-format.sh
suite default
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 suite asan
stage "fuzz: ParsePak for 60 s" fuzz
if [[ -x bench/run ]]; then stage "bench: smoke run" bench/run --smoke; fi
if [[ -f scripts/test-windows.sh ]]; then
  stage "windows: cross build and tests under Wine" bash scripts/test-windows.sh
fi

finished=1
