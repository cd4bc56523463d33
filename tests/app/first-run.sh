#!/usr/bin/env bash
# A first start puts the onboarding window in front; choosing Gentle and Start stores the pace and
# closes it. brevimar://settings then opens the settings window, whose switches write the settings
# file at once, here from the keyboard alone.
# Usage (from ctest): run-in-session first-run.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
conf=$XDG_CONFIG_HOME/tovanex/Brevimar.conf
sed -i '/^hasCompletedOnboarding=/d' "$conf"

in_front() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
"$HOME/.local/bin/brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "the onboarding window in front" in_front Brevimar
onboarding=$(xdotool getactivewindow)
xdotool mousemove --window "$onboarding" 190 137 click 1 # the Gentle row
wait_for 5 "Gentle is stored at once" grep -qx 'preset=gentle' "$conf"
xdotool key Return
wait_for 5 "Start closes the window" sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^Brevimar\$')\" ]"
grep -qx 'hasCompletedOnboarding=true' "$conf" || fail "Start did not complete onboarding"
grep -qx 'waterIntervalMinutes=60' "$conf" || fail "Gentle did not set the water interval"

"$ctl" open brevimar://settings
wait_for 10 "the settings window in front" in_front "Brevimar Settings"
# The tabs have the keyboard: three to the right is Schedule, whose first control is the
# work-hours switch.
xdotool key --delay 100 Right Right Right Tab space
wait_for 5 "the work-hours switch writes the settings" grep -q '^workSchedule=.*enabled.*true' "$conf"
verdict
