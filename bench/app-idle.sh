#!/usr/bin/env bash
# The running application at rest: time from start to a registered tray icon, resident memory
# after 30 s, CPU and wake-ups over the following 60 s. Runs on a virtual display of its own:
#   scripts/run-in-session bench/app-idle.sh build-release/src/app/brevimar \
#       build-release/tests/app/tray_watcher
set -euo pipefail
brevimar=$1
tray_watcher=$2
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
mkdir -p "$XDG_CONFIG_HOME/tovanex"
printf '[General]\nhasCompletedOnboarding=true\n' >"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
dunst >/dev/null 2>&1 &
"$tray_watcher" >"$home/tray.log" &
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null |
        grep -q true && break
    sleep 0.1
done

start=$(date +%s%3N)
"$brevimar" >"$home/brevimar.log" 2>&1 &
pid=$!
while [ ! -s "$home/tray.log" ]; do sleep 0.01; done
registered=$(cut -d' ' -f1 "$home/tray.log" | head -1)
echo "start-up to registered tray icon: $((registered - start)) ms"

sleep 30
awk '/^Rss:/ {print "resident memory after 30 s idle: RSS " $2 " kB"} /^Pss:/ {print "                                 PSS " $2 " kB"}' \
    "/proc/$pid/smaps_rollup"

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
switches() { cat /proc/"$pid"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
w0=$(switches)
sleep 60
t1=$(ticks)
w1=$(switches)
echo "CPU over 60 s idle: $(awk -v t=$((t1 - t0)) -v hz="$hz" 'BEGIN {printf "%.3f", 100 * t / hz / 60}') % of one core"
echo "wake-ups per minute (voluntary context switches, all threads): $((w1 - w0))"

# The history and settings windows must not stay on the resting cost: memory before one is first
# shown, while it is open, and once it has been closed for a while.
ctl=$(dirname "$brevimar")/../cli/brevimarctl
rss() { awk '/^Rss:/ {print $2}' "/proc/$pid/smaps_rollup"; }
window_cost() { # url title
    local before open window
    before=$(rss)
    "$ctl" open "$1"
    for _ in $(seq 50); do
        window=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 2
    open=$(rss)
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    sleep 20
    echo "$2: RSS $before kB before, $open kB open, $(rss) kB 20 s after closing"
}
window_cost brevimar://history "Brevimar History"
window_cost brevimar://settings "Brevimar Settings"
