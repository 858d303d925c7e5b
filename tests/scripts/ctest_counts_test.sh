#!/usr/bin/env bash
# scripts/ctest-counts.sh against JUnit reports: hand-made ones for each kind of result, then the
# report of a real ctest run over a small project with one test of each kind.
# Exits 77 (skipped) without xmllint.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
command -v xmllint >/dev/null || { echo "SKIP: xmllint is not installed"; exit 77; }
source "$root/scripts/ctest-counts.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# One test case as ctest writes it: NAME STATUS [SKIPPED_MESSAGE].
testcase() {
  echo "<testcase name=\"$1\" classname=\"$1\" time=\"0.1\" status=\"$2\">"
  [[ $2 == fail ]] && echo '<failure message=""/>'
  [[ -n ${3:-} ]] && echo "<skipped message=\"$3\"/>"
  echo '<system-out>&lt;testcase status="run"&gt; printed by a test</system-out></testcase>'
}
report() { echo '<?xml version="1.0" encoding="UTF-8"?><testsuite name="t">'; cat; echo '</testsuite>'; }

# Runs count_junit on FILE with ctest's STATUS and compares "passed failed skipped".
check() {  # CASE FILE STATUS EXPECTED
  local passed=0 failed=0 skipped=0
  count_junit "$2" "$3" 2>/dev/null
  if [[ "$passed $failed $skipped" != "$4" ]]; then
    echo "FAIL: $1: counted '$passed $failed $skipped', expected '$4'"
    failures=$((failures + 1))
  fi
}

# case | the report's test cases | ctest's status | passed failed skipped
while IFS='|' read -r name cases status expected; do
  [[ -z $name ]] && continue
  file="$work/${name// /_}.xml"
  case $cases in
    none) rm -f "$file" ;;
    garbage) printf '<testsuite><testcase' >"$file" ;;
    empty) report </dev/null >"$file" ;;
    *) for desc in $cases; do IFS=: read -r n s m <<<"$desc"; testcase "$n" "$s" "$m"; done |
         report >"$file" ;;
  esac
  check "$name" "$file" "$status" "$expected"
done <<'TABLE'
all passed|a:run b:run c:run|0|3 0 0
a failure|a:run b:fail|8|1 1 0
a timeout is a failure too|a:fail b:fail|8|0 2 0
a test that skipped itself|a:run b:notrun:SKIP_RETURN_CODE=77|0|1 0 1
a skip by regular expression|a:notrun:SKIP_REGULAR_EXPRESSION_MATCHED|0|0 0 1
a disabled test|a:run b:disabled|0|1 0 1
a missing program is a failure|a:run b:notrun:Unable_to_find_executable|8|1 1 0
a missing program without a message|a:notrun|8|0 1 0
ctest failed with every test passed|a:run|8|1 1 0
no tests found|empty|0|0 1 0
no report at all|none|8|0 1 0
a truncated report|garbage|8|0 1 0
TABLE

# The same from a real ctest run: one test passes, one fails, one skips itself, one has no program.
if command -v cmake >/dev/null && command -v ctest >/dev/null; then
  mkdir -p "$work/project"
  cat >"$work/project/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.21)
project(counts NONE)
enable_testing()
add_test(NAME passes COMMAND sh -c "exit 0")
add_test(NAME fails COMMAND sh -c "exit 1")
add_test(NAME skips COMMAND sh -c "exit 77")
set_tests_properties(skips PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME missing COMMAND /nonexistent/program)
CMAKE
  cmake -S "$work/project" -B "$work/project/build" >/dev/null
  status=0
  (cd "$work/project/build" && ctest --output-junit "$work/real.xml" >/dev/null 2>&1) || status=$?
  check "a real ctest run" "$work/real.xml" "$status" "1 2 1"
fi

((failures == 0)) || exit 1
echo "PASS"
