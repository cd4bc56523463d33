#!/usr/bin/env bash
# Brevimar in a Wayland session, sway with XWayland on two outputs: it learns from the compositor
# that nobody is at the computer, that a native application is full screen or in front, and on
# which output the person works, where its tray panel then opens. Native applications are foot
# terminals with app ids of their own; an X11 window stands for those still drawn through
# XWayland.
# Usage (from ctest): run-in-sway wayland.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
brevimar=$1/src/app/brevimar
ctl=$1/src/cli/brevimarctl
rule='{\\"id\\":\\"3A30B3A3-CC4D-4DE1-9084-95D35A741528\\",\\"bundleID\\":\\"com.example.Editor\\",'
rule+='\\"name\\":\\"Writing\\",\\"mode\\":\\"frontmost\\"}'
private_home "pauseDuringFullScreen=true\nappRules=\"@ByteArray([$rule])\"\n"
conf=$XDG_CONFIG_HOME/tovanex/Brevimar.conf
mkdir -p "$XDG_DATA_HOME/applications"
for app in Game Editor Viewer; do
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=foot\n' "$app" \
        >"$XDG_DATA_HOME/applications/com.example.$app.desktop"
done

# A refused command is the harness's fault, not Brevimar's.
sway() { swaymsg -q "$@" || { fail "sway refused: $*"; exit 1; }; }
# What holds reminders, as reason/detail.
hold() {
    "$ctl" status --json | python3 -c \
        'import json, sys; s = json.load(sys.stdin); print(s["holdReason"] + "/" + s["holdDetail"])'
}
# The output sway shows the window of an app id on.
output_of() { # app-id
    swaymsg -t get_tree | python3 -c '
import json, sys
def find(node, output):
    output = node["name"] if node["type"] == "output" else output
    if node.get("app_id") == sys.argv[1]:
        return output
    for child in node["nodes"] + node["floating_nodes"]:
        found = find(child, output)
        if found:
            return found
print(find(json.load(sys.stdin), None) or "")' "$1"
}
# The output under the middle of the tray panel: an XWayland window that sway does not manage,
# placed by XWayland in sway's own coordinates.
panel_output() {
    local window
    window=$(xdotool search --onlyvisible --name '^Brevimar$' | head -1)
    [ -n "$window" ] || return 0
    # shellcheck disable=SC2046 # x y width height
    swaymsg -t get_outputs | python3 -c '
import json, sys
x, y, width, height = map(int, sys.argv[1:])
for output in json.load(sys.stdin):
    r = output["rect"]
    if r["x"] <= x + width // 2 < r["x"] + r["width"] and r["y"] <= y + height // 2 < r["y"] + r["height"]:
        print(output["name"])' $(xwininfo -id "$window" | awk '/Absolute upper-left|Width|Height/ { print $NF }')
}
start_brevimar() {
    BREVIMAR_FAST=1 "$brevimar" >>"$home/brevimar.log" 2>&1 &
    wait_for 10 "Brevimar answers brevimarctl" "$ctl" status
}

dunst >"$home/dunst.log" 2>&1 &
"$1/tests/app/tray_watcher" >"$home/tray.log" 2>&1 &
# Up before Brevimar asks for them, or the bus would start a dunst of its own.
for name in org.freedesktop.Notifications org.kde.StatusNotifierWatcher; do
    wait_for 5 "$name is on the bus" on_bus $name
done

# Nobody at the computer for three seconds (a minute lasts a second), then a hand on the mouse.
sed -i 's/^idleThresholdMinutes=.*/idleThresholdMinutes=3/' "$conf"
start_brevimar
if wait_for_output 10 "no input past the idle threshold holds reminders" idle/ hold; then
    sway seat - cursor move 5 5
    wait_for_output 5 "a pointer move ends the idle hold" / hold || true
fi
stop_brevimar
sed -i 's/^idleThresholdMinutes=.*/idleThresholdMinutes=100000/' "$conf"

for app in Game Editor; do
    foot --app-id=com.example.$app --log-level=warning sleep infinity >"$home/foot-$app.log" 2>&1 &
    wait_for_output 10 "foot shows com.example.$app" HEADLESS-1 output_of com.example.$app
done
# The X11 window lasts as long as its standard input stays open.
mkfifo "$home/viewer.in"
"$1/tests/platform/x11_test_window" com.example.Viewer Viewer <"$home/viewer.in" >"$home/viewer.id" &
exec 3>"$home/viewer.in"
wait_for 10 "the X11 window maps" test -s "$home/viewer.id"
start_brevimar

# Full screen in front, natively and through XWayland, named after the desktop entry.
for app in app_id=com.example.Game/Game class=Viewer/Viewer; do
    sway "[${app%/*}]" focus, fullscreen enable
    wait_for_output 5 "${app#*/} full screen holds reminders" "fullScreen/${app#*/}" hold || true
    sway "[${app%/*}]" fullscreen disable
done
exec 3>&-

# An app rule while its application is in front, and no longer once another one is.
sway '[app_id=com.example.Editor]' focus
if wait_for_output 5 "Editor in front holds reminders under its rule" appRule/Writing hold; then
    sway '[app_id=com.example.Game]' focus
    wait_for_output 5 "Game in front ends the rule's hold" / hold || true
fi

# The panel opens on the output of the application in front, whichever that is.
for output in HEADLESS-2 HEADLESS-1; do
    sway '[app_id=com.example.Game]' move container to output $output, focus
    wait_for_output 5 "Game moves to $output" $output output_of com.example.Game
    "$brevimar" || fail "a second start does not hand over"
    wait_for_output 5 "the panel opens on $output, where Game is" $output panel_output || true
    xdotool key Escape
    wait_for_output 5 "Escape closes the panel" "" panel_output
done

stop_brevimar
verdict
