#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end tests of velbrisk: the real program in a real X server, used as a
person uses it. Each scenario starts its own X server, window manager and
program, and prints each step it checks.

    run_e2e.py --exe build/app/velbrisk [--layout FILE] --out build/tests/e2e SCENARIO...
    run_e2e.py --wine build-windows/wine-run [--own-dlls] --exe velbrisk.exe [--layout FILE] \
               SCENARIO...
    run_e2e.py --list
"""

import argparse
import contextlib
import json
import os
import pwd
import re
import sys
import tempfile
import time
import traceback

from accessible import AccessibleXSession
from harness import WAIT, Failure, Skip, check, check_equal, wait_for
from wayland import WaylandSession
from wine import Wine
from xsession import XSession

MAIN_TITLE = "Velbrisk    [ par ZeNdAl ]"
INFO_TITLE = "Information..."
BOX_TITLE = "Velbrisk par ZeNdAl"
ERROR_TITLE = "Velbrisk [par ZeNdAl ]"

# Where the controls of both windows lie, in client pixels: read from the
# file dump_layout writes from the program's own windows (--layout, or
# BUILD/tests/e2e/layout.json of the build the program or wine-run is in).
MAIN = {}
INFO = {}
ADDRESSES = {}
# The key colours of skins 1 to 24, as the tests state them (the layout file
# carries tests/support/skincolours.h's, never the program's).
KEY_COLOURS = []
# A link is clicked on the left part of its text, which every font reaches.
LINK_CLICK_WIDTH = 40


def load_layout(path):
    check(os.path.exists(path), f"pas de positions des contrôles : {path} (cible e2e_layout)")
    with open(path, encoding="utf-8") as f:
        layout = json.load(f)
    MAIN.update({name: tuple(rect) for name, rect in layout["main"].items()})
    INFO.update({name: tuple(rect) for name, rect in layout["info"].items()})
    for link in ("Label9", "Label10"):
        x, y, width, height = INFO[link]
        INFO[link] = (x, y, min(width, LINK_CLICK_WIDTH), height)
    ADDRESSES.update(layout["addresses"])
    KEY_COLOURS[:] = layout["keyColours"]


def build_layout(exe, wine=None):
    build = os.path.dirname(wine.run_script) if wine else os.path.dirname(os.path.dirname(exe))
    return os.path.join(build, "tests", "e2e", "layout.json")


def at(table, name):
    x, y, width, height = table[name]
    return (x + width // 2, y + height // 2)


START_TEXT1 = "Mettez ici votre code SkyBlog d'une déco...\n"
START_TEXT2 = "Le code vous sera donné aprés une transformation...\n"
# Accents, no-break spaces and signs that Windows-1252 has.
CODE_1252 = ("<style>\n"
             ".titre{color:#000000;background:#ffffff}\n"
             "/* déco à l'été\u00a0: 5\u00a0€ — «\u00a0œuvre\u00a0» */\n"
             ".lien{border:1px solid #000000}\n"
             "</style>\n")
# The same with characters Windows-1252 lacks.
CODE_WIDE = CODE_1252 + "<p>\U0001F600 ★ ĳ\u00a0#000000</p>"


def skin_file_bytes(text):
    """A skin file: the text with CR LF line ends and one CR LF after it, in
    Windows-1252 when it fits, else in UTF-8."""
    text = text.replace("\r\n", "\n").replace("\r", "\n").replace("\n", "\r\n") + "\r\n"
    try:
        return text.encode("cp1252")
    except UnicodeEncodeError:
        return text.encode("utf-8")


class Scenario:
    def __init__(self, session):
        self.s = session
        if not MAIN:
            load_layout(build_layout(session.exe, session.wine))
        self.wine = session.wine
        self.main = None
        self.sentinel = 0
        self.began = time.monotonic()

    def step(self, text):
        print(f"  - [{time.monotonic() - self.began:5.1f} s] {text}", flush=True)

    def start(self, cwd=None):
        self.s.start_program(cwd)
        self.main = self.s.wait_window(MAIN_TITLE, "la fenêtre principale")
        self.step(f"fenêtre principale affichée en {time.monotonic() - self.s.started_at:.2f} s")
        return self.main

    def click(self, name):
        self.s.click(self.main, at(MAIN, name))

    def temp_folder(self, prefix):
        """A fresh folder, which under Wine lies on the prefix's drive C:."""
        return tempfile.TemporaryDirectory(prefix=prefix,
                                           dir=self.wine.drive_c if self.wine else None)

    def native(self, path):
        """A path as the program names it: under Wine, C:\\..."""
        return self.wine.windows_path(path) if self.wine else path

    def paste_code(self, code):
        """The code onto the real clipboard, then "Coller"."""
        self.s.set_clipboard(code)
        self.click("Command5")

    def copied_exact(self, expected, what):
        self.sentinel += 1
        marker = f"velbrisk-e2e-sentinel-{self.sentinel}"
        self.s.set_clipboard(marker)
        self.click("Command3")
        copied = wait_for(lambda: [text for text in [self.s.clipboard_text()]
                                   if text not in (None, marker)],
                          "le texte de « Copier » dans le presse-papiers")
        check_equal(copied[0], expected, what)
        self.step(what)

    def field(self, name, text):
        """Types `text` into a one-line field over its old text."""
        check(text.isascii(), "xdotool ne tape de façon sûre que l'ASCII : coller le reste")
        self.s.replace_field(self.main, at(MAIN, name), text)

    def field_paste(self, name, text):
        """Pastes `text` from the real clipboard over a field's old text."""
        self.s.set_clipboard(text)
        self.s.click(self.main, at(MAIN, name))
        self.s.key("ctrl+a")
        self.s.key("ctrl+v")

    def box(self, title, screenshot):
        """Waits for a message box over the main window, saves its picture and
        closes it with its OK button (Enter)."""
        box = self.s.wait_window(title, f"la boîte « {title} »")
        check_equal(self.s.xprop(box, "WM_TRANSIENT_FOR"), f"window id # {hex(self.main)}",
                    f"« {title} » appartient à la fenêtre principale")
        if self.wine:
            # Wine tells the window manager nothing of modality; it takes the
            # close action away from the windows that the box disables.
            wait_for(lambda: "_NET_WM_ACTION_CLOSE"
                     not in self.s.atoms(self.main, "_NET_WM_ALLOWED_ACTIONS"),
                     f"la fenêtre principale désactivée sous « {title} »")
        else:
            check("_NET_WM_STATE_MODAL" in self.s.atoms(box, "_NET_WM_STATE"),
                  f"« {title} » est modale")
        self.s.screenshot(box, screenshot)
        self.s.activate(box)
        self.s.key("Return")
        self.s.wait_no_window(title)
        self.step(f"boîte « {title} » trouvée, modale, fermée par OK")

    def end(self):
        """Closes the main window and expects the process to end cleanly."""
        self.s.close_window(self.main)
        wait_for(lambda: not self.s.program_alive(), "la fin du programme")
        check_equal(self.s.program.returncode, 0, "code de sortie du programme")
        check_equal([name for _, name in self.s.clients()], [],
                    "plus aucune fenêtre après la fermeture")
        self.step("fenêtre principale fermée : le programme s'est terminé (code 0)")


# -- scenarios ------------------------------------------------------------


def scenario_main_window(sc):
    """Title, client size, no maximise, start-up text on "Copier", picture."""
    s = sc.s
    main = sc.start()
    check_equal(s.window_name(main), MAIN_TITLE, "titre lu par le gestionnaire de fenêtres")
    check_equal(s.xprop(main, "WM_NAME"), f'"{MAIN_TITLE}"', "WM_NAME")
    check(s.xprop(main, "_NET_WM_VISIBLE_NAME") is None,
          "le gestionnaire de fenêtres n'a pas changé le titre")
    sc.step(f"titre exact : « {MAIN_TITLE} »")
    check_equal(s.geometry(main)[2:], (648, 473), "taille de la zone cliente")
    sc.step("zone cliente de 648 × 473")
    allowed = s.atoms(main, "_NET_WM_ALLOWED_ACTIONS")
    check("_NET_WM_ACTION_MAXIMIZE_HORZ" not in allowed
          and "_NET_WM_ACTION_MAXIMIZE_VERT" not in allowed,
          f"Metacity ne doit pas offrir d'agrandir : {sorted(allowed)}")
    for action in ("_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE", "_NET_WM_ACTION_RESIZE"):
        check(action in allowed, f"{action} manque : {sorted(allowed)}")
    check(s.xprop(main, "_NET_WM_ICON") is not None, "la fenêtre a une icône")
    # Metacity's own shortcut to maximise must change nothing.
    s.activate(main)
    s.key("alt+F10")
    time.sleep(0.5)  # a maximise, if any, would be under way; the size is checked after
    wait_for(lambda: s.is_viewable(main), "la fenêtre principale")
    check_equal(s.geometry(main)[2:], (648, 473), "taille après Alt+F10")
    check("_NET_WM_STATE_MAXIMIZED_VERT" not in s.atoms(main, "_NET_WM_STATE"),
          "fenêtre non agrandie")
    sc.step("pas d'agrandissement (actions permises, Alt+F10 sans effet), icône présente")
    s.screenshot(main, "main_window")
    # The focus starts on "Transformer" of "Changement d'Habillage...".
    s.key("space")
    sc.copied_exact(START_TEXT1, "Espace au démarrage presse « Transformer » : la phrase du "
                    "haut passe en bas")
    sc.end()


def scenario_paste_convert_copy(sc):
    """Coller from the real clipboard, Transformer with the start-up skins and
    with typed skins, Copier back to the clipboard."""
    sc.start()
    sc.paste_code(CODE_WIDE)
    sc.step("code collé depuis le presse-papiers (accents, espaces insécables, emoji)")
    sc.click("Command1")
    sc.copied_exact(CODE_WIDE.replace("#000000", "#333333"),
                    "Habillage 15 → Habillage 1 : #000000 devient #333333, le reste intact")
    sc.field("Combo1", "Habillage 9")
    sc.field("Combo2", "Habillage 2")
    sc.click("Command1")
    sc.copied_exact(CODE_WIDE.replace("#ffffff", "#7e94a5"),
                    "Habillage 9 → Habillage 2 tapés : #ffffff devient #7e94a5")
    # A typed text that names no skin keeps the colour field as it was.
    # Typed letter by letter, "Habillage X" names no skin at any point: the
    # target colour field keeps its colour.
    sc.field("Combo2", "Habillage X")
    sc.click("Command1")
    sc.copied_exact(CODE_WIDE.replace("#ffffff", "#7e94a5"),
                    "« Habillage X » ne nomme aucun habillage : couleur cible gardée")
    # Lone CR and CR LF pasted become line feeds, nothing else changes.
    sc.paste_code("a\r\nb\rc\u00a0\u2028d")
    sc.field("Combo1", "Habillage 1")
    sc.field("Combo2", "Habillage 1")
    sc.click("Command1")
    sc.copied_exact("a\nb\nc\u00a0\u2028d", "CR LF et CR collés deviennent des sauts de ligne")
    # A clipboard that holds a picture and no text: "Coller" empties the box.
    sc.s.set_clipboard_without_text()
    sc.click("Command5")
    sc.click("Command1")
    sc.copied_exact("", "« Coller » d'un presse-papiers sans texte vide la case du haut")
    sc.end()


def scenario_free_replacement(sc):
    """Changement de caractère(s): Text3 by Text4 throughout the code."""
    sc.start()
    sc.paste_code(CODE_WIDE)
    sc.field("Text3", "solid")
    # The replacement comes from the clipboard, as a person pastes it.
    replacement = "pointillé\u00a0\U0001F600"
    sc.field_paste("Text4", replacement)
    sc.click("Command2")
    sc.copied_exact(CODE_WIDE.replace("solid", replacement),
                    "« solid » remplacé par un texte collé avec accent, insécable et emoji")
    sc.field("Text3", "#000000")
    sc.field("Text4", "")
    sc.click("Command2")
    sc.copied_exact(CODE_WIDE.replace("#000000", ""), "un remplacement vide efface")
    sc.end()


def scenario_eff(sc):
    """Eff empties the input code only."""
    sc.start()
    sc.paste_code(CODE_1252)
    sc.click("Command1")
    converted = CODE_1252.replace("#000000", "#333333")
    sc.copied_exact(converted, "code converti")
    sc.click("Command4")
    sc.copied_exact(converted, "après « Eff », la case du bas garde son code")
    sc.click("Command1")
    sc.copied_exact("", "après « Eff », « Transformer » donne un code vide")
    sc.end()


def check_skin_files(sc, folder, code, base_colour, prefix="habillage", shared=False):
    """The 24 files in `folder`, byte for byte, alone there unless the folder
    is `shared` with the session's own files (a home folder)."""
    names = [f"{prefix}{n}.txt" for n in range(1, 25)]
    wait_for(lambda: all(os.path.exists(os.path.join(folder, n)) for n in names),
             f"les 24 fichiers ({prefix}1.txt à {prefix}24.txt) ; le dossier tient "
             f"{sorted(os.listdir(folder))[:5]}…", timeout=5)
    present = [n for n in os.listdir(folder) if not shared or n.startswith(prefix)]
    check_equal(sorted(present), sorted(names), "le dossier ne contient que les 24 fichiers")
    for n, name in enumerate(names, start=1):
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        expected = skin_file_bytes(code.replace(base_colour, KEY_COLOURS[n - 1]))
        check_equal(data, expected, f"octets de {name}")


def scenario_batch(sc):
    """Créer les fichiers txt... into a temporary folder: 24 files byte for byte,
    the closing box, and the window's texts afterwards."""
    with sc.temp_folder("velbrisk-e2e-batch-") as root:
        sc.start()
        sc.paste_code(CODE_1252)
        folder = os.path.join(root, "Windows-1252")
        os.mkdir(folder)
        sc.field("Text5", sc.native(folder))
        sc.click("Command8")
        sc.box(BOX_TITLE, "batch_done_box")
        check_skin_files(sc, folder, CODE_1252, "#000000")
        sc.step("24 fichiers en Windows-1252, octet pour octet, fins de ligne CR LF")
        sc.copied_exact(CODE_1252.replace("#000000", KEY_COLOURS[23]),
                        "après le lot, la case du bas tient le code de l'habillage 24")

        # Characters outside Windows-1252: the files are written in UTF-8.
        sc.paste_code(CODE_WIDE)
        folder = os.path.join(root, "UTF-8")
        os.mkdir(folder)
        sc.field("Text5", sc.native(folder))
        sc.field_paste("Text6", "déco-")
        sc.field("Combo3", "Habillage 9")
        sc.click("Command8")
        sc.box(BOX_TITLE, "batch_done_box_utf8")
        check_skin_files(sc, folder, CODE_WIDE, "#ffffff", prefix="déco-")
        sc.step("24 fichiers en UTF-8 (emoji), base Habillage 9, préfixe accentué")
        sc.end()


def scenario_first_batch(sc):
    """Started in its own folder, as a Start-menu shortcut or a double click in
    the unzipped folder starts it, the untouched window writes its 24 files
    into the user's own folder: the home folder, under Windows Documents."""
    s = sc.s
    if sc.wine:
        user = os.environ.get("USER") or pwd.getpwuid(os.getuid()).pw_name
        folder = os.path.realpath(os.path.join(sc.wine.drive_c, "users", user, "Documents"))
    else:
        folder = s.home
    sc.start(cwd=os.path.dirname(os.path.abspath(s.exe)))
    s.screenshot(sc.main, "first_batch_start")
    sc.paste_code(CODE_1252)
    sc.click("Command8")
    try:
        sc.box(BOX_TITLE, "first_batch_done_box")
        check_skin_files(sc, folder, CODE_1252, "#000000", shared=True)
    finally:
        for n in range(1, 25):
            with contextlib.suppress(FileNotFoundError):
                os.remove(os.path.join(folder, f"habillage{n}.txt"))
    sc.step(f"24 fichiers dans le dossier de l'utilisateur ({folder})")
    sc.end()


def scenario_batch_missing_folder(sc):
    """A batch into a folder that does not exist: the error box, then the
    program goes on with its texts."""
    with sc.temp_folder("velbrisk-e2e-missing-") as root:
        missing = os.path.join(root, "absent", "dossier")
        sc.start()
        sc.paste_code(CODE_WIDE)
        sc.field("Text5", sc.native(missing))
        sc.click("Command8")
        sc.box(ERROR_TITLE, "batch_error_box")
        check(sc.s.program_alive(), "le programme vit encore après l'erreur")
        check(not os.path.exists(os.path.join(root, "absent")), "aucun dossier créé")
        check_equal(sc.s.windows_titled(MAIN_TITLE), [sc.main], "fenêtre principale en place")
        sc.step("boîte d'erreur titrée « Velbrisk [par ZeNdAl ] », programme toujours là")
        # The input code is still whole: a free replacement that finds
        # nothing gives it back unchanged.
        sc.field("Text3", "rien-de-tel")
        sc.click("Command2")
        sc.copied_exact(CODE_WIDE, "le code collé est intact après l'erreur")
        sc.end()


def scenario_clipboard_silent_owner(sc):
    """An X11 clipboard owner that never answers: "Coller" says the clipboard
    cannot be read and leaves the input box as it was; "Copier" takes the
    clipboard over as always. Once no client owns the clipboard, "Coller"
    empties the box without a word."""
    s = sc.s
    sc.start()
    sc.paste_code(CODE_1252)
    owner = s.hold_clipboard_silently("autre texte")
    try:
        sc.step("un autre client possède le presse-papiers et ne répond plus")
        sc.click("Command5")
        sc.box(ERROR_TITLE, "paste_silent_owner_box")
        sc.step("« Coller » : boîte d'erreur (Qt attend 5 s la réponse)")
        sc.click("Command3")
        copied = wait_for(lambda: [t for t in [s.clipboard_text()] if t not in (None, "autre texte")],
                          "le texte de « Copier » dans le presse-papiers")
        check_equal(copied[0], START_TEXT2, "« Copier » prend le presse-papiers au client muet")
        sc.step("« Copier » prend le presse-papiers au client muet, sans boîte")
    finally:
        s.release_clipboard(owner)
    sc.field("Text3", "rien-de-tel")
    sc.click("Command2")
    sc.copied_exact(CODE_1252, "la case du haut a gardé son code")
    s.release_clipboard(s.hold_clipboard_silently("muet"))
    sc.click("Command5")
    sc.click("Command2")
    sc.copied_exact("", "sans propriétaire, « Coller » vide la case du haut, sans boîte")
    sc.end()


def scenario_clipboard_held(sc):
    """Another Windows program holds the clipboard open: "Copier" says the
    code was not copied and the clipboard keeps its old text, "Coller" says
    the clipboard cannot be read and the input box keeps its code. Three
    rounds; once the clipboard is let go, "Copier" works again."""
    s = sc.s
    holder_exe = os.path.join(os.path.dirname(sc.wine.run_script), "tests", "hold_clipboard.exe")
    sc.start()
    sc.paste_code(CODE_1252)
    sc.click("Command1")
    for round in range(1, 4):
        old = f"ancien contenu {round}"
        s.set_clipboard(old)
        holder = s.hold_windows_clipboard(holder_exe)
        try:
            sc.click("Command3")
            sc.box(ERROR_TITLE, f"copy_held_box_{round}")
            sc.click("Command5")
            sc.box(ERROR_TITLE, f"paste_held_box_{round}")
        finally:
            s.release_windows_clipboard(holder)
        kept = wait_for(lambda: [t for t in [s.clipboard_text()] if t is not None],
                        "le texte du presse-papiers")
        check_equal(kept[0], old, "le presse-papiers garde son ancien texte")
        sc.step(f"tour {round}, presse-papiers tenu : « Copier » et « Coller » le disent")
        sc.copied_exact(CODE_1252.replace("#000000", "#333333"),
                        f"tour {round}, presse-papiers libre : « Copier » copie")
    sc.field("Text3", "rien-de-tel")
    sc.click("Command2")
    sc.copied_exact(CODE_1252, "la case du haut a gardé son code")
    sc.end()


def scenario_help_box(sc):
    sc.start()
    sc.click("Command7")
    sc.box(BOX_TITLE, "help_box")
    check(sc.s.program_alive(), "le programme vit encore")
    sc.copied_exact(START_TEXT2, "« Copier » au démarrage donne la phrase de la case du bas")
    sc.end()


def scenario_folder_list(sc):
    """Opening a folder in the folder list fills the folder field; the batch
    then writes there."""
    s = sc.s
    folder = os.path.join(s.home, "décos")
    os.mkdir(folder)
    sc.start(cwd=s.home)
    sc.paste_code(CODE_1252)
    # The list shows the folders down to the current one, then its one
    # sub-folder, last; Enter opens it.
    sc.click("Dir1")
    s.key("End")
    s.key("Return")
    sc.click("Command8")
    sc.box(BOX_TITLE, "batch_done_box_folder_list")
    check_skin_files(sc, folder, CODE_1252, "#000000")
    sc.step("dossier « décos » ouvert dans la liste : les 24 fichiers y sont écrits")
    sc.end()


def scenario_file_drop(sc):
    """Files dragged from a file manager (a GTK program offering text/uri-list):
    a skin file onto the input box replaces the code with its text, a file
    that is not text is refused with an error box, a folder onto the folder
    field becomes the batch's folder."""
    s = sc.s
    with sc.temp_folder("velbrisk-glisser-") as folder:
        deco = os.path.join(folder, "habillage15.txt")
        with open(deco, "wb") as f:
            f.write(skin_file_bytes(CODE_WIDE))
        picture = os.path.join(folder, "image.png")
        with open(picture, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR")
        target = os.path.join(folder, "décos")
        os.mkdir(target)
        main = sc.start()
        sc.paste_code("ancien code")
        files = [deco, picture, target]
        # Beside the main window, which comes to the front after each drop.
        x, y, width, _ = s.geometry(main)
        source, log = s.start_drag_source(files, x + width + 30, y)

        def drag(index, control):
            events = s.drag(source, log, index, len(files), main, at(MAIN, control))
            # The target asks for the file's address at each move: said once.
            said = [e for n, e in enumerate(events) if n == 0 or e != events[n - 1]]
            sc.step(f"{os.path.basename(files[index])} glissé sur {control} : {', '.join(said)}")

        drag(0, "text1")
        code = CODE_WIDE + "\n"
        sc.click("Command1")
        sc.copied_exact(code.replace("#000000", "#333333"),
                        "le texte du fichier a remplacé le code (UTF-8, CR LF lus)")
        drag(1, "text1")
        sc.box(ERROR_TITLE, "drop_refused_box")
        sc.click("Command1")
        sc.copied_exact(code.replace("#000000", "#333333"), "fichier refusé : le code est resté")
        drag(2, "Text5")
        sc.click("Command8")
        sc.box(BOX_TITLE, "batch_done_box_dropped_folder")
        check_skin_files(sc, target, code, "#000000")
        sc.step("dossier glissé sur le champ du dossier : les 24 fichiers y sont écrits")
        s.close_window(source)
        s.wait_no_window("Source du glisser")
        sc.end()


def info_checks(sc, info):
    s = sc.s
    check_equal(s.window_name(info), INFO_TITLE, "titre de la fenêtre d'information")
    check_equal(s.geometry(info), (437, 75, 312, 187),
                "place et taille de la zone cliente (x, y, largeur, hauteur)")
    forbidden = ["_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MINIMIZE"]
    # A fixed size: the smallest and the largest are the window's own (under
    # Wine, its X window's, which holds the frame Wine draws).
    hints = s.xprop(info, "WM_NORMAL_HINTS") or ""
    size = re.search(r"minimum size: (\d+) by (\d+)", hints)
    check(size and f"maximum size: {size[1]} by {size[2]}" in hints, f"taille fixe : {hints}")
    if not sc.wine:
        check_equal((int(size[1]), int(size[2])), (312, 187), "taille fixe")
    forbidden.append("_NET_WM_ACTION_RESIZE")
    allowed = s.atoms(info, "_NET_WM_ALLOWED_ACTIONS")
    for action in forbidden:
        check(action not in allowed, f"{action} ne doit pas être permis : {sorted(allowed)}")
    check("_NET_WM_ACTION_CLOSE" in allowed, "case de fermeture")
    # No taskbar button, asked for on every show; an ordinary window, which
    # the main window can come in front of.
    check("_NET_WM_STATE_SKIP_TASKBAR" in s.atoms(info, "_NET_WM_STATE"),
          "pas de bouton dans la barre des tâches")
    check("_NET_WM_WINDOW_TYPE_UTILITY" not in s.atoms(info, "_NET_WM_WINDOW_TYPE"),
          "une fenêtre ordinaire")
    check(s.xprop(info, "WM_TRANSIENT_FOR") is None, "sans fenêtre propriétaire")


def scenario_info_window(sc):
    """Informations... shows one window at its place; Fermer hides it; the
    close box closes it; Informations... shows it again each time."""
    s = sc.s
    sc.start()
    sc.click("Command6")
    info = s.wait_window(INFO_TITLE)
    info_checks(sc, info)
    s.screenshot(info, "info_window")
    sc.step("« Information... » : titre, 312 × 187 en (437, 75), taille fixe, hors barre des tâches")
    sc.click("Command6")
    time.sleep(0.3)  # a second window, if any, would be mapping now
    wait_for(lambda: s.windows_titled(INFO_TITLE), "la fenêtre d'information")
    check_equal(len([n for _, n in s.clients() if n == INFO_TITLE]), 1,
                "un second clic ne crée pas de seconde fenêtre")
    sc.step("deux clics sur « Informations... » : une seule fenêtre")
    # Keyboard: the focus starts on the panel, where Enter does nothing; Tab
    # reaches "Fermer", where Enter hides the window.
    s.activate(info)
    s.key("Return")
    time.sleep(0.3)  # Enter, had it pressed "Fermer", would have hidden it by now
    check(s.windows_titled(INFO_TITLE), "Entrée sur le cadre ne ferme pas la fenêtre")
    s.key("Tab")
    s.key("Return")
    s.wait_no_window(INFO_TITLE)
    sc.step("Entrée sur le cadre : rien ; Tab puis Entrée sur « Fermer » : cachée")
    sc.click("Command6")
    info = s.wait_window(INFO_TITLE)
    s.click(info, at(INFO, "Command1"))
    s.wait_no_window(INFO_TITLE)
    check(s.program_alive(), "le programme vit encore")
    sc.step("« Fermer » cache la fenêtre")
    sc.click("Command6")
    info = s.wait_window(INFO_TITLE)
    check_equal(s.geometry(info)[:2], (437, 75), "réaffichée à sa place")
    check("_NET_WM_STATE_SKIP_TASKBAR" in s.atoms(info, "_NET_WM_STATE"),
          "toujours hors de la barre des tâches une fois réaffichée")
    sc.step("« Informations... » la montre de nouveau à sa place")
    s.activate(info)
    s.key("Escape")
    time.sleep(0.3)  # Escape, if it closed the window, would have done so by now
    check(s.windows_titled(INFO_TITLE), "Échap ne ferme pas la fenêtre d'information")
    s.close_window(info)
    s.wait_no_window(INFO_TITLE)
    check(s.program_alive(), "la case de fermeture ne termine pas le programme")
    sc.step("la case de fermeture la ferme, le programme continue")
    sc.click("Command6")
    info = s.wait_window(INFO_TITLE)
    info_checks(sc, info)
    sc.step("rouverte : une fenêtre, à sa place de chargement")
    sc.end()


def scenario_main_in_front_of_info(sc):
    """Either window can be brought in front of the other: the information
    window lies over part of the main window."""
    s = sc.s
    sc.start()
    sc.click("Command6")
    info = s.wait_window(INFO_TITLE)
    wait_for(lambda: s.stacking()[-1:] == [info], "la fenêtre d'information devant")
    s.click(sc.main, at(MAIN, "text1"))
    wait_for(lambda: s.stacking()[-1:] == [sc.main],
             "la fenêtre principale devant après un clic sur elle")
    sc.step("un clic sur la fenêtre principale la passe devant")
    sc.click("Command6")
    wait_for(lambda: s.stacking()[-1:] == [info], "la fenêtre d'information ramenée devant")
    sc.step("« Informations... » ramène la fenêtre d'information devant")
    sc.end()


def scenario_info_links(sc):
    """Each click on a link opens its address in the browser, once per click."""
    s = sc.s
    sc.start()
    sc.click("Command6")
    info = s.wait_window(INFO_TITLE)
    addresses = ADDRESSES
    official, home = addresses["OfficialBlogAddress"], addresses["HomePageAddress"]
    s.click(info, at(INFO, "Label9"))
    wait_for(lambda: len(s.browser_calls()) == 1, "le navigateur (lien « Blog officiel »)")
    check_equal(s.browser_calls(), [official], "« Blog officiel » ouvre l'adresse qu'il montre")
    s.click(info, at(INFO, "Label9"))
    wait_for(lambda: len(s.browser_calls()) == 2, "le second appel du navigateur")
    check_equal(s.browser_calls(), [official] * 2, "deux clics, deux appels")
    sc.step(f"« Blog officiel » ouvre {official} à chaque clic")
    s.click(info, at(INFO, "Label10"))
    wait_for(lambda: len(s.browser_calls()) == 3, "le navigateur (lien « Blog perso »)")
    check_equal(s.browser_calls()[2], home,
                f"« Blog perso » ({addresses['PersonalBlogAddress']}) ouvre la page d'accueil")
    sc.step(f"« Blog perso » ouvre {home}")
    check(s.windows_titled(INFO_TITLE), "la fenêtre d'information reste ouverte")
    sc.end()


def scenario_close_with_info_open(sc):
    """Closing the main window ends the program, information window included."""
    s = sc.s
    sc.start()
    sc.click("Command6")
    s.wait_window(INFO_TITLE)
    sc.end()


# Qt's own menu of a text field, in French, as a screen reader reads it on
# Linux: each item's role by its constant's name (AT-SPI's words for a role
# vary between its versions), and its name, which holds its shortcut after a
# tab, as Qt writes it.
CONTEXT_MENU = [
    ("ROLE_MENU_ITEM", "Annuler\tCtrl+Z"), ("ROLE_MENU_ITEM", "Rétablir\tCtrl+Maj+Z"),
    ("ROLE_MENU_ITEM", "Couper\tCtrl+X"), ("ROLE_MENU_ITEM", "Copier\tCtrl+C"),
    ("ROLE_MENU_ITEM", "Coller\tCtrl+V"), ("ROLE_MENU_ITEM", "Supprimer"),
    ("ROLE_MENU_ITEM", "Tout sélectionner\tCtrl+A"),
]


def scenario_context_menu(sc):
    """A right click in the input box, then in a one-line field, opens Qt's
    own menu in French; Escape closes it. On Linux the menu is read over
    AT-SPI; under Wine its picture is kept (context_menu_*.png)."""
    s = sc.s
    sc.start()
    if not sc.wine:
        s.wait_accessible(MAIN_TITLE)
    for name, picture in (("text1", "context_menu_code_box"), ("Text3", "context_menu_field")):
        before = s.popups()
        s.click(sc.main, at(MAIN, name), button=3)
        menu = wait_for(lambda: {w: r for w, r in s.popups().items() if w not in before},
                        f"le menu contextuel de {name}")
        check_equal(len(menu), 1, f"un menu contextuel pour {name}")
        path = s.screen_area([s.geometry(sc.main), *menu.values()], picture)
        if not sc.wine:
            items = s.menu_items(lambda: s.key("Down"))
            check_equal([item[:2] for item in items], CONTEXT_MENU, f"le menu de {name}")
        s.key("Escape")
        wait_for(lambda: not set(menu) & set(s.popups()), f"la fermeture du menu de {name}")
        sc.step(f"clic droit dans {name} : menu de Qt en français, fermé par Échap ({path})")
    sc.end()


scenario_context_menu.session = AccessibleXSession


# _MOTIF_WM_HINTS: which of functions and decorations the flags say are
# given, and the bit of each that maximises.
MOTIF_FUNCTIONS, MOTIF_DECORATIONS = 1, 2
MOTIF_MAXIMIZE_FUNCTION, MOTIF_MAXIMIZE_DECORATION = 0x10, 0x40


def native_wayland_view(s, program, title):
    """Weston's line for the program's own Wayland window titled so, if any."""
    views = [v for v, _ in s.scene() if f"PID {program.pid}," in v and f"'{title}'" in v]
    return views and "role xdg_toplevel" in views[0] and views[0]


def scenario_wayland_session(sc):
    """In a Wayland session with XWayland the program runs on X11 through
    XWayland by its own choice: no maximise, the information window at its
    place, off the taskbar. The user's QT_QPA_PLATFORM, and a session without
    XWayland, give native Wayland."""
    s = sc.s
    for what, env, picture in (
            ("QT_QPA_PLATFORM=wayland de l'utilisateur", {"QT_QPA_PLATFORM": "wayland"},
             "wayland_native_user"),
            ("sans XWayland (DISPLAY vide)", {"DISPLAY": ""}, "wayland_native_no_xwayland")):
        program = s.start_program(env=env)

        def native():
            if program.poll() is not None:
                with open(s.program_log, errors="replace") as f:
                    log = f.read()
                if 'platform plugin "wayland"' in log:
                    raise Skip("pas de plateforme Wayland pour Qt (paquet qt6-wayland)")
                raise Failure(f"le programme s'est arrêté ({what}) :\n{log}")
            return native_wayland_view(s, program, MAIN_TITLE)

        wait_for(native, f"la fenêtre Wayland du programme ({what})")
        check_equal(s.windows_titled(MAIN_TITLE), [], "aucune fenêtre X11 du programme")
        s.screen_picture(picture)
        sc.step(f"{what} : Wayland natif (xdg_toplevel du processus {program.pid} chez weston)")
        program.terminate()
        program.wait(timeout=WAIT)

    program = s.start_program()
    wait_for(lambda: s.windows_titled(MAIN_TITLE) or native_wayland_view(s, program, MAIN_TITLE),
             "la fenêtre principale, sous X11 ou Wayland")
    check(not native_wayland_view(s, program, MAIN_TITLE), "le programme a pris Wayland natif")
    main = s.wait_window(MAIN_TITLE)
    check_equal(s.xprop(main, "_NET_WM_PID"), str(program.pid), "fenêtre X11 du programme")
    sc.step("session Wayland sans QT_QPA_PLATFORM : le programme choisit X11 par XWayland")
    hints = [int(v, 16) for v in (s.xprop(main, "_MOTIF_WM_HINTS") or "0,0,0").split(",")]
    check(hints[0] & MOTIF_FUNCTIONS and not hints[1] & MOTIF_MAXIMIZE_FUNCTION
          and hints[0] & MOTIF_DECORATIONS and not hints[2] & MOTIF_MAXIMIZE_DECORATION,
          f"ni action ni bouton d'agrandissement : _MOTIF_WM_HINTS {hints}")
    check_equal(s.geometry(main)[2:], (648, 473), "taille de la zone cliente")
    sc.step("fenêtre principale : 648 × 473, ni action ni bouton d'agrandissement")

    window_manager_log = s.watch_window_manager(main)
    s.press(MAIN_TITLE, "Informations...")
    info = s.wait_window(INFO_TITLE)
    check_equal(s.geometry(info)[2:], (312, 187), "taille de la zone cliente")
    # Weston puts the frame's corner, not the client area's (as Metacity and
    # Mutter do), where the window asks to be: its surface holds a shadow
    # around the frame, which its window manager's log measures.
    frame = wait_for(lambda: re.findall(rf"win {info} geometry: (\d+),(\d+) (\d+)x(\d+)",
                                        window_manager_log()), "le cadre de weston")[-1]
    view = wait_for(lambda: [at for line, at in s.scene() if f"'{INFO_TITLE}'" in line],
                    "la fenêtre d'information chez weston")[0]
    check_equal((view[0] + int(frame[0]), view[1] + int(frame[1])), (437, 75),
                "coin du cadre de la fenêtre d'information à l'écran")
    sc.step(f"« Information... » : 312 × 187, cadre de {frame[2]} × {frame[3]} en (437, 75)")
    # Weston keeps no taskbar and rewrites _NET_WM_STATE when it maps a
    # window: its log shows what the program asked for before.
    # Qt's own empty state may be logged first: wait for the program's.
    states = []

    def asked():
        states[:] = re.findall(rf"PROPERTY_NOTIFY: window {info}, _NET_WM_STATE: [^\[]*",
                               window_manager_log())
        return [state for state in states if "_NET_WM_STATE_SKIP_TASKBAR" in state]

    try:
        wait_for(asked, "")
    except Failure:
        raise Failure(f"hors de la barre des tâches : états demandés {states}") from None
    sc.step("hors de la barre des tâches, demandé avant l'affichage")
    s.screen_picture("wayland_xwayland")


scenario_wayland_session.session = WaylandSession


SCENARIOS = {
    "main_window": scenario_main_window,
    "paste_convert_copy": scenario_paste_convert_copy,
    "free_replacement": scenario_free_replacement,
    "eff": scenario_eff,
    "batch": scenario_batch,
    "first_batch": scenario_first_batch,
    "batch_missing_folder": scenario_batch_missing_folder,
    "clipboard_silent_owner": scenario_clipboard_silent_owner,
    "clipboard_held": scenario_clipboard_held,
    "help_box": scenario_help_box,
    "folder_list": scenario_folder_list,
    "file_drop": scenario_file_drop,
    "info_window": scenario_info_window,
    "main_in_front_of_info": scenario_main_in_front_of_info,
    "info_links": scenario_info_links,
    "close_with_info_open": scenario_close_with_info_open,
    "context_menu": scenario_context_menu,
    "wayland_session": scenario_wayland_session,
}

# Roads that hold on one system only, and why: they are neither listed nor run
# on the other.
ONLY_ON = {
    "wayland_session": ("linux", "Wine relie les programmes Windows à X11, jamais à Wayland"),
    "clipboard_silent_owner": ("linux", "Wine lit le presse-papiers X11 pour le programme, pas Qt"),
    "clipboard_held": ("wine", "tenir le presse-papiers ouvert est propre à Windows"),
}
SKIPPED = 77


def roads(system):
    """The roads that hold on `system` ("linux", or "wine" for the Windows
    program under Wine)."""
    return [name for name in SCENARIOS if ONLY_ON.get(name, (system,))[0] == system]


def print_program_log(session):
    log = getattr(session, "program_log", None)
    if log and os.path.exists(log):
        with open(log, encoding="utf-8", errors="replace") as f:
            lines = f.read().splitlines()[-40:]
        if lines:
            print("  sortie d'erreur du programme :", *lines, sep="\n    ", flush=True)


def run(name, exe, out, wine):
    """Runs one scenario: True, False, or SKIPPED."""
    print(f"[{name}]", flush=True)
    if name not in roads("wine" if wine else "linux"):
        print(f"IGNORÉ {name} : {ONLY_ON[name][1]}", flush=True)
        return SKIPPED
    started = time.monotonic()
    try:
        session_type = getattr(SCENARIOS[name], "session", XSession)
        with session_type(exe, out, name, wine) as session:
            scenario = Scenario(session)
            try:
                SCENARIOS[name](scenario)
            except BaseException:
                for wid, title in session.clients():
                    session.screenshot(wid, f"failed-{name}-{wid:x}")
                print_program_log(session)
                raise
    except Skip as reason:
        print(f"IGNORÉ {name} : {reason}", flush=True)
        return SKIPPED
    except Failure as failure:
        print(f"ÉCHEC {name} : {failure}", flush=True)
        print(f"  journaux et images : {out}", flush=True)
        return False
    except Exception:
        traceback.print_exc()
        print(f"ÉCHEC {name}", flush=True)
        return False
    print(f"OK {name} ({time.monotonic() - started:.1f} s)", flush=True)
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe")
    parser.add_argument("--wine", metavar="WINE_RUN",
                        help="runs the Windows exe through the build's wine-run script")
    parser.add_argument("--own-dlls", action="store_true",
                        help="with --wine: only the DLLs beside the exe (a packaged copy)")
    parser.add_argument("--layout", metavar="FILE",
                        help="where the controls lie, as dump_layout writes it")
    parser.add_argument("--out", default=os.getcwd())
    parser.add_argument("--list", nargs="?", const="linux", choices=["linux", "wine"],
                        help="the roads that hold on that system, one a line")
    parser.add_argument("scenarios", nargs="*")
    args = parser.parse_args()
    if args.list:
        print("\n".join(roads(args.list)))
        return 0
    names = args.scenarios or list(SCENARIOS)
    unknown = [n for n in names if n not in SCENARIOS]
    if unknown or not args.exe:
        parser.error(f"scénario inconnu : {unknown}" if unknown else "--exe manque")
    if args.own_dlls and not args.wine:
        parser.error("--own-dlls va avec --wine")
    if args.layout:
        load_layout(args.layout)
    wine = Wine(args.wine, args.own_dlls) if args.wine else None
    results, lines = {}, []
    for name in names:
        started = time.monotonic()
        results[name] = run(name, os.path.abspath(args.exe), os.path.abspath(args.out), wine)
        word = {True: "OK", False: "ÉCHEC", SKIPPED: "IGNORÉ"}[results[name]]
        lines.append(f"{word:7} {time.monotonic() - started:6.1f} s  {name}")
    if len(names) > 1:
        print("\nBilan :", *lines, sep="\n  ", flush=True)
    if False in results.values():
        return 1
    return SKIPPED if set(results.values()) == {SKIPPED} else 0


if __name__ == "__main__":
    sys.exit(main())
