#!/usr/bin/env bash
# Installs the package `make deb` built as a user would (apt, as root), checks that what it put
# there works, from the programs on PATH to a brevimar:// link opened through the desktop entry
# and D-Bus activation, then removes and purges it and checks that none of its files is left.
# Usage: scripts/check-deb.sh [PACKAGE.deb]   (default: the newest in build-deb/)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# The link check, on a virtual display and session bus of its own, from a throw-away home that
# the Brevimar the bus starts is given too.
if [ "${1:-}" = --inside ]; then
    source tests/app/common.sh
    private_home
    trap 'stop_brevimar; rm -rf "$home"' EXIT
    export LC_ALL=C.UTF-8
    dbus-update-activation-environment HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME LC_ALL
    today_is() { [ "$(brevimarctl today)" = "$1" ]; }
    gio open brevimar://done/water || fail "gio open brevimar://done/water"
    wait_for 20 "the installed Brevimar handles a link" today_is "Today: 1 sip · 0 breaks."
    verdict
    exit
fi

deb=$(realpath "${1:-$(ls -t build-deb/brevimar_*.deb | head -1)}")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if dpkg-query -W brevimar >/dev/null 2>&1; then
    echo "brevimar is installed already; remove it first (dpkg -P brevimar)"
    exit 1
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null
# Whatever stops the script, the machine is left without the package.
trap '$sudo dpkg -P brevimar >/dev/null 2>&1 || true' EXIT
mapfile -t files < <(dpkg-query -L brevimar)

for program in brevimar brevimarctl; do
    [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program on PATH"
done
brevimarctl --help | grep -q '^usage: brevimarctl' || fail "brevimarctl --help"
# The module is loaded only when calendars are first asked for; its libraries must be there too.
module=$(printf '%s\n' "${files[@]}" | grep '/brevimar/brevimar-calendar-eds\.so$' || true)
if [ -z "$module" ]; then
    fail "no calendar module in the package"
elif ldd "$module" | grep 'not found'; then
    fail "the calendar module misses libraries"
fi
# Only where man-db is installed and the system keeps manual pages (minimal images drop them).
page=$(printf '%s\n' "${files[@]}" | grep '/man1/brevimarctl\.1' || true)
if command -v man >/dev/null && [ -e "$page" ]; then
    man -w brevimarctl >/dev/null || fail "man does not find brevimarctl(1)"
fi
scripts/run-in-session "$self" --inside || fail "the installed Brevimar does not open links"

$sudo dpkg -r brevimar >/dev/null
# A purge would take the configuration files, which it has none of so far.
[ "$(dpkg-query -W -f='${db:Status-Status}' brevimar 2>/dev/null)" != config-files ] ||
    $sudo dpkg -P brevimar >/dev/null
dpkg-query -W brevimar >/dev/null 2>&1 && fail "brevimar is still known to dpkg after the purge"
# A folder of the package may stay only while another package owns it too.
for path in "${files[@]}"; do
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        dpkg-query -S "$path" >/dev/null 2>&1 || fail "left behind: $path/ ($(ls -A "$path" | head -3))"
    elif [ -e "$path" ] || [ -L "$path" ]; then
        fail "left behind: $path"
    fi
done
# The caches the desktop's package triggers rebuilt no longer name it either.
leftovers=$(grep -lsF com.tovanex.Brevimar /usr/share/applications/mimeinfo.cache \
    /usr/share/icons/hicolor/icon-theme.cache || true)
[ -z "$leftovers" ] || fail "still named in $leftovers"

[ "$failures" = 0 ] || exit 1
echo "$(basename "$deb"): installed, ran, removed; nothing left behind"
