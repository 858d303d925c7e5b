#!/usr/bin/env bash
# Checks that every tracked C++ file is laid out as the repository's .clang-format says, without
# changing any file. Lists the files that differ and exits 1 when there is one.
#
#   scripts/check-format.sh            check
#   scripts/check-format.sh --fix      rewrite the files that differ
#
# CLANG_FORMAT names the program (default clang-format, from the package of that name).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

clang_format=${CLANG_FORMAT:-clang-format}
command -v "$clang_format" >/dev/null || {
  echo "check-format: $clang_format is not installed (package clang-format)" >&2
  exit 2
}

# The tracked files when this is a git checkout, otherwise every C++ file outside build folders.
files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -d '' files < <(git ls-files -z -- '*.cc' '*.h' '*.cpp' '*.hpp')
else
  mapfile -d '' files < <(find . -path './build*' -prune -o \
    \( -name '*.cc' -o -name '*.h' -o -name '*.cpp' -o -name '*.hpp' \) -type f -print0 | sort -z)
fi
((${#files[@]})) || { echo "check-format: no C++ files found" >&2; exit 2; }

if [[ ${1:-} == --fix ]]; then
  "$clang_format" -i --style=file -- "${files[@]}"
  echo "check-format: formatted ${#files[@]} files"
  exit 0
fi

# One run decides; only when it fails is each file checked on its own, to name the ones that differ.
if "$clang_format" --dry-run -Werror --style=file -- "${files[@]}" >/dev/null 2>&1; then
  echo "check-format: ${#files[@]} files as .clang-format says ($("$clang_format" --version))"
  exit 0
fi
differ=()
for file in "${files[@]}"; do
  "$clang_format" --dry-run -Werror --style=file -- "$file" >/dev/null 2>&1 || differ+=("$file")
done
((${#differ[@]})) || differ=("(clang-format failed on the whole set; run it by hand)")
printf 'check-format: differs from .clang-format: %s\n' "${differ[@]}" >&2
echo "check-format: ${#differ[@]} of ${#files[@]} files differ;" \
  "'scripts/check-format.sh --fix' formats them" >&2
exit 1
