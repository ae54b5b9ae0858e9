# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X session for the end-to-end tests: an Xvfb server, the Metacity
window manager and the real velbrisk executable on the xcb platform, or the
Windows velbrisk.exe under Wine, driven with xdotool, the real clipboard
through xclip, and what the window manager sees through xprop and xwininfo.
WaylandSession puts weston and its XWayland in place of Xvfb and Metacity.

Every wait polls with a bound; nothing relies on a fixed sleep alone, so a
loaded machine only makes the tests slower.
"""

import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

# Generous: a shared two-core machine can stall a process for seconds.
WAIT = 30.0
TWIPS_PER_PIXEL = 15
# The background of the program's windows, where their client areas begin.
BACKGROUND = bytes((0xEE, 0xEE, 0xEA))


class Failure(AssertionError):
    pass


class Skip(Exception):
    """A road that this machine cannot take, and why."""


def wait_for(predicate, what, timeout=WAIT, interval=0.05):
    """Polls predicate() until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"délai dépassé ({timeout:.0f} s) en attendant : {what}")
        time.sleep(interval)
        interval = min(interval * 1.5, 0.5)


def wait_for_quietly(predicate, timeout):
    """Like wait_for, but gives False instead of failing."""
    try:
        return wait_for(predicate, "", timeout)
    except Failure:
        return False


def check(condition, what):
    if not condition:
        raise Failure(what)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}\n  obtenu  : {actual!r}\n  attendu : {expected!r}")


def twips_centre(rect, parent=(0, 0)):
    """Centre of a control given in twips (left, top, width, height),
    relative to its parent's top-left corner, in client pixels."""
    left, top, width, height = rect
    return ((parent[0] + left + width // 2) // TWIPS_PER_PIXEL,
            (parent[1] + top + height // 2) // TWIPS_PER_PIXEL)


class Wine:
    """How to run a Windows program: the build's wine-run script, with the
    build's DLLs or (own_dlls) only those beside the program."""

    # Wine's first start in a fresh prefix (wineboot) can take minutes on a
    # loaded machine; every start after it takes seconds.
    BOOT_WAIT = 600.0

    def __init__(self, run_script, own_dlls=False):
        self.run_script = os.path.abspath(run_script)
        self.own_dlls = own_dlls
        self.prefix = subprocess.run([self.run_script, "--prefix"], capture_output=True,
                                     text=True, check=True).stdout.strip()
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.booted = False

    def command(self, exe):
        return [self.run_script, *(["--own-dlls"] if self.own_dlls else []), exe]

    def boot(self, log_path):
        """Makes the prefix, once, before any timed wait on a program. Wine
        writes the user's folders into a new prefix: it gets the real home,
        not a session's, and no display."""
        if self.booted:
            return
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
            with open(log_path, "wb") as log:
                subprocess.run([self.run_script, "wineboot", "--init"], env=env,
                               stdout=subprocess.DEVNULL, stderr=log, timeout=self.BOOT_WAIT,
                               check=True)
        # A wineserver left running keeps the display it started with.
        wait_for(lambda: not self.server_running(), "la fin du wineserver du préfixe Wine",
                 self.BOOT_WAIT)
        self.booted = True

    def server_running(self):
        """Whether the prefix's wineserver still runs: its socket lives in a
        folder named after the prefix's device and inode, under /tmp/.wine-UID
        or, in Debian's build, the folder that the prefix's file "wineserver"
        names."""
        try:
            info = os.stat(self.prefix)
        except FileNotFoundError:
            return False
        roots = [f"/tmp/.wine-{os.getuid()}"]
        try:
            with open(os.path.join(self.prefix, "wineserver")) as f:
                roots.append(os.path.join("/tmp", f.read().strip()))
        except OSError:
            pass
        server = f"server-{info.st_dev:x}-{info.st_ino:x}"
        return any(os.path.exists(os.path.join(root, server, "socket")) for root in roots)

    def windows_path(self, path):
        """The Windows name of a file under the prefix's drive C:."""
        relative = os.path.relpath(os.path.abspath(path), self.drive_c)
        check(not relative.startswith(".."), f"{path} n'est pas sur le disque C: de Wine")
        return "C:\\" + ("" if relative == "." else relative.replace("/", "\\"))


class XSession:
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
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self._log("xvfb"))
        self.procs.append(xvfb)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + WAIT
        os.set_blocking(read_end, False)
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
        os.close(read_end)
        self.env = self._session_env(":" + number.decode().strip())
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
        wait_for(lambda: "window id" in self.xprop_root("_NET_SUPPORTING_WM_CHECK"),
                 "le gestionnaire de fenêtres Metacity")

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

    # -- the accessibility tree, as a screen reader reads it -----------------

    # The system's python3, which holds pyatspi.
    ATSPI_PYTHON = "/usr/bin/python3"

    def _need_atspi(self):
        if not shutil.which("dbus-daemon"):
            raise Skip("dbus-daemon absent (paquet dbus-daemon)")
        if not os.path.exists(self.ATSPI_PYTHON) or subprocess.run(
                [self.ATSPI_PYTHON, "-c", "import pyatspi"], capture_output=True).returncode:
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
        """What a11y_tree.py's `call` returns for args, in JSON."""
        here = os.path.dirname(os.path.abspath(__file__))
        code = ("import json, sys; sys.path.insert(0, sys.argv[1]); import a11y_tree as t; "
                f"print(json.dumps({call}))")
        out = self._run([self.ATSPI_PYTHON, "-c", code, here, *args], timeout=2 * WAIT)
        return json.loads(out.stdout.decode())

    def wait_accessible(self, window_title):
        """Waits for the window on the accessibility bus: a program joins it
        once a reader first asks for the bus, which starts it."""
        self._atspi("bool(t.wait_for(lambda: t.frame(sys.argv[2]), sys.argv[2]))", window_title)

    def press(self, window_title, button):
        """A screen reader's press on a button, over AT-SPI (a11y_tree.py)."""
        self._atspi("t.press(t.wait_for(lambda: t.frame(sys.argv[2]), sys.argv[2]), sys.argv[3])",
                    window_title, button)

    def menu_items(self, focus):
        """The items of the open menu as a screen reader reads them when
        focus() moves the focus onto one (a11y_tree.focused_menu_items)."""
        here = os.path.dirname(os.path.abspath(__file__))
        code = ("import json, sys; sys.path.insert(0, sys.argv[1]); import a11y_tree as t; "
                "print(json.dumps(t.focused_menu_items()))")
        reader = subprocess.Popen([self.ATSPI_PYTHON, "-c", code, here], env=self.env,
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
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

    # -- commands ---------------------------------------------------------

    def _run(self, args, input=None, check_rc=True, timeout=WAIT):
        result = subprocess.run(args, env=self.env, input=input, capture_output=True,
                                timeout=timeout)
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

    def clients(self):
        """The windows that the window manager manages, with their titles."""
        out = self.xprop_root("_NET_CLIENT_LIST")
        ids = re.findall(r"0x[0-9a-fA-F]+", out.split("#", 1)[1]) if "#" in out else []
        return [(int(i, 16), self.window_name(int(i, 16))) for i in ids]

    def stacking(self):
        """Managed windows from the bottom to the top of the stack."""
        out = self.xprop_root("_NET_CLIENT_LIST_STACKING")
        ids = re.findall(r"0x[0-9a-fA-F]+", out.split("#", 1)[1]) if "#" in out else []
        return [int(i, 16) for i in ids]

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

        def field(name):
            return int(re.search(name + r":\s*(-?\d+)", out).group(1))

        x, y = field("Absolute upper-left X"), field("Absolute upper-left Y")
        width, height = field("Width"), field("Height")
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
                found[int(wid, 16)] = tuple(int(re.search(name + r":\s*(-?\d+)", info).group(1))
                                            for name in ("Absolute upper-left X",
                                                         "Absolute upper-left Y", "Width", "Height"))
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

    def click(self, wid, point, button=1, repeat=1):
        x, y, _, _ = self.geometry(wid)
        self.move_pointer((x + point[0], y + point[1]))
        self.xdotool("click", "--repeat", repeat, button)

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

    # -- clipboard ----------------------------------------------------------

    def clipboard_text(self):
        """The clipboard's text, or None. An owner that does not answer
        counts as none: Wine's clipboard bridge, now and then, lets a request
        drop; the next one is answered."""
        try:
            result = self._run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                               check_rc=False, timeout=5)
        except subprocess.TimeoutExpired:
            print("    (xclip -o sans réponse en 5 s : nouvelle demande)", flush=True)
            return None
        if result.returncode != 0:
            return None
        return result.stdout.decode("utf-8")

    def set_clipboard_without_text(self):
        """The clipboard holding a picture and no text at all."""
        picture = os.path.join(self.tmp, "picture.png")
        with open(picture, "wb") as f:
            f.write(bytes.fromhex(
                "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
                "1f15c4890000000d49444154789c6360f8cf0000030101001823d2a90000"
                "000049454e44ae426082"))
        subprocess.run(["xclip", "-i", "-selection", "clipboard", "-t", "image/png", picture],
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=WAIT, check=True)
        # xclip hands its picture out whatever the target asked for; the
        # program, like any client, goes by the list of targets.
        wait_for(lambda: self.clipboard_targets() == {"TARGETS", "image/png"},
                 "une image seule dans le presse-papiers")

    def hold_clipboard_silently(self, text):
        """Another client owns the clipboard and never answers: xclip, which
        serves `text` until it is stopped. Give it to release_clipboard."""
        owner = subprocess.Popen(["xclip", "-i", "-quiet", "-selection", "clipboard"],
                                 env=self.env, stdin=subprocess.PIPE,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner.stdin.write(text.encode("utf-8"))
        owner.stdin.close()
        wait_for(lambda: self.clipboard_text() == text, "le texte de xclip dans le presse-papiers")
        owner.send_signal(signal.SIGSTOP)
        return owner

    def release_clipboard(self, owner):
        """Ends a silent owner: the clipboard then has no owner at all."""
        owner.kill()
        owner.wait(timeout=WAIT)

    def hold_windows_clipboard(self, holder_exe):
        """A Windows program holds the clipboard open until
        release_windows_clipboard."""
        holder = subprocess.Popen([self.wine.run_script, holder_exe], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=self._log("hold_clipboard"))
        # "held" once it holds it; nothing if it ends without.
        check(holder.stdout.readline().strip() == b"held",
              "hold_clipboard.exe n'a pas pu ouvrir le presse-papiers")
        return holder

    def release_windows_clipboard(self, holder):
        holder.stdin.close()
        holder.wait(timeout=WAIT)

    def clipboard_targets(self):
        result = self._run(["xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"],
                           check_rc=False)
        return set(result.stdout.decode(errors="replace").split()) if result.returncode == 0 else set()

    def set_clipboard(self, text):
        # xclip keeps serving the text from a child of its own until another
        # client takes the clipboard.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], env=self.env,
                       input=text.encode("utf-8"), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=WAIT, check=True)
        wait_for(lambda: self.clipboard_text() == text, "le texte dans le presse-papiers")

    def browser_calls(self):
        try:
            with open(self.browser_log, encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []


class AccessibleXSession(XSession):
    """An X session with a session bus, whose accessibility tree a screen
    reader would read. Under Wine, which puts nothing on it, a plain one."""

    def _start_x(self):
        if not self.wine:
            self._need_atspi()
        super()._start_x()
        if not self.wine:
            self._start_session_bus()


class WaylandSession(XSession):
    """A Wayland desktop's session, as the program meets it: weston (headless,
    pixman) with XWayland, XDG_SESSION_TYPE=wayland, WAYLAND_DISPLAY and
    XWayland's DISPLAY, no QT_QPA_PLATFORM. Weston's own X window manager
    frames the X windows; a session bus lets AT-SPI press buttons, since
    weston's headless backend has no seat for xdotool to drive."""

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
        wait_for(lambda: "window id" in self.xprop_root("_NET_SUPPORTING_WM_CHECK"),
                 "le gestionnaire de fenêtres de weston dans XWayland")

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

