# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""A Wayland desktop's session, as the program meets it: weston and its
XWayland in place of Xvfb and Metacity."""

import os
import re
import shutil
import subprocess

from accessible import AccessibleXSession
from harness import WAIT, Skip, wait_for, wait_for_quietly


class WaylandSession(AccessibleXSession):
    """Weston (headless, pixman) with XWayland, XDG_SESSION_TYPE=wayland,
    WAYLAND_DISPLAY and XWayland's DISPLAY, no QT_QPA_PLATFORM. Weston's own
    X window manager frames the X windows; a session bus lets AT-SPI press
    buttons, since weston's headless backend has no seat for xdotool to
    drive."""

    SOCKET = "wayland-velbrisk"

    def _start_x(self):
        for tool, package in (("weston", "weston"), ("Xwayland", "xwayland")):
            if not shutil.which(tool):
                raise Skip(f"{tool} absent (paquet {package})")
        self._need_atspi()
        # Weston binds XWayland's sockets there, but only an X server makes it.
        try:
            os.mkdir("/tmp/.X11-unix")
            os.chmod("/tmp/.X11-unix", 0o1777)
        except FileExistsError:
            pass
        self.env = self._session_env("")
        self.env.update({"XDG_RUNTIME_DIR": self.runtime, "XDG_SESSION_TYPE": "wayland",
                         "WAYLAND_DISPLAY": self.SOCKET})
        self._start_session_bus()
        weston_log = os.path.join(self.log_dir, f"{self.name}-weston.log")
        open(weston_log, "wb").close()  # weston adds to its log
        self.procs.append(subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", "--xwayland", "--debug",
             "--no-config", f"--socket={self.SOCKET}", "--width=1280", "--height=1024",
             "--idle-time=0", f"--log={weston_log}"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

        def display():
            with open(weston_log, errors="replace") as f:
                found = re.search(r"xserver listening on display (:\d+)", f.read())
            return found and found.group(1)

        self.env["DISPLAY"] = wait_for(display, "weston et son XWayland")

    def _start_wm(self):
        self._wait_window_manager("le gestionnaire de fenêtres de weston dans XWayland")

    def start_program(self, cwd=None, env=None):
        # The program chooses its platform itself, as in a user's session.
        return super().start_program(cwd, dict({"QT_QPA_PLATFORM": None}, **(env or {})))

    def clients(self):
        """Weston's window manager keeps no client list: the named X windows."""
        tree = self._run(["xwininfo", "-root", "-tree"]).stdout.decode(errors="replace")
        ids = [int(i, 16) for i in re.findall(r'^\s*(0x[0-9a-f]+) "', tree, re.M)]
        return [(wid, self.window_name(wid)) for wid in ids]

    def placed(self, wid):
        """Framed by weston (inside a window of its own) and mapped."""
        out = self._run(["xwininfo", "-children", "-id", str(wid)]).stdout.decode()
        ids = re.search(r"Root window id: (0x[0-9a-f]+).*Parent window id: (0x[0-9a-f]+)",
                        out, re.S)
        return ids and ids.group(1) != ids.group(2) and self.is_viewable(wid)

    def scene(self):
        """The surfaces as weston shows them: weston's line for each, and its
        (left, top) on the screen, its shadow included."""
        out = self._run(["weston-debug", "scene-graph"]).stdout.decode(errors="replace")
        views = re.findall(r"^\s*(View .*)\n\s*position: \((-?\d+), (-?\d+)\)", out, re.M)
        return [(line, (int(x), int(y))) for line, x, y in views]

    def screen_picture(self, name):
        """The whole screen as weston draws it, frames included."""
        before = set(os.listdir(self.tmp))
        subprocess.run(["weston-screenshooter"], env=self.env, cwd=self.tmp,
                       capture_output=True, timeout=WAIT, check=True)
        made = wait_for(lambda: set(os.listdir(self.tmp)) - before, "la capture de weston")
        path = os.path.join(self.screenshot_dir, f"{name}.png")
        shutil.move(os.path.join(self.tmp, made.pop()), path)
        return path

    def watch_window_manager(self, wid):
        """Starts writing down the X events weston's window manager sees, once
        it sees a mark set on window wid; returns a function that reads them."""
        path = os.path.join(self.log_dir, f"{self.name}-xwm.log")
        with open(path, "wb") as log:
            self.procs.append(subprocess.Popen(["weston-debug", "xwm-wm-x11"], env=self.env,
                                               stdout=log, stderr=subprocess.DEVNULL))

        def read():
            with open(path, errors="replace") as f:
                return f.read()

        def marked():
            self._run(["xprop", "-id", str(wid), "-f", "_VELBRISK_E2E", "8s", "-set",
                       "_VELBRISK_E2E", "1"])
            return wait_for_quietly(lambda: "_VELBRISK_E2E" in read(), 1.0)

        wait_for(marked, "le journal du gestionnaire de fenêtres de weston")
        return read
