#!/usr/bin/env bash
# Builds the release (scripts/release.sh, into build-release/dist) and uses it as a user would:
#   - the Windows installer under Wine: installs silently (/S), leaves the files, the shortcuts,
#     the ProgID, .pak's OpenWithProgids and the Apps & features entry, keeps a .pak default that
#     was there before, runs the installed baler.exe --version; its uninstaller (/S) leaves no file
#     and no key behind, and the .pak default it found;
#   - the portable zip: the folder it promises, README.txt with CRLF; unpacked into a fresh folder,
#     its baler.exe extracts sample.pak under Wine exactly as the Linux build does;
#   - the Debian package: lintian finds no error; it holds the programs, the menu entries, the
#     file type, the icons and the manual pages; where the test command runs as root in CI
#     (CI=true), dpkg -i installs it, baler --version and man -w baler work, and dpkg -P leaves
#     none of its files (elsewhere the package is never installed);
#   - SHA256SUMS checks.
#
#   bash scripts/test-release.sh
#
# The Wine prefix lives in build-release/wine and is booted once.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
state=$root/build-release
dist=$state/dist
started=$SECONDS
failures=0
fail() {
  echo "test-release: FAIL: $*"
  failures=$((failures + 1))
}
mkdir -p "$state"

OUT_DIR="$dist" bash "$root/scripts/release.sh"
echo "test-release: built in $((SECONDS - started)) s"
version=$(sed -n 's/^.*  baler_\(.*\)_amd64\.deb$/\1/p' "$dist/SHA256SUMS")
[[ -n $version ]] || { echo "test-release: no package in $dist/SHA256SUMS"; exit 1; }
top=baler-$version
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ---- Checksums ----
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"
[[ $(wc -l <"$dist/SHA256SUMS") -eq 4 ]] || fail "SHA256SUMS does not list the four files"

# ---- The Linux tarball: the install tree under one folder ----
tar -xzf "$dist/$top-linux-x86_64.tar.gz" -C "$work"
linux_baler=$work/$top/bin/baler
[[ $("$linux_baler" --version) == "baler $version" ]] || fail "the tarball's baler --version"

# ---- Wine ----
export WINEPREFIX=$state/wine/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64
if [[ -x /usr/lib/wine/wine64 ]] && ! command -v wine64 >/dev/null; then
  WINE=/usr/lib/wine/wine64
else
  WINE="$(command -v wine64 || command -v wine)"
fi
unset DISPLAY
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "test-release: booting the Wine prefix (once)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wine() { "$WINE" "$@" 2>/dev/null | tr -d '\r'; }
# reg_value KEY NAME: the data of a value ("" for the default one), or nothing when it is absent.
reg_value() {
  local flag=(/v "$2")
  [[ -z $2 ]] && flag=(/ve)
  wine reg query "$1" "${flag[@]}" | sed -n 's/^    [^ ]*\( [^ ]*\)*    REG_[A-Z_]*    //p' | head -n 1
}
reg_exists() { "$WINE" reg query "$1" >/dev/null 2>&1; }

# ---- The portable zip ----
expected=$(printf '%s\n' "$top/" "$top/LICENSE.txt" "$top/README.txt" "$top/baler.exe" \
  "$top/rebaler.exe" "$top/sample.pak" "$top/unbaler.exe")
[[ $(unzip -Z1 "$dist/$top-windows-x64.zip" | sort) == "$expected" ]] ||
  fail "the zip holds $(unzip -Z1 "$dist/$top-windows-x64.zip" | tr '\n' ' ')"
mkdir "$work/usb"
unzip -q "$dist/$top-windows-x64.zip" -d "$work/usb"
portable=$work/usb/$top
if [[ $(grep -c $'\r$' "$portable/README.txt") -ne $(wc -l <"$portable/README.txt") ]]; then
  fail "README.txt has lines without CRLF"
fi
mkdir "$work/linux-out"
"$linux_baler" extract -q "$portable/sample.pak" "$work/linux-out"
if command -v x86_64-w64-mingw32-objdump >/dev/null; then
  for exe in baler unbaler rebaler; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$portable/$exe.exe" | sed -n 's/^\tDLL Name: //p' |
      grep -viE '^(kernel32|user32|gdi32|shell32|ole32|oleaut32|oleacc|comctl32|comdlg32|advapi32|msvcrt|ws2_32|uxtheme|shlwapi|api-ms-win-.*)\.dll$' || true)
    [[ -z $dlls ]] || fail "$exe.exe needs DLLs that Windows does not have: $dlls"
  done
fi
mkdir "$work/usb/out"
(cd "$work/usb" && wine "$portable/baler.exe" extract -q "$top/sample.pak" out) ||
  fail "the zip's baler.exe could not extract sample.pak"
diff -r "$work/linux-out" "$work/usb/out" >/dev/null ||
  fail "the zip's baler.exe extracted other files than the Linux build"

# ---- The installer ----
classes='HKCU\Software\Classes'
progid="$classes\\Baler.PakArchive"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Baler'
# Another program owns .pak already: the installer must leave it so.
"$WINE" reg add "$classes\\.pak" /ve /d Other.Archive /f >/dev/null 2>&1
local_app=$(wine cmd /c echo %LOCALAPPDATA%)
programs=$(wine cmd /c echo %APPDATA%)'\Microsoft\Windows\Start Menu\Programs'
install_dir=$("$WINE" winepath -u "$local_app\\Programs\\Baler" 2>/dev/null)
start_menu=$("$WINE" winepath -u "$programs" 2>/dev/null)
[[ ! -e $install_dir ]] || fail "$install_dir is there before the installer ran"
wine "$dist/$top-windows-x64-setup.exe" /S || fail "the installer /S failed"
wineserver -w

for file in unbaler.exe rebaler.exe baler.exe README.txt LICENSE.txt sample.pak uninstall.exe; do
  [[ -f $install_dir/$file ]] || fail "the installer did not write $file"
done
for link in Unbaler.lnk Rebaler.lnk; do
  [[ -f $start_menu/$link ]] || fail "the installer made no Start-menu shortcut $link"
done
windows_dir="$local_app\\Programs\\Baler"
while IFS='|' read -r key name want; do
  got=$(reg_value "$key" "$name")
  [[ $got == "$want" ]] || fail "$key [${name:-default}] is '$got', not '$want'"
done <<EOF
$progid||PAK archive
$progid\\DefaultIcon||$windows_dir\\unbaler.exe,0
$progid\\shell\\open\\command||"$windows_dir\\unbaler.exe" "%1"
$classes\\.pak||Other.Archive
$uninstall_key|DisplayName|Unbaler, Rebaler and baler
$uninstall_key|DisplayVersion|$version
$uninstall_key|Publisher|The Baler developers
$uninstall_key|UninstallString|"$windows_dir\\uninstall.exe"
EOF
reg_exists "$classes\\.pak\\OpenWithProgids" &&
  wine reg query "$classes\\.pak\\OpenWithProgids" | grep -q '^    Baler.PakArchive ' ||
  fail ".pak\\OpenWithProgids does not list Baler.PakArchive"
size=$(reg_value "$uninstall_key" EstimatedSize)
((size > 1000)) 2>/dev/null || fail "EstimatedSize is '$size', not the size in KB"
[[ $(wine "$install_dir/baler.exe" --version) == "baler $version" ]] ||
  fail "the installed baler.exe --version says '$(wine "$install_dir/baler.exe" --version)'"
echo "test-release: installed under Wine; the keys:"
wine reg query "$progid" /s | grep -v '^$' | sed 's/^/  /'

wine "$install_dir/uninstall.exe" /S || fail "the uninstaller /S failed"
wineserver -w
[[ ! -e $install_dir ]] || fail "the uninstaller left $(ls -A "$install_dir" | tr '\n' ' ') in $install_dir"
for link in Unbaler.lnk Rebaler.lnk; do
  [[ ! -e $start_menu/$link ]] || fail "the uninstaller left the shortcut $link"
done
for key in "$progid" "$classes\\Applications\\unbaler.exe" "$classes\\.pak\\OpenWithProgids" \
           "$uninstall_key"; do
  ! reg_exists "$key" || fail "the uninstaller left $key"
done
[[ $(reg_value "$classes\\.pak" "") == Other.Archive ]] ||
  fail "the uninstaller took away the .pak default it found"
"$WINE" reg delete "$classes\\.pak" /f >/dev/null 2>&1

# ---- The Debian package ----
deb=$dist/baler_${version}_amd64.deb
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 ||
    fail "lintian: $(grep '^E:' "$work/lintian.txt" || cat "$work/lintian.txt")"
  echo "test-release: lintian: $(grep -c '^W:' "$work/lintian.txt") warning(s), no error"
else
  fail "lintian is not installed"
fi
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in /usr/bin/baler /usr/bin/unbaler /usr/bin/rebaler \
            /usr/share/applications/unbaler.desktop /usr/share/applications/rebaler.desktop \
            /usr/share/mime/packages/pak-archive.xml /usr/share/man/man1/baler.1.gz \
            /usr/share/icons/hicolor/48x48/apps/unbaler.png /usr/share/doc/baler/copyright; do
  grep -qx "$path" <<<"$files" || fail "the package does not hold $path"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package's Depends miss Qt"

if [[ ${CI:-} == true && $(id -u) -eq 0 ]]; then
  if dpkg -s baler >/dev/null 2>&1; then
    fail "a package named baler is installed already; not replacing it"
  else
    dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"
    # The desktop's caches are brought up to date by the triggers of the packages that own them.
    grep -q '^Processing triggers for shared-mime-info' "$work/dpkg.log" ||
      fail "dpkg -i ran no trigger of shared-mime-info: $(cat "$work/dpkg.log")"
    [[ $(/usr/bin/baler --version) == "baler $version" ]] || fail "installed baler --version"
    man -w baler | grep -q '^/usr/share/man/man1/baler.1.gz$' || fail "man -w baler"
    dpkg -P baler >>"$work/dpkg.log" 2>&1 || fail "dpkg -P: $(cat "$work/dpkg.log")"
    while read -r path; do
      [[ -f $path ]] && fail "dpkg -P left $path"
    done < <(grep -v '/$' <<<"$files")
    echo "test-release: dpkg -i, baler --version, man -w baler and dpkg -P passed"
  fi
else
  echo "test-release: not CI as root: the package was checked, not installed"
fi

echo "test-release: took $((SECONDS - started)) s"
((failures == 0)) || { echo "test-release: $failures check(s) failed" >&2; exit 1; }
echo "test-release: all passed"
