#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads both windows of the real program over AT-SPI, as a screen reader
does, and checks what the controls say: each a name, no two the same, and
the words that tell alike controls apart as written.

Run inside a private session bus, which starts the accessibility bus:
    dbus-run-session -- python3 a11y_tree.py path/to/velbrisk path/to/layout.json
The program gets its own Xvfb server; the layout file (dump_layout) lists the
controls Tab reaches in each window. Prints the tree it read.
"""

import json
import os
import subprocess
import sys

import pyatspi

from harness import wait_for
from xsession import start_xvfb

# Generous: a shared two-core machine can stall a process for seconds.
WAIT = 60.0

# The window of the layout file whose tab list the focusable controls must
# match, and what is read where the exact words matter: the controls that
# would otherwise sound alike (the three skin boxes, whose own text would be
# read as their name; the two "Transformer" buttons), the picture and the
# links. Each by its role's constant: the words AT-SPI gives a role change
# between its versions (Debian 12's "push button" is Debian 13's "button").
FORM1 = ("main", [
    (pyatspi.ROLE_COMBO_BOX, "Habillage de base", ""),
    (pyatspi.ROLE_COMBO_BOX, "Remplacer (changement d'habillage)", ""),
    (pyatspi.ROLE_COMBO_BOX, "Par (changement d'habillage)", ""),
    (pyatspi.ROLE_PUSH_BUTTON, "Transformer", "Changement d'Habillage"),
    (pyatspi.ROLE_PUSH_BUTTON, "Transformer", "Changement de caractère(s)"),
])
FORM2 = ("info", [
    (pyatspi.ROLE_IMAGE, "Portrait de ZeNdAl",
     "L'auteur, casque sur les oreilles, sous un ciel de nuit"),
    (pyatspi.ROLE_LINK, "http://zendal.skyblog.example/", ""),
    (pyatspi.ROLE_LINK, "http://zendal-perso.blog.example/", ""),
])
# The controls a person reaches with Tab, by window, from the layout file.
TAB = {}
# Where the parts of a control begin: not read as controls of their own.
COMPOUND = {pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TREE, pyatspi.ROLE_TEXT}
# What an application leaving the bus mid-read raises: a wait goes on.
LEAVING = Exception


def role(node):
    """The node's role, as the constant pyatspi names it (ROLE_PUSH_BUTTON)
    when printed."""
    return pyatspi.Role(node.getRole())


def frame(title):
    for app in pyatspi.Registry.getDesktop(0):
        for window in app or []:
            if window is not None and window.name == title:
                return window
    return None


def window(title):
    """The window titled so, once it is on the bus."""
    return wait_for(lambda: frame(title), f"la fenêtre « {title} » sur le bus AT-SPI", WAIT,
                    ignoring=LEAVING)


def read(node, depth, out, lines, frame_name=None):
    """Lists the focusable controls, links, pictures and nameless fields
    under node, each with whether it takes the focus, and the lines of the
    tree. A control named like the frame around it has no name of its own:
    Qt gives a control without one its frame's caption."""
    kind = role(node)
    focusable = node.getState().contains(pyatspi.STATE_FOCUSABLE)
    lines.append(f"{'  ' * depth}{node.getRoleName()} | {node.name!r} | {node.description!r}"
                 + (" [focusable]" if focusable else ""))
    name = "" if node.name == frame_name else node.name
    # A field without a name would be one of the hidden colour fields.
    if depth > 0 and (focusable or kind in (pyatspi.ROLE_LINK, pyatspi.ROLE_IMAGE) or
                      (kind == pyatspi.ROLE_TEXT and not name)):
        out.append((kind, name, node.description, focusable))
    if depth == 0 or kind not in COMPOUND:
        for child in node:
            if child is not None:
                read(child, depth + 1, out, lines, node.name if depth > 0 else None)


def check_window(title, expected):
    """Every control read has a name, no two say the same, the focusable ones
    are all there, and the rows whose words matter are read as written."""
    tab, rows = expected
    count = len(TAB[tab])
    found = window(title)
    controls, lines = [], []

    def focusable():
        return [c for c in controls if c[3]]
    # The tree fills in as the window is shown: read it until it is whole.
    wait_for(lambda: (controls.clear(), lines.clear(), read(found, 0, controls, lines),
                      len(focusable()) >= count)[-1], f"les contrôles de « {title} »", WAIT,
             ignoring=LEAVING)
    print("\n".join(lines))
    said = [c[:3] for c in controls]
    problems = []
    if role(found) != pyatspi.ROLE_FRAME:
        problems.append(f"rôle {role(found)} ({found.getRoleName()!r}) au lieu de ROLE_FRAME")
    if len(focusable()) != count:
        problems.append(f"{len(focusable())} contrôles atteints par Tab au lieu de {count}")

    def shown(c):
        return f"({c[0]}, {c[1]!r}, {c[2]!r})"
    problems += [f"sans nom : {shown(c)}" for c in said if not c[1]]
    problems += [f"dit deux fois : {shown(c)}" for i, c in enumerate(said) if c[1:] in
                 [d[1:] for d in said[:i]]]
    problems += [f"absent : {shown(row)}" for row in rows if row not in said]
    if problems:
        sys.exit(f"« {title} »\n  " + "\n  ".join(problems))
    return found


def press(window, name):
    """The screen reader's press on the control called name."""
    found = pyatspi.findDescendant(window, lambda n: n is not None and n.name == name)
    action = found.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    sys.exit(f"« {name} » ne se presse pas")


def focused_menu_items():
    """The items of the menu whose item next takes the focus, as a screen
    reader reads them when it does: role (its constant's name,
    ROLE_MENU_ITEM), name, shortcut and whether it can be chosen, separators
    left out. Qt lists no popup among an application's windows: a screen
    reader meets a menu through the focus of its items.
    Says "listening" once it listens."""
    import gi
    gi.require_version("GLib", "2.0")
    from gi.repository import GLib

    items = []

    def focused(event):
        if event.detail1 and role(event.source) == pyatspi.ROLE_MENU_ITEM and not items:
            for item in event.source.parent:
                if item is not None and role(item) != pyatspi.ROLE_SEPARATOR:
                    action = item.queryAction()
                    items.append((str(role(item)), item.name,
                                  action.getKeyBinding(0) if action.nActions else "",
                                  item.getState().contains(pyatspi.STATE_ENABLED)))
            pyatspi.Registry.stop()

    def too_late():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    print("listening", flush=True)
    GLib.timeout_add_seconds(int(WAIT), too_late)
    pyatspi.Registry.start()
    if not items:
        sys.exit("aucun élément de menu n'a pris le focus")
    return items


def main():
    with open(sys.argv[2], encoding="utf-8") as f:
        TAB.update(json.load(f)["tab"])
    xvfb, display = start_xvfb(None)
    program = None
    try:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        program = subprocess.Popen([sys.argv[1]], env=env, cwd=os.path.expanduser("~"))
        form1 = check_window("Velbrisk    [ par ZeNdAl ]", FORM1)
        press(form1, "Informations...")
        check_window("Information...", FORM2)
    finally:
        if program:
            program.terminate()
            program.wait(WAIT)
        xvfb.terminate()
        xvfb.wait(WAIT)


if __name__ == "__main__":
    main()
