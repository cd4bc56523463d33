#!/usr/bin/env bash
# Installed for one user, Brevimar opens brevimar:// links: `gio open` starts it through D-Bus
# activation and the link is handled once it is up; a second link goes to the running instance.
# Usage (from ctest): run-in-session url-handler.sh BUILD_DIR
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
    export XDG_CACHE_HOME=$home/.cache
    cmake --install "$1" --prefix "$home/.local" >/dev/null
    mkdir -p "$XDG_CONFIG_HOME/tovanex"
    printf '[General]\nhasCompletedOnboarding=true\nidleThresholdMinutes=100000\n' \
        >"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
    # A session bus that knows the installed service, as at the next login.
    dbus-run-session -- "$0" --inside
    exit
fi

ctl=$HOME/.local/bin/brevimarctl
trap 'pkill -f "^$HOME/.local/bin/brevimar$" || true' EXIT
wait_for() { # expected brevimarctl today answer
    for _ in $(seq 100); do
        [ "$("$ctl" today 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    echo "FAIL: wanted '$1', got '$("$ctl" today 2>&1)'"
    exit 1
}

gio open brevimar://done/water
wait_for "Today: 1 sip · 0 breaks."
"$ctl" kinds >/dev/null || { echo "FAIL: the started application does not answer"; exit 1; }
gio open brevimar://done/movement
wait_for "Today: 1 sip · 1 break."
echo "1 passed, 0 failed"
