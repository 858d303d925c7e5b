#!/usr/bin/env bash
# Installs Unbaler, Rebaler and baler for this machine's desktop: installs what building needs,
# builds the three programs, installs them with their menu entries, icons, the .pak file type and
# baler's manual page under PREFIX (/usr/local as root, ~/.local otherwise), and brings the
# desktop's caches up to date, so that a file manager opens a .pak file with Unbaler.
#   bash scripts/install.sh [PREFIX]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then prefix=${1:-/usr/local}; else prefix=${1:-$HOME/.local}; fi

bash scripts/setup.sh core
cmake --preset default >/dev/null
cmake --build --preset default --target baler unbaler rebaler
cmake --install build --prefix "$prefix"

# The caches a desktop reads; each tool comes with the desktop that needs it.
share=$prefix/share
if command -v update-mime-database >/dev/null; then update-mime-database "$share/mime"; fi
if command -v update-desktop-database >/dev/null; then
  update-desktop-database -q "$share/applications"
fi
if command -v gtk-update-icon-cache >/dev/null; then
  gtk-update-icon-cache -q -f -t "$share/icons/hicolor" || true
fi
echo "Installed under $prefix: bin/unbaler, bin/rebaler, bin/baler (man baler)"
