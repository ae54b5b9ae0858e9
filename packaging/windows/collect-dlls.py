#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""Gathers a Windows program with exactly the DLLs it needs, found by following
the import tables of the program and of its Qt plugins.

    collect-dlls.py [--plugin-root DIR --plugin platforms/qwindows.dll]...
                    --search DIR [--search DIR]... PROGRAM.exe DEST
    collect-dlls.py --check FOLDER
    collect-dlls.py --nsis FOLDER

The first form copies the program, the plugins (keeping their folder under
DEST) and every DLL they load, directly or not, that is found in a search
folder; DLLs that Windows itself provides are left out. The second verifies a
gathered folder: nothing it needs is missing and nothing in it is unused. The
third prints the NSIS macros VelbriskInstallFiles and VelbriskUninstallFiles,
which install and remove exactly the files of a gathered folder.
"""

import argparse
import fnmatch
import os
import re
import shutil
import subprocess
import sys

OBJDUMP = os.environ.get("OBJDUMP", "x86_64-w64-mingw32-objdump")

# DLLs that every Windows (and Wine) has, so they are never shipped. Kept
# explicit: an import that is neither here nor in a search folder is a DLL we
# forgot to give, and must stop the packaging rather than the user's start-up.
SYSTEM_DLLS = {
    "advapi32.dll", "authz.dll", "bcrypt.dll", "comctl32.dll", "comdlg32.dll",
    "crypt32.dll", "d2d1.dll", "d3d11.dll", "d3d12.dll", "d3d9.dll", "dcomp.dll",
    "dwmapi.dll", "dwrite.dll", "dxgi.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
    "mpr.dll", "msvcrt.dll", "netapi32.dll", "ntdll.dll", "ole32.dll", "oleaut32.dll",
    "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "userenv.dll", "uxtheme.dll", "version.dll", "winmm.dll", "ws2_32.dll",
    "wtsapi32.dll",
}
SYSTEM_PATTERNS = ("api-ms-win-*.dll", "ext-ms-*.dll")


class Failure(Exception):
    pass


def is_system(name):
    name = name.lower()
    return name in SYSTEM_DLLS or any(fnmatch.fnmatch(name, p) for p in SYSTEM_PATTERNS)


def imports(path):
    """The DLL names in the import tables of a 64-bit PE file."""
    result = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True,
                            errors="replace")
    if result.returncode != 0:
        raise Failure(f"{OBJDUMP} -p {path}: {result.stderr.strip()}")
    # A 32-bit DLL of the same name in a search folder would load nowhere.
    if not re.search(r"file format pei-x86-64", result.stdout):
        raise Failure(f"{path} n'est pas un fichier Windows 64 bits")
    return re.findall(r"^\s*DLL Name:\s*(\S+)\s*$", result.stdout, re.MULTILINE)


def dlls_in(folder):
    """Lower-case name -> path of the DLLs directly in a folder."""
    found = {}
    if os.path.isdir(folder):
        for entry in sorted(os.listdir(folder)):
            path = os.path.join(folder, entry)
            if entry.lower().endswith(".dll") and os.path.isfile(path):
                found.setdefault(entry.lower(), path)
    return found


def closure(roots, find):
    """Follows the imports from the roots. find(name) gives a DLL's path or
    None. Returns (lower-case name -> path of the DLLs needed, sorted list of
    (needed name, importer) that are neither found nor system DLLs)."""
    needed, missing = {}, []
    todo = list(roots)
    seen = set()
    while todo:
        path = todo.pop()
        if path in seen:
            continue
        seen.add(path)
        for name in imports(path):
            key = name.lower()
            if key in needed or is_system(key):
                continue
            where = find(key)
            if where is None:
                missing.append((name, os.path.basename(path)))
                continue
            needed[key] = where
            todo.append(where)
    return needed, sorted(missing)


def collect(exe, dest, plugin_root, plugins, search):
    if os.path.exists(dest) and os.listdir(dest):
        raise Failure(f"{dest} n'est pas vide : les fichiers d'un autre paquet s'y mêleraient")
    folders = [dlls_in(folder) for folder in search]

    def find(key):
        for folder in folders:
            if key in folder:
                return folder[key]
        return None

    roots = [exe]
    for plugin in plugins:
        if plugin_root is None:
            raise Failure("--plugin demande --plugin-root")
        path = os.path.join(plugin_root, plugin)
        if not os.path.isfile(path):
            raise Failure(f"greffon introuvable : {path}")
        roots.append(path)
    needed, missing = closure(roots, find)
    if missing:
        raise Failure("DLL introuvable : " + ", ".join(f"{n} (pour {by})" for n, by in missing)
                      + " ; dossiers cherchés : " + " ".join(search))
    os.makedirs(dest, exist_ok=True)
    copies = [(exe, os.path.basename(exe))] + [(os.path.join(plugin_root, p), p) for p in plugins]
    copies += [(path, os.path.basename(path)) for _, path in sorted(needed.items())]
    for source, relative in copies:
        target = os.path.join(dest, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)
        print(f"{relative}  <-  {source}")
    problems = check(dest)
    if problems:
        raise Failure("; ".join(problems))


def check(folder):
    """What is wrong with a gathered folder, as sentences; empty when nothing.
    The programs and the plugins (the DLLs in subfolders, which Qt loads by
    itself) are where the imports start; the other DLLs are found beside the
    program, as Windows looks for them."""
    top = dlls_in(folder)
    roots = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            low = name.lower()
            if (root == folder and low.endswith(".exe")) or (root != folder and low.endswith(".dll")):
                roots.append(os.path.join(root, name))
    problems = []
    if not any(r.lower().endswith(".exe") for r in roots):
        problems.append(f"aucun programme dans {folder}")
    needed, missing = closure(roots, top.get)
    problems += [f"{name} manque (pour {by})" for name, by in missing]
    problems += [f"{os.path.basename(path)} est une DLL de Windows, à ne pas livrer"
                 for key, path in top.items() if is_system(key)]
    problems += [f"{os.path.basename(path)} ne sert à rien" for key, path in top.items()
                 if key not in needed and not is_system(key)]
    return problems


def nsis_lists(folder):
    """The installer's two file lists; the uninstaller removes only what the
    installer put, and a folder only once it is empty."""
    def text(path, under_instdir=True):
        if '"' in path:
            raise Failure(f"guillemet dans un nom : {path}")
        path = path.replace("$", "$$")
        return f'"$INSTDIR{path}"' if under_instdir else f'"{path}"'

    install, uninstall, subfolders = [], [], []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        relative = os.path.relpath(root, folder)
        windows = "" if relative == "." else "\\" + relative.replace("/", "\\")
        if files:
            install.append(f"  SetOutPath {text(windows)}")
        for name in sorted(files):
            install.append(f"  File {text(os.path.abspath(os.path.join(root, name)), False)}")
            uninstall.append(f"  Delete {text(windows + chr(92) + name)}")
        if windows:
            subfolders.append(f"  RMDir {text(windows)}")
    if not install:
        raise Failure(f"{folder} est vide")
    uninstall += reversed(subfolders)  # the deepest first
    return "\n".join(["!macro VelbriskInstallFiles", *install, "!macroend",
                      "!macro VelbriskUninstallFiles", *uninstall, "!macroend", ""])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", metavar="FOLDER")
    parser.add_argument("--nsis", metavar="FOLDER")
    parser.add_argument("--plugin-root")
    parser.add_argument("--plugin", action="append", default=[])
    parser.add_argument("--search", action="append", default=[])
    parser.add_argument("exe", nargs="?")
    parser.add_argument("dest", nargs="?")
    args = parser.parse_args()
    try:
        if args.nsis:
            sys.stdout.write(nsis_lists(args.nsis))
        elif args.check:
            problems = check(args.check)
            if problems:
                raise Failure("; ".join(problems))
            print(f"{args.check} : complet, rien d'inutile")
        else:
            if not args.exe or not args.dest or not args.search:
                parser.error("PROGRAM, DEST et au moins un --search sont demandés")
            collect(args.exe, args.dest, args.plugin_root, args.plugin, args.search)
    except (Failure, OSError) as failure:
        print(f"collect-dlls: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
