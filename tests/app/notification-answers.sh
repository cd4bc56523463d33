#!/usr/bin/env bash
# The real application on a virtual display with dunst and a tray: the icon registers with the
# tray, a second start hands over to the running instance, a water reminder fires as a
# notification within 50 seconds in fast mode, and its Done button counts it.
# Usage (from ctest): run-in-session notification-answers.sh BREVIMAR_BINARY TRAY_WATCHER_BINARY
set -euo pipefail
source "$(dirname "$0")/common.sh"
brevimar=$1
private_home 'reminderStyle=notification\n'
# dunst offers a notification's actions through its "dmenu" command; this one picks Done.
mkdir -p "$XDG_CONFIG_HOME/dunst"
printf '[global]\ndmenu = "grep -m1 Done"\n' >"$XDG_CONFIG_HOME/dunst/dunstrc"

dunst -config "$XDG_CONFIG_HOME/dunst/dunstrc" >"$home/dunst.log" 2>&1 &
"$2" >"$home/tray.log" 2>&1 &
BREVIMAR_FAST=1 "$brevimar" >"$home/brevimar.log" 2>&1 &
app=$!

wait_for 10 "tray icon registered" test -s "$home/tray.log"
wait_for 10 "second start hands over" "$brevimar" brevimar://settings
[ "$(brevimar_pid)" = "$app" ] || fail "the second start took over"
wait_for 50 "water fired" grep -q 'Brevimar fire water style=notification' "$home/brevimar.log"
wait_for 5 "delivered" grep -q 'Brevimar nudge water delivered' "$home/brevimar.log"
wait_for 5 "dunst shows it" sh -c '[ "$(dunstctl count displayed)" -ge 1 ]'

dunstctl context
water_done() { [ "$(done_count water)" = 1 ]; }
wait_for 10 "done recorded" water_done
grep -q '"water":1' "$XDG_DATA_HOME/Brevimar/today.json" || fail "today.json"

# A pause is minutes too, so fast mode makes them seconds (a whole simulated day was lost to one).
"$brevimar" brevimar://pause?minutes=3
pause_ended() { [ "$(sqlite3 "$XDG_DATA_HOME/Brevimar/events.sqlite" \
    "SELECT count(*) FROM events WHERE action = 'hold_end'")" = 1 ]; }
wait_for 10 "a three-minute pause ends within seconds" pause_ended
verdict
