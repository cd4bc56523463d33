#!/usr/bin/env bash
# The desktop's Do Not Disturb holds reminders from the moment it is turned on until it is turned
# off, without waiting for a poll (they are 15 s apart): dunst's pause, then GNOME's banners
# switch through GSettings on its keyfile backend. GIO is loaded on GNOME only.
# Usage (from ctest): run-in-session do-not-disturb.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
brevimar=$HOME/.local/bin/brevimar
gio_loaded() { grep -q libgio "/proc/$(brevimar_pid)/maps"; }

dunst >"$HOME/dunst.log" 2>&1 &
wait_for 5 "dunst is up" on_bus org.freedesktop.Notifications
"$brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "Brevimar is up" "$ctl" kinds
wait_for 5 "Brevimar reads dunst" grep -q 'Do Not Disturb from dunst' "$HOME/brevimar.log"
held "" || fail "held at start: $(hold)"
dunstctl set-paused true
wait_for 3 "dunst's pause holds reminders" held doNotDisturb
dunstctl set-paused false
wait_for 3 "the hold ends with dunst's pause" held ""
! gio_loaded || fail "GIO was loaded outside GNOME"
stop_brevimar

export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile
gsettings set org.gnome.desktop.notifications show-banners false
"$brevimar" >"$HOME/brevimar-gnome.log" 2>&1 &
wait_for 10 "Brevimar is up on GNOME" "$ctl" kinds
wait_for 5 "banners off at the start hold reminders" held doNotDisturb
gsettings set org.gnome.desktop.notifications show-banners true
wait_for 3 "banners on end the hold" held ""
gsettings set org.gnome.desktop.notifications show-banners false
wait_for 3 "banners off hold reminders" held doNotDisturb
verdict
