#!/usr/bin/env bash
# The whole test suite, as CI runs it: installs what is missing, then
#   1. the format check of the C++ files (scripts/check-format.sh),
#   2. the release build and every test (unit, process, widget, real-window),
#   3. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer,
#   4. each fuzzer for 60 seconds on its seed corpus (ParsePak, extraction into a temporary
#      folder, pack then read back),
#   5. the benchmarks' smoke run,
#   6. the Windows build, its tests under Wine, when that part of the tree exists,
#   7. the release (scripts/release.sh) built and checked as a user meets it: the installer and
#      its uninstaller under Wine, the portable zip, the Debian package (installed and purged only
#      in CI as root) (scripts/test-release.sh).
# Every stage runs, whatever happened before it. Each test that ctest runs counts as one result,
# each other stage (setup, a build, the format check, the fuzzer, ...) as one more; tests that
# skip themselves (no X server, say) count as neither. It ends with one line,
# "N passed, M failed", and exits non-zero when anything failed.
#
# No `set -e`: a failing stage is counted, not the end of the run.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

# The permission tests must run as a user without privileges; when the suite runs as root, they
# drop to this user in a child process.
export PAK_TEST_USER=baler-test
if [ "$(id -u)" -eq 0 ] && ! id -u "$PAK_TEST_USER" >/dev/null 2>&1; then
  useradd --system --no-create-home --shell /usr/sbin/nologin "$PAK_TEST_USER"
fi

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

build_fuzzers() {
  cmake --preset fuzz >/dev/null &&
    cmake --build --preset fuzz --target parse_pak_fuzz extract_fuzz pack_roundtrip_fuzz
}

# fuzz NAME SEEDS: runs one fuzzer for 60 s; fails when it finds a fault.
fuzz() {
  local name=$1 seeds=$2 work status=0
  work=$(mktemp -d)
  build-fuzz/bin/"$name" -max_total_time=60 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" "$seeds" 2>&1 | tail -n 8 || status=$?
  ((status == 0)) ||
    echo "$name found a fault: $(ls "$work" | grep -E '^(crash|leak|timeout|oom)-' || true)"
  rm -rf "$work"
  return "$status"
}

stage "setup: packages" bash scripts/setup.sh all
stage "format: C++ files against .clang-format" bash scripts/check-format.sh
suite default
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 suite asan
stage "fuzz: build" build_fuzzers &&
  for fuzzer in parse_pak_fuzz:fuzz/corpus extract_fuzz:fuzz/corpus \
                pack_roundtrip_fuzz:fuzz/corpus-pack; do
    stage "fuzz: ${fuzzer%%:*} for 60 s" fuzz "${fuzzer%%:*}" "${fuzzer#*:}"
  done
if [[ -x bench/run ]]; then stage "bench: smoke run" bench/run --smoke; fi
if [[ -f scripts/test-windows.sh ]]; then
  stage "windows: cross build and tests under Wine" bash scripts/test-windows.sh
fi
stage "release: built from HEAD, installed and uninstalled" bash scripts/test-release.sh

finished=1
