#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads both windows of the real program over AT-SPI, as a screen reader
does, and checks what each control says: role, name and description.

Run inside a private session bus, which starts the accessibility bus:
    dbus-run-session -- python3 a11y_tree.py path/to/velbrisk
The program gets its own Xvfb server. Prints the tree it read.
"""

import os
import subprocess
import sys
import time

import pyatspi

# Generous: a shared two-core machine can stall a process for seconds.
WAIT = 60.0

# role, name, description of every control a person reaches with Tab, in
# the order of the tree.
FORM1 = [
    ("text", "Code SkyBlog de la déco", ""),
    ("push button", "Coller", "Colle le presse-papiers dans le code de la déco"),
    ("push button", "Eff", "Efface le code de la déco"),
    ("text", "Code SkyBlog pour votre article", ""),
    ("push button", "Copier", "Copie le code transformé dans le presse-papiers"),
    ("text", "Nom des fichiers", ""),
    ("combo box", "Habillage de base", ""),
    ("text", "Chemin du dossier de stockage", ""),
    ("tree", "Dossier de stockage", ""),
    ("push button", "Créer les fichiers txt...", ""),
    ("push button", "Aide pour cette option...", ""),
    ("push button", "Informations...", ""),
    ("combo box", "Remplacer (changement d'habillage)", ""),
    ("combo box", "Par (changement d'habillage)", ""),
    ("push button", "Transformer", "Changement d'Habillage"),
    ("text", "Remplacer (changement de caractères)", ""),
    ("text", "Par (changement de caractères)", ""),
    ("push button", "Transformer", "Changement de caractère(s)"),
]
# The information window: what it shows as well as what takes the focus.
FORM2 = [
    ("image", "Portrait de ZeNdAl", "L'auteur, casque sur les oreilles, sous un ciel de nuit"),
    ("link", "http://zendal.skyblog.example/", ""),
    ("link", "http://zendal-perso.blog.example/", ""),
    ("panel", "Fermeture de la fenêtre", ""),
    ("push button", "Fermer", "Ferme la fenêtre d'information"),
]
# Where the parts of a control begin: not read as controls of their own.
COMPOUND = {"combo box", "tree", "text"}


def wait_for(predicate, what):
    deadline = time.monotonic() + WAIT
    while True:
        try:
            value = predicate()
        except Exception:  # an application leaving the bus mid-read
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            sys.exit(f"délai dépassé en attendant : {what}")
        time.sleep(0.2)


def frame(title):
    for app in pyatspi.Registry.getDesktop(0):
        for window in app or []:
            if window is not None and window.name == title:
                return window
    return None


def read(node, depth, out, lines):
    """Lists the focusable controls, links, pictures and nameless fields
    under node, and the lines of the tree."""
    role = node.getRoleName()
    focusable = node.getState().contains(pyatspi.STATE_FOCUSABLE)
    lines.append(f"{'  ' * depth}{role} | {node.name!r} | {node.description!r}"
                 + (" [focusable]" if focusable else ""))
    # A field without a name would be one of the hidden colour fields.
    if depth > 0 and (focusable or role in ("link", "image") or (role == "text" and not node.name)):
        out.append((role, node.name, node.description))
    if depth == 0 or role not in COMPOUND:
        for child in node:
            if child is not None:
                read(child, depth + 1, out, lines)


def check_window(title, expected):
    window = wait_for(lambda: frame(title), f"la fenêtre « {title} » sur le bus AT-SPI")
    controls, lines = [], []
    # The tree fills in as the window is shown: read it until it is whole.
    wait_for(lambda: (controls.clear(), lines.clear(), read(window, 0, controls, lines),
                      len(controls) >= len(expected))[-1], f"les contrôles de « {title} »")
    print("\n".join(lines))
    if window.getRoleName() != "frame":
        sys.exit(f"« {title} » : rôle {window.getRoleName()!r} au lieu de 'frame'")
    if controls != expected:
        sys.exit(f"« {title} »\n  obtenu  : {controls!r}\n  attendu : {expected!r}")
    return window


def press(window, name):
    """The screen reader's press on the control called name."""
    found = pyatspi.findDescendant(window, lambda n: n is not None and n.name == name)
    action = found.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    sys.exit(f"« {name} » ne se presse pas")


def main():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(write_fd,))
    os.close(write_fd)
    program = None
    try:
        display = b""
        while not display.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                sys.exit("Xvfb n'a pas démarré")
            display += chunk
        env = dict(os.environ, DISPLAY=":" + display.decode().strip(), QT_QPA_PLATFORM="xcb",
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
