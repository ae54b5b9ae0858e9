#!/bin/sh
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes Velbrisk's two Windows packages from a Windows build:
#   BUILD_DIR/Velbrisk-VERSION-windows-x64.zip   the program in one folder Velbrisk/
#   BUILD_DIR/Velbrisk-VERSION-setup.exe         its installer
# from BUILD_DIR/app/velbrisk.exe, the Qt it was built with (QT_PREFIX) and
# the MinGW runtime of the build's compiler. VERSION is the one the build was
# configured with (BUILD_DIR/velbrisk-version.txt). Both hold the same files, those
# gathered in BUILD_DIR/deploy/Velbrisk/: the program and its DLLs, Velbrisk's
# licence (LICENSE), the notices of every shipped component (LICENCES-TIERS.txt,
# made by make-notices.py) and the options and toolchain Qt was built with.
#
#   packaging/windows/make-packages.sh BUILD_DIR QT_PREFIX
set -eu

PLUGINS=platforms/qwindows.dll

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR QT_PREFIX" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
qt=$(cd "$2" && pwd)
exe=$build/app/velbrisk.exe
VERSION=$(cat "$build/velbrisk-version.txt" 2>/dev/null || true)
case $VERSION in
    [0-9]*.[0-9][0-9]) ;;
    *) echo "make-packages: pas de version lisible dans $build/velbrisk-version.txt" >&2
       exit 1 ;;
esac
COPYRIGHT=$(cat "$build/velbrisk-copyright.txt" 2>/dev/null || true)
[ -n "$COPYRIGHT" ] || {
    echo "make-packages: pas de titulaire des droits dans $build/velbrisk-copyright.txt" >&2
    exit 1
}
PUBLISHER=$(cat "$build/velbrisk-publisher.txt" 2>/dev/null || true)
[ -n "$PUBLISHER" ] || {
    echo "make-packages: pas d'éditeur dans $build/velbrisk-publisher.txt" >&2
    exit 1
}
deploy=$build/deploy
staging=$deploy/Velbrisk
zip=$build/Velbrisk-$VERSION-windows-x64.zip
setup=$build/Velbrisk-$VERSION-setup.exe
log=$deploy/make-packages.log

fail() {
    echo "make-packages: $*" >&2
    [ -s "$log" ] && sed 's/^/  /' "$log" >&2
    exit 1
}

[ -f "$exe" ] || fail "$exe manque : construire d'abord la cible velbrisk"
for tool in zip makensis x86_64-w64-mingw32-strip; do
    command -v $tool >/dev/null || fail "$tool manque (apt-get install $tool)"
done

rm -rf "$staging" "$zip" "$setup"
mkdir -p "$deploy"
: >"$log"

# The arguments of collect-dlls.py, kept whole even with spaces in the paths.
set -- --plugin-root "$qt/plugins"
for plugin in $PLUGINS; do
    set -- "$@" --plugin "$plugin"
done
# The DLLs come from where the build's own programs find them (Qt's and the
# compiler's runtime), listed by the build.
[ -s "$build/dll-folders.txt" ] || fail "$build/dll-folders.txt manque : reconfigurer la construction"
while IFS= read -r folder; do
    [ -n "$folder" ] && set -- "$@" --search "$folder"
done <"$build/dll-folders.txt"
python3 "$here/collect-dlls.py" "$@" "$exe" "$staging" >>"$log" 2>&1 ||
    fail "collect-dlls.py a échoué"
# The copies only: the runtime DLLs carry their debugging data (libstdc++ is
# 20 MB of it), which no user needs.
find "$staging" -type f \( -name '*.dll' -o -name '*.exe' \) \
    -exec x86_64-w64-mingw32-strip --strip-unneeded {} + >>"$log" 2>&1 ||
    fail "strip a échoué"

# What the packages owe: the licence, the notices, and what rebuilds the same
# Qt. The options must be those this Qt was built with: its folder's name ends
# with the key scripts/windows made of them.
key=$(bash "$here/../../scripts/lib/windows-qt.sh" windows_qt_key "$here/../..")
[ "${qt##*-}" = "$key" ] ||
    fail "$qt n'a pas été construit avec les options et la chaîne de compilation de packaging/windows/ et le qt6-base installé (clé $key)"
cp "$here/../../LICENSE" "$staging/LICENSE"
cp "$here/qt-options.txt" "$staging/qt-options.txt"
cp "$qt/velbrisk-toolchain.cmake" "$staging/qt-toolchain-mingw-w64-x86_64.cmake"
python3 "$here/make-notices.py" "$build" "$qt" >"$staging/LICENCES-TIERS.txt" 2>>"$log" ||
    fail "make-notices.py a échoué"

# --- The same bytes from the same sources (scripts/release) ---------------
# With SOURCE_DATE_EPOCH set (strip already stamped the PE headers with it),
# every file and folder is dated from it: the zip's entries and the installer
# (NSIS keeps each file's time) carry no time of the build. Modes are fixed,
# the zip lists its entries in name order, in UTC, without extra fields (-X).
chmod -R u=rwX,go=rX "$staging"
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    find "$staging" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + || fail "touch a échoué"
fi
(cd "$deploy" && find Velbrisk | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$zip") >>"$log" 2>&1 ||
    fail "zip a échoué"
# ---------------------------------------------------------------------------
echo "$zip"

# -WX: a warning (a missing icon, a define not used...) stops the installer.
makensis -V2 -WX "-DSTAGING=$staging" "-DVERSION=$VERSION" "-DCOPYRIGHT=$COPYRIGHT" \
    "-DPUBLISHER=$PUBLISHER" \
    "-DOUTFILE=$setup" \
    "$here/velbrisk.nsi" >>"$log" 2>&1 || fail "makensis a échoué"
[ -f "$setup" ] || fail "makensis n'a pas fait $setup"
echo "$setup"
