#!/usr/bin/env bash
# Cross-builds the native Windows programs (unbaler.exe, rebaler.exe, baler.exe) and the tests
# with MinGW-w64 through the `win` CMake preset into build-win/. The programs land in build-win/bin/.
#
#   scripts/build-windows.sh [ninja targets...]
#
# Without targets it builds the three programs; scripts/test-windows.sh names the tests it needs.
#
# BUILD_DIR overrides the preset's build folder, JOBS the parallel jobs (default 2), BUILD_TYPE the
# preset's CMake build type (Release).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-win}"
jobs="${JOBS:-2}"

missing=()
for tool in cmake ninja x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -f /usr/src/googletest/CMakeLists.txt ]] || missing+=("/usr/src/googletest (package googletest)")
[[ -f /usr/include/CLI/CLI.hpp ]] || missing+=("/usr/include/CLI (package libcli11-dev)")
if ((${#missing[@]})); then
  echo "build-windows: missing: ${missing[*]}" >&2
  echo "build-windows: the packages are mingw-w64, cmake, ninja-build, googletest, libcli11-dev" >&2
  exit 2
fi

# The preset holds the settings; this only adds what the caller overrides.
configure=(--preset win -B "$build")
[[ -n ${BUILD_TYPE:-} ]] && configure+=("-DCMAKE_BUILD_TYPE=$BUILD_TYPE")
cmake "${configure[@]}" >/dev/null
if (($# == 0)); then set -- unbaler rebaler baler; fi
cmake --build "$build" --parallel "$jobs" --target "$@"
if [[ " $* " == *" unbaler "* ]]; then
  echo "build-windows: programs in $build/bin:"
  for exe in unbaler rebaler baler; do
    if [[ -f "$build/bin/$exe.exe" ]]; then
      echo "  $(stat -c %s "$build/bin/$exe.exe") bytes  $exe.exe"
    fi
  done
fi
