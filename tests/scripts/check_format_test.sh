#!/usr/bin/env bash
# scripts/check-format.sh in a scratch repository: which files it names, what it exits with, and
# that --fix leaves nothing to name. Exits 77 (skipped) without clang-format or git.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
for tool in clang-format git; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A scratch repository with the project's style and the script under test; FILE=CONTENT pairs
# are written (with \n for line ends); those named in TRACKED are added to git.
make_repo() {  # DIR TRACKED FILE=CONTENT...
  local dir=$1 tracked=$2 pair
  shift 2
  rm -rf "$dir"
  mkdir -p "$dir/scripts"
  cp "$root/.clang-format" "$dir/"
  cp "$root/scripts/check-format.sh" "$dir/scripts/"
  git -C "$dir" init -q
  for pair in "$@"; do
    mkdir -p "$dir/$(dirname "${pair%%=*}")"
    printf '%b' "${pair#*=}" >"$dir/${pair%%=*}"
  done
  for pair in $tracked; do git -C "$dir" add "$pair"; done
}

good='int Add(int a, int b) { return a + b; }\n'
bad='int  Add( int a,int b ){return a+b;}\n'

# case | tracked files | exit | files the check must name (space-separated, "-" for none)
while IFS='|' read -r name tracked want_status want_named; do
  [[ -z $name ]] && continue
  repo="$work/repo"
  make_repo "$repo" "$tracked" "a/good.cc=$good" "a/bad.cc=$bad" "b/bad.h=$bad" "c/good.h=$good" \
    "c/notes.txt=$bad"
  status=0
  output=$(bash "$repo/scripts/check-format.sh" 2>&1) || status=$?
  [[ $status == "$want_status" ]] || fail "$name: exit $status, expected $want_status: $output"
  named=$(sed -n 's/^check-format: differs from .clang-format: //p' <<<"$output" | sort | xargs)
  [[ ${named:--} == "$want_named" ]] || fail "$name: named '${named:--}', expected '$want_named'"
done <<'TABLE'
only well-formatted files|a/good.cc c/good.h|0|-
one badly formatted source|a/good.cc a/bad.cc|1|a/bad.cc
sources and headers alike|a/bad.cc b/bad.h c/good.h|1|a/bad.cc b/bad.h
untracked files are not checked|a/good.cc|0|-
files that are not C++ are not checked|c/notes.txt a/good.cc|0|-
TABLE

# --fix formats what differs, after which the check passes and the content is the formatted one.
make_repo "$work/fix" "a/bad.cc b/bad.h" "a/bad.cc=$bad" "b/bad.h=$bad"
bash "$work/fix/scripts/check-format.sh" --fix >/dev/null
bash "$work/fix/scripts/check-format.sh" >/dev/null 2>&1 || fail "--fix left files that differ"
[[ $(cat "$work/fix/a/bad.cc") == "$(printf '%b' "$good" | head -c -1)" ]] ||
  fail "--fix wrote: $(cat "$work/fix/a/bad.cc")"

((failures == 0)) || exit 1
echo "PASS"
