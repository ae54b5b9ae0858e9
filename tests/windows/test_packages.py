#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""The two Windows packages of a build (packaging/windows/make-packages.sh)
used as a person would, under the build's Wine prefix: the installer installs
for the whole machine and the installed program starts; the uninstaller leaves
nothing; the zip, unzipped anywhere, has all it needs and nothing more, and
starts too.

    test_packages.py --build BUILD_DIR
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
from xsession import Wine  # noqa: E402  (knows when the prefix's wineserver is gone)

KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velbrisk"
COLLECT = os.path.join(SOURCE, "packaging", "windows", "collect-dlls.py")


class Test:
    def __init__(self, build):
        self.build = build
        # The version the build was configured with, as the packages carry it.
        with open(os.path.join(build, "velbrisk-version.txt")) as f:
            self.version = f.read().strip()
        self.wine_run = os.path.join(build, "wine-run")
        self.wine = Wine(self.wine_run, own_dlls=True)
        drive_c = self.wine.drive_c
        self.install_dir = os.path.join(drive_c, "Program Files", "Velbrisk")
        self.shortcut = os.path.join(drive_c, "ProgramData", "Microsoft", "Windows",
                                     "Start Menu", "Programs", "Velbrisk.lnk")
        self.staging = os.path.join(build, "deploy", "Velbrisk")
        self.out = os.path.join(build, "tests", "packages")
        self.passed = self.failed = 0
        # Silent steps need no display; a wineserver started on one would keep
        # it. No menu entries written into the real home for the shortcut.
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml,winemenubuilder.exe="

    def check(self, ok, what, detail=""):
        if ok:
            self.passed += 1
            print(f"ok      {what}", flush=True)
        else:
            self.failed += 1
            print(f"ÉCHEC   {what}" + (f" : {detail}" if detail else ""), flush=True)
        return ok

    def run(self, *args, timeout=300):
        return subprocess.run([self.wine_run, "--own-dlls", *args], env=self.env,
                              capture_output=True, text=True, errors="replace", timeout=timeout)

    def registry(self):
        """The values of the uninstall key, or None without the key."""
        result = self.run("reg", "query", KEY, "/reg:64")
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2] if len(parts) == 3 else ""
        return values

    def e2e(self, exe, out):
        """The end-to-end main_window scenario on a copy with only its own DLLs."""
        started = time.monotonic()
        result = subprocess.run(
            [sys.executable, os.path.join(SOURCE, "tests", "e2e", "run_e2e.py"),
             "--wine", self.wine_run, "--own-dlls", "--exe", exe,
             "--out", os.path.join(self.out, out), "main_window"],
            capture_output=True, text=True, errors="replace", timeout=1200)
        ok = result.returncode == 0
        if not ok:
            print(result.stdout + result.stderr, end="", flush=True)
        return ok, f"{time.monotonic() - started:.0f} s"

    def clean_leftovers(self):
        # A run stopped halfway must not make the next one pass or fail.
        shutil.rmtree(self.install_dir, ignore_errors=True)
        if os.path.exists(self.shortcut):
            os.remove(self.shortcut)
        self.run("reg", "delete", KEY, "/f", "/reg:64")

    def installer(self):
        setup = os.path.join(self.build, f"Velbrisk-{self.version}-setup.exe")
        if not self.check(os.path.isfile(setup), "installateur présent", setup):
            return
        self.clean_leftovers()
        started = time.monotonic()
        result = self.run(setup, "/S")
        self.check(result.returncode == 0,
                   f"installation silencieuse ({time.monotonic() - started:.0f} s)",
                   f"code {result.returncode} {result.stderr[-500:]}")
        installed = files_in(self.install_dir)
        expected = files_in(self.staging) | {"uninstall.exe"}
        self.check(installed == expected, "fichiers installés : ceux du paquet, plus uninstall.exe",
                   f"en trop {sorted(installed - expected)}, manquants {sorted(expected - installed)}")
        exe = "C:\\Program Files\\Velbrisk\\velbrisk.exe"
        link = open(self.shortcut, "rb").read() if os.path.exists(self.shortcut) else b""
        self.check(exe.encode("utf-16-le") in link or exe.encode() in link,
                   "raccourci Velbrisk.lnk du menu Démarrer de tous les utilisateurs, vers "
                   "velbrisk.exe", self.shortcut)
        values = self.registry() or {}
        uninstaller = "C:\\Program Files\\Velbrisk\\uninstall.exe"
        expected_values = {
            "DisplayName": "Velbrisk", "DisplayVersion": self.version, "Publisher": "KwR-Production",
            "DisplayIcon": exe, "InstallLocation": "C:\\Program Files\\Velbrisk",
            "UninstallString": f'"{uninstaller}"', "QuietUninstallString": f'"{uninstaller}" /S',
            "NoModify": "0x1", "NoRepair": "0x1"}
        wrong = {k: values.get(k) for k, v in expected_values.items() if values.get(k) != v}
        self.check(not wrong, "clé de désinstallation (vue 64 bits) et ses valeurs", wrong)
        size_kib = sum(os.path.getsize(os.path.join(self.install_dir, f)) for f in installed) / 1024
        estimated = int(values.get("EstimatedSize", "0"), 16)
        self.check(abs(estimated - size_kib) <= 0.02 * size_kib + len(installed),
                   f"EstimatedSize {estimated} Kio pour {size_kib:.0f} Kio installés")

        ok, took = self.e2e(os.path.join(self.install_dir, "velbrisk.exe"), "installed")
        self.check(ok, f"le programme installé montre sa fenêtre principale ({took})")

        started = time.monotonic()
        # The usual way: the uninstaller copies itself out of the folder and
        # returns at once, so its work is awaited here.
        result = self.run(os.path.join(self.install_dir, "uninstall.exe"), "/S")
        gone = wait(lambda: not os.path.exists(self.install_dir)
                    and not self.wine.server_running(), 120)
        self.check(result.returncode == 0 and gone,
                   f"désinstallation silencieuse : dossier supprimé "
                   f"({time.monotonic() - started:.0f} s)",
                   f"code {result.returncode}, reste {sorted(files_in(self.install_dir))}")
        self.check(not os.path.exists(self.shortcut), "raccourci supprimé")
        self.check(self.registry() is None, "clé de désinstallation supprimée")

    def zip(self):
        archive = os.path.join(self.build, f"Velbrisk-{self.version}-windows-x64.zip")
        if not self.check(os.path.isfile(archive), "zip présent", archive):
            return
        # A folder a person might choose: a space and an accent in its name.
        folder = tempfile.mkdtemp(prefix="Décompressé ici ", dir=self.wine.drive_c)
        try:
            with zipfile.ZipFile(archive) as z:
                names = z.namelist()
                z.extractall(folder)
            self.check(all(n.startswith("Velbrisk/") for n in names), "zip : un seul dossier Velbrisk/",
                       sorted({n.split("/")[0] for n in names}))
            unzipped = os.path.join(folder, "Velbrisk")
            self.check(files_in(unzipped) == files_in(self.staging), "zip : les fichiers du paquet")
            result = subprocess.run([sys.executable, COLLECT, "--check", unzipped],
                                    capture_output=True, text=True)
            self.check(result.returncode == 0, "zip : aucune DLL manquante ni inutile",
                       result.stderr.strip())
            ok, took = self.e2e(os.path.join(unzipped, "velbrisk.exe"), "zip")
            self.check(ok, f"le programme dézippé montre sa fenêtre principale ({took})")
        finally:
            wait(lambda: not self.wine.server_running(), 60)
            shutil.rmtree(folder, ignore_errors=True)


def files_in(folder):
    """Paths relative to the folder, with '/', of every file under it."""
    found = set()
    for root, _, files in os.walk(folder):
        found |= {os.path.relpath(os.path.join(root, f), folder).replace(os.sep, "/")
                  for f in files}
    return found


def wait(predicate, timeout):
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.2)
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    test = Test(os.path.abspath(args.build))
    test.installer()
    test.zip()
    print(f"{test.passed} passed, {test.failed} failed")
    return 1 if test.failed else 0


if __name__ == "__main__":
    sys.exit(main())
