# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Windows velbrisk.exe under Wine: the build's prefix, its first start,
its wineserver and its drive C:. An XSession given a Wine runs the program
through it."""

import os
import subprocess

from harness import check, wait_for


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
