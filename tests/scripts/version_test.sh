#!/usr/bin/env bash
# The version a build reports, from the git history of scratch checkouts: plain on a release tag
# and without git, "-N-gHASH" added past a tag, and counted from the first commit before any tag.
#   version_test.sh CMAKE
set -euo pipefail
cmake=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
command -v git >/dev/null || { echo "git is missing: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
version() { "$cmake" -DSOURCE_DIR="$1" -DPLAIN=1.1.0 -P "$root/cmake/version.cmake"; }
expect() {
  local what=$1 want=$2 got
  got=$(version "$work/repo")
  [[ $got =~ ^$want$ ]] || { echo "FAIL: $what: '$got', not '$want'"; failures=$((failures + 1)); }
}
commit() {
  git -C "$work/repo" -c user.name=t -c user.email=t@t commit -q --allow-empty -m "$1"
}
hash() { git -C "$work/repo" rev-parse --short=7 HEAD; }

mkdir "$work/repo"
expect "no git" "1\.1\.0"
git -C "$work/repo" init -q
commit one
expect "one commit, no tag" "1\.1\.0"
commit two
commit three
expect "no tag: counted from the first commit" "1\.1\.0-2-g$(hash)"
git -C "$work/repo" tag v1.0.9
git -C "$work/repo" tag not-a-release
expect "on a release tag" "1\.1\.0"
commit four
git -C "$work/repo" tag -a -m note later-note
expect "past a tag, other tags ignored" "1\.1\.0-1-g$(hash)"

# A build of an export hands over the checkout's result in BALER_GIT_DESCRIBE.
described=$("$cmake" -DSOURCE_DIR="$work/repo" -P "$root/cmake/version.cmake")
[[ $described == "v1.0.9-1-g$(hash)" ]] || {
  echo "FAIL: describe of the checkout: '$described'"
  failures=$((failures + 1))
}

((failures == 0)) && echo "version: every case as expected"
((failures == 0))
