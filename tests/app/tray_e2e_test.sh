#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray beside real neighbours: the icon docks in a tray host (trayer) under Xvfb and its menu
# opens; with the morning notice on, one notification reaches a real daemon (dunst) on a session
# bus of the test's own, a second start that day sends none, and a click on it opens the full
# calendar.
# Usage: tray_e2e_test.sh ORBISCA HOME   (run by ctest; it starts its own display and bus)
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    exec xvfb-run -a -s "-screen 0 1024x600x24 -nolisten tcp" \
        dbus-run-session -- bash "$0" --inside "$@"
fi
shift
orbisca=$1
pack_home=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A working folder with the reminder off and the morning notice on (conf.dat line 18).
cp -r "$pack_home" "$tmp/home"
printf '1\n-1\n' >"$tmp/home/strt.dat"
{ head -n 15 "$tmp/home/conf.dat"; printf '\nN\nY\n'; } >"$tmp/conf" && mv "$tmp/conf" "$tmp/home/conf.dat"

dunst -print >"$tmp/notices" 2>/dev/null &
pids+=($!)
trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
pids+=($!)
sleep 1.5

start_orbisca() {
    "$orbisca" --tray --home "$tmp/home" >"$tmp/orbisca.log" 2>&1 &
    pids+=($!)
    orbisca_pid=$!
}
# Waits until a command's output matches a pattern, for at most ten seconds.
wait_for() {
    local pattern=$1; shift
    for _ in $(seq 50); do
        "$@" 2>/dev/null | grep -q -- "$pattern" && return 0
        sleep 0.2
    done
    return 1
}

start_orbisca
# Docked: the icon's window is a child of trayer's panel, not a window of its own.
wait_for '"Orbisca v1.2": ("orbisca" "orbisca")  22x' xwininfo -root -tree ||
    { xwininfo -root -tree; cat "$tmp/orbisca.log"; fail "the icon did not dock in the tray"; }
panel=$(xwininfo -root -tree | grep '("panel" "trayer")' | grep -o '+[0-9]*+[0-9]*  +' | head -1)
[ -n "$panel" ] || fail "no tray panel"
icon_x=$(xwininfo -root -tree | grep '("orbisca" "orbisca")  22x' | sed -E 's/.*  \+([0-9]+)\+([0-9]+)$/\1/' | head -1)
icon_y=$(xwininfo -root -tree | grep '("orbisca" "orbisca")  22x' | sed -E 's/.*  \+([0-9]+)\+([0-9]+)$/\2/' | head -1)

# The menu: a right click on the icon opens a popup of Orbisca's.
windows_before=$(xwininfo -root -tree | grep -c '("orbisca" "orbisca")' || true)
xdotool mousemove $((icon_x + 10)) $((icon_y + 10)) click 3
wait_for . bash -c "[ \$(xwininfo -root -tree | grep -c '(\"orbisca\" \"orbisca\")') -gt $windows_before ] && echo more" ||
    fail "the tray menu did not open"
xdotool key Escape

# One notice today, naming the kin; its click opens the full calendar.
wait_for 'appname: .Orbisca' cat "$tmp/notices" || fail "no notification arrived"
grep -q "summary: .Kin: " "$tmp/notices" || { cat "$tmp/notices"; fail "the notice does not name the kin"; }
[ -f "$tmp/home/notice.dat" ] || fail "notice.dat was not written"
dunstctl action 0
wait_for '"Orbisca v1.2": ("orbisca" "orbisca")  1024x600' xwininfo -root -tree ||
    fail "the notice's click did not open the full calendar"

# A second start the same day sends none.
kill "$orbisca_pid"
wait "$orbisca_pid" 2>/dev/null || true
start_orbisca
wait_for '"Orbisca v1.2": ("orbisca" "orbisca")  22x' xwininfo -root -tree || fail "no icon at the second start"
sleep 2
[ "$(grep -c 'appname: .Orbisca' "$tmp/notices")" -eq 1 ] || fail "more than one notice today"
echo "tray: ok"
