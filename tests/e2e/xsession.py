# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X session for the end-to-end tests: an Xvfb server, the Metacity
window manager and the real velbrisk executable on the xcb platform, or the
Windows velbrisk.exe under Wine (wine.py), driven with xdotool, and what the
window manager sees through xprop and xwininfo; its pictures through
ImageMagick's import. The clipboard's tools are in clipboard.py, the screen
reader's session in accessible.py, the Wayland one in wayland.py.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from clipboard import Clipboard
from harness import WAIT, Failure, Skip, check_equal, wait_for, wait_for_quietly

# The background of the program's windows, where their client areas begin.
BACKGROUND = bytes((0xEE, 0xEE, 0xEA))


def start_xvfb(stderr, *options):
    """An Xvfb server of 1280 × 1024 at 96 dpi on a display it chooses itself;
    returns the process and the display's name (":N")."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-dpi", "96", "-nolisten", "tcp", "-noreset", *options],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=stderr)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + WAIT
    os.set_blocking(read_end, False)
    try:
        while not number.endswith(b"\n"):
            if xvfb.poll() is not None:
                raise Failure("Xvfb s'est arrêté au démarrage")
            if time.monotonic() > deadline:
                raise Failure("Xvfb ne donne pas son numéro d'écran")
            try:
                chunk = os.read(read_end, 16)
            except BlockingIOError:
                time.sleep(0.05)
                continue
            if not chunk:
                break
            number += chunk
    except BaseException:
        xvfb.kill()
        xvfb.wait()
        raise
    finally:
        os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def xwininfo_rect(out):
    """(x, y, width, height) of a window, on the screen, as xwininfo prints it."""
    return tuple(int(re.search(name + r":\s*(-?\d+)", out).group(1))
                 for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


class XSession(Clipboard):
    """Xvfb + Metacity + velbrisk. Use as a context manager."""

    def __init__(self, exe, out_dir, name, wine=None):
        self.exe = exe
        self.wine = wine
        self.out_dir = out_dir
        self.name = name
        self.procs = []
        self.program = None
        self.tmp = tempfile.mkdtemp(prefix=f"velbrisk-e2e-{name}-")
        self.home = os.path.join(self.tmp, "home")
        self.runtime = os.path.join(self.tmp, "runtime")
        self.fakebin = os.path.join(self.tmp, "bin")
        self.browser_log = os.path.join(self.tmp, "browser.log")
        for folder in (self.home, self.runtime, self.fakebin):
            os.makedirs(folder, mode=0o700)
        self.env = None
        self.wine_frames = {}
        self.log_dir = os.path.join(out_dir, "logs")
        os.makedirs(self.log_dir, exist_ok=True)
        self.screenshot_dir = os.path.join(out_dir, "screenshots")
        os.makedirs(self.screenshot_dir, exist_ok=True)
        for old in os.listdir(self.screenshot_dir):
            if old.startswith(f"failed-{name}-"):
                os.remove(os.path.join(self.screenshot_dir, old))

    # -- life -------------------------------------------------------------

    def __enter__(self):
        try:
            if self.wine:
                self.wine.boot(os.path.join(self.log_dir, "wineboot.log"))
            self._start_x()
            self._start_wm()
            self._install_fake_browser()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _log(self, name):
        return open(os.path.join(self.log_dir, f"{self.name}-{name}.log"), "wb")

    def _start_x(self):
        xvfb, display = start_xvfb(self._log("xvfb"))
        self.procs.append(xvfb)
        self.env = self._session_env(display)
        wait_for(lambda: self._run(["xprop", "-root", "-len", "1", "_NET_SUPPORTED"],
                                   check_rc=False).returncode == 0, "le serveur X")

    def _session_env(self, display):
        """The environment of everything the session runs: the user's, without
        what would lead a program out of it."""
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "XDG_"))}
        env.update({
            "DISPLAY": display,
            "HOME": self.home,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "PATH": self.fakebin + os.pathsep + env.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "GSETTINGS_BACKEND": "memory",
            "NO_AT_BRIDGE": "1",
        })
        env.pop("BROWSER", None)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        return env

    def _start_wm(self):
        metacity = subprocess.Popen(["metacity", "--sm-disable", "--no-composite"],
                                    env=self.env, stdout=subprocess.DEVNULL,
                                    stderr=self._log("metacity"))
        self.procs.append(metacity)
        self._wait_window_manager("le gestionnaire de fenêtres Metacity")

    def _wait_window_manager(self, what):
        wait_for(lambda: "window id" in self.xprop_root("_NET_SUPPORTING_WM_CHECK"), what)

    def _install_fake_browser(self):
        # Qt opens addresses through xdg-open when it is on PATH: this one
        # writes down what it was asked to open, one line per call.
        script = os.path.join(self.fakebin, "xdg-open")
        with open(script, "w") as f:
            f.write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + self.browser_log + "'\n")
        os.chmod(script, 0o755)

    def start_program(self, cwd=None, env=None):
        """Starts the program; env adds to (or, with None, takes from) the
        session's environment."""
        self.program_log = os.path.join(self.log_dir, f"{self.name}-velbrisk.log")
        if self.wine:
            command, program_env = self.wine.command(self.exe), dict(self.env)
        else:
            command, program_env = [self.exe], dict(self.env, QT_QPA_PLATFORM="xcb")
        for key, value in (env or {}).items():
            if value is None:
                program_env.pop(key, None)
            else:
                program_env[key] = value
        self.program = subprocess.Popen(
            command, env=program_env, cwd=cwd or self.home,
            stdout=subprocess.DEVNULL, stderr=open(self.program_log, "wb"))
        self.procs.append(self.program)
        self.started_at = time.monotonic()
        return self.program

    def program_alive(self):
        return self.program is not None and self.program.poll() is None

    def close(self):
        if self.program is not None and self.program_alive():
            self.program.send_signal(signal.SIGTERM)
        if self.wine:
            # Wine's own processes (explorer.exe, which bridges the clipboard)
            # hold this X server: the next session needs a wineserver of its own.
            wait_for_quietly(lambda: not self.program_alive() and not self.wine.server_running(),
                             WAIT)
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
        for proc in reversed(self.procs):
            try:
                proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        self.procs = []
        shutil.rmtree(self.tmp, ignore_errors=True)

    # -- commands ---------------------------------------------------------

    def _run(self, args, check_rc=True, timeout=WAIT):
        result = subprocess.run(args, env=self.env, capture_output=True, timeout=timeout)
        if check_rc and result.returncode != 0:
            raise Failure(f"{' '.join(args)} : code {result.returncode}\n"
                          f"{result.stderr.decode(errors='replace')}")
        return result

    def xdotool(self, *args):
        return self._run(["xdotool", *map(str, args)]).stdout.decode()

    def xprop_root(self, prop):
        return self._run(["xprop", "-root", prop], check_rc=False).stdout.decode()

    def xprop(self, wid, prop):
        """The value of a window property as xprop prints it, or None."""
        out = self._run(["xprop", "-id", str(wid), "-notype", prop],
                        check_rc=False).stdout.decode("utf-8", errors="replace")
        match = re.match(re.escape(prop) + r"\s*(?:=|:)\s*(.*)", out, re.S)
        if not match or "not found" in out or "no such atom" in out:
            return None
        return match.group(1).strip()

    def window_name(self, wid):
        value = self.xprop(wid, "_NET_WM_NAME")
        if value is None or not value.startswith('"'):
            return None
        return re.sub(r'\\(.)', r'\1', value[1:-1])

    def atoms(self, wid, prop):
        value = self.xprop(wid, prop)
        return set() if value is None else {a.strip() for a in value.split(",")}

    # -- windows as the window manager sees them -----------------------------

    def _root_windows(self, prop):
        """The windows of a list that the root window holds."""
        out = self.xprop_root(prop)
        return [int(i, 16) for i in re.findall(r"0x[0-9a-fA-F]+", out.partition("#")[2])]

    def clients(self):
        """The windows that the window manager manages, with their titles."""
        return [(wid, self.window_name(wid)) for wid in self._root_windows("_NET_CLIENT_LIST")]

    def stacking(self):
        """Managed windows from the bottom to the top of the stack."""
        return self._root_windows("_NET_CLIENT_LIST_STACKING")

    def windows_titled(self, title):
        return [wid for wid, name in self.clients() if name == title and self.is_viewable(wid)]

    def wait_window(self, title, what=None):
        found = wait_for(lambda: self.windows_titled(title),
                         what or f"la fenêtre « {title} »")
        check_equal(len(found), 1, f"nombre de fenêtres « {title} »")
        wid = found[0]
        wait_for(lambda: self.placed(wid), f"« {title} » placée par le gestionnaire de fenêtres")
        return wid

    def placed(self, wid):
        """Placed by the window manager: framed (or, when Wine draws the
        frame, given its actions) and mapped."""
        return ((self.xprop(wid, "_NET_FRAME_EXTENTS")
                 or self.wine_draws_frame(wid) and self.xprop(wid, "_NET_WM_ALLOWED_ACTIONS"))
                and self.is_viewable(wid))

    def wait_no_window(self, title):
        wait_for(lambda: not self.windows_titled(title), f"la disparition de « {title} »")

    def is_viewable(self, wid):
        out = self._run(["xwininfo", "-id", str(wid)], check_rc=False).stdout.decode()
        return "IsViewable" in out

    def geometry(self, wid):
        """(x, y, width, height) of the client area, in screen pixels."""
        out = self._run(["xwininfo", "-id", str(wid)]).stdout.decode()
        x, y, width, height = xwininfo_rect(out)
        left, top, right, bottom = self.wine_frame(wid, width, height)
        return (x + left, y + top, width - left - right, height - top - bottom)

    def wine_draws_frame(self, wid):
        """Whether Wine draws the window's frame itself, inside its X window,
        as it does for a Windows tool window: it then asks the window manager
        for no decorations at all."""
        if not self.wine:
            return False
        hints = (self.xprop(wid, "_MOTIF_WM_HINTS") or "").split(",")
        return len(hints) >= 3 and int(hints[0], 16) & 2 and int(hints[2], 16) == 0

    def wine_frame(self, wid, width, height):
        """The (left, top, right, bottom) widths of a frame that Wine draws.
        Read from the window's picture: where the client's background begins
        and ends along the middle row and column."""
        if not self.wine_draws_frame(wid):
            return (0, 0, 0, 0)
        if wid not in self.wine_frames:
            def measure():
                ppm = self._run(["import", "-window", str(wid), "-depth", "8", "ppm:-"]).stdout
                # Binary PPM: "P6", width, height, maximum, one blank, then RGB.
                header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
                if not header or header.groups() != (b"%d" % width, b"%d" % height):
                    return None
                def at(x, y):
                    start = header.end() + 3 * (y * width + x)
                    return ppm[start:start + 3]

                row = [i for i in range(width) if at(i, height // 2) == BACKGROUND]
                column = [i for i in range(height) if at(width // 2, i) == BACKGROUND]
                return row and column and (row[0], column[0], width - 1 - row[-1],
                                           height - 1 - column[-1])

            self.wine_frames[wid] = wait_for(measure, f"le fond de {hex(wid)} peint")
        return self.wine_frames[wid]

    def screenshot(self, wid, name):
        path = os.path.join(self.screenshot_dir, f"{name}.png")
        self._run(["import", "-window", str(wid), path], check_rc=False)
        return path

    def popups(self):
        """The windows on screen that no window manager frames: menus, tips."""
        out = self._run(["xwininfo", "-root", "-children"]).stdout.decode(errors="replace")
        found = {}
        for wid in re.findall(r"^\s+(0x[0-9a-f]+)", out, re.M):
            info = self._run(["xwininfo", "-id", wid], check_rc=False).stdout.decode()
            if "IsViewable" in info and "Override Redirect State: yes" in info:
                found[int(wid, 16)] = xwininfo_rect(info)
        return found

    def screen_area(self, rects, name):
        """The part of the screen that holds every (x, y, width, height), as
        the user sees it: the windows in front, a popup over the window."""
        left, top = min(r[0] for r in rects), min(r[1] for r in rects)
        right, bottom = max(r[0] + r[2] for r in rects), max(r[1] + r[3] for r in rects)
        path = os.path.join(self.screenshot_dir, f"{name}.png")
        self._run(["import", "-window", "root", "-crop",
                   f"{right - left}x{bottom - top}+{left}+{top}", "+repage", path])
        return path

    # -- input ------------------------------------------------------------

    def activate(self, wid):
        """Brings `wid` to the front with the keyboard focus, through the
        window manager. Not "windowactivate --sync": on a loaded machine it
        can give up after 15 s while the window manager is still busy."""
        def active():
            if self.active_window() == wid:
                return True
            self._run(["xdotool", "windowactivate", str(wid)], check_rc=False)
            return wait_for_quietly(lambda: self.active_window() == wid, 2.0)

        wait_for(active, f"la fenêtre {hex(wid)} active")

    def active_window(self):
        out = self.xprop_root("_NET_ACTIVE_WINDOW")
        match = re.search(r"0x[0-9a-fA-F]+", out)
        return int(match.group(0), 16) if match else None

    def pointer(self):
        out = self.xdotool("getmouselocation", "--shell")
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"])

    def click(self, wid, point, button=1):
        x, y, _, _ = self.geometry(wid)
        self.move_pointer((x + point[0], y + point[1]))
        self.xdotool("click", button)

    def key(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.xdotool("type", "--clearmodifiers", "--delay", 25, "--", text)

    def replace_field(self, wid, point, text):
        """Types `text` into the one-line field at `point`, over its old text."""
        self.click(wid, point)
        self.key("ctrl+a")
        if text:
            self.type_text(text)
        else:
            self.key("BackSpace")

    def move_pointer(self, point):
        # Not "mousemove --sync": it waits 15 s when the pointer is already there.
        if self.pointer() != point:
            self.xdotool("mousemove", *point)
            wait_for(lambda: self.pointer() == point, f"le pointeur en {point}")

    # The system's python3, which holds GTK's bindings (python3-gi).
    GTK_PYTHON = "/usr/bin/python3"

    def start_drag_source(self, files, x, y):
        """A file manager's drag source (drag_source.py, GTK 3): a window at
        x, y with one button per file. Returns its window and event log."""
        if subprocess.run([self.GTK_PYTHON, "-c", "import gi; gi.require_version('Gtk', '3.0'); "
                           "from gi.repository import Gtk"], capture_output=True).returncode:
            raise Skip("GTK 3 pour Python absent (paquets python3-gi, gir1.2-gtk-3.0)")
        log = os.path.join(self.tmp, "drag-source-events.log")
        open(log, "w").close()
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "drag_source.py")
        self.procs.append(subprocess.Popen(
            [self.GTK_PYTHON, script, log, str(x), str(y), *files], env=self.env,
            stdout=subprocess.DEVNULL, stderr=self._log("drag-source")))
        return self.wait_window("Source du glisser", "la source du glisser (GTK)"), log

    def drag(self, source, log, index, count, target, point, steps=20):
        """Drags the button `index` of the `count` buttons of the drag source
        onto `point` of the window `target`, as a hand does: press, move in
        steps, and release once the window there has answered the last move.
        Returns the drag source's events of this drag."""
        x, y, width, height = self.geometry(source)
        start = (x + width // 2, y + height * (2 * index + 1) // (2 * count))
        x, y, _, _ = self.geometry(target)
        end = (x + point[0], y + point[1])
        with open(log) as f:
            before = len(f.read().splitlines())

        def events():
            with open(log) as f:
                return f.read().splitlines()[before:]

        self.move_pointer(start)
        self.xdotool("mousedown", 1)
        for step in range(1, steps + 1):
            self.move_pointer((start[0] + (end[0] - start[0]) * step // steps,
                               start[1] + (end[1] - start[1]) * step // steps))
        try:
            wait_for(lambda: [e for e in events() if e.startswith("action ")][-1:]
                     == ["action copy"], "la fenêtre sous le pointeur accepte le fichier")
        finally:
            self.xdotool("mouseup", 1)
            wait_for(lambda: any(e.startswith(("end ", "failed ")) for e in events()),
                     f"la fin du glisser ; la source a vu : {events()}")
        return events()

    def close_window(self, wid):
        """The close box: Metacity's Alt+F4 sends the window its close request."""
        self.activate(wid)
        self.key("alt+F4")

    def browser_calls(self):
        try:
            with open(self.browser_log, encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []
