#!/usr/bin/env bash
# Installs, from Debian's packages, what building and testing need, and only
# what is missing.
#   scripts/setup.sh core     the Linux build: compilers, Qt 6, test libraries
#   scripts/setup.sh all      core + the real-window tests, the fuzzer and the
#                             Windows cross build (MinGW-w64, Wine)
set -euo pipefail

core=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
      nlohmann-json3-dev qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core)
extra=(clang libclang-rt-14-dev xvfb xauth xdotool x11-utils imagemagick time
       mingw-w64 wine wine64 googletest)

want=("${core[@]}")
[ "${1:-core}" = all ] && want+=("${extra[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
