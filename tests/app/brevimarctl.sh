#!/usr/bin/env bash
# brevimarctl and the global shortcuts against the real application on a private bus and a
# virtual display, and brevimarctl without the application.
# Usage (from ctest): run-in-session brevimarctl.sh BREVIMAR BREVIMARCTL
set -euo pipefail
brevimar=$1
ctl=$2
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
mkdir -p "$XDG_CONFIG_HOME/tovanex"
printf '[General]\nhasCompletedOnboarding=true\nidleThresholdMinutes=100000\n' \
    >"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"

failures=0
expect() { # expected-exit expected-output command…
    local code=$1 want=$2 got status=0
    shift 2
    got=$("$@" 2>/dev/null) || status=$?
    if [ "$status" != "$code" ] || [ "$got" != "$want" ]; then
        echo "FAIL: $* → [$status] $got (wanted [$code] $want)"
        failures=$((failures + 1))
    fi
}

"$brevimar" >"$home/brevimar.log" 2>&1 &
app=$!
for _ in $(seq 100); do
    "$ctl" kinds >/dev/null 2>&1 && break
    sleep 0.1
done

expect 0 "$(printf 'water\tWater\nmovement\tMove')" "$ctl" kinds
expect 0 "Water logged. 1 sip · 0 breaks." "$ctl" log water
expect 1 "Brevimar isn't running." "$ctl" log custom-00000000-0000-0000-0000-000000000000
expect 0 "Paused for 30 minutes." "$ctl" pause
expect 0 "Paused for the rest of today." "$ctl" pause 0
expect 0 "Reminders resumed." "$ctl" resume
expect 0 "Today: 1 sip · 0 breaks." "$ctl" today
"$ctl" status --json | grep -q '"today":{"water":1}' || { echo "FAIL: status"; failures=$((failures + 1)); }
xdotool key ctrl+alt+super+w
for _ in $(seq 50); do
    [ "$("$ctl" today)" = "Today: 2 sips · 0 breaks." ] && break
    sleep 0.1
done
expect 0 "Today: 2 sips · 0 breaks." "$ctl" today
expect 0 "" "$brevimar" brevimar://done/movement # a second start hands the URL over
expect 0 "Today: 2 sips · 1 break." "$ctl" today
expect 0 "" "$ctl" open brevimar://pause?minutes=5
"$ctl" status --json | grep -q '"holdReason":"manualPause"' || { echo "FAIL: open"; failures=$((failures + 1)); }
expect 2 "" sh -c "'$ctl' dance 2>/dev/null"

kill "$app"
wait "$app" 2>/dev/null || true
expect 0 "Today: 2 sips · 1 break." "$ctl" today
expect 1 "Brevimar isn't running." "$ctl" resume

[ "$failures" = 0 ] || { cat "$home/brevimar.log"; exit 1; }
echo "1 passed, 0 failed"
