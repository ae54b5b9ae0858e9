#!/bin/sh
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# What scripts/setup-deps says when apt fails, with a stand-in apt-get that
# answers as apt does: a package that does not exist is named, the network
# and another apt's lock are told apart, anything else points to the log; a
# lists' lock held for a moment is waited for, and dpkg's through apt's own
# timeout.
#
#   test_setup_deps.sh SOURCE_DIR
set -eu
setup=$1/scripts/setup-deps
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# Nothing is installed; sudo, if needed, runs the command as it is.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
# apt-get as apt answers in case $APT_CASE; each call is written to calls.
cat >"$work/bin/apt-get" <<'APT'
#!/bin/sh
echo "LC_ALL=${LC_ALL:-} $*" >>"$APT_WORK/calls"
case " $* " in *" update "*) command=update ;; *) command=install ;; esac
case $APT_CASE:$command in
absent:install)
    echo "E: Unable to locate package libclang-rt-14-dev"; exit 100 ;;
network:update)
    echo "W: Failed to fetch http://deb.debian.org/debian/dists/trixie/InRelease  Temporary failure resolving 'deb.debian.org'"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."; exit 100 ;;
lock:install)
    echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (apt-get)"
    echo "E: Unable to acquire the dpkg frontend lock (/var/lib/dpkg/lock-frontend), is another process using it?"; exit 100 ;;
busy:update)
    [ -e "$APT_WORK/held" ] && exit 0
    touch "$APT_WORK/held"
    echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)"
    echo "E: Unable to lock directory /var/lib/apt/lists/"; exit 100 ;;
other:install)
    echo "E: Sub-process /usr/bin/dpkg returned an error code (1)"; exit 100 ;;
esac
exit 0
APT
chmod +x "$work/bin/"*

failed=0
# expect(CASE STATUS TEXT): setup-deps with apt answering as in CASE exits
# with STATUS and says TEXT.
expect() {
    rm -f "$work/calls" "$work/held"
    status=0
    APT_CASE=$1 APT_WORK=$work PATH="$work/bin:$PATH" TMPDIR=$work \
        "$setup" run >"$work/$1.out" 2>&1 || status=$?
    if [ $status -eq "$2" ] && grep -q -- "$3" "$work/$1.out"; then
        echo "ok ($1)"
    else
        echo "ÉCHEC ($1) : code $status, attendu $2 et « $3 »"
        cat "$work/$1.out"
        failed=1
    fi
}

expect absent 1 "Ces paquets n'existent pas dans les dépôts de .* : libclang-rt-14-dev (scripts/setup-deps connaît"
expect network 1 "Les dépôts de paquets Debian sont injoignables (pas de réseau ?)"
expect lock 1 "Un autre apt (apt-get, processus 4242) tient le verrou"
expect other 1 "L'installation de cmake .* a échoué ; détails dans $work/velbrisk-apt"
expect busy 0 "Installation de : cmake"
# The lists' lock was waited for: update twice, then the install, every
# call in apt's own words and waiting for dpkg's lock.
if [ "$(grep -c ' update ' "$work/calls")" -ne 2 ] || ! grep -q ' install ' "$work/calls" ||
    grep -v '^LC_ALL=C -o DPkg::Lock::Timeout=600 ' "$work/calls"; then
    echo "ÉCHEC (busy) : appels à apt-get :"
    cat "$work/calls"
    failed=1
fi
exit $failed
