#!/usr/bin/env bash
# Builds the release from the committed tree (HEAD, exported with `git archive`; the working tree's
# changes never reach it) and writes into dist/:
#   baler-VERSION-windows-x64.zip          the portable Windows folder baler-VERSION/
#   baler-VERSION-windows-x64-setup.exe    the Windows installer (NSIS, per user)
#   baler_VERSION_amd64.deb                the Debian package
#   baler-VERSION-linux-x86_64.tar.gz      the Linux install tree under baler-VERSION/
#   SHA256SUMS                             for `sha256sum -c`
# VERSION is the project's version with what `git describe` adds past a release tag.
#
#   bash scripts/release.sh                        # into dist/
#   bash scripts/release.sh --check-reproducible   # builds twice from two fresh clones of HEAD
#                                                  # and compares every file byte for byte
#
# The files are reproducible: every time stamp is SOURCE_DATE_EPOCH (default: the last commit's
# time), and nothing depends on where the tree or the build lies. OUT_DIR overrides dist/, JOBS
# the parallel jobs (2). Installs nothing: scripts/setup.sh all installs what it needs.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${JOBS:-2}"
out="${OUT_DIR:-$root/dist}"
say() { echo "release: $*"; }
die() {
  echo "release: $*" >&2
  exit 1
}

missing=()
for tool in git cmake ninja x86_64-w64-mingw32-g++-posix makensis dpkg-deb dpkg-shlibdeps zip \
            sha256sum; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
((${#missing[@]} == 0)) || die "missing: ${missing[*]} (bash scripts/setup.sh all installs them)"
git -C "$root" rev-parse --verify -q HEAD >/dev/null || die "$root is not a git checkout"

# ---- Two builds from two clones, compared ----
if [[ ${1:-} == --check-reproducible ]]; then
  commit=$(git -C "$root" rev-parse HEAD)
  check=$(mktemp -d "${TMPDIR:-/tmp}/baler-reproducible.XXXXXX")
  trap 'rm -rf "$check"' EXIT
  for run in one two; do
    git clone -q --no-checkout "$root" "$check/$run"
    git -C "$check/$run" checkout -q --detach "$commit"
    say "build $run of $commit in $check/$run"
    OUT_DIR="$check/dist-$run" bash "$check/$run/scripts/release.sh" >"$check/$run.log" 2>&1 ||
      { cat "$check/$run.log"; die "build $run failed"; }
  done
  if diff -r "$check/dist-one" "$check/dist-two"; then
    say "reproducible: both builds of $commit gave the same bytes:"
    cat "$check/dist-one/SHA256SUMS"
    exit 0
  fi
  die "NOT reproducible: the builds of $commit differ (above)"
fi
[[ $# -eq 0 ]] || die "usage: scripts/release.sh [--check-reproducible]"

# ---- The committed tree, its version and its time ----
cd "$root"
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct HEAD)}"
export TZ=UTC LC_ALL=C
umask 022
plain=$(git show HEAD:CMakeLists.txt | sed -n 's/^project(baler VERSION \([0-9.]*\) .*/\1/p')
[[ -n $plain ]] || die "no project(baler VERSION ...) in the committed CMakeLists.txt"
described=$(cmake -DSOURCE_DIR="$root" -P cmake/version.cmake)
version=$(cmake -DSOURCE_DIR="$root" -DPLAIN="$plain" -P cmake/version.cmake)
commits=0
[[ $version =~ -([0-9]+)-g[0-9a-f]+$ ]] && commits=${BASH_REMATCH[1]}
say "version $version, time stamps $(date -d "@$SOURCE_DATE_EPOCH" '+%F %T') UTC"

work=$(mktemp -d "${TMPDIR:-/tmp}/baler-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
git archive --format=tar HEAD | tar -x -C "$work/src"
src=$work/src
# Compiler caches (CMAKE_CXX_COMPILER_LAUNCHER=ccache) hit across runs whatever the folder's name.
export CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1
# No build path may reach a binary; the linkers stamp no time of their own.
maps="-ffile-prefix-map=$work/=/"
configure=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DBALER_WITH_TESTS=OFF -DBALER_WITH_BENCH=OFF
           -DBALER_GIT_DESCRIBE="$described")

# ---- Linux: the install tree, the tarball and the Debian package ----
say "Linux build"
# Through CXXFLAGS and LDFLAGS, which CMake puts before the toolchain's own flags, not instead.
CXXFLAGS="$maps -D_FORTIFY_SOURCE=2 -fstack-protector-strong" LDFLAGS="-Wl,-z,relro,-z,now" \
  cmake -S "$src" -B "$work/linux" "${configure[@]}" -DCMAKE_INSTALL_PREFIX=/usr >"$work/linux.log"
cmake --build "$work/linux" --parallel "$jobs" --target baler unbaler rebaler >>"$work/linux.log" ||
  { tail -n 40 "$work/linux.log"; die "the Linux build failed"; }

say "Windows build"
CXXFLAGS="$maps" LDFLAGS="-Wl,--no-insert-timestamp" \
  cmake -S "$src" -B "$work/windows" "${configure[@]}" -DBALER_WITH_QT=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" >"$work/windows.log"
cmake --build "$work/windows" --parallel "$jobs" --target baler unbaler rebaler \
  >>"$work/windows.log" || { tail -n 40 "$work/windows.log"; die "the Windows build failed"; }

# Every file and folder under $1: the owner's rights only as 644 or 755, the same time.
normalise() {
  find "$1" -type d -exec chmod 755 {} +
  find "$1" -type f -exec chmod u+rw,go+r,go-w {} +
  find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

rm -rf "$out"
mkdir -p "$out"
tree=$work/linux-tree
DESTDIR="$tree" cmake --install "$work/linux" --strip >/dev/null
gzip -9n "$tree"/usr/share/man/man1/*.1

top=baler-$version
mkdir "$work/tarball"
cp -a "$tree/usr" "$work/tarball/$top"
cp "$src/LICENSE" "$src/README.md" "$src/CHANGELOG.md" "$work/tarball/$top/"
normalise "$work/tarball"
tar -C "$work/tarball" --sort=name --owner=0 --group=0 --numeric-owner --format=gnu -cf - "$top" |
  gzip -9n >"$out/baler-$version-linux-x86_64.tar.gz"

# The package: the install tree, its documents, what the binaries link against.
deb=$work/deb
mkdir -p "$deb/DEBIAN" "$deb/usr/share/doc/baler"
cp -a "$tree/usr" "$deb/"
sed "s/@YEAR@/$(date -d "@$SOURCE_DATE_EPOCH" +%Y)/" "$src/packaging/debian/copyright" \
  >"$deb/usr/share/doc/baler/copyright"
# A version with a hyphen has a Debian revision: the package's changelog is then
# changelog.Debian, and changelog is the project's. A plain version has only the package's.
changelog=changelog.gz
if [[ $version == *-* ]]; then
  changelog=changelog.Debian.gz
  gzip -9n <"$src/CHANGELOG.md" >"$deb/usr/share/doc/baler/changelog.gz"
fi
{
  echo "baler ($version) unstable; urgency=medium"
  echo
  echo "  * Release $version, built from commit $(git rev-parse --short=12 HEAD)."
  echo "    Its changes are those that CHANGELOG.md of the source lists."
  echo
  echo " -- The Baler developers <baler@example.org>  $(date -R -d "@$SOURCE_DATE_EPOCH")"
} | gzip -9n >"$deb/usr/share/doc/baler/$changelog"
mkdir -p "$work/shlibs/debian"
printf 'Source: baler\n\nPackage: baler\nArchitecture: amd64\n' >"$work/shlibs/debian/control"
depends=$(cd "$work/shlibs" && dpkg-shlibdeps -O -e"$deb/usr/bin/baler" -e"$deb/usr/bin/unbaler" \
            -e"$deb/usr/bin/rebaler" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[[ -n $depends ]] || die "dpkg-shlibdeps found no dependencies"
size=$(du -sk --apparent-size "$deb/usr" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@DEPENDS@/$depends/" -e "s/@SIZE@/$size/" \
  "$src/packaging/debian/control" >"$deb/DEBIAN/control"
(cd "$deb" && find usr -type f | sort | xargs md5sum) >"$deb/DEBIAN/md5sums"
normalise "$deb"
chmod 644 "$deb/DEBIAN/control" "$deb/DEBIAN/md5sums"
dpkg-deb --root-owner-group -Zxz --build "$deb" "$out/baler_${version}_amd64.deb" >/dev/null

# ---- Windows: the portable folder, its zip and the installer ----
portable=$work/zip/$top
mkdir -p "$portable"
for exe in unbaler rebaler baler; do cp "$work/windows/bin/$exe.exe" "$portable/"; done
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$src/packaging/windows/README.txt" \
  >"$portable/README.txt"
sed 's/$/\r/' "$src/LICENSE" >"$portable/LICENSE.txt"
cp "$src/examples/sample.pak" "$portable/"
normalise "$work/zip"
(cd "$work/zip" && find "$top" | sort | zip -X -q "$out/baler-$version-windows-x64.zip" -@)

makensis -V2 -DVERSION="$version" -DFILEVERSION="${plain}.$commits" -DSTAGE="$portable" \
  -DICON="$src/skin/icons/unbaler.ico" -DOUTFILE="$out/baler-$version-windows-x64-setup.exe" \
  "$src/packaging/windows/baler.nsi" >"$work/nsis.log" || { cat "$work/nsis.log"; die "makensis failed"; }

# ---- Checksums ----
(cd "$out" && sha256sum -- *.zip *.exe *.deb *.tar.gz >SHA256SUMS)
say "written into $out:"
(cd "$out" && stat -c '  %10s  %n' -- *)
