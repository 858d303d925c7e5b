#!/usr/bin/env bash
# The whole test suite, as CI runs it: installs what is missing, then
#   1. the release build and every test (unit, process, widget, real-window),
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. each fuzzer for 60 seconds on its seed corpus (ParsePak, extraction into a temporary
#      folder, pack-then-read-back),
#   4. the Windows build, its tests under Wine, when that part of the tree exists.
# It ends with one line: "N passed, M failed".
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh all

# The permission tests must run as a user without privileges; when the suite runs as root, they
# drop to this user in a child process.
export PAK_TEST_USER=baler-test
if [ "$(id -u)" -eq 0 ] && ! id -u "$PAK_TEST_USER" >/dev/null 2>&1; then
  useradd --system --no-create-home --shell /usr/sbin/nologin "$PAK_TEST_USER"
fi

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

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target parse_pak_fuzz extract_fuzz pack_roundtrip_fuzz
for fuzzer in parse_pak_fuzz:fuzz/corpus extract_fuzz:fuzz/corpus \
              pack_roundtrip_fuzz:fuzz/corpus-pack; do
  name=${fuzzer%%:*}
  seeds=${fuzzer#*:}
  echo "== fuzz: $name for 60 s"
  work=$(mktemp -d)
  if build-fuzz/bin/"$name" -max_total_time=60 -print_final_stats=1 \
       -artifact_prefix="$work/" "$work" "$seeds" 2>&1 | tail -n 8; then
    passed=$((passed + 1))
  else
    echo "$name found a fault: $(ls "$work" | grep -E '^(crash|leak|timeout|oom)-' || true)"
    failed=$((failed + 1))
  fi
  rm -rf "$work"
done

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
