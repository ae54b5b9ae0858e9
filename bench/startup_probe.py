#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""Start-up and end-to-end timings of velbrisk in a real X server, printed as
rows of a Markdown table (python3 standard library only).

    startup_probe.py startup --exe build/app/velbrisk --bare bare_window [--runs 9]
    startup_probe.py actions --exe build/app/velbrisk [--size 1048576]

startup: a fresh Xvfb (black root, no window manager) watched by a tiny X
client of our own that hears the top-level window being mapped and then reads
one pixel of it until the program has painted its background (#EEEEEA): the
time from the process's start to that paint, and the process's peak resident
memory (VmHWM) once the window is shown, for velbrisk and for a bare Qt window
of the same size, runs interleaved, medians reported.

actions: the program under Xvfb and Metacity, driven by clicks as in the
end-to-end tests: "Coller" of a code of the given size from the real
clipboard, "Transformer", "Copier" back to the clipboard and the batch into a
temporary folder. A handler's time is measured up to the moment a message box
that a click queued behind it appears, less that box's own time when idle.
"""

import argparse
import os
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

BACKGROUND = (0xee, 0xee, 0xea)
MAP_NOTIFY = 19


class XWatch:
    """Just enough of the X protocol: hear top-level windows being mapped and
    read a pixel."""

    def __init__(self, display_number):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(f"/tmp/.X11-unix/X{display_number}")
        self.sock.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
        head = self._read(8)
        if head[0] != 1:
            raise RuntimeError("connexion X refusée")
        extra = self._read(struct.unpack_from("<H", head, 6)[0] * 4)
        vendor_length = struct.unpack_from("<H", extra, 16)[0]
        formats = extra[21]
        screen = 32 + (vendor_length + 3) // 4 * 4 + 8 * formats
        self.root = struct.unpack_from("<I", extra, screen)[0]
        self.pending = []
        # SubstructureNotify on the root: hear every top-level map.
        self.sock.sendall(struct.pack("<BxHIII", 2, 4, self.root, 0x800, 0x80000))

    def _read(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise RuntimeError("connexion X perdue")
            data += chunk
        return data

    def _message(self):
        """One event, error or reply; replies are returned whole."""
        data = self._read(32)
        if data[0] == 1:
            data += self._read(struct.unpack_from("<I", data, 4)[0] * 4)
        return data

    def wait_map(self, deadline):
        while time.monotonic() < deadline:
            self.sock.settimeout(max(0.0, deadline - time.monotonic()))
            try:
                message = self._message()
            except socket.timeout:
                break
            finally:
                self.sock.settimeout(None)
            if message[0] & 0x7F == MAP_NOTIFY:
                return struct.unpack_from("<I", message, 8)[0]
        raise RuntimeError("aucune fenêtre affichée")

    def _reply(self):
        while True:
            message = self._message()
            if message[0] == 1:
                return message
            if message[0] == 0:
                return None  # the window went away or is not viewable yet

    def size(self, window):
        self.sock.sendall(struct.pack("<BxHI", 14, 2, window))
        reply = self._reply()
        return None if reply is None else struct.unpack_from("<HH", reply, 16)

    def pixel(self, window, x, y):
        self.sock.sendall(struct.pack("<BBHIhhHHI", 73, 2, 5, window, x, y, 1, 1, 0xFFFFFFFF))
        reply = self._reply()
        if reply is None:
            return None
        b, g, r = reply[32], reply[33], reply[34]
        return (r, g, b)


def program_env(display):
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "ASAN_"))}
    runtime = tempfile.mkdtemp(prefix="velbrisk-bench-runtime-")
    env.update(DISPLAY=f":{display}", QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime,
               LANG="C.UTF-8")
    return env


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_start(exe, display, env):
    """(seconds from start to the painted window, peak KiB once shown)."""
    watch = XWatch(display)
    # The watch must be listening before the program starts.
    watch.size(watch.root)
    started = time.monotonic()
    proc = subprocess.Popen([exe], env=env, cwd=env["XDG_RUNTIME_DIR"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = started + 60
        window = watch.wait_map(deadline)
        size = None
        while size is None and time.monotonic() < deadline:
            size = watch.size(window)
        x, y = size[0] - 2, size[1] - 2
        while time.monotonic() < deadline:
            if watch.pixel(window, x, y) == BACKGROUND:
                break
            time.sleep(0.001)  # leave the processor to the program
        else:
            raise RuntimeError(f"{exe} : la fenêtre n'est jamais peinte")
        shown = time.monotonic() - started
        time.sleep(0.3)  # let whatever start-up work remains settle into the peak
        peak = peak_kib(proc.pid)
        return shown, peak
    finally:
        proc.terminate()
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
        watch.sock.close()


def startup(args):
    from xsession import start_xvfb

    # A black root: no pixel of the background the watch waits for.
    xvfb, display = start_xvfb(subprocess.DEVNULL, "-br")
    display = int(display[1:])
    try:
        env = program_env(display)
        results = {"velbrisk": [], "bare": []}
        for exe, key in ((args.exe, "velbrisk"), (args.bare, "bare")):
            one_start(exe, display, env)  # warm the file cache
        order = [(args.exe, "velbrisk"), (args.bare, "bare")]
        for _ in range(args.runs):
            order.reverse()  # neither program always follows the other
            for exe, key in order:
                results[key].append(one_start(exe, display, env))
    finally:
        xvfb.terminate()
        xvfb.wait()
    ms = {k: statistics.median(t for t, _ in v) * 1000 for k, v in results.items()}
    mib = {k: statistics.median(p for _, p in v) / 1024 for k, v in results.items()}
    print(f"| Start-up to the main window painted, Xvfb (median of {args.runs}) "
          f"| {ms['velbrisk']:.0f} ms | bare Qt window {ms['bare']:.0f} ms "
          f"| {ms['velbrisk'] / ms['bare']:.2f}× | ≤ 1.3× |")
    print(f"| Peak memory once shown (VmHWM, median of {args.runs}) "
          f"| {mib['velbrisk']:.1f} MiB | bare Qt window {mib['bare']:.1f} MiB "
          f"| {mib['velbrisk'] / mib['bare']:.2f}× | ≤ 1.5× |")


def code_of(size):
    """A decoration code of `size` characters in lines of about 60."""
    line = ".t{color:#000000;background:#ffffff;border:1px solid #000000}\n"
    return (line * (size // len(line) + 1))[:size]


def actions(args):
    import run_e2e
    from harness import wait_for
    from xsession import XSession

    out = tempfile.mkdtemp(prefix="velbrisk-bench-e2e-")
    code = code_of(args.size)
    rows = []
    with XSession(os.path.abspath(args.exe), out, "bench") as s:
        sc = run_e2e.Scenario(s)
        sc.step = lambda text: None  # table rows only
        sc.start()
        box = run_e2e.BOX_TITLE

        def through_help_box(click):
            """Seconds from `click` to the help box queued behind it."""
            started = time.monotonic()
            click()
            sc.click("Command7")
            wid = wait_for(lambda: s.windows_titled(box), "la boîte d'aide", timeout=300)[0]
            elapsed = time.monotonic() - started
            s.activate(wid)
            s.key("Return")
            s.wait_no_window(box)
            return elapsed

        idle = min(through_help_box(lambda: None) for _ in range(3))
        s.set_clipboard(code)
        paste = through_help_box(lambda: sc.click("Command5")) - idle
        convert = through_help_box(lambda: sc.click("Command1")) - idle
        s.set_clipboard("sentinelle")
        started = time.monotonic()
        sc.click("Command3")
        wait_for(lambda: s.clipboard_text() not in (None, "sentinelle"), "« Copier »",
                 timeout=300)
        copy = time.monotonic() - started
        with tempfile.TemporaryDirectory(prefix="velbrisk-bench-batch-") as folder:
            sc.field("Text5", folder)
            started = time.monotonic()
            sc.click("Command8")
            wid = wait_for(lambda: s.windows_titled(box), "la fin du lot", timeout=300)[0]
            batch = time.monotonic() - started - idle
            files = len(os.listdir(folder))
            s.activate(wid)
            s.key("Return")
            s.wait_no_window(box)
        peak = peak_kib(s.program.pid) * 1024
        sc.end()
    mb = args.size / (1 << 20)
    rows.append(("« Coller »", paste))
    rows.append(("« Transformer »", convert))
    rows.append(("« Copier », up to the text read back through xclip", copy))
    rows.append((f"« Créer les fichiers txt... », {files} files", batch))
    for what, seconds in rows:
        print(f"| {mb:.0f} MB code under Xvfb: {what} | {seconds * 1000:.0f} ms |")
    print(f"| {mb:.0f} MB code under Xvfb: paste, convert and batch in all | "
          f"{(paste + convert + batch) * 1000:.0f} ms |")
    utf16 = 2 * args.size
    print(f"| {mb:.0f} MB code under Xvfb: peak memory of the program (VmHWM) | "
          f"{peak / (1 << 20):.0f} MiB, {peak / utf16:.1f}× the code in UTF-16 | goal < 20× |")


def main():
    parser = argparse.ArgumentParser()
    sub = parser.add_subparsers(dest="what", required=True)
    p = sub.add_parser("startup")
    p.add_argument("--exe", required=True)
    p.add_argument("--bare", required=True)
    p.add_argument("--runs", type=int, default=9)
    p = sub.add_parser("actions")
    p.add_argument("--exe", required=True)
    p.add_argument("--size", type=int, default=1 << 20)
    args = parser.parse_args()
    startup(args) if args.what == "startup" else actions(args)


if __name__ == "__main__":
    main()
