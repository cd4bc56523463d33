#!/usr/bin/env bash
# The running application at rest against the floor, a bare Qt tray program, measured alternately
# in the same session: time from start to a registered tray icon, memory after 30 s, CPU and
# wake-ups over the following 60 s, and the shared libraries mapped. Prints each round, the
# medians and the ratios to the floor; then, once, the application with calendar holds on, and
# what its history and settings windows cost. Runs on a virtual display of its own:
#   scripts/run-in-session bench/app-idle.sh build-release/src/app/brevimar \
#       build-release/tests/app/tray_watcher build-release/bench/floor_tray [rounds]
# or, with scripts/run-in-sway in place of run-in-session, measures the application once in a
# Wayland session.
set -euo pipefail
brevimar=$1
tray_watcher=$2
floor=$3
rounds=${4:-3}
# Seconds before the memory is read, and seconds sampled; shorter only to try the script out.
settle=${BENCH_SETTLE:-30}
sample=${BENCH_SAMPLE:-60}
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
config=$XDG_CONFIG_HOME/tovanex/Brevimar.conf
mkdir -p "$(dirname "$config")" "$home/results"
holds_off='[General]\nhasCompletedOnboarding=true\n'
holds_on='[General]\nhasCompletedOnboarding=true\ncalendarRules="@ByteArray({\\"enabled\\":true,\\"calendarIDs\\":[],\\"skipFreeEvents\\":true,\\"skipAllDay\\":true})"\n'
dunst >/dev/null 2>&1 &
"$tray_watcher" >"$home/tray.log" &
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null |
        grep -q true && break
    sleep 0.1
done

pid=
startup=
# Starts a program and waits for its tray icon: pid, and startup in milliseconds.
start() { # program
    local before registered started
    before=$(wc -l <"$home/tray.log")
    started=$(date +%s%3N)
    "$1" >>"$home/program.log" 2>&1 &
    pid=$!
    while [ "$(wc -l <"$home/tray.log")" -le "$before" ]; do
        kill -0 "$pid" 2>/dev/null ||
            { cat "$home/program.log" >&2; echo "$1 ended before its tray icon showed" >&2; exit 1; }
        sleep 0.01
    done
    registered=$(tail -n 1 "$home/tray.log" | cut -d' ' -f1)
    startup=$((registered - started))
}
stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
switches() { cat /proc/"$pid"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
memory() { awk -v f="$1" '$1 == f ":" {print $2}' "/proc/$pid/smaps_rollup"; }
libraries() { awk '$6 ~ /\.so/ {print $6}' "/proc/$pid/maps" | sort -u | wc -l; }
hz=$(getconf CLK_TCK)

# One resting measurement, its figures appended to results/NAME.FIGURE.
measure() { # name program
    local t0 w0 t1 w1 cpu
    start "$2"
    sleep "$settle"
    echo "$startup" >>"$home/results/$1.startup"
    memory Rss >>"$home/results/$1.rss"
    memory Pss >>"$home/results/$1.pss"
    libraries >>"$home/results/$1.libs"
    t0=$(ticks)
    w0=$(switches)
    sleep "$sample"
    t1=$(ticks)
    w1=$(switches)
    cpu=$(awk -v t=$((t1 - t0)) -v hz="$hz" -v s="$sample" 'BEGIN {printf "%.3f", 100 * t / hz / s}')
    echo "$cpu" >>"$home/results/$1.cpu"
    echo $(((w1 - w0) * 60 / sample)) >>"$home/results/$1.wakeups"
    printf '%-9s start-up %4d ms  RSS %6d kB  PSS %6d kB  CPU %s %%  wake-ups %3d/min  libraries %d\n' \
        "$1" "$startup" "$(tail -n1 "$home/results/$1.rss")" "$(tail -n1 "$home/results/$1.pss")" \
        "$cpu" "$(tail -n1 "$home/results/$1.wakeups")" "$(tail -n1 "$home/results/$1.libs")"
}
median() { sort -g "$home/results/$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

printf "$holds_off" >"$config"
# In a Wayland session Brevimar also keeps a connection of its own to the compositor, which tells
# it of idleness and of the windows in front: its resting cost there is measured once, to be read
# beside the figures on X11.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "in a Wayland session (sway), once"
    measure wayland "$brevimar"
    stop
    exit
fi

# A first start of each, not counted: files in the page cache, the event log created.
for program in "$floor" "$brevimar"; do
    start "$program"
    sleep 2
    stop
done

for round in $(seq "$rounds"); do
    echo "round $round"
    measure floor "$floor"
    stop
    measure brevimar "$brevimar"
    if [ "$round" -lt "$rounds" ]; then stop; fi
done

echo
echo "medians of $rounds rounds      floor   Brevimar   ratio"
for figure in startup:start-up:ms rss:RSS:kB pss:PSS:kB cpu:CPU:% wakeups:wake-ups:/min libs:libraries:; do
    IFS=: read -r file label unit <<<"$figure"
    f=$(median "floor.$file")
    b=$(median "brevimar.$file")
    awk -v l="$label $unit" -v f="$f" -v b="$b" \
        'BEGIN {printf "%-24s %9s %10s   %s\n", l, f, b, (f > 0) ? sprintf("%.2f", b / f) : "-"}'
done

# The history and settings windows must not stay on the resting cost: memory before one is first
# shown, while it is open, and once it has been closed for a while. Brevimar of the last round.
echo
ctl=$(dirname "$brevimar")/../cli/brevimarctl
window_cost() { # url title
    local before open window
    before=$(memory Rss)
    "$ctl" open "$1"
    for _ in $(seq 50); do
        window=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 2
    open=$(memory Rss)
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    sleep 20
    echo "$2: RSS $before kB before, $open kB open, $(memory Rss) kB 20 s after closing"
}
window_cost brevimar://history "Brevimar History"
window_cost brevimar://settings "Brevimar Settings"
stop

# Calendar holds on: the calendar service's share, reported apart from the resting cost.
echo
echo "with calendar holds on, once"
printf "$holds_on" >"$config"
measure calendar "$brevimar"
stop
