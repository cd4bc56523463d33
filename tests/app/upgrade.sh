#!/usr/bin/env bash
# A user of Ormanthe, as Brevimar was once called, starts Brevimar for the first time: today's
# tallies, the event log and the settings Brevimar lacks come over; the earlier files stay as
# they were.
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
printf '[General]\nwaterIntervalMinutes=50\nhasCompletedOnboarding=false\n' \
    >"$XDG_CONFIG_HOME/tovanex/Ormanthe.conf"
before=$(cd "$XDG_CONFIG_HOME/tovanex" && find "$earlier" Ormanthe.conf -type f -exec md5sum {} + | sort)

expect 0 "Today: 0 sips · 0 breaks." "$ctl" today
expect 0 "" "$ctl" open brevimar://done/water
expect 0 "Today: 5 sips · 1 break." "$ctl" today
[ "$(done_count water)" = 3 ] || fail "$(done_count water) water answers in the event log, wanted 3"
conf=$XDG_CONFIG_HOME/tovanex/Brevimar.conf
grep -qx 'waterIntervalMinutes=50' "$conf" || fail "the interval did not come over"
grep -qx 'hasCompletedOnboarding=true' "$conf" || fail "Brevimar's own setting was replaced"
grep -qx 'migratedFromOrmanthe=true' "$conf" || fail "the pass was not marked done"
after=$(cd "$XDG_CONFIG_HOME/tovanex" && find "$earlier" Ormanthe.conf -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "the earlier files changed"
verdict
