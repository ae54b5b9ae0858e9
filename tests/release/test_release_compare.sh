#!/bin/sh
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# The verdict of scripts/release --check, on two small dist/ folders: the same
# bytes pass; one byte changed in a package, in the velbrisk.exe of the zip
# only, or a file missing fail, with the differing file named and a report.
#
#   test_release_compare.sh SOURCE_DIR
set -eu
release=$1/scripts/release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# dist(FOLDER EXE_TEXT DEB_TEXT): a dist/ folder with a zip holding that exe.
dist() {
    mkdir -p "$1"
    python3 -c 'import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    z.writestr(zipfile.ZipInfo("Velbrisk/velbrisk.exe", (2026, 1, 1, 0, 0, 0)), sys.argv[2])' \
        "$1/Velbrisk-2.00-windows-x64.zip" "$2"
    printf '%s' "$3" >"$1/velbrisk_2.00+deb12_amd64.deb"
    (cd "$1" && sha256sum -- * >SHA256SUMS)
}

failed=0
# expect(CASE STATUS TEXT): --compare of $work/CASE/a and b gives STATUS and prints TEXT.
expect() {
    status=0
    "$release" --compare "$work/$1/a" "$work/$1/b" >"$work/$1.out" 2>&1 || status=$?
    if [ $status -eq "$2" ] && grep -q -- "$3" "$work/$1.out"; then
        echo "ok ($1)"
    else
        echo "ÉCHEC ($1) : code $status, attendu $2 et « $3 »"
        cat "$work/$1.out"
        failed=1
    fi
}

dist "$work/same/a" exe deb
dist "$work/same/b" exe deb
expect same 0 "^velbrisk.exe .* identique$"

dist "$work/deb/a" exe deb
dist "$work/deb/b" exe dex
expect deb 1 "^velbrisk_2.00+deb12_amd64.deb .* DIFFÉRENT$"
grep -q "^--- .*velbrisk_2.00+deb12_amd64.deb" "$work/deb.out" || { echo "ÉCHEC (deb) : pas de rapport de diffoscope"; failed=1; }

dist "$work/exe/a" exe deb
dist "$work/exe/b" exf deb
expect exe 1 "^velbrisk.exe .* DIFFÉRENT$"

dist "$work/missing/a" exe deb
dist "$work/missing/b" exe deb
rm "$work/missing/b/velbrisk_2.00+deb12_amd64.deb"
expect missing 1 "^velbrisk_2.00+deb12_amd64.deb .*(absent) .* DIFFÉRENT$"
exit $failed
