# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced (not run) by the scripts of scripts/: what they all print alike.
#   stage TEXT   a heading, with the seconds since the script started
#   fail TEXT    the error on standard error, named after the script; exits 1

stage() {
    echo
    echo "=== $* ($SECONDS s)"
}

fail() {
    echo "scripts/$(basename "$0") : $*" >&2
    exit 1
}
