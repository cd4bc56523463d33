#!/usr/bin/env bash
# The real application on a virtual display with dunst and a tray: the icon registers with the
# tray, a second start hands over to the running instance, a water reminder fires as a
# notification within 50 seconds in fast mode, and its Done button counts it.
# Usage (from ctest): run-in-session notification-answers.sh BREVIMAR_BINARY TRAY_WATCHER_BINARY
set -euo pipefail
brevimar=$1
tray_watcher=$2
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
mkdir -p "$XDG_CONFIG_HOME/tovanex" "$XDG_CONFIG_HOME/dunst"
# Nobody touches the keyboard of a virtual display, so idleness must not hold reminders.
printf '[General]\nreminderStyle=notification\nidleThresholdMinutes=100000\nhasCompletedOnboarding=true\n' \
    >"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
# dunst offers a notification's actions through its "dmenu" command; this one picks Done.
printf '[global]\ndmenu = "grep -m1 Done"\n' >"$XDG_CONFIG_HOME/dunst/dunstrc"

dunst -config "$XDG_CONFIG_HOME/dunst/dunstrc" >"$home/dunst.log" 2>&1 &
"$tray_watcher" >"$home/tray.log" 2>&1 &
BREVIMAR_FAST=1 "$brevimar" >"$home/brevimar.log" 2>&1 &

wait_for() { # seconds, description, command…
    local limit=$1 what=$2
    shift 2
    for _ in $(seq $((limit * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "FAIL: $what"
    cat "$home/brevimar.log"
    exit 1
}

wait_for 10 "tray icon registered" test -s "$home/tray.log"
wait_for 10 "second start hands over" "$brevimar" brevimar://settings
[ "$(pgrep -c -x brevimar)" = 1 ] || { echo "FAIL: two instances"; exit 1; }

wait_for 50 "water fired" grep -q 'Brevimar fire water style=notification' "$home/brevimar.log"
wait_for 5 "delivered" grep -q 'Brevimar nudge water delivered' "$home/brevimar.log"
wait_for 5 "dunst shows it" sh -c '[ "$(dunstctl count displayed)" -ge 1 ]'

dunstctl context
events=$XDG_DATA_HOME/Brevimar/events.sqlite
wait_for 10 "done recorded" sh -c "sqlite3 '$events' \"SELECT count(*) FROM events WHERE action='done' AND kind='water'\" | grep -qx 1"
grep -q '"water":1' "$XDG_DATA_HOME/Brevimar/today.json" || { echo "FAIL: today.json"; exit 1; }
echo "1 passed, 0 failed"
