# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced (not run) by scripts/windows and scripts/release: finds the Qt for
# Windows cached in ~/.cache/velbrisk/, or cross-builds it there once.
# Needs from its caller: $source (the source tree), $jobs and fail().
# Gives: $qt (the Qt's prefix) and windows_qt, which makes sure it is whole.

# The host tools (moc, rcc, uic) are the system Qt's, so the Windows Qt is
# built from the sources of exactly that version.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
options=$source/packaging/windows/qt-options.txt
toolchain=$source/packaging/windows/toolchain-mingw-w64-x86_64.cmake
key=$( (echo "$qt_version"; cat "$options" "$toolchain") | sha256sum | cut -c1-16)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/velbrisk
qt=$cache/qt-${qt_version%%+*}-$key
stamp=$qt/velbrisk-complete

qt_is_whole() {
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$qt_version $key" ] || return 1
    local file
    for file in bin/qt-cmake lib/cmake/Qt6/Qt6Config.cmake bin/Qt6Core.dll bin/Qt6Gui.dll \
        bin/Qt6Widgets.dll bin/Qt6Test.dll plugins/platforms/qwindows.dll \
        plugins/platforms/qoffscreen.dll velbrisk-toolchain.cmake; do
        [ -s "$qt/$file" ] || return 1
    done
}

# Fetches Debian's qt6-base source package of version $qt_version into $1,
# through a private list of source repositories made from the machine's own:
# the machine's apt configuration is left as it is.
fetch_qt_sources() {
    local work=$1 lists=$1/apt
    mkdir -p "$lists/parts" "$lists/state/partial"
    : >"$lists/sources.list"
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$lists/sources.list"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && sed 's/^Types:.*/Types: deb-src/' "$file" >"$lists/parts/$(basename "$file")"
    done
    local apt=(apt-get -qq -o "Dir::Etc::SourceList=$lists/sources.list"
        -o "Dir::Etc::SourceParts=$lists/parts" -o "Dir::State::Lists=$lists/state"
        -o "Dir::Cache=$lists/cache" -o APT::Sandbox::User=root)
    "${apt[@]}" --error-on=any update >"$work/apt.log" 2>&1 ||
        fail "les dépôts de sources Debian sont injoignables (pas de réseau ?) : impossible d'obtenir les sources de Qt ($work/apt.log)"
    (cd "$work" && "${apt[@]}" source --download-only "qt6-base=$qt_version") >>"$work/apt.log" 2>&1 ||
        fail "les sources de qt6-base $qt_version n'ont pas pu être téléchargées ($work/apt.log)"
    dpkg-source -x "$work"/qt6-base_*.dsc "$work/src" >>"$work/apt.log" 2>&1 ||
        fail "les sources de Qt n'ont pas pu être dépaquetées ($work/apt.log)"
}

build_qt() {
    local work=$cache/work-$key
    rm -rf "$qt" "$work"
    mkdir -p "$qt" "$work"
    echo "Qt $qt_version pour Windows n'est pas encore construit : construction dans $qt (une fois, 25 à 40 minutes)"
    fetch_qt_sources "$work"
    # Qt remembers its toolchain file: a copy that lives with it.
    cp "$toolchain" "$qt/velbrisk-toolchain.cmake"
    local defines=()
    mapfile -t defines < <(sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' -e 's/^/-D/' "$options")
    cmake -S "$work/src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/velbrisk-toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$qt" "${defines[@]}" >"$work/configure.log" 2>&1 ||
        { tail -n 30 "$work/configure.log"; fail "la configuration de Qt a échoué ($work/configure.log)"; }
    cmake --build "$work/build" -j "$jobs" >"$work/build.log" 2>&1 ||
        { grep -m 20 -B 2 -A 10 'error' "$work/build.log" | head -n 60; fail "la construction de Qt a échoué ($work/build.log)"; }
    cmake --install "$work/build" >"$work/install.log" 2>&1 ||
        { tail -n 30 "$work/install.log"; fail "l'installation de Qt a échoué ($work/install.log)"; }
    # Written last: a build stopped half-way is never taken for a whole one.
    echo "$qt_version $key" >"$stamp"
    rm -rf "$work"
}

# Builds Qt when the cache holds no whole build of it.
windows_qt() {
    if qt_is_whole; then
        echo "déjà construit : $qt"
    else
        build_qt
        qt_is_whole || fail "Qt construit dans $qt est incomplet"
    fi
}
