#!/bin/sh
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives the Windows tests under Wine a full-disk case: a tmpfs of 64 KiB
# mounted on FOLDER and seen by the Wine prefix as drive DRIVE (e.g. t:).
#   tiny-disk.sh mount PREFIX DRIVE FOLDER
#   tiny-disk.sh unmount PREFIX DRIVE FOLDER
# Only root may mount: for anyone else it does nothing, and the tests that
# need the drive skip.
set -eu
action=$1 prefix=$2 drive=$3 folder=$4
[ "$(id -u)" -eq 0 ] || { echo "tiny-disk: not root, no tiny drive"; exit 0; }
link=$prefix/dosdevices/$drive
case $action in
mount)
    mkdir -p "$folder"
    mountpoint -q "$folder" && umount "$folder"
    mount -t tmpfs -o size=64k tmpfs "$folder"
    ln -sfn "$folder" "$link"
    ;;
unmount)
    rm -f "$link"
    if mountpoint -q "$folder"; then umount "$folder" || umount -l "$folder"; fi
    ;;
esac
