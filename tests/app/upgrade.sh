#!/usr/bin/env bash
# A user of Ormanthe, as Brevimar was once called, starts Brevimar for the first time, twice at
# the same instant as autostart and a link do at login: one Brevimar runs, and it carries over
# today's tallies, the event log and the settings once, and runs on them from the first minute
# (the earlier usage opt-out holds, the onboarding does not open again); the earlier files stay
# as they were.
# Usage (from ctest): run-in-session upgrade.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"

earlier=$XDG_DATA_HOME/Ormanthe
mkdir -p "$earlier"
printf '{"date":"%s","sips":4,"breaks":1,"skipped":0,"windDownFired":false}' "$(date +%F)" \
    >"$earlier/today.json"
now=$(date +%s)
sqlite3 "$earlier/events.sqlite" <<SQL
PRAGMA journal_mode=WAL;
CREATE TABLE events (id TEXT PRIMARY KEY, at REAL NOT NULL, action TEXT NOT NULL, kind TEXT,
                     meta TEXT);
CREATE INDEX events_at ON events(at);
INSERT INTO events VALUES ('a', $now - 60, 'done', 'water', NULL), ('b', $now - 30, 'done', 'water', NULL);
SQL
conf=$XDG_CONFIG_HOME/tovanex/Brevimar.conf
printf '[General]\nwaterIntervalMinutes=50\nhasCompletedOnboarding=true\nshareUsage=false\n' \
    >"$XDG_CONFIG_HOME/tovanex/Ormanthe.conf"
printf '[General]\nidleThresholdMinutes=100000\n' >"$conf"
before=$(cd "$XDG_CONFIG_HOME/tovanex" && find "$earlier" Ormanthe.conf -type f -exec md5sum {} + | sort)

# Usage counts would go here at start; the opt-out carried over must keep them home.
python3 -c 'import socket, sys
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(); print(s.getsockname()[1], flush=True)
s.accept(); open(sys.argv[1], "w").write("contacted")' "$HOME/usage-contacted" >"$HOME/usage-port" &
wait_for 5 "the usage listener" test -s "$HOME/usage-port"
export BREVIMAR_USAGE_URL=http://127.0.0.1:$(cat "$HOME/usage-port")/

expect 0 "Today: 0 sips · 0 breaks." "$ctl" today
# Each with a link, so that whichever hands over does not open the panel of the other.
BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" brevimar://done/movement >"$HOME/first.log" 2>&1 &
first=$!
BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" brevimar://done/water >"$HOME/second.log" 2>&1 &
second=$!
# Either may win; the other hands over and ends, the one that runs stays.
wait_for 20 "one start hands over" sh -c "! kill -0 $first 2>/dev/null || ! kill -0 $second 2>/dev/null"
if kill -0 $first 2>/dev/null; then running=$first ended=$second; else running=$second ended=$first; fi
wait $ended || fail "the start that handed over failed"
kill -0 $running 2>/dev/null || fail "no start runs"
wait_for_output 10 "the handed-over link" "Today: 5 sips · 2 breaks." "$ctl" today || true
[ "$(cat "$HOME"/first.log "$HOME"/second.log | grep -c 'migration pass complete')" = 1 ] ||
    fail "the migration ran $(cat "$HOME"/*.log | grep -c 'migration pass complete') times"
[ "$(done_count water)" = 3 ] || fail "$(done_count water) water answers in the event log, wanted 3"
grep -qx 'waterIntervalMinutes=50' "$conf" || fail "the interval did not come over"
grep -qx 'migratedFromOrmanthe=true' "$conf" || fail "the pass was not marked done"
sleep 3 # long enough for a fast-mode start to send its counts and show the onboarding
[ ! -e "$HOME/usage-contacted" ] || fail "usage counts were sent despite the carried-over opt-out"
[ -z "$(xdotool search --onlyvisible --name '^Brevimar$' 2>/dev/null)" ] ||
    fail "the onboarding opened although it was completed before"
after=$(cd "$XDG_CONFIG_HOME/tovanex" && find "$earlier" Ormanthe.conf -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "the earlier files changed"
verdict
