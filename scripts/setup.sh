#!/usr/bin/env bash
# Installs, from Debian's packages, what building and testing need, and only
# what is missing.
#   scripts/setup.sh core     the Linux build: compilers, Qt 6 and its lrelease, test libraries,
#                             a font with Chinese and Japanese glyphs for the translated windows
#   scripts/setup.sh all      core + the real-window tests, the fuzzer and the
#                             Windows cross build (MinGW-w64, Wine), the format check, the
#                             install and sample checks, what draws the artwork and the sample,
#                             and what builds and checks the release (NSIS, zip, dpkg-dev, lintian),
#                             the accessibility bus the Qt window's test reads (at-spi2-core) and
#                             the Russian locale baler.exe's code-page test runs Wine in
# The sanitizer and fuzzer runtime comes in the version of the clang that is installed.
set -euo pipefail

core=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
      nlohmann-json3-dev qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core
      qt6-l10n-tools fonts-wqy-microhei)
extra=(clang clang-format libxml2-utils xvfb xauth xdotool x11-utils imagemagick time
       strace mingw-w64 wine wine64 googletest
       sox libsox-fmt-base file desktop-file-utils shared-mime-info libglib2.0-bin groff-base
       man-db git nsis zip unzip lintian dpkg-dev binutils-mingw-w64-x86-64 locales at-spi2-core
       dbus-daemon)

want=("${core[@]}")
[ "${1:-core}" = all ] && want+=("${extra[@]}")

# Installs the named packages that are not installed yet.
install_missing() {
  local p missing=() sudo=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing "${want[@]}"

# The runtime libraries of -fsanitize=fuzzer,address belong to one clang release: take the ones
# of the clang that is installed now, whatever its version.
if [ "${1:-core}" = all ]; then
  clang_major=$(clang -dumpversion | cut -d. -f1)
  [[ $clang_major =~ ^[0-9]+$ ]] || { echo "setup: cannot tell the clang version" >&2; exit 1; }
  install_missing "libclang-rt-$clang_major-dev"
  # baler.exe's Wine test under a Russian code page runs Wine in this locale.
  if ! locale -a | grep -qiE '^ru_RU\.utf-?8$'; then
    [ "$(id -u)" -eq 0 ] && sudo="" || sudo="sudo"
    $sudo sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $sudo locale-gen >/dev/null
  fi
fi
