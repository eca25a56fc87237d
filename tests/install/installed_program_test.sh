#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program: `cmake --install` into a temporary prefix, then orbisca and orbisca-cli
# started from there with a fresh HOME and no XDG_DATA_HOME, as a user starts them from the menu.
# usage: installed_program_test.sh BUILD_DIR SOURCE_DIR VERSION APP_ID
set -euo pipefail
build=$1 source=$2 version=$3 app_id=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
export HOME=$tmp/home QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME
mkdir -p "$HOME" "$tmp/elsewhere"
cd "$tmp/elsewhere"  # the pack is found from the program's place, not from the current folder
own=$HOME/.local/share/orbisca
pack=$prefix/share/orbisca
cli=$prefix/bin/orbisca-cli

[ "$("$prefix/bin/orbisca" --version)" = "orbisca $version" ] || fail "orbisca --version"

# The first start makes the user's folder with the settings files only; texts and pictures stay
# in the pack.
day=$("$cli" day 2001-08-21) || fail "orbisca-cli day"
grep -q '^KIN:' <<<"$day" || fail "orbisca-cli day printed: $day"
[ -f "$own/conf.dat" ] && [ -f "$own/WindWHP.dat" ] && [ -f "$own/strt.dat" ] ||
    fail "no settings in $own"
[ ! -e "$own/BASE.KTX" ] && [ ! -e "$own/graphic" ] || fail "the pack was copied into $own"
cmp -s "$own/conf.dat" "$source/share/conf.dat" || fail "conf.dat is not the pack's"
# The new user's launch counter: the calendar comes first, the reminder after twenty starts.
[ "$("$cli" donation launch)" = "not due" ] || fail "the reminder is due at the first start"
[ "$(tr '\n' ' ' <"$own/strt.dat")" = "1 19 " ] || fail "strt.dat after one start: $(cat "$own/strt.dat")"

# A changed setting is kept by the next start and is the one in force.
"$cli" view day --date 2001-08-21 -o "$tmp/default.png"
"$cli" view day --date 2001-08-21 --set greg_day=N -o "$tmp/changed.png"
! cmp -s "$tmp/default.png" "$tmp/changed.png" || fail "greg_day changes nothing in the day view"
sed -i '11s/.*/N/' "$own/conf.dat"
cp "$own/conf.dat" "$tmp/conf.kept"
"$cli" compact --date 2026-07-26 -o "$tmp/face.png" || fail "orbisca-cli compact"
"$cli" view day --date 2001-08-21 -o "$tmp/second.png"
cmp -s "$own/conf.dat" "$tmp/conf.kept" || fail "a start overwrote the changed conf.dat"
cmp -s "$tmp/second.png" "$tmp/changed.png" || fail "the changed setting is not in force"

# A text put into the user's folder replaces the installed one; removed, the pack's is back.
sign=$(sed -n 's/^SIGN NAME: *//p' <<<"$day" | tr -d '\r')
[ -n "$sign" ] || fail "no sign name in: $day"
sed "s/^$sign\(\r\?\)\$/Replaced Sign\1/" "$pack/BASE.KTX" >"$own/BASE.KTX"
replaced=$("$cli" day 2001-08-21)
grep -q '^SIGN NAME: *Replaced Sign' <<<"$replaced" || fail "BASE.KTX of $own not read"
rm "$own/BASE.KTX"
[ "$("$cli" day 2001-08-21)" = "$day" ] || fail "the pack's BASE.KTX not read again"

# The program itself, started as its menu entry starts it, works in the same folders: its start
# log goes to the user's folder, never into the pack.
"$prefix/bin/orbisca" --report-start-time >"$tmp/gui.log" 2>&1 &
gui=$!
for _ in $(seq 150); do grep -q "painted after" "$tmp/gui.log" && break; sleep 0.2; done
kill "$gui" 2>/dev/null || true
wait "$gui" 2>/dev/null || true
grep -q "painted after" "$tmp/gui.log" || fail "orbisca did not paint its window: $(cat "$tmp/gui.log")"
[ -f "$own/Loading.log" ] || fail "orbisca's start log is not in $own"

# The pack holds the pristine settings, never what a run of the build's own folder left there.
for name in WindWHP.dat strt.dat; do
    cmp -s "$pack/$name" "$source/share/$name" || fail "the pack's $name"
done
leftovers=$(find "$pack" -name '*.log' -o -name '*.err' -o -name '*.spt' -o -name '.*')
[ -z "$leftovers" ] || fail "run files in the pack: $leftovers"
[ "$(find "$pack/graphic" -name '*.bmp' | wc -l)" -gt 100 ] || fail "pictures missing"
for name in BASE.KTX DAYINFO.ktx print.dat; do
    [ -f "$pack/ru/$name" ] || fail "the Russian pack's $name"
done
[ "$(find "$pack/fonts" -name '*.ttf' | wc -l)" -eq 5 ] || fail "glyph fonts missing"

# The desktop's files: the menu entry, the metainfo, the icons and the manual pages.
desktop=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=orbisca' "$desktop" || fail "the menu entry's command"
grep -q '^Name\[ru\]=' "$desktop" && grep -q '^Comment\[ru\]=' "$desktop" ||
    fail "the menu entry's Russian name and comment"
grep -q '<summary xml:lang="ru">' "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo's Russian summary"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" >"$tmp/as" ||
    { cat "$tmp/as"; fail "appstreamcli validate"; }
for size in 16 22 24 32 48 64 128 256; do
    kind=$(file "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png")
    [[ $kind == *"PNG image data, $size x $size, 8-bit/color RGBA"* ]] || fail "icon: $kind"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" || fail "the SVG icon"
for page in orbisca orbisca-cli; do
    man_page=$prefix/share/man/man1/$page.1.gz
    MANWIDTH=80 man --warnings -l "$man_page" >"$tmp/man" 2>"$tmp/man-warnings" ||
        fail "man -l $page"
    [ ! -s "$tmp/man-warnings" ] || { cat "$tmp/man-warnings"; fail "warnings in $page.1"; }
    grep -q "^NAME" "$tmp/man" && grep -q "$page" "$tmp/man" || fail "$page.1 renders empty"
done
# The licences: a copyright file in the machine-readable format, naming the three licences.
copyright=$prefix/share/doc/orbisca/copyright
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file's format line"
for licence in GPL-3.0-or-later CC-BY-SA-4.0 OFL-1.1; do
    grep -qx "License: $licence" "$copyright" || fail "no $licence text in the copyright file"
done
echo "installed program: ok"
