#!/usr/bin/env bash
# Installed for one user, Brevimar opens brevimar:// links: `gio open` starts it through D-Bus
# activation and the link is handled once it is up; a second link goes to the running instance.
# Usage (from ctest): run-in-session url-handler.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
today_is() { [ "$("$ctl" today)" = "$1" ]; }

gio open brevimar://done/water
wait_for 10 "the first link" today_is "Today: 1 sip · 0 breaks."
"$ctl" kinds >/dev/null || fail "the started application does not answer"
gio open brevimar://done/movement
wait_for 10 "the second link" today_is "Today: 1 sip · 1 break."
verdict
