#!/usr/bin/env bash
# Installed for one user, Brevimar opens brevimar:// links: `gio open` starts it through D-Bus
# activation and the link is handled once it is up; a second link goes to the running instance.
# brevimar://history shows one history window, in front, however often it is opened.
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

history_windows() { xdotool search --onlyvisible --name '^Brevimar History$' | wc -l; }
history_shown() { [ "$(history_windows)" = 1 ]; }
"$ctl" open brevimar://history
wait_for 10 "the history window" history_shown
"$ctl" open brevimar://history
sleep 0.5 # a second window, were one made, would be mapped by now
history_shown || fail "opened twice: $(history_windows) history windows"
[ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "Brevimar History" ] ||
    fail "the history window is not the active window"
verdict
