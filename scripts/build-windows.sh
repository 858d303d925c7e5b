#!/usr/bin/env bash
# Cross-builds the native Windows programs (unbaler.exe, rebaler.exe, baler.exe) and the tests
# with MinGW-w64 into build-win/. The programs land in build-win/bin/.
#
#   scripts/build-windows.sh [ninja targets...]
#
# Without targets it builds the three programs; scripts/test-windows.sh names the tests it needs.
#
# BUILD_DIR overrides the build folder, JOBS the parallel jobs (default 2), BUILD_TYPE the CMake
# build type (default Release).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-win}"
jobs="${JOBS:-2}"
build_type="${BUILD_TYPE:-Release}"

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

if [[ ! -f "$build/CMakeCache.txt" || ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE="$build_type" \
    -DBALER_WITH_QT=OFF -DBALER_WITH_BENCH=OFF -DBALER_WITH_TESTS=ON
fi
if (($# == 0)); then set -- unbaler rebaler baler; fi
ninja -C "$build" -j "$jobs" "$@"
if [[ " $* " == *" unbaler "* ]]; then
  echo "build-windows: programs in $build/bin:"
  for exe in unbaler rebaler baler; do
    [[ -f "$build/bin/$exe.exe" ]] && echo "  $(stat -c %s "$build/bin/$exe.exe") bytes  $exe.exe"
  done
fi
