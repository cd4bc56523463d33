#!/usr/bin/env bash
# The desktop's services start and restart under a running Brevimar. A tray host that starts
# after Brevimar gets the icon, and so does a new one.
# A reminder that finds no notification server is logged as not delivered and still awaits its
# answer; once a server is back, the next reminder reaches it.
# Usage (from ctest): run-in-session desktop-restarts.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
[ "$1" = --inside ] || export tray_watcher=$1/tests/app/tray_watcher
installed_session "$@"
printf 'reminderStyle=notification\nmovementEnabled=false\npreset=custom\nwaterIntervalMinutes=3\n' \
    >>"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
# The bus would start dunst again for the first call to a vanished server; this one cannot start.
printf '[D-BUS Service]\nName=org.freedesktop.Notifications\nExec=/bin/false\n' \
    >"$XDG_DATA_HOME/dbus-1/services/org.freedesktop.Notifications.service"

dunst >"$HOME/dunst.log" 2>&1 &
dunst=$!
wait_for 5 "dunst is up" dunstctl count
BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "Brevimar is up" "$ctl" kinds
"$tray_watcher" >"$HOME/tray.log" 2>&1 &
tray=$!
wait_for 10 "the icon registers with a tray host that came later" test -s "$HOME/tray.log"

kill "$tray"
"$tray_watcher" >"$HOME/tray-again.log" 2>&1 &
wait_for 10 "the icon registers with a new tray host" test -s "$HOME/tray-again.log"

kill "$dunst"
wait "$dunst" || true
wait_for 15 "a reminder without a server" grep -q 'nudge water not delivered' "$HOME/brevimar.log"
"$ctl" status --json | grep -q '"awaiting":\["water"\]' || fail "the undelivered reminder is not awaited"
dunst >"$HOME/dunst-again.log" 2>&1 &
"$ctl" log water >/dev/null # answered elsewhere, so the next one comes
wait_for 15 "the next reminder reaches the new server" \
    sh -c '[ "$(dunstctl count displayed)" -ge 1 ]'
grep -q 'nudge water delivered' "$HOME/brevimar.log" || fail "no delivery logged"
verdict
