#!/usr/bin/env bash
# A simulated working day of the installed application in fast mode (a configured minute lasts a
# second, so a simulated hour is a minute), driven at random: reminders answered through dunst's
# notification actions, brevimarctl, brevimar:// links and the hot keys; the screen locked,
# the user idle (no input on the virtual display), sleep and wake; a SIGKILL and a restart every
# few simulated hours. Then it checks what a day must leave behind and prints resident memory and
# open files per simulated hour.
# Usage: run-in-session soak.sh BUILD_DIR (make soak). SOAK_HOURS (8) sets the length, SOAK_SEED
# repeats a run, SOAK_KILL_EVERY (3) the simulated hours between kills.
set -euo pipefail
source "$(dirname "$0")/../app/common.sh"
export SOAK_SEED=${SOAK_SEED:-$((RANDOM * 32768 + RANDOM))} SOAK_HOURS=${SOAK_HOURS:-8}
export SOAK_KILL_EVERY=${SOAK_KILL_EVERY:-3} SOAK_DESKTOP=${SOAK_DESKTOP:-$1/tests/soak/soak_desktop}
installed_session "$@"
echo "soak: seed $SOAK_SEED, $SOAK_HOURS simulated hours"
RANDOM=$SOAK_SEED
trap 'stop_brevimar; kill $(jobs -p) "${system_bus:-}" 2>/dev/null || true' EXIT

# Reminders as notifications, often enough to see many in a day (a shown one expires after the
# minimum gap), and idleness after five quiet minutes.
printf '[General]\nhasCompletedOnboarding=true\nidleThresholdMinutes=5\nreminderStyle=notification
preset=custom\nwaterIntervalMinutes=15\nbreakIntervalMinutes=25\nminimumGapMinutes=10\n' \
    >"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
# dunst asks its "dmenu" command which action to take; this one takes the title in $HOME/choice.
mkdir -p "$XDG_CONFIG_HOME/dunst"
printf '#!/bin/sh\ngrep -m1 -F "$(cat %s/choice)"\n' "$HOME" >"$HOME/choose"
chmod +x "$HOME/choose"
printf '[global]\ndmenu = "%s/choose"\n' "$HOME" >"$XDG_CONFIG_HOME/dunst/dunstrc"
dunst -config "$XDG_CONFIG_HOME/dunst/dunstrc" >"$HOME/dunst.log" 2>&1 &

# logind lives on a private system bus, with the screen saver in soak_desktop.
{ read -r DBUS_SYSTEM_BUS_ADDRESS && read -r system_bus; } < <(dbus-daemon --session --fork \
    --print-address=1 --print-pid=1)
export DBUS_SYSTEM_BUS_ADDRESS
mkfifo "$HOME/desktop"
"$SOAK_DESKTOP" <"$HOME/desktop" >"$HOME/desktop.log" 2>&1 &
exec 3>"$HOME/desktop"
signal() { echo "$1" >&3; }

# Someone at the keyboard: the pointer moves to and fro every second unless $HOME/away exists.
(while sleep 1; do [ -e "$HOME/away" ] || xdotool mousemove_relative -- 0 $((SECONDS % 2 * 2 - 1)); done) &

log=$HOME/brevimar.out # kept in /tmp, not dumped on failure: a day is long
app=
kills=0
crashes=0
started() { [ "$(brevimar_pid)" = "$app" ]; }
start_app() {
    BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" >>"$log" 2>&1 &
    app=$!
    wait_for 20 "Brevimar owns its bus name" started
}
# A process that ended without being told: its exit status and the end of its log.
check_alive() {
    kill -0 "$app" 2>/dev/null && return 0
    local status=0
    wait "$app" || status=$?
    crashes=$((crashes + 1))
    fail "Brevimar ended by itself with status $status"
    tail -5 "$log"
    start_app
}
kill_and_restart() {
    kill -KILL "$app"
    local status=0
    wait "$app" 2>/dev/null || status=$?
    [ "$status" = 137 ] || fail "killed Brevimar ended with $status"
    kills=$((kills + 1))
    echo "soak: SIGKILL at $(elapsed)"
    start_app
}

answer_notification() {
    local titles=("Done" "Snooze 10 min" "When I'm free" "Skip")
    echo "${titles[RANDOM % 4]}" >"$HOME/choice"
    if ((RANDOM % 8 == 0)); then dunstctl close; else dunstctl context; fi
}
kind() { ((RANDOM % 2)) && echo water || echo movement; }
# One simulated minute of the user's day: a shown reminder is answered within a few minutes or
# left to expire; the rest comes about as often in a simulated hour as in a real one.
drive_minute() {
    if [ "$(dunstctl count displayed)" -ge 1 ] && ((RANDOM % 10 < 2)); then
        answer_notification
    fi
    local roll=$((RANDOM % 1000))
    if ((roll < 8)); then $ctl log "$(kind)" >/dev/null
    elif ((roll < 16)); then $ctl open "brevimar://done/$(kind)"
    elif ((roll < 24)); then xdotool key "ctrl+alt+super+$( ((RANDOM % 2)) && echo w || echo s)"
    elif ((roll < 32)); then $ctl open "brevimar://$( ((RANDOM % 2)) && echo snooze || echo skip)/$(kind)"
    elif ((roll < 35)); then $ctl pause $((RANDOM % 30 + 1)) >/dev/null
    elif ((roll < 38)); then $ctl open "brevimar://pause?minutes=$((RANDOM % 30 - 1))" # ≤ 0: all day
    elif ((roll < 41)); then xdotool key ctrl+alt+super+p
    # A pause lasts real minutes even in fast mode, so the user resumes after some twenty
    # simulated ones.
    elif ((roll < 81)); then $ctl resume >/dev/null
    elif ((roll < 91)); then $ctl open brevimar://resume
    elif ((roll < 106)); then $ctl status --json >/dev/null && $ctl today >/dev/null
    elif ((roll < 116)); then
        signal lock
        sleep $((RANDOM % 8 + 2))
        signal unlock
    elif ((roll < 123)); then
        touch "$HOME/away"
        sleep $((RANDOM % 10 + 6))
        rm -f "$HOME/away"
    elif ((roll < 126)); then
        signal lock
        signal sleep
        sleep $((RANDOM % 10 + 2))
        signal wake
        signal unlock
    fi
}

# Resident memory (kB) and open files of the running process, one line a simulated hour.
samples=()
sample() { # hour
    local rss fds
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
    fds=$(find "/proc/$app/fd" -mindepth 1 -maxdepth 1 | wc -l)
    samples+=("$1 $app $rss $fds")
    echo "soak: hour $1 pid $app rss ${rss} kB fds $fds"
}

begin=$SECONDS
elapsed() { echo "$(((SECONDS - begin) / 60))h$(((SECONDS - begin) % 60))m"; }
start_app
hour=0
kill_at=-1
while ((hour < SOAK_HOURS)); do
    if ((SECONDS - begin >= (hour + 1) * 60)); then
        hour=$((hour + 1))
        sample $hour
        # The kill comes at a random moment of the hour after, before its sample.
        if ((hour % SOAK_KILL_EVERY == 0)); then kill_at=$((hour * 60 + 5 + RANDOM % 40)); fi
    fi
    if ((kill_at >= 0 && SECONDS - begin >= kill_at)); then
        kill_and_restart
        kill_at=-1
    fi
    drive_minute || fail "a driving step failed"
    sleep 1
    check_alive
done
stop_brevimar
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "Brevimar ended with $status on SIGTERM"
exec 3>&-
kill "$system_bus" 2>/dev/null || true

# Checks ------------------------------------------------------------------------------------------
db=$XDG_DATA_HOME/Brevimar/events.sqlite
q() { sqlite3 -separator ' ' "$db" "$1"; }
[ "$(q 'PRAGMA integrity_check')" = ok ] || fail "events.sqlite: $(q 'PRAGMA integrity_check')"
launches=$(q "SELECT count(*) FROM events WHERE action = 'launch'")
[ "$launches" = $((kills + crashes + 1)) ] || fail "$launches launches for $kills kills"

# Every reminder shown is answered (done, snoozed, skipped) or expires before its kind is shown
# again. Forgiven: the one still showing when the day ends, and one showing when the process was
# killed (waiting reminders live in memory; the launch after it is its next event).
shown="WITH answers AS (SELECT rowid AS r, at, action, kind FROM events
            WHERE action IN ('fired', 'done', 'snoozed', 'skipped', 'expired')),
        launches AS (SELECT events.rowid AS r, at, 'launch' AS action, k.kind FROM events,
            (SELECT DISTINCT kind FROM answers) AS k WHERE action = 'launch'),
        ordered AS (SELECT at, action, kind, lead(action) OVER (PARTITION BY kind ORDER BY at, r)
            AS next FROM (SELECT * FROM answers UNION ALL SELECT * FROM launches))
        SELECT kind, datetime(at, 'unixepoch'), next FROM ordered WHERE action = 'fired'"
unanswered=$(q "$shown AND next NOT IN ('done', 'snoozed', 'skipped', 'expired', 'launch')")
[ -z "$unanswered" ] || fail "shown and left without answer or expiry: $unanswered"

# today.json counts what events.sqlite holds as done since midnight.
today=$XDG_DATA_HOME/Brevimar/today.json
midnight=$(date -d "$(q "SELECT json_extract(readfile('$today'), '$.date')")" +%s)
from_events=$(q "SELECT kind, count(*) FROM events WHERE action = 'done' AND at >= $midnight
                 GROUP BY kind ORDER BY kind")
from_day=$(q "SELECT key, value FROM json_each(readfile('$today'), '$.counts') ORDER BY key")
[ "$from_events" = "$from_day" ] || fail "today.json [$from_day] but events.sqlite [$from_events]"

! grep -E 'sqlite error|damaged|terminate called|ASSERT' "$log" || fail "trouble in the log"

echo "soak: events $(q "SELECT group_concat(action || '=' || n, ' ') FROM
    (SELECT action, count(*) AS n FROM events GROUP BY action ORDER BY action)")"
echo "soak: holds $(q "SELECT group_concat(meta || '=' || n, ' ') FROM
    (SELECT meta, count(*) AS n FROM events WHERE action = 'hold_start' GROUP BY meta)")"
echo "soak: $kills kills, $crashes crashes, $(q "SELECT count(*) FROM ($shown AND (next IS NULL
    OR next = 'launch'))") reminders left open by a kill or the end of the day"

# Growth per simulated hour, over the hours one process lived through (its first sample is the
# baseline: the first hour fills caches and creates windows). A leak of one notification's worth
# of objects per reminder shows as steady growth; the limits sit above what the allocator and
# SQLite's page cache move on their own.
printf '%s\n' "${samples[@]}" | awk -v rss_limit=512 -v fd_limit=1 '
    $2 == pid { hours += 1; rss += $3 - last_rss; fds += $4 - last_fds }
    { pid = $2; last_rss = $3; last_fds = $4 }
    END {
        if (hours == 0) { print "soak: too short to measure growth"; exit 0 }
        printf "soak: growth per simulated hour: rss %+.0f kB, fds %+.2f (over %d hours)\n",
            rss / hours, fds / hours, hours
        exit (rss / hours > rss_limit || fds / hours > fd_limit)
    }' || fail "resident memory or open files grow"
cp "$log" "/tmp/brevimar-soak-$SOAK_SEED.log"
sqlite3 "$db" ".backup /tmp/brevimar-soak-$SOAK_SEED.sqlite"
echo "soak: the application's log and event log are kept as /tmp/brevimar-soak-$SOAK_SEED.*"
verdict
