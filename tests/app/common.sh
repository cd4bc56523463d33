# Sourced by the end-to-end scripts: a throw-away home, Brevimar installed into it, and waiting.

# HOME and the XDG folders in a fresh folder removed on exit (after showing the logs kept there
# when the script failed), with Brevimar's settings: past the onboarding, and idleness never
# holding reminders (nobody types on a virtual display). Extra setting lines come as the argument.
private_home() {
    home=$(mktemp -d)
    trap '[ $? = 0 ] || cat "$home"/*.log 2>/dev/null; kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$home"' EXIT
    export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
    export XDG_CACHE_HOME=$home/.cache
    mkdir -p "$XDG_CONFIG_HOME/tovanex"
    printf '[General]\nhasCompletedOnboarding=true\nidleThresholdMinutes=100000\n%b' "${1:-}" \
        >"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
}

# Installs the build for this user, D-Bus service file included, and runs the calling script
# again with --inside on a session bus started afterwards, as at the next login.
install_and_log_in() { # build-dir
    cmake --install "$1" --prefix "$HOME/.local" >/dev/null
    dbus-run-session -- "$0" --inside
}

# Outside: runs the calling script again at a fresh login with Brevimar installed in a throw-away
# home. Inside: stops Brevimar and what the script started (a fake tray outlives the bus) when
# the script ends, and names the installed brevimarctl $ctl.
installed_session() { # the script's arguments
    if [ "${1:-}" != --inside ]; then
        private_home
        install_and_log_in "$1"
        exit
    fi
    trap 'stop_brevimar; kill $(jobs -p) 2>/dev/null || true' EXIT
    ctl=$HOME/.local/bin/brevimarctl
}

# The process that owns Brevimar's bus name, or nothing.
brevimar_pid() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:com.tovanex.Brevimar 2>/dev/null |
        awk '/uint32/ { print $2 }' || true
}

# Whether the name has an owner on this bus; asked of the bus itself, which would otherwise start
# a program for it.
on_bus() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:"$1" 2>/dev/null | grep -q true
}

# What holds reminders, from `brevimarctl status`: the reason and its detail ("call Firefox").
hold() {
    "$ctl" status --json | sed -E 's/.*"holdDetail":"([^"]*)","holdReason":"([^"]*)".*/\2 \1/; s/ $//'
}
held() { [ "$(hold)" = "$1" ]; }

# Stops the Brevimar on this bus, as the end of a session does.
stop_brevimar() {
    local pid
    pid=$(brevimar_pid)
    [ -n "$pid" ] || return 0
    kill -TERM "$pid"
    wait_for 10 "Brevimar quits on SIGTERM" sh -c "! kill -0 $pid"
}

# How many "done" answers for a kind the event log holds.
done_count() {
    sqlite3 "$XDG_DATA_HOME/Brevimar/events.sqlite" \
        "SELECT count(*) FROM events WHERE action = 'done' AND kind = '$1'"
}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

wait_for() { # seconds description command…
    local limit=$1 what=$2
    shift 2
    for _ in $(seq $((limit * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "$what"
    return 1
}

# wait_for what a command prints; a failure also tells what it printed last.
wait_for_output() { # seconds description wanted command…
    local limit=$1 what=$2 want=$3
    shift 3
    wait_for "$limit" "$what" prints "$want" "$@" && return
    echo "      got [$("$@" 2>/dev/null)], wanted [$want]"
    return 1
}
prints() { [ "$("${@:2}")" = "$1" ]; }

expect() { # exit-status standard-output command…
    local code=$1 want=$2 got status=0
    shift 2
    got=$("$@" 2>/dev/null) || status=$?
    [ "$status" = "$code" ] && [ "$got" = "$want" ] || fail "$* → [$status] $got (wanted [$code] $want)"
}

# The summary line every script ends with.
verdict() {
    [ "$failures" = 0 ] || exit 1
    echo "1 passed, 0 failed"
}
