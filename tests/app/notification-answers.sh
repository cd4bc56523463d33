#!/usr/bin/env bash
# The real application on a virtual display with dunst and a tray: the icon registers with the
# tray, a second start hands over to the running instance, a water reminder fires as a
# notification, and its Done button counts it. A Brevimar killed with a reminder on screen leaves
# it there, and the next start takes it away rather than set a second beside it; quitting takes
# Brevimar's notifications with it.
# Usage (from ctest): run-in-session notification-answers.sh BREVIMAR_BINARY TRAY_WATCHER_BINARY
set -euo pipefail
source "$(dirname "$0")/common.sh"
brevimar=$1
# Water every 3 seconds in fast mode, awaited long enough not to expire while the test looks.
private_home 'reminderStyle=notification\nmovementEnabled=false\npreset=custom\n'\
'waterIntervalMinutes=3\nminimumGapMinutes=100\n'
# dunst offers a notification's actions through its "dmenu" command; this one picks Done. Nothing
# leaves the screen by itself, and two alike stay two.
mkdir -p "$XDG_CONFIG_HOME/dunst"
printf '[global]\ndmenu = "grep -m1 Done"\nstack_duplicates = false\n[urgency_normal]\ntimeout = 0\n' \
    >"$XDG_CONFIG_HOME/dunst/dunstrc"

dunst -config "$XDG_CONFIG_HOME/dunst/dunstrc" >"$home/dunst.log" 2>&1 &
"$2" >"$home/tray.log" 2>&1 &
BREVIMAR_FAST=1 "$brevimar" >"$home/brevimar.log" 2>&1 &
app=$!

wait_for 10 "tray icon registered" test -s "$home/tray.log"
wait_for 10 "second start hands over" "$brevimar" brevimar://settings
[ "$(brevimar_pid)" = "$app" ] || fail "the second start took over"
wait_for 15 "water fired" grep -q 'Brevimar fire water style=notification' "$home/brevimar.log"
wait_for 5 "delivered" grep -q 'Brevimar nudge water delivered' "$home/brevimar.log"
wait_for 5 "dunst shows it" sh -c '[ "$(dunstctl count displayed)" -ge 1 ]'

dunstctl context
water_done() { [ "$(done_count water)" = 1 ]; }
wait_for 10 "done recorded" water_done
grep -q '"water":1' "$XDG_DATA_HOME/Brevimar/today.json" || fail "today.json"

deliveries() { [ "$(grep -c 'nudge water delivered' "$1")" -ge "$2" ]; }
displayed() { [ "$(dunstctl count displayed)" = "$1" ]; }
wait_for 15 "the next reminder" deliveries "$home/brevimar.log" 2
wait_for 5 "the next reminder on screen" displayed 1
kill -KILL "$app"
name_free() { [ -z "$(brevimar_pid)" ]; }
wait_for 5 "the killed Brevimar's name is free" name_free
BREVIMAR_FAST=1 "$brevimar" >"$home/brevimar-again.log" 2>&1 &
wait_for 15 "the next run's reminder" deliveries "$home/brevimar-again.log" 1
displayed 1 || fail "$(dunstctl count displayed) reminders on screen after a crash"
stop_brevimar
wait_for 5 "quitting takes the reminder away" displayed 0
verdict
