# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""An X session whose accessibility tree a screen reader reads: a private
session bus, which starts the accessibility bus, and the reader's side
(a11y_tree.py) run over AT-SPI under the system's python3."""

import json
import os
import shutil
import subprocess

from harness import WAIT, Skip, check
from xsession import XSession

HERE = os.path.dirname(os.path.abspath(__file__))
# The system's python3, which holds pyatspi.
ATSPI_PYTHON = "/usr/bin/python3"


def reader_code(call):
    """A python3 -c program that prints, in JSON, what a11y_tree.py's `call`
    gives for the arguments after this folder."""
    return ("import json, sys; sys.path.insert(0, sys.argv[1]); import a11y_tree as t; "
            f"print(json.dumps({call}))")


class AccessibleXSession(XSession):
    """An X session with a session bus, whose accessibility tree a screen
    reader would read. Under Wine, which puts nothing on it, a plain one."""

    def _start_x(self):
        if not self.wine:
            self._need_atspi()
        super()._start_x()
        if not self.wine:
            self._start_session_bus()

    def _need_atspi(self):
        if not shutil.which("dbus-daemon"):
            raise Skip("dbus-daemon absent (paquet dbus-daemon)")
        if not os.path.exists(ATSPI_PYTHON) or subprocess.run(
                [ATSPI_PYTHON, "-c", "import pyatspi"], capture_output=True).returncode:
            raise Skip("pyatspi absent (paquet python3-pyatspi)")

    def _start_session_bus(self):
        """A private session bus, which starts the accessibility bus; Qt
        puts its programs on it."""
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               env=self.env, stdout=subprocess.PIPE,
                               stderr=self._log("dbus"))
        self.procs.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()

    def _atspi(self, call, *args):
        """What a11y_tree.py's `call` returns for args."""
        out = self._run([ATSPI_PYTHON, "-c", reader_code(call), HERE, *args], timeout=2 * WAIT)
        return json.loads(out.stdout.decode())

    def wait_accessible(self, window_title):
        """Waits for the window on the accessibility bus: a program joins it
        once a reader first asks for the bus, which starts it."""
        self._atspi("bool(t.window(sys.argv[2]))", window_title)

    def press(self, window_title, button):
        """A screen reader's press on a button, over AT-SPI (a11y_tree.py)."""
        self._atspi("t.press(t.window(sys.argv[2]), sys.argv[3])", window_title, button)

    def menu_items(self, focus):
        """The items of the open menu as a screen reader reads them when
        focus() moves the focus onto one (a11y_tree.focused_menu_items)."""
        reader = subprocess.Popen([ATSPI_PYTHON, "-c", reader_code("t.focused_menu_items()"),
                                   HERE], env=self.env, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, text=True)
        try:
            check(reader.stdout.readline().strip() == "listening",
                  "le lecteur du bus AT-SPI n'écoute pas")
            focus()
            out, err = reader.communicate(timeout=2 * WAIT)
        finally:
            if reader.poll() is None:
                reader.kill()
                reader.wait()
        check(reader.returncode == 0, f"lecture du menu sur le bus AT-SPI : {err.strip()}")
        return [tuple(item) for item in json.loads(out)]
