# shellcheck shell=bash
# Sourced by scripts/test.sh (and its test): counts one ctest run from the JUnit report that
# `ctest --output-junit FILE` writes, instead of reading ctest's prose.
#
# count_junit FILE CTEST_STATUS: adds one ctest run's results, read from its JUnit report, to the
# totals. A test that ctest could not run (its program missing, say) is a failure; only a test
# that skipped itself (SKIP_RETURN_CODE) or is disabled is left out. When ctest failed but the
# report names no failure, or there is no report, the run counts as one failure.
count_junit() {
  local file=$1 status=$2 total run skip
  if ! command -v xmllint >/dev/null; then
    echo "test: xmllint (package libxml2-utils) is missing: cannot count ctest's results" >&2
    failed=$((failed + 1))
    return
  fi
  if [[ ! -s $file ]] || ! xmllint --noout "$file" 2>/dev/null; then
    echo "test: ctest wrote no readable report (status $status)" >&2
    failed=$((failed + 1))
    return
  fi
  total=$(xmllint --xpath 'count(//testcase)' "$file")
  run=$(xmllint --xpath 'count(//testcase[@status="run"])' "$file")
  skip=$(xmllint --xpath 'count(//testcase[@status="disabled" or
      skipped[starts-with(@message, "SKIP_")]])' "$file")
  passed=$((passed + run))
  skipped=$((skipped + skip))
  failed=$((failed + total - run - skip))
  if ((total == 0)); then
    echo "test: ctest found no tests" >&2
    failed=$((failed + 1))
  elif ((status != 0 && total - run - skip == 0)); then
    echo "test: ctest failed (status $status) though every test passed" >&2
    failed=$((failed + 1))
  fi
}
