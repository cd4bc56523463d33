#!/usr/bin/env bash
# The installed Brevimar as a screen reader and the keyboard meet it, over the accessibility bus:
# the first start's window, the tray panel, the settings window (every tab) and the history window
# name every control and give it a role, spell out no symbol and announce nothing twice. The
# controls' own actions do what a click does: they choose a preset and store it, write a switch,
# step a stepper and a time, pick a reminder style, a pace, an icon and a colour, and start. The
# keyboard alone answers a reminder from the panel (Tab to Done, Enter), and Escape closes the
# panel and each window.
# Usage (from ctest): run-in-session screen-reader.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
[ "$1" = --inside ] || export tray_watcher=$1/tests/app/tray_watcher
installed_session "$@"
conf=$XDG_CONFIG_HOME/tovanex/Brevimar.conf
sed -i '/^hasCompletedOnboarding=/d' "$conf" # a first start
# The system's python: it is the one with the GObject bindings of the accessibility library.
walk() { /usr/bin/python3 "$(dirname "$0")/screen-reader-walk.py" "$@" || fail "the walk of $1"; }
shown() { [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]; }
closed() { ! shown "$1"; }

# The accessibility bus is up before Brevimar, as in a desktop session; Qt joins it only then.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
"$tray_watcher" >"$HOME/tray.log" 2>&1 &
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$HOME/.local/bin/brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "the icon registers" test -s "$HOME/tray.log"
stored() { wait_for 5 "$1 is stored" grep -qx "$1" "$conf"; }
walk Brevimar --choose Active --act "Also remind me to rest my eyes every 20 min" --act Start
stored preset=active
wait_for 5 "the eye rest is added" grep -q '^customReminders=.*enabled.*true.*eye' "$conf"
stored hasCompletedOnboarding=true
item=$(awk 'NR == 1 { print $2 }' "$HOME/tray.log") # a bus name, the object's path after it if any
path=/StatusNotifierItem
[ "${item#*/}" = "$item" ] || path=/${item#*/}
# A click on the icon, as the tray host hands it on; again until the panel shows, as the icon
# may be registered before the application listens to it.
click_icon() {
    shown Brevimar && return
    dbus-send --session --type=method_call --dest="${item%%/*}" "$path" \
        org.kde.StatusNotifierItem.Activate int32:640 int32:12
    sleep 0.5
    shown Brevimar
}
open_panel() { wait_for 10 "the panel opens" click_icon; }
open_panel
walk Brevimar --popup --act Done # water's, the first
xdotool key Escape
wait_for 5 "Escape closes the panel" closed Brevimar
open_panel
xdotool key Tab Return
water_done() { [ "$(done_count water)" = 2 ]; }
wait_for 5 "Done's action and then Tab and Enter answer water from the panel" water_done
xdotool key Escape

"$ctl" open brevimar://settings
# Gentle is an entry of the pace picker; From, the start of the work hours, shows once they are on.
walk "Brevimar Settings" --tabs --act Gentle --act "Adapt timing to how I answer" \
    --act "At least 10 min between reminders=Increase" --act "Edit Eye rest" --choose Notch \
    --act "Only remind me during work hours" --act From=Increase
walk "Eye rest" --choose Leaf --choose Green --act Save
wait_for 5 "the eye rest's new icon and colour are stored" \
    grep -q '^customReminders=.*icon.":."leaf.*tintName.":."green' "$conf"
stored preset=gentle
stored adaptiveEnabled=false
stored minimumGapMinutes=15
stored reminderStyle=notch
wait_for 5 "work hours from 10:00" grep -q '^workSchedule=.*enabled.*true.*startMinutes.*:600' "$conf"
xdotool key Escape
wait_for 5 "Escape closes the settings" closed "Brevimar Settings"

"$ctl" open brevimar://history
walk "Brevimar History" --choose "30 days"
xdotool key Escape
wait_for 5 "Escape closes the history" closed "Brevimar History"
verdict
