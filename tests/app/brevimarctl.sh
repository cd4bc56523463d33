#!/usr/bin/env bash
# brevimarctl and the global shortcuts against the real application, installed for one user
# with its D-Bus service file, on a private bus and a virtual display.
# Usage (from ctest): run-in-session brevimarctl.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"

# Nothing but `open` may have the bus start Brevimar.
expect 1 "Brevimar isn't running." "$ctl" status
expect 1 "Brevimar isn't running." "$ctl" resume
expect 1 "Brevimar isn't running." "$ctl" log water
expect 0 "Today: 0 sips · 0 breaks." "$ctl" today
[ ! -e "$XDG_DATA_HOME/Brevimar" ] || fail "brevimarctl today made the data folder"
for link in resume brevimar:/resume brevimar://dance/water; do
    expect 2 "" "$ctl" open "$link"
done
[[ $("$ctl" open resume 2>&1) == *'"resume" is not a Brevimar link'* ]] || fail "open resume"
[ -z "$(brevimar_pid)" ] || fail "brevimarctl started Brevimar"
# Started by the bus, Brevimar answers as soon as its name appears.
expect 0 "" "$ctl" open brevimar://done/water
# The calendar client and its forty libraries stay out of a run without calendar holds.
! grep -q libecal "/proc/$(brevimar_pid)/maps" || fail "the calendar client loaded at rest"

expect 0 "$(printf 'water\tWater\nmovement\tMove')" "$ctl" kinds
expect 0 "Water logged. 2 sips · 0 breaks." "$ctl" log water
expect 2 "" "$ctl" log tea
[[ $("$ctl" log tea 2>&1) == *'no reminder kind "tea"; the kinds are water, movement.' ]] || fail "log tea"
expect 0 "Paused for 30 minutes." "$ctl" pause
expect 0 "Paused for the rest of today." "$ctl" pause 0
expect 0 "Reminders resumed." "$ctl" resume
"$ctl" status --json | grep -q '"today":{"water":2}' || fail "status"
xdotool key ctrl+alt+super+w
wait_for 5 "the shortcut logs water" sh -c "'$ctl' today | grep -qx 'Today: 3 sips · 0 breaks.'"
expect 0 "" "$HOME/.local/bin/brevimar" brevimar://done/movement # a second start hands it over
expect 0 "Today: 3 sips · 1 break." "$ctl" today
expect 0 "" "$ctl" open brevimar://pause?minutes=5
"$ctl" status --json | grep -q '"holdReason":"manualPause"' || fail "open"
expect 2 "" sh -c "'$ctl' dance 2>/dev/null"

# A burst of answers just before the session ends: all of them are in the event log, and the
# log was closed (SQLite folds its write-ahead file back in only then).
for _ in $(seq 20); do "$ctl" log water >/dev/null & done
wait
stop_brevimar
[ ! -e "$XDG_DATA_HOME/Brevimar/events.sqlite-wal" ] || fail "the event log was left open"
[ "$(done_count water)" = 23 ] || fail "$(done_count water) water answers logged of 23"
expect 0 "Today: 23 sips · 1 break." "$ctl" today
expect 1 "Brevimar isn't running." "$ctl" resume

# With calendar holds on, the installed program finds its calendar module.
printf 'calendarRules="@ByteArray({\\"enabled\\":true,\\"calendarIDs\\":[],\\"skipFreeEvents\\":true,\\"skipAllDay\\":true})"\n' \
    >"$HOME/calendar-rules"
sed -i -e "/^\[General\]\$/r $HOME/calendar-rules" -e '/^manualPauseUntil=/d' \
    "$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
expect 0 "" "$ctl" open brevimar://done/water
wait_for 10 "the calendar module loads" grep -q brevimar-calendar-eds.so "/proc/$(brevimar_pid)/maps"
calendar_service() { dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.gnome.evolution.dataserver.Calendar8 | grep -q true; }
wait_for 20 "the calendar service starts" calendar_service
stop_brevimar # closing the calendar client runs the event loop once more
verdict
