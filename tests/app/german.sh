#!/usr/bin/env bash
# The installed Brevimar started in German: the first-start notice, a reminder notification with
# its buttons, `brevimarctl today` (counts and plurals) and the tray panel, read over the
# accessibility bus, come in German. A missing or stale
# compiled translation, or a text that bypasses it, shows here as English.
# Usage (from ctest): run-in-session german.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
installed_session "$@"
printf 'reminderStyle=notification\n' >>"$XDG_CONFIG_HOME/tovanex/Brevimar.conf"
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8

dunst -print >"$HOME/dunst.log" 2>&1 &
dunst_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q true
}
wait_for 5 "dunst is up" dunst_up
# The names a screen reader hears in the panel, opened as a window as no tray is running.
panel_names() {
    /usr/bin/python3 - <<'PY'
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi
def names(node):
    yield node.get_name()
    for child in filter(None, map(node.get_child_at_index, range(node.get_child_count()))):
        yield from names(child)
desktop = Atspi.get_desktop(0)
for app in filter(None, map(desktop.get_child_at_index, range(desktop.get_child_count()))):
    for win in filter(None, map(app.get_child_at_index, range(app.get_child_count()))):
        if win.get_name() == "Brevimar":
            print("\n".join(names(win)))
PY
}
panel_in_german() {
    local names
    names=$(panel_names)
    grep -qx Erledigt <<<"$names" && grep -qx Einstellungen <<<"$names" &&
        grep -qx 'Heute 2 kleine Erfolge' <<<"$names" # a count in the language's plural form
}
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "the notice in German" grep -qF "summary: 'Brevimar läuft.'" "$HOME/dunst.log"
expect 0 "Heute: 0 Schlucke · 0 Pausen." "$ctl" today
wait_for 50 "water fired" grep -q 'Brevimar fire water style=notification' "$HOME/brevimar.log"
wait_for 10 "the reminder in German" grep -qF "summary: 'Zeit für Wasser'" "$HOME/dunst.log"
grep -q "Erledigt" "$HOME/dunst.log" || fail "the Done button in German"
"$ctl" log water >/dev/null
expect 0 "Heute: 1 Schluck · 0 Pausen." "$ctl" today
"$ctl" log water >/dev/null
"$HOME/.local/bin/brevimar" || fail "a second start does not hand over"
wait_for 10 "the panel in German" panel_in_german
verdict
