#!/usr/bin/python3
"""Walks one of Brevimar's windows over the accessibility bus, as a screen reader does.

Usage: screen-reader-walk.py TITLE [--tabs]

Finds the shown window called TITLE, reads every object in it and prints one line per fault:
a control (anything Tab reaches, or a button, box, slider or tab) without a name or with a role a
reader cannot say, and two siblings a reader would announce alike (same name and role). With
--tabs every page tab is pressed in turn and the page it shows is walked as well. Exits 1 when
it found a fault or no such window, after printing the tree it read.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
CONTROLS = {R.PUSH_BUTTON, R.TOGGLE_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.COMBO_BOX,
            R.SLIDER, R.SPIN_BUTTON, R.PAGE_TAB}
UNSAYABLE = {R.INVALID, R.UNKNOWN, R.FILLER, R.REDUNDANT_OBJECT}


def window(title, seconds=15):
    """The showing top-level window called title, asked for until it turns up."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for a in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(a)
            for w in range(app.get_child_count() if app else 0):
                win = app.get_child_at_index(w)
                if win and win.get_name() == title and \
                        win.get_state_set().contains(Atspi.StateType.SHOWING):
                    return win
        time.sleep(0.2)
    return None


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]


def walk(node, faults, lines, depth=0):
    role, name = node.get_role(), (node.get_name() or "").strip()
    states = node.get_state_set()
    kids = children(node)
    lines.append("  " * depth + f"{node.get_role_name()} \"{name}\"")
    # A focusable container (a scroll area) is where the reader reads, not a control.
    control = role in CONTROLS or (states.contains(Atspi.StateType.FOCUSABLE) and not kids)
    if control and states.contains(Atspi.StateType.SHOWING):
        if not name:
            faults.append(f"{node.get_role_name()} without a name")
        if role in UNSAYABLE:
            faults.append(f"\"{name}\" has no role a reader can say ({node.get_role_name()})")
    seen = set()
    for kid in kids:
        key = ((kid.get_name() or "").strip(), kid.get_role_name())
        if key[0] and key in seen:
            faults.append(f"{key[1]} \"{key[0]}\" announced twice under \"{name}\"")
        seen.add(key)
        walk(kid, faults, lines, depth + 1)


def tabs(node):
    if node.get_role() == R.PAGE_TAB:
        return [node]
    return [t for kid in children(node) for t in tabs(kid)]


def main():
    title = sys.argv[1]
    win = window(title)
    if not win:
        print(f"FAIL: no window \"{title}\" on the accessibility bus")
        return 1
    faults, lines = [], []
    walk(win, faults, lines)
    if "--tabs" in sys.argv[2:]:
        for tab in tabs(win):
            tab.get_action_iface().do_action(0)
            time.sleep(0.5)  # the page is built and laid out
            lines.append(f"-- after pressing \"{tab.get_name()}\"")
            walk(win, faults, lines)
    for fault in dict.fromkeys(faults):
        print(f"FAIL: {title}: {fault}")
    if faults:
        print("\n".join(lines))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
