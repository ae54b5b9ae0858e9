#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes LICENCES-TIERS.txt, the notices of Velbrisk's Windows packages.

    make-notices.py BUILD_DIR QT_PREFIX > LICENCES-TIERS.txt

The prose is the template's (licences-tiers.txt.in, beside this script); what
depends on the build is filled in here: Velbrisk's version and copyright
holder (from the build folder), the exact Qt and the MinGW runtime packages,
the code of others compiled into the shipped Qt (chosen by the Qt's own
feature headers), Qt's French translation built into velbrisk.exe, the
copyright lines and the licence texts, as their authors wrote them, from
Debian's copyright files and /usr/share/common-licenses/ (or, for code that
Debian's file does not list, from Qt's own, in qt-licences/).
"""

import glob
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TEMPLATE = os.path.join(HERE, "licences-tiers.txt.in")
# qt6-base's copyright file, through the package whose version names the Qt
# (the library package is renamed libqt6core6t64 on Debian 13).
QT_COPYRIGHT = "/usr/share/doc/qt6-base-dev/copyright"
MINGW_COPYRIGHT = "/usr/share/doc/mingw-w64-x86-64-dev/copyright"
GCC_COPYRIGHT = "/usr/share/doc/gcc-mingw-w64-base/copyright"
COMMON_LICENSES = "/usr/share/common-licenses"
# Qt's French translation, which velbrisk.exe carries built in (app/CMakeLists.txt).
QT_TRANSLATION = "/usr/share/qt6/translations/qtbase_fr.qm"

# The code of others in the shipped Qt libraries: name, the DLL it is compiled
# into, the Qt features that put it there ("!" for a feature that must be off),
# and its Files: patterns in Debian's qt6-base copyright file. Unix-only code
# (forkfd, xcb) and modules this Qt leaves out are not listed.
QT_THIRD_PARTY = [
    ("double-conversion", "Qt6Core.dll", "doubleconversion !system_doubleconversion",
     "src/3rdparty/double-conversion/*"),
    ("PCRE2", "Qt6Core.dll", "regularexpression !system_pcre2",
     "src/3rdparty/pcre2/src/* src/3rdparty/pcre2/src/sljit/*"),
    ("zlib", "Qt6Core.dll", "!system_zlib", "src/3rdparty/zlib/src/*"),
    ("TinyCBOR", "Qt6Core.dll", "cborstreamwriter", "src/3rdparty/tinycbor/*"),
    ("Easing Equations (Robert Penner)", "Qt6Core.dll", "easingcurve", "src/3rdparty/easing/*"),
    ("SHA-1 (Dominik Reichl)", "Qt6Core.dll", "", "src/3rdparty/sha1/sha1.cpp"),
    ("MD4, MD5", "Qt6Core.dll", "", "src/3rdparty/md4/*"),
    ("SHA-2 (RFC 6234)", "Qt6Core.dll", "", "src/3rdparty/rfc6234/*"),
    ("SHA-3 (Keccak)", "Qt6Core.dll", "", "src/3rdparty/sha3/* src/3rdparty/sha3/brg_endian.h"),
    ("Données Unicode (UCD, CLDR)", "Qt6Core.dll", "", "src/corelib/text/qunicodetables.cpp"),
    ("FreeType", "Qt6Gui.dll", "freetype !system_freetype",
     "src/3rdparty/freetype/* src/3rdparty/freetype/src/pcf/* src/3rdparty/freetype/src/pcf/pcfutil.c "
     "src/3rdparty/freetype/src/bdf/* src/3rdparty/freetype/src/gzip/*"),
    ("HarfBuzz", "Qt6Gui.dll", "harfbuzz !system_harfbuzz",
     "src/3rdparty/harfbuzz-ng/* src/3rdparty/harfbuzz-ng/src/hb-ucd.cc"),
    ("libpng", "Qt6Gui.dll", "png !system_png", "src/3rdparty/libpng/*.c"),
    ("libjpeg-turbo", "Qt6Gui.dll", "jpeg !system_jpeg", "src/3rdparty/libjpeg/src/*"),
    ("MD4C", "Qt6Gui.dll", "textmarkdownreader !system_textmarkdownreader", "src/3rdparty/md4c/*"),
    ("Profil de couleurs sRGB de l'ICC", "Qt6Gui.dll", "", "src/3rdparty/icc/sRGB2014.icc"),
]
# Compiled into the shipped Qt too, but missing from Debian's file: holders
# and licences as Qt's own attribution files (qt_attribution.json in the
# qtbase source) and the code's headers give them; the holders are split by
# "; ". The last field names the licence text Qt keeps beside that code,
# copied byte for byte from qtbase 6.4.2 into qt-licences/ (its file there,
# and the file in qtbase it comes from), or None for a licence whose text
# Debian's file or common-licenses holds. Qt's options never leave these out.
QT_UNLISTED = [
    ("BLAKE2", "Qt6Core.dll", "!system_libb2", "2012 Samuel Neves <sneves@dei.uc.pt>", "CC0-1.0",
     None),
    ("SipHash (Jean-Philippe Aumasson, Daniel J. Bernstein)", "Qt6Core.dll", "",
     "2012-2014 Jean-Philippe Aumasson; 2012-2014 Daniel J. Bernstein <djb@cr.yp.to>",
     "CC0-1.0", None),
    # FreeType's licence or the GPL 2: these packages take FreeType's (CHOSEN).
    ("Rastériseur anticrénelé de FreeType 2 (qgrayraster)", "Qt6Gui.dll", "",
     "2000-2016 David Turner, Robert Wilhelm, and Werner Lemberg", "FTL", None),
    ("Mise à l'échelle lissée d'Imlib2 (qimagescale)", "Qt6Gui.dll", "",
     "2004, 2005 Daniel M. Duley; 2000 Carsten Haitzler and various contributors; "
     "Willem Monsuwe <willem@stack.nl>", "BSD-2-Clause and Imlib2",
     "LICENSE.qimagescale"),  # src/gui/painting/QIMAGETRANSFORM_LICENSE.txt
    ("Régions du serveur X (qregion)", "Qt6Gui.dll", "",
     "1987, 1988 X Consortium; 1987, 1988 Digital Equipment Corporation, Maynard, Massachusetts",
     "X11 and HPND", "LICENSE.qregion"),  # src/gui/painting/XCONSORTIUM_LICENSE.txt
    ("Adobe Glyph List For New Fonts", "Qt6Gui.dll", "",
     "2002, 2003, 2005, 2006, 2008, 2010, 2015 Adobe Systems", "BSD-3-Clause",
     "LICENSE.aglfn"),  # src/gui/text/AGLFN_LICENSE.txt
]
QT_LICENCES = os.path.join(HERE, "qt-licences")
# Where a licence offers a choice, the one these packages are shipped under.
CHOSEN = {"lgpl-3 or gpl-2": "LGPL-3", "gpl-2+ or ftl": "FTL"}


class Failure(Exception):
    pass


def paragraphs(path):
    """The paragraphs of a Debian copyright file, each a dict of its fields;
    a field's continuation lines are kept, with their first space removed."""
    result, fields, name = [], {}, None
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines() + [""]
    for line in lines:
        if not line.strip():
            if fields:
                result.append(fields)
            fields, name = {}, None
        elif line[0] in " \t" and name:
            fields[name] += "\n" + line[1:]
        elif ":" in line and not line.startswith("#"):
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return result


def field_head(value):
    return value.split("\n", 1)[0].strip()


def field_body(value):
    """A field's continuation lines as text: ' .' lines are blank ones."""
    body = value.split("\n")[1:]
    return "\n".join("" if line.strip() == "." else line for line in body).strip("\n")


class Copyright:
    def __init__(self, path):
        self.path = path
        self.paragraphs = paragraphs(path)

    def files(self, pattern):
        for p in self.paragraphs:
            if "Files" in p and pattern in p["Files"].split():
                return p
        raise Failure(f"{self.path} ne cite pas {pattern}")

    def licence_text(self, name):
        for p in self.paragraphs:
            if "Files" not in p and field_head(p.get("License", "")).lower() == name.lower():
                return field_body(p["License"])
        return None


def licence_text(name, source):
    """The full text of a licence: the common-licenses file when there is one
    (the copyright files only point to it), else the copyright file's own
    paragraph."""
    common = os.path.join(COMMON_LICENSES, name)
    if os.path.isfile(common):
        with open(common, encoding="utf-8") as f:
            return f.read().strip("\n")
    text = source.licence_text(name) if source else None
    if not text:
        raise Failure(f"pas de texte pour la licence {name}")
    return text


def split_licence(expression):
    """The licences an expression asks for, after the choices are made."""
    chosen = CHOSEN.get(expression.lower(), expression)
    return [part.strip() for part in re.split(r"\s+and\s+", chosen)]


def qt_features(qt):
    """The features the Qt was built with, on or off, as its configuration
    headers and its qmake module files record them."""
    features = {}
    for header in glob.glob(os.path.join(qt, "include", "**", "*config*.h"), recursive=True):
        with open(header, encoding="utf-8", errors="replace") as f:
            for name, value in re.findall(r"#define QT_FEATURE_(\w+) (-?1)\b", f.read()):
                features[name] = value == "1"
    for pri in glob.glob(os.path.join(qt, "mkspecs", "**", "*.pri"), recursive=True):
        with open(pri, encoding="utf-8", errors="replace") as f:
            for state, names in re.findall(r"^QT\.\w+\.(enabled|disabled)_features\s*=(.*)$",
                                           f.read(), re.MULTILINE):
                for name in names.split():
                    features[name.replace("-", "_")] = state == "enabled"
    if "png" not in features:
        raise Failure(f"pas d'en-têtes de fonctions de Qt dans {qt}/include")
    return features


def compiled_in(condition, features):
    for word in condition.split():
        if word.lstrip("!") not in features:
            raise Failure(f"la fonction {word.lstrip('!')} de Qt est inconnue")
        if features[word.lstrip("!")] == word.startswith("!"):
            return False
    return True


def package_version(package, form="${Version}"):
    result = subprocess.run(["dpkg-query", "-W", "-f", form, package],
                            capture_output=True, text=True)
    if result.returncode != 0 or not result.stdout:
        raise Failure(f"paquet {package} absent")
    return result.stdout


def debian_release():
    """The Debian release this Qt was built on ("12"), whose packages rebuild it."""
    with open("/etc/os-release", encoding="utf-8") as f:
        fields = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    return fields["VERSION_ID"].strip('"')


def package_of(dll, folders):
    """The Debian package that provided the runtime DLL the build uses, with
    its version and its source package."""
    for folder in folders:
        path = os.path.join(folder, dll)
        if os.path.isfile(path):
            result = subprocess.run(["dpkg", "-S", os.path.realpath(path)],
                                    capture_output=True, text=True)
            if result.returncode == 0:
                package = result.stdout.split(":", 1)[0]
                return package_version(package, "${Package} ${Version} (paquet source "
                                       "${source:Package} ${source:Version})")
    raise Failure(f"{dll} n'est dans aucun paquet Debian des dossiers de la construction")


def qt_translation(build):
    """The Debian package of the Qt translation that velbrisk.exe carries,
    and its copyright file; fails when the exe does not hold its bytes."""
    with open(QT_TRANSLATION, "rb") as f:
        translation = f.read()
    with open(os.path.join(build, "app", "velbrisk.exe"), "rb") as f:
        if translation not in f.read():
            raise Failure(f"velbrisk.exe ne contient pas {QT_TRANSLATION}")
    result = subprocess.run(["dpkg", "-S", QT_TRANSLATION], capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure(f"{QT_TRANSLATION} n'est dans aucun paquet Debian")
    package = result.stdout.split(":", 1)[0]
    return (package_version(package, "${Package} ${Version} (paquet source "
                            "${source:Package} ${source:Version})"),
            Copyright(f"/usr/share/doc/{package}/copyright"))


def gcc_exception():
    with open(GCC_COPYRIGHT, encoding="utf-8") as f:
        text = f.read()
    match = re.search(r"^GCC RUNTIME LIBRARY EXCEPTION$.*?^requirements of the license of GCC\.$",
                      text, re.MULTILINE | re.DOTALL)
    if not match:
        raise Failure(f"{GCC_COPYRIGHT} ne contient pas l'exception de GCC")
    return match.group(0)


def indent(lines):
    return "\n".join("    " + line if line else "" for line in lines)


def notices(build, qt):
    def read(name):
        with open(os.path.join(build, name), encoding="utf-8") as f:
            return f.read().strip()

    qt_copyright, mingw_copyright = Copyright(QT_COPYRIGHT), Copyright(MINGW_COPYRIGHT)
    with open(os.path.join(build, "dll-folders.txt"), encoding="utf-8") as f:
        folders = [line.strip() for line in f if line.strip()]
    features = qt_features(qt)
    # (copyright file, lower-case name) -> (name, the components under it): a
    # text is taken from the file that names the licence, as its authors differ.
    licences = {}

    def uses(name, component, source):
        entry = licences.setdefault((source, name.lower()), (name, []))
        if component not in entry[1]:
            entry[1].append(component)

    def describe(component, source, found):
        """The lines naming the holders and licences of Files: paragraphs; a
        licence text the paragraph carries is given there, the others once,
        at the end."""
        lines = []
        for p in {id(p): p for p in found}.values():
            expression = field_head(p["License"])
            holders = [h.strip() for h in field_body("\n" + p["Copyright"]).split("\n")
                       if h.strip() not in ("", "-")]
            lines += ["", f"    Licence : {expression}", indent(["Copyright " + h for h in holders])]
            inline = field_body(p["License"])
            if inline:
                lines += ["", indent(inline.split("\n"))]
            else:
                for licence in split_licence(expression):
                    uses(licence, component, source)
        return lines

    block = []
    for name, dll, condition, patterns in QT_THIRD_PARTY:
        if compiled_in(condition, features):
            block += [f"  - {name}, dans {dll}",
                      *describe(name, qt_copyright,
                                [qt_copyright.files(p) for p in patterns.split()])[1:], ""]
    for name, dll, condition, holders, licence, text in QT_UNLISTED:
        if compiled_in(condition, features):
            block += [f"  - {name}, dans {dll}", f"    Licence : {licence}",
                      indent(["Copyright " + h for h in holders.split("; ")]), ""]
            if text:
                with open(os.path.join(QT_LICENCES, text), encoding="utf-8") as f:
                    block += [indent(f.read().strip("\n").split("\n")), ""]
            else:
                for part in split_licence(licence):
                    uses(part, name, qt_copyright)
    winpthreads_block = describe("winpthreads", mingw_copyright, [mingw_copyright.files(p) for p in (
        "mingw-w64-libraries/winpthreads/*", "mingw-w64-libraries/winpthreads/include/pthread.h",
        "mingw-w64-libraries/winpthreads/src/clock.c",
        "mingw-w64-libraries/winpthreads/src/libgcc/dll_math.c")])[1:]

    # The translation's licence text is given in its own section, whole.
    translation_package, translation_copyright = qt_translation(build)
    translation = translation_copyright.files("*")
    translation_licence = field_head(translation["License"])
    translation_block = [
        f"    Licence : {translation_licence}",
        indent(["Copyright " + h.strip() for h in
                field_body("\n" + translation["Copyright"]).split("\n") if h.strip()]), "",
        indent(licence_text(translation_licence, translation_copyright).split("\n"))]

    texts = []
    for key in sorted(licences, key=lambda k: (k[1], k[0] is not qt_copyright)):
        name, components = licences[key]
        if key[1] != "lgpl-3":  # given whole in Qt's section
            text = licence_text(name, key[0])
            texts += [f"--- {name} ({', '.join(components)})", "", text, ""]

    qt_debian = package_version("qt6-base-dev")
    values = {
        "VERSION": read("velbrisk-version.txt"),
        "COPYRIGHT": read("velbrisk-copyright.txt"),
        "QT_VERSION": qt_debian.split("+")[0].split("-")[0],
        "QT_DEBIAN_VERSION": qt_debian,
        "DEBIAN_RELEASE": debian_release(),
        "QT_THIRD_PARTY": "\n".join(block).rstrip(),
        "QT_TRANSLATION_PACKAGE": translation_package,
        "QT_TRANSLATION_SOURCE": translation_package.split("paquet source ")[1].rstrip(")")
                                                     .replace(" ", "="),
        "QT_TRANSLATION_NOTICES": "\n".join(translation_block).rstrip(),
        "GCC_PACKAGE": package_of("libstdc++-6.dll", folders),
        "WINPTHREADS_PACKAGE": package_of("libwinpthread-1.dll", folders),
        "WINPTHREADS_NOTICES": "\n".join(winpthreads_block).rstrip(),
        "GCC_EXCEPTION": gcc_exception(),
        "LGPL_3": licence_text("LGPL-3", None),
        "OTHER_LICENCES": "\n".join(texts).rstrip(),
        "CONTENTS": "\0",  # filled once the sections are numbered
    }
    with open(TEMPLATE, encoding="utf-8") as f:
        template = f.read()
    text = re.sub(r"@([A-Z_0-9]+)@", lambda m: values[m.group(1)], template)

    # The sections are numbered, and the contents list them.
    contents, number, lines = [], 0, []
    for line in text.split("\n"):
        if line.startswith("== "):
            number += 1
            line = f"{number}. {line[3:]}"
            contents.append("  " + line)
            lines += [line, "-" * len(line)]
        else:
            lines.append(line)
    text = "\n".join(lines).replace("\0", "\n".join(contents))
    # Notepad and every Windows editor read CR LF.
    return text.rstrip("\n").replace("\n", "\r\n") + "\r\n"


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    try:
        sys.stdout.buffer.write(notices(sys.argv[1], sys.argv[2]).encode("utf-8"))
    except (Failure, OSError, KeyError) as failure:
        print(f"make-notices: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
