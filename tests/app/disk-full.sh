#!/usr/bin/env bash
# The disk fills under a running Brevimar (its file-size limit dropped to zero, which refuses
# every write as a full disk does and also sends SIGXFSZ): reminders keep coming and answers
# keep counting, the log says so once a file, and what was stored is left whole. With room
# again, both files are written again.
# Usage (from ctest): run-in-session disk-full.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
printf 'preset=custom\nmovementEnabled=false\nwaterIntervalMinutes=1\n' \
    >>"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
data=$XDG_DATA_HOME/Brevimar
log=$HOME/brevimar.log
rows() { sqlite3 "$data/events.sqlite" 'SELECT count(*) FROM events'; }
fires() { [ "$(grep -c 'fire water' "$log")" -ge "$1" ]; }

BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" 2>&1 | cat >"$log" & # the limit would stop a log file
wait_for 10 "a first reminder" fires 1
expect 0 "Water logged. 1 sip." "$ctl" log water
pid=$(brevimar_pid)
stored=$(rows)

prlimit --pid "$pid" --fsize=0:unlimited
expect 0 "Water logged. 2 sips." "$ctl" log water
wait_for 10 "a reminder on a full disk" fires 3
expect 0 "Water logged. 3 sips." "$ctl" log water
kill -0 "$pid" || fail "Brevimar died of the full disk"
[ "$(grep -c 'could not save .*today.json' "$log")" = 1 ] || fail "today.json failures not said once"
[ "$(grep -c 'event' "$log")" = 1 ] || fail "event log failures not said once"
expect 0 ok sqlite3 "$data/events.sqlite" 'PRAGMA integrity_check'
[ "$(rows)" = "$stored" ] || fail "stored rows changed: $(rows) of $stored"
grep -q '"water":1' "$data/today.json" || fail "today.json damaged"

prlimit --pid "$pid" --fsize=unlimited
expect 0 "Water logged. 4 sips." "$ctl" log water
stop_brevimar
[ "$(done_count water)" = 2 ] || fail "the event log did not resume: $(done_count water) answers"
grep -q '"water":4' "$data/today.json" || fail "today.json did not resume"
verdict
