#!/usr/bin/python3
"""Walks one of Brevimar's windows over the accessibility bus, as a screen reader does.

Usage: screen-reader-walk.py TITLE [--tabs | --popup] [--act NAME[=ACTION] | --choose NAME]...

Finds the shown window called TITLE, reads every object in it and prints one line per fault:
a control (anything Tab reaches, or a button, box, slider or tab) without a name or with a role a
reader cannot say, two siblings a reader would announce alike (same name and role), and a name
that holds a symbol of the icon font (a private-use character, which a reader spells out). With
--tabs every page tab is pressed in turn and the page it shows is walked as well. A popup is
not among the application's windows; a reader meets it through the focus, so with --popup Tab
is pressed and the window of the control that takes the focus is walked.

--act does what a reader's user does: the shown control called NAME is given its action (the
first one unless named), in the order given, once it is on the page walked. --choose is the
action of one choice of several, which must read as a radio button and be the only one of its
radio siblings checked afterwards. What the action stored is for the caller to check. Exits 1
when it found a fault or no such window, after printing the tree it read.
"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

R = Atspi.Role
CONTROLS = {R.PUSH_BUTTON, R.TOGGLE_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.COMBO_BOX,
            R.SLIDER, R.SPIN_BUTTON, R.PAGE_TAB}
UNSAYABLE = {R.INVALID, R.UNKNOWN, R.FILLER, R.REDUNDANT_OBJECT}


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]


def windows():
    desktop = Atspi.get_desktop(0)
    return [w for app in children(desktop) for w in children(app)]


def window(title, seconds=15):
    """The showing top-level window called title, asked for until it turns up."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for win in windows():
            if win.get_name() == title and win.get_state_set().contains(Atspi.StateType.SHOWING):
                return win
        time.sleep(0.2)
    return None


def focused_window(seconds=10):
    """The window of whatever Tab gives the focus to, told by the focus event a reader hears."""
    focused = []
    listener = Atspi.EventListener.new(lambda event: event.detail1 and focused.append(event.source))
    listener.register("object:state-changed:focused")
    time.sleep(1)  # the application learns that someone listens
    subprocess.run(["xdotool", "key", "Tab"], check=True)
    end = time.monotonic() + seconds
    while not focused and time.monotonic() < end:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.05)
    node = focused[0] if focused else None
    while node and node.get_parent() and node.get_parent().get_role() != R.APPLICATION:
        node = node.get_parent()
    return node


def announced(node):
    """What a reader says for the object: its labels, then its name."""
    labels = [rel.get_target(i).get_name() for rel in node.get_relation_set()
              if rel.get_relation_type() == Atspi.RelationType.LABELLED_BY
              for i in range(rel.get_n_targets())]
    return " ".join(labels + [(node.get_name() or "").strip()]).strip()


def walk(node, faults, lines, depth=0):
    role, name = node.get_role(), (node.get_name() or "").strip()
    states = node.get_state_set()
    kids = children(node)
    lines.append("  " * depth + f"{node.get_role_name()} \"{name}\"")
    symbols = [c for c in name + (node.get_description() or "") if 0xE000 <= ord(c) <= 0xF8FF]
    if symbols:
        faults.append(f"{node.get_role_name()} \"{name}\" spells out the symbol "
                      f"U+{ord(symbols[0]):04X}")
    # A focusable container (a scroll area) is where the reader reads, not a control.
    control = role in CONTROLS or (states.contains(Atspi.StateType.FOCUSABLE) and not kids)
    if control and states.contains(Atspi.StateType.SHOWING):
        if not name:
            faults.append(f"{node.get_role_name()} without a name")
        if role in UNSAYABLE:
            faults.append(f"\"{name}\" has no role a reader can say ({node.get_role_name()})")
    seen = set()
    for kid in kids:
        key = (announced(kid), kid.get_role_name())
        if key[0] and key in seen:
            faults.append(f"{key[1]} \"{key[0]}\" announced twice under \"{name}\"")
        seen.add(key)
        walk(kid, faults, lines, depth + 1)


def checked(node):
    return node.get_state_set().contains(Atspi.StateType.CHECKED)


def until(condition, seconds=3):
    end = time.monotonic() + seconds
    while not condition() and time.monotonic() < end:
        time.sleep(0.1)
    return condition()


def shown_control(node, name):
    states = node.get_state_set()
    if ((node.get_name() or "").strip() == name and states.contains(Atspi.StateType.SHOWING)
            and (node.get_role() in CONTROLS or states.contains(Atspi.StateType.FOCUSABLE))):
        return node
    for kid in children(node):
        found = shown_control(kid, name)
        if found:
            return found
    return None


def act(win, pending, faults):
    """Gives the controls of pending that this page shows their actions, in order."""
    while pending:
        how, name, action = pending[0]
        node = shown_control(win, name)
        if not node:
            return
        pending.pop(0)
        actions = [node.get_action_name(i) for i in range(node.get_n_actions())]
        action = action or (actions[:1] or ["any action"])[0]
        if action not in actions:
            faults.append(f"\"{name}\" has no action {action}, only {actions}")
            continue
        node.do_action(actions.index(action))
        role = node.get_role()
        if how == "--choose":
            radios = [r for r in children(node.get_parent()) if r.get_role() == R.RADIO_BUTTON]
            if role != R.RADIO_BUTTON:
                faults.append(f"the choice \"{name}\" reads as a {node.get_role_name()}")
            elif not until(lambda: checked(node) and sum(map(checked, radios)) == 1):
                faults.append(f"choosing \"{name}\" leaves {sum(map(checked, radios))} of "
                              f"{len(radios)} checked, itself {checked(node)}")
        time.sleep(0.5)  # what the action changed is stored, and what it shows laid out


def tabs(node):
    if node.get_role() == R.PAGE_TAB:
        return [node]
    return [t for kid in children(node) for t in tabs(kid)]


def main():
    title = sys.argv[1]
    win = focused_window() if "--popup" in sys.argv[2:] else window(title)
    if win and win.get_name() != title:
        win = None
    if not win:
        print(f"FAIL: no window \"{title}\" on the accessibility bus, only:")
        for win in windows():
            print(f"  {win.get_role_name()} \"{win.get_name()}\" showing="
                  f"{win.get_state_set().contains(Atspi.StateType.SHOWING)}")
        return 1
    args = sys.argv[2:]
    pending = [(how, *given.partition("=")[::2])
               for how, given in zip(args, args[1:]) if how in ("--act", "--choose")]
    faults, lines = [], []
    walk(win, faults, lines)
    act(win, pending, faults)
    if "--tabs" in args:
        for tab in tabs(win):
            tab.do_action(0)
            time.sleep(0.5)  # the page is built and laid out
            lines.append(f"-- after pressing \"{tab.get_name()}\"")
            walk(win, faults, lines)
            act(win, pending, faults)
    faults += [f"no control \"{name}\" shown to act on" for _, name, _ in pending]
    for fault in dict.fromkeys(faults):
        print(f"FAIL: {title}: {fault}")
    if faults:
        print("\n".join(lines))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
