#!/bin/sh
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# What scripts/setup-deps says when apt fails, apt-get standing in with apt's
# own words: a package that does not exist is named, the network and another
# apt's lock are told apart, anything else points to the log; a lists' lock
# held a moment is waited for, and dpkg's through apt's own timeout.
#   test_setup_deps.sh SOURCE_DIR
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# Nothing installed; sudo, if asked, runs the command; apt-get answers as in
# $APT_CASE (CASE:COMMAND, then its lines) and writes down each call.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
cat >"$work/bin/apt-get" <<'APT'
#!/bin/sh
echo "LC_ALL=${LC_ALL:-} $*" >>"$APT_WORK/calls"
case " $* " in *" update "*) command=update ;; *) command=install ;; esac
case $APT_CASE:$command in
absent:install) echo "E: Unable to locate package libclang-rt-14-dev" ;;
network:update) echo "W: Failed to fetch http://deb.debian.org/debian/dists/trixie/InRelease  Temporary failure resolving 'deb.debian.org'" ;;
lock:install) echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (apt-get)" ;;
busy:update) [ -e "$APT_WORK/held" ] && exit 0; touch "$APT_WORK/held"
    echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)" ;;
other:install) echo "E: Sub-process /usr/bin/dpkg returned an error code (1)" ;;
*) exit 0 ;;
esac
exit 100
APT
chmod +x "$work/bin/"*

failed=0
for case in "absent|1|n'existent pas dans les dépôts de .* : libclang-rt-14-dev (" \
    "network|1|Les dépôts de paquets Debian sont injoignables (pas de réseau ?)" \
    "lock|1|Un autre apt (apt-get, processus 4242) tient le verrou" \
    "other|1|L'installation de cmake .* a échoué ; détails dans $work/velbrisk-apt" \
    "busy|0|Installation de : cmake"; do
    name=${case%%|*} text=${case#*|*|} expected=${case#*|} expected=${expected%%|*} status=0
    rm -f "$work/calls" "$work/held"
    APT_CASE=$name APT_WORK=$work PATH="$work/bin:$PATH" TMPDIR=$work \
        "$1/scripts/setup-deps" run >"$work/out" 2>&1 || status=$?
    if [ $status -eq "$expected" ] && grep -q -- "$text" "$work/out"; then
        echo "ok ($name)"
    else
        echo "ÉCHEC ($name) : code $status, attendu $expected et « $text »"
        cat "$work/out"
        failed=1
    fi
done
# busy: update twice, then install, each in apt's own words and waiting for
# dpkg's lock.
if [ "$(grep -c ' update ' "$work/calls")" -ne 2 ] || ! grep -q ' install ' "$work/calls" ||
    grep -v '^LC_ALL=C -o DPkg::Lock::Timeout=600 ' "$work/calls"; then
    echo "ÉCHEC (busy) : appels à apt-get :"
    cat "$work/calls"
    failed=1
fi
exit $failed
