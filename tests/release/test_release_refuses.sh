#!/bin/sh
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# scripts/release makes a release of a commit only: in a clone holding a
# change of each kind, it refuses in French, names the change, and neither
# builds nor leaves a dist/ folder.
#
#   test_release_refuses.sh SOURCE_DIR
set -eu
source=$1
if ! git -C "$source" rev-parse --verify -q HEAD >/dev/null 2>&1; then
    echo "$source n'est pas un dépôt git : test sauté"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clone=$work/clone
git clone -q "$source" "$clone"
# The script of the tree under test, committed in the clone.
cp "$source/scripts/release" "$clone/scripts/release"
git -C "$clone" -c user.name=test -c user.email=test@example.invalid \
    commit -q --allow-empty -am "scripts/release under test"

failed=0
for case in modified staged untracked deleted; do
    git -C "$clone" reset -q --hard
    git -C "$clone" clean -q -fdx
    case $case in
    modified) echo "// change" >>"$clone/core/CMakeLists.txt"; file=core/CMakeLists.txt ;;
    staged) echo x >"$clone/staged.txt"; git -C "$clone" add staged.txt; file=staged.txt ;;
    untracked) echo x >"$clone/untracked.txt"; file=untracked.txt ;;
    deleted) rm "$clone/README.md"; file=README.md ;;
    esac
    status=0
    "$clone/scripts/release" >"$work/out" 2>"$work/err" || status=$?
    if [ $status -ne 1 ] || ! grep -q "modifications non enregistrées" "$work/err" ||
        ! grep -q "$file" "$work/err" || [ -e "$clone/dist" ]; then
        echo "ÉCHEC ($case) : code $status, dist/ $([ -e "$clone/dist" ] && echo présent || echo absent)"
        cat "$work/out" "$work/err"
        failed=1
    else
        echo "ok ($case)"
    fi
done
exit $failed
