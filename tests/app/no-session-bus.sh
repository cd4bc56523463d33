#!/usr/bin/env bash
# A bare X session without a session bus or a tray: Brevimar runs on its local lock, a second start
# hands its link over, a start without links opens the panel as a window (nothing shows the icon),
# and the log says once what is missing rather than failing call by call.
# Usage (from ctest): run-in-session no-session-bus.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$HOME/no-bus
log=$HOME/brevimar.log
BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" >"$log" 2>&1 &
app=$!
wait_for 10 "the local lock" test -S "$XDG_RUNTIME_DIR/brevimar.socket"
expect 0 "" "$HOME/.local/bin/brevimar" brevimar://done/water
wait_for 5 "the handed-over link" grep -q '"water":1' "$XDG_DATA_HOME/Brevimar/today.json"
kill -0 "$app" || fail "the first start is gone"
expect 0 "" "$HOME/.local/bin/brevimar"
managed() { xprop -id "$(xdotool search --onlyvisible --name '^Brevimar$')" WM_STATE | grep -q Normal; }
wait_for 10 "the panel as a window" managed
sleep 3 # a few ticks, to show whether something complains on every one
[ "$(grep -ci 'bus' "$log")" -le 2 ] || fail "the missing bus makes noise"
grep -qi 'no session bus' "$log" || fail "the log does not say the bus is missing"
kill "$app"
verdict
