#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the programs, their menu entries and icons, the
# archives' file type and baler's manual page land where a desktop looks for them, each passes
# its own checker, and a .pak file resolves to the type that Unbaler opens.
#   install_test.sh CMAKE BUILD_DIR
# A missing checker skips its checks; with nothing failed the test then exits 77 (skipped).
set -euo pipefail
cmake=$1
build=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
type=application/x-pak-archive

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
missing=()
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Whether TOOL is installed; a missing one is remembered for the verdict.
have() {
  command -v "$1" >/dev/null && return 0
  missing+=("$1")
  return 1
}
# The value of KEY in the [Desktop Entry] group of a .desktop file.
desktop_value() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1"; }

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install failed"
  exit 1
fi

# ---- What lands where: test | path under the prefix ----
while read -r test path; do
  [[ -z $test ]] && continue
  [ "$test" "$prefix/$path" ] || fail "$path is missing (test $test)"
done <<EOF
-x bin/baler
-x bin/unbaler
-x bin/rebaler
-f share/applications/unbaler.desktop
-f share/applications/rebaler.desktop
-f share/mime/packages/pak-archive.xml
-f share/man/man1/baler.1
-f share/man/man1/unbaler.1
-f share/man/man1/rebaler.1
EOF

for program in unbaler rebaler; do
  for size in 16 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/$program.png
    if [[ ! -f $prefix/$icon ]]; then
      fail "$icon is missing"
    elif have file && ! file -b "$prefix/$icon" | grep -q "^PNG image data, $size x $size,"; then
      fail "$icon is not a $size x $size PNG: $(file -b "$prefix/$icon")"
    fi
  done
done

# ---- Menu entries: valid, and pointing at what was installed ----
# desktop file | program it starts | MIME types it must declare ("-" for none)
while IFS='|' read -r desktop program types; do
  [[ -z $desktop ]] && continue
  file=$prefix/share/applications/$desktop
  [[ -f $file ]] || continue
  if have desktop-file-validate; then
    out=$(desktop-file-validate "$file" 2>&1) && [[ -z $out ]] ||
      fail "$desktop does not pass desktop-file-validate: $out"
  fi
  exec_line=$(desktop_value "$file" Exec)
  [[ ${exec_line%% *} == "$program" && -x $prefix/bin/$program ]] ||
    fail "$desktop starts '$exec_line', not the installed $program"
  [[ $exec_line == *%[fFuU]* ]] || fail "$desktop passes no file to $program: '$exec_line'"
  [[ -f $prefix/share/icons/hicolor/48x48/apps/$(desktop_value "$file" Icon).png ]] ||
    fail "$desktop names an icon that was not installed: $(desktop_value "$file" Icon)"
  declared=$(desktop_value "$file" MimeType)
  [[ $types == - || ";$declared" == *";$types;"* ]] ||
    fail "$desktop declares MimeType '$declared', not $types"
done <<EOF
unbaler.desktop|unbaler|$type
rebaler.desktop|rebaler|-
EOF

# ---- The file type: well-formed, accepted by update-mime-database, and *.pak resolves to it ----
package=$prefix/share/mime/packages/pak-archive.xml
if [[ -f $package ]]; then
  if have xmllint && ! xmllint --noout "$package"; then fail "pak-archive.xml is not well-formed"; fi
  grep -q "<mime-type type=\"$type\">" "$package" || fail "pak-archive.xml does not declare $type"
  if have update-mime-database; then
    # A copy beside the system's own types (when there), which name another type for *.pak.
    data=$work/data
    mkdir -p "$data/mime/packages"
    cp "$package" "$data/mime/packages/"
    system=/usr/share/mime/packages/freedesktop.org.xml
    [[ -f $system ]] && cp "$system" "$data/mime/packages/"
    export XDG_DATA_HOME=$data XDG_DATA_DIRS=$data:$prefix/share
    if ! update-mime-database "$data/mime" >"$work/mime.log" 2>&1 || [[ -s $work/mime.log ]]; then
      fail "update-mime-database: $(cat "$work/mime.log")"
    fi
    grep -qx "50:$type:\*\.pak" "$data/mime/globs2" ||
      fail "the database does not map *.pak to $type: $(grep pak "$data/mime/globs2" || true)"
    if have gio; then
      # file name | first bytes (printf format) | type the file must (or, with !, must not) get
      while IFS='|' read -r name bytes want; do
        [[ -z $name ]] && continue
        # Another game's archive is told apart by the system's type for it.
        [[ $name == other-game.pak && ! -f $system ]] && continue
        if [[ $bytes == sample ]]; then
          cp "$root/examples/sample.pak" "$work/$name"
        else
          printf "$bytes" >"$work/$name"
        fi
        got=$(gio info -a standard::content-type "$work/$name" | sed -n 's/.*content-type: //p')
        if [[ $want == !* ]]; then
          [[ $got != "${want#!}" ]] || fail "$name resolves to $got"
        else
          [[ $got == "$want" ]] || fail "$name resolves to '$got', not $want"
        fi
      done <<EOF
sample.pak|sample|$type
empty-list.pak|1kap\0\0|$type
UPPER.PAK|1kap\0\0|$type
other-game.pak|PACK\0\0\0\0\0\0\0\0|!$type
notes.txt|1kap\0\0|!$type
EOF
      # What file managers offer for the type: Unbaler, and not Rebaler. The menu entries count
      # once their types are in the cache that update-desktop-database writes, and their programs
      # are on the PATH.
      if have update-desktop-database; then
        cp -r "$prefix/share/applications" "$data/"
        update-desktop-database "$data/applications"
      fi
      apps=$(PATH=$prefix/bin:$PATH gio mime "$type" 2>&1)
      [[ $apps == *unbaler.desktop* ]] || fail "Unbaler is not offered for $type: $apps"
      [[ $apps != *rebaler.desktop* ]] || fail "Rebaler is offered for $type: $apps"
    fi
  fi
fi

# ---- baler's manual page: renders without a warning, and documents every command and option ----
page=$prefix/share/man/man1/baler.1
baler=$prefix/bin/baler
if [[ -f $page && -x $baler ]]; then
  if have groff; then
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff warns about baler.1: $warnings"
  fi
  if have man; then
    if ! MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" ||
      [[ -s $work/man.err ]]; then
      fail "man -l baler.1: $(cat "$work/man.err")"
    fi
    grep -q "baler - extract" "$work/man.txt" || fail "man -l baler.1 shows no NAME line"
  fi
  # The commands are the lines of the SUBCOMMANDS section of baler --help.
  commands=$("$baler" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z]\+\) .*/\1/p')
  [[ -n $commands ]] || fail "no commands found in baler --help"
  for command in $commands; do
    grep -q "^\.BI $command\b" "$page" || fail "baler.1 has no entry for the command $command"
    for option in $("$baler" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
      grep -qF -- "${option//-/\\-}" "$page" || fail "baler.1 does not document $command $option"
    done
  done
fi

# ---- The window programs' manual pages: render without a warning, name the options they take ----
for program in unbaler rebaler; do
  page=$prefix/share/man/man1/$program.1
  [[ -f $page ]] || continue
  if have groff; then
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff warns about $program.1: $warnings"
  fi
  for option in --help --version; do
    grep -qF -- "${option//-/\\-}" "$page" || fail "$program.1 does not document $option"
  done
done

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
if ((${#missing[@]} > 0)); then
  echo "SKIP: not installed: $(printf '%s\n' "${missing[@]}" | sort -u | tr '\n' ' ')"
  exit 77
fi
echo "all install checks passed"
