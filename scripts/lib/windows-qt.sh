# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# The Qt for Windows that Velbrisk is built with, cross-built once from
# Debian's own qt6-base source and cached in ~/.cache/velbrisk/. Sourced by
# scripts/windows and scripts/release (with scripts/lib/common.sh, for fail):
#   windows_qt TREE JOBS     builds it with JOBS jobs unless the cache holds a
#                            whole one; a second run meanwhile waits for it
#   windows_qt_prefix TREE   where it is (or will be) installed
# Run as `bash windows-qt.sh windows_qt_key TREE`, it prints the key that
# names the cached Qt of the source tree TREE (make-packages.sh checks it).
#
# The host tools (moc, rcc, uic) are the system Qt's, so the Windows Qt is
# built from the sources of exactly that version; the key sums up that
# version, the options and the toolchain file of TREE.

windows_qt_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

windows_qt_key() {
    local tree=$1
    (windows_qt_version; echo
        cat "$tree/packaging/windows/qt-options.txt" \
            "$tree/packaging/windows/toolchain-mingw-w64-x86_64.cmake") | sha256sum | cut -c1-16
}

windows_qt_cache() {
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/velbrisk"
}

windows_qt_prefix() {
    local version
    version=$(windows_qt_version)
    echo "$(windows_qt_cache)/qt-${version%%+*}-$(windows_qt_key "$1")"
}

# True when PREFIX holds a whole build of Qt VERSION with KEY.
qt_is_whole() {
    local qt=$1 version=$2 key=$3 file
    [ -f "$qt/velbrisk-complete" ] && [ "$(cat "$qt/velbrisk-complete")" = "$version $key" ] ||
        return 1
    for file in bin/qt-cmake lib/cmake/Qt6/Qt6Config.cmake bin/Qt6Core.dll bin/Qt6Gui.dll \
        bin/Qt6Widgets.dll bin/Qt6Test.dll plugins/platforms/qwindows.dll \
        plugins/platforms/qoffscreen.dll velbrisk-toolchain.cmake; do
        [ -s "$qt/$file" ] || return 1
    done
}

# Fetches Debian's qt6-base source package of VERSION into WORK, through a
# private list of source repositories made from the machine's own: the
# machine's apt configuration is left as it is.
fetch_qt_sources() {
    local work=$1 version=$2 lists=$1/apt
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
    (cd "$work" && "${apt[@]}" source --download-only "qt6-base=$version") >>"$work/apt.log" 2>&1 ||
        fail "les sources de qt6-base $version n'ont pas pu être téléchargées ($work/apt.log)"
    dpkg-source -x "$work"/qt6-base_*.dsc "$work/src" >>"$work/apt.log" 2>&1 ||
        fail "les sources de Qt n'ont pas pu être dépaquetées ($work/apt.log)"
}

# Builds Qt VERSION from the options and toolchain of TREE into PREFIX.
build_qt() {
    local tree=$1 jobs=$2 qt=$3 version=$4 key=$5
    local work options=$tree/packaging/windows/qt-options.txt
    work=$(windows_qt_cache)/work-$key
    # A build stopped half-way (the machine shut down, Ctrl+C) goes on where
    # it stopped: its folder is named by the same key, so it is the same build.
    if [ -f "$work/configured" ] && [ -f "$qt/velbrisk-toolchain.cmake" ]; then
        echo "Qt $version pour Windows : reprise de la construction interrompue dans $work"
    else
        rm -rf "$qt" "$work"
        mkdir -p "$qt" "$work"
        echo "Qt $version pour Windows n'est pas encore construit : construction dans $qt (une fois, 25 à 40 minutes)"
        fetch_qt_sources "$work" "$version"
        # Qt remembers its toolchain file: a copy that lives with it.
        cp "$tree/packaging/windows/toolchain-mingw-w64-x86_64.cmake" "$qt/velbrisk-toolchain.cmake"
        local defines=()
        mapfile -t defines < <(sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' -e 's/^/-D/' "$options")
        cmake -S "$work/src" -B "$work/build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$qt/velbrisk-toolchain.cmake" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DCMAKE_INSTALL_PREFIX="$qt" "${defines[@]}" >"$work/configure.log" 2>&1 ||
            { tail -n 30 "$work/configure.log"; fail "la configuration de Qt a échoué ($work/configure.log)"; }
        touch "$work/configured"
    fi
    cmake --build "$work/build" -j "$jobs" >"$work/build.log" 2>&1 ||
        { grep -m 20 -B 2 -A 10 'error' "$work/build.log" | head -n 60; fail "la construction de Qt a échoué ($work/build.log)"; }
    cmake --install "$work/build" >"$work/install.log" 2>&1 ||
        { tail -n 30 "$work/install.log"; fail "l'installation de Qt a échoué ($work/install.log)"; }
    # Written last: a build stopped half-way is never taken for a whole one.
    echo "$version $key" >"$qt/velbrisk-complete"
    rm -rf "$work"
}

windows_qt() {
    local tree=$1 jobs=$2 qt version key lock
    version=$(windows_qt_version)
    key=$(windows_qt_key "$tree")
    qt=$(windows_qt_prefix "$tree")
    mkdir -p "$(windows_qt_cache)"
    # One build at a time: a second run waits for the first rather than
    # building over it, then finds it whole.
    exec {lock}>"$(windows_qt_cache)/qt-$key.lock"
    if ! flock -n "$lock"; then
        echo "Qt pour Windows est en cours de construction par un autre lancement : attente de sa fin…"
        flock "$lock"
    fi
    if qt_is_whole "$qt" "$version" "$key"; then
        echo "déjà construit : $qt"
    else
        build_qt "$tree" "$jobs" "$qt" "$version" "$key"
        qt_is_whole "$qt" "$version" "$key" || fail "Qt construit dans $qt est incomplet"
    fi
    exec {lock}>&-
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    "$@"
fi
