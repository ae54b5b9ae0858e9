#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""The two Windows packages of a build (packaging/windows/make-packages.sh)
used as a person would, under the build's Wine prefix: the installer installs
for the current user alone (/CurrentUser) and for the whole machine
(/AllUsers), side by side, and each installed program starts; each uninstaller
removes its own copy and nothing else, and leaves nothing; the zip, unzipped
anywhere, has all it needs and nothing more, and starts too. Both carry the
licence and a notice for every DLL they ship.

    test_packages.py --build BUILD_DIR
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
from harness import wait_for_quietly  # noqa: E402
from wine import Wine  # noqa: E402  (knows when the prefix's wineserver is gone)

KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Velbrisk"
COLLECT = os.path.join(SOURCE, "packaging", "windows", "collect-dlls.py")
# Strings that the code of others leaves in a DLL it is compiled into: the
# notices must name it in that DLL, and only there.
SIGNATURES = {"zlib": b"deflate 1.", "PCRE2": b"this version of PCRE2", "libpng": b"libpng version",
              "FreeType": b"FREETYPE_PROPERTIES",
              "Adobe Glyph List For New Fonts": b"Omicrontonos\0Oslash\0Oslashacute\0"}
# Qt's French translation, which velbrisk.exe carries built in, uncompressed:
# Debian's bytes, from the package the notices must name.
TRANSLATION = "/usr/share/qt6/translations/qtbase_fr.qm"
TRANSLATION_PACKAGE = "qt6-translations-l10n"
# What every package owes besides the program: its licence, the notices, and
# what rebuilds the same Qt.
OWED = {"LICENSE", "LICENCES-TIERS.txt", "qt-options.txt", "qt-toolchain-mingw-w64-x86_64.cmake"}


class Mode:
    """Where an install mode puts the program, its shortcut and its key."""

    def __init__(self, name, hive, folder, programs):
        self.name, self.hive = name, hive
        self.folder = folder + "\\Velbrisk"
        self.shortcut = programs + "\\Velbrisk.lnk"


class Test:
    def __init__(self, build):
        self.build = build
        # The version the build was configured with, as the packages carry it.
        with open(os.path.join(build, "velbrisk-version.txt")) as f:
            self.version = f.read().strip()
        self.wine_run = os.path.join(build, "wine-run")
        self.wine = Wine(self.wine_run, own_dlls=True)
        self.staging = os.path.join(build, "deploy", "Velbrisk")
        self.out = os.path.join(build, "tests", "packages")
        self.passed = self.failed = 0
        # Silent steps need no display; a wineserver started on one would keep
        # it. No menu entries written into the real home for the shortcut.
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml,winemenubuilder.exe="
        start_menu = "\\Microsoft\\Windows\\Start Menu\\Programs"
        self.modes = [
            Mode("CurrentUser", "HKCU", self.folder_of("LOCALAPPDATA") + "\\Programs",
                 self.folder_of("APPDATA") + start_menu),
            Mode("AllUsers", "HKLM", "C:\\Program Files", "C:\\ProgramData" + start_menu)]

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

    def folder_of(self, variable):
        """A folder of the prefix's user, as Windows names it."""
        return self.run("cmd", "/c", f"echo %{variable}%").stdout.strip()

    def unix(self, path):
        return os.path.join(self.wine.drive_c, *path.split("\\")[1:])

    def registry(self, mode):
        """The values of a mode's uninstall key, or None without the key."""
        result = self.run("reg", "query", f"{mode.hive}\\{KEY}", "/reg:64")
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

    def notices(self, folder, where):
        """The licence and the notices are shipped; every DLL has its entry in
        the notices, and every file an entry names is shipped."""
        shipped = files_in(folder)
        self.check(OWED <= shipped, f"{where} : licence, notices et options de Qt livrées",
                   sorted(OWED - shipped))
        text = ""
        if "LICENCES-TIERS.txt" in shipped:
            with open(os.path.join(folder, "LICENCES-TIERS.txt"), encoding="utf-8") as f:
                text = f.read()
        named = {n.strip() for line in re.findall(r"^Fichiers : (.*)$", text, re.MULTILINE)
                 for n in line.split(",")}
        dlls = {f for f in shipped if f.lower().endswith(".dll")}
        self.check(dlls and dlls <= named, f"{where} : chaque DLL a sa notice", sorted(dlls - named))
        self.check(named <= shipped, f"{where} : chaque notice nomme un fichier livré",
                   sorted(named - shipped))
        entries = re.findall(r"^  - (.+), dans (\S+)$", text, re.MULTILINE)
        wrong = {}
        for name, signature in SIGNATURES.items():
            inside = {dll for dll in dlls
                      if signature in open(os.path.join(folder, dll), "rb").read()}
            listed = {dll for entry, dll in entries if entry == name}
            if inside != listed:
                wrong[name] = f"compilé dans {sorted(inside)}, nommé dans {sorted(listed)}"
        self.check(not wrong, f"{where} : le code d'autres nommé là où il est compilé", wrong)
        with open(TRANSLATION, "rb") as f:
            translation = f.read()
        exe = os.path.join(folder, "velbrisk.exe")
        carried = os.path.exists(exe) and translation in open(exe, "rb").read()
        credited = re.search(rf"^Version : paquet Debian {TRANSLATION_PACKAGE} .*$(?s:.*)"
                             r"^    Licence : GPL-3 with Qt-1\.0 exception$(?s:.*)"
                             r"^    The Qt Company GPL Exception 1\.0$", text, re.MULTILINE)
        self.check(carried and credited,
                   f"{where} : la traduction française de Qt dans velbrisk.exe, nommée par les "
                   "notices avec sa licence", f"dans l'exe : {carried}, nommée : {bool(credited)}")

    def clean_leftovers(self):
        # A run stopped halfway must not make the next one pass or fail.
        for mode in self.modes:
            shutil.rmtree(self.unix(mode.folder), ignore_errors=True)
            if os.path.exists(self.unix(mode.shortcut)):
                os.remove(self.unix(mode.shortcut))
            self.run("reg", "delete", f"{mode.hive}\\{KEY}", "/f", "/reg:64")

    def install(self, setup, mode):
        folder = self.unix(mode.folder)
        started = time.monotonic()
        result = self.run(setup, "/S", f"/{mode.name}")
        self.check(result.returncode == 0,
                   f"{mode.name} : installation silencieuse ({time.monotonic() - started:.0f} s)",
                   f"code {result.returncode} {result.stderr[-500:]}")
        installed = files_in(folder)
        expected = files_in(self.staging) | {"uninstall.exe"}
        self.check(installed == expected,
                   f"{mode.name} : fichiers installés dans {mode.folder} : ceux du paquet, "
                   "plus uninstall.exe",
                   f"en trop {sorted(installed - expected)}, manquants {sorted(expected - installed)}")
        exe = mode.folder + "\\velbrisk.exe"
        shortcut = self.unix(mode.shortcut)
        link = open(shortcut, "rb").read() if os.path.exists(shortcut) else b""
        self.check(exe.encode("utf-16-le") in link or exe.encode() in link,
                   f"{mode.name} : raccourci {mode.shortcut}, vers velbrisk.exe")
        values = self.registry(mode) or {}
        uninstaller = mode.folder + "\\uninstall.exe"
        expected_values = {
            "DisplayName": "Velbrisk", "DisplayVersion": self.version, "Publisher": "KwR-Production",
            "DisplayIcon": exe, "InstallLocation": mode.folder,
            "UninstallString": f'"{uninstaller}"', "QuietUninstallString": f'"{uninstaller}" /S',
            "NoModify": "0x1", "NoRepair": "0x1"}
        wrong = {k: values.get(k) for k, v in expected_values.items() if values.get(k) != v}
        self.check(not wrong, f"{mode.name} : clé de désinstallation {mode.hive} et ses valeurs",
                   wrong)
        # What a mode leaves on the machine, for the record.
        print(f"        {mode.folder}\\ : {' '.join(sorted(installed))}\n"
              f"        {mode.shortcut}\n        {mode.hive}\\{KEY} : "
              + " ".join(f"{k}={v}" for k, v in sorted(values.items())), flush=True)
        size_kib = sum(os.path.getsize(os.path.join(folder, f)) for f in installed) / 1024
        estimated = int(values.get("EstimatedSize", "0"), 16)
        self.check(abs(estimated - size_kib) <= 0.02 * size_kib + len(installed),
                   f"{mode.name} : EstimatedSize {estimated} Kio pour {size_kib:.0f} Kio installés")
        self.notices(folder, f"{mode.name} : dossier installé")
        ok, took = self.e2e(os.path.join(folder, "velbrisk.exe"), f"installed-{mode.name}")
        self.check(ok, f"{mode.name} : le programme installé montre sa fenêtre principale ({took})")

    def uninstall(self, mode):
        folder = self.unix(mode.folder)
        started = time.monotonic()
        # The usual way: the uninstaller copies itself out of the folder and
        # returns at once, so its work is awaited here.
        result = self.run(os.path.join(folder, "uninstall.exe"), "/S")
        gone = wait_for_quietly(
            lambda: not os.path.exists(folder) and not self.wine.server_running(), 120)
        self.check(result.returncode == 0 and gone,
                   f"{mode.name} : désinstallation silencieuse : dossier supprimé "
                   f"({time.monotonic() - started:.0f} s)",
                   f"code {result.returncode}, reste {sorted(files_in(folder))}")
        self.check(not os.path.exists(self.unix(mode.shortcut)), f"{mode.name} : raccourci supprimé")
        self.check(self.registry(mode) is None, f"{mode.name} : clé de désinstallation supprimée")

    def installer(self):
        setup = os.path.join(self.build, f"Velbrisk-{self.version}-setup.exe")
        if not self.check(os.path.isfile(setup), "installateur présent", setup):
            return
        self.clean_leftovers()
        before = paths_on(self.wine.drive_c)
        current_user, all_users = self.modes
        # Installed side by side: uninstalling the user's copy must leave the
        # machine's whole, though both share a name and one key path.
        self.install(setup, current_user)
        self.install(setup, all_users)
        self.uninstall(current_user)
        machine = self.unix(all_users.folder)
        self.check(files_in(machine) == files_in(self.staging) | {"uninstall.exe"}
                   and self.registry(all_users) is not None
                   and os.path.exists(self.unix(all_users.shortcut)),
                   "AllUsers : intacte après la désinstallation de CurrentUser")
        self.uninstall(all_users)
        left = paths_on(self.wine.drive_c) - before
        self.check(not left, "rien de laissé sur le disque C: par les deux modes", sorted(left))

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
            self.notices(unzipped, "zip")
            result = subprocess.run([sys.executable, COLLECT, "--check", unzipped],
                                    capture_output=True, text=True)
            self.check(result.returncode == 0, "zip : aucune DLL manquante ni inutile",
                       result.stderr.strip())
            ok, took = self.e2e(os.path.join(unzipped, "velbrisk.exe"), "zip")
            self.check(ok, f"le programme dézippé montre sa fenêtre principale ({took})")
        finally:
            wait_for_quietly(lambda: not self.wine.server_running(), 60)
            shutil.rmtree(folder, ignore_errors=True)


def files_in(folder):
    """Paths relative to the folder, with '/', of every file under it."""
    found = set()
    for root, _, files in os.walk(folder):
        found |= {os.path.relpath(os.path.join(root, f), folder).replace(os.sep, "/")
                  for f in files}
    return found


def paths_on(drive_c):
    """Every file and folder of the prefix's disk, but Windows' own folder and
    the temporary folders, which Wine and the uninstaller's copy use."""
    found = set()
    for root, dirs, files in os.walk(drive_c):
        relative = os.path.relpath(root, drive_c)
        dirs[:] = [d for d in dirs if d != "Temp" and not (relative == "." and d == "windows")]
        found |= {os.path.join(relative, name) for name in dirs + files}
    return found


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
