#!/usr/bin/env bash
# scripts/update-translations.sh's merge (cmake/i18n/update_translations.cmake), on a scratch tree:
# a translation made is kept, a new text comes in unfinished, a text gone is dropped, the texts
# keep their odd characters, and a second run changes nothing.
#   update_translations_test.sh CMAKE
set -euo pipefail
cmake=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
has() { grep -qF -- "$2" "$1" || fail "$(basename "$1") lacks: $2"; }
lacks() { ! grep -qF -- "$2" "$1" || fail "$(basename "$1") still has: $2"; }

mkdir -p "$work/shell" "$work/translations"
cat >"$work/shell/texts.h" <<'CXX'
inline constexpr char16_t kKept[] = u"Kept";
inline constexpr char16_t kOdd[] =
    u"A; [b] & <c> \"d\" it's\n"
    u"e\u2026";
inline constexpr std::u16string_view kNew = u"New %1";
inline constexpr char16_t kPakExtension[] = u"pak";
CXX
cat >"$work/translations/baler_de.ts" <<'TS'
<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Gone</source>
        <translation>Weg</translation>
    </message>
    <message>
        <source>Kept</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>A; [b] &amp; &lt;c&gt; &quot;d&quot; it&apos;s
e…</source>
        <translation type="unfinished">Ein; [b]</translation>
    </message>
</context>
</TS>
TS

update() { "$cmake" -DSOURCE_DIR="$work" -P "$root/cmake/i18n/update_translations.cmake" >/dev/null; }
update
de=$work/translations/baler_de.ts
has "$de" '<source>Kept</source>'
has "$de" '<translation>Behalten</translation>'
has "$de" '<translation type="unfinished">Ein; [b]</translation>'
has "$de" '<source>A; [b] &amp; &lt;c&gt; &quot;d&quot; it&apos;s'
has "$de" 'e…</source>'
has "$de" '<source>New %1</source>'
has "$de" '<translation type="unfinished"></translation>'
lacks "$de" 'Gone'
lacks "$de" '<source>pak</source>'
[[ $(grep -c '<message>' "$de") == 3 ]] || fail "baler_de.ts holds $(grep -c '<message>' "$de") messages, not 3"
[[ -f $work/translations/baler_ja.ts ]] || fail "no baler_ja.ts made"
has "$work/translations/baler_ja.ts" '<source>Kept</source>'

cp "$de" "$work/first.ts"
update
cmp -s "$de" "$work/first.ts" || fail "a second run changed baler_de.ts"

((failures == 0)) && echo "update-translations: all checks passed"
exit $((failures > 0))
