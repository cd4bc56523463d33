#!/usr/bin/env bash
# On a desktop with no tray (stock GNOME) Brevimar says once that it is running and where to find
# it; starting it again opens the panel as an ordinary window at the top centre of the screen.
# An X11 tray that turns up later (trayer, as on i3 or Openbox) gets the icon, and the next start
# opens the panel as its popup.
# Usage (from ctest): run-in-session no-tray.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
brevimar=$HOME/.local/bin/brevimar
notice="Your desktop shows no tray icons: open Brevimar from your applications to see today's reminders."
notices() { grep -cF "body: '$notice'" "$HOME/dunst.log" || true; }
panel() { xdotool search --onlyvisible --name '^Brevimar$'; }

dunst -print >"$HOME/dunst.log" 2>&1 &
# Asked of the bus, which would otherwise start a dunst of its own for dunstctl.
dunst_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q true
}
wait_for 5 "dunst is up" dunst_up
"$brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "the notice" grep -qF "body: '$notice'" "$HOME/dunst.log"
grep -qF "summary: 'Brevimar is running.'" "$HOME/dunst.log" || fail "the notice's title"
stop_brevimar
"$brevimar" >"$HOME/brevimar-again.log" 2>&1 &
wait_for 10 "the next login's Brevimar" "$ctl" kinds
[ -z "$(panel)" ] || fail "the panel opened unasked"

"$brevimar" || fail "a second start does not hand over"
wait_for 10 "the panel as a window" panel
[ "$(notices)" = 1 ] || fail "the notice was said $(notices) times"
window=$(panel)
# xwininfo, as xdotool counts the frame twice; X and Y are the inside's place on the screen.
read -r X Y WIDTH < <(xwininfo -id "$window" |
    awk '/Absolute upper-left|Width/ { printf "%s ", $NF } END { print "" }')
read -r left right top _ < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -dc '0-9 \n' | tr -s ' ')
read -r screen_width _ < <(xdotool getdisplaygeometry)
[ "$top" -gt 0 ] || fail "the window has no title bar: frame $left $right $top"
xprop -id "$window" WM_STATE | grep -q Normal || fail "the window manager does not manage it"
centre_offset=$((X - left + (WIDTH + left + right) / 2 - screen_width / 2))
[ "${centre_offset#-}" -le 2 ] || fail "not centred: off by $centre_offset"
[ "$((Y - top))" = 0 ] || fail "not at the top: the frame starts at $((Y - top))"

trayer >"$HOME/trayer.log" 2>&1 &
# Brevimar's icon among the windows inside trayer's panel.
in_tray() {
    xwininfo -root -tree | awk '!/0x/ { next } depth && index($0, "0x") <= depth { depth = 0 }
        depth && /\("brevimar"/ { found = 1 } /\("panel" "trayer"\)/ { depth = index($0, "0x") }
        END { exit !found }'
}
wait_for 10 "the icon once an X11 tray turns up" in_tray
"$brevimar" || fail "a start with a tray does not hand over"
popup() { xwininfo -id "$(panel)" | grep -q 'Override Redirect State: yes'; }
wait_for 10 "the panel as the tray's popup" popup
verdict
