#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up, memory and end-to-end timings of velbrisk in a real X server,
# printed as rows of a Markdown table:
#   bench/startup.sh BUILD_FOLDER [RUNS]
# BUILD_FOLDER is a Release build made with -DVELBRISK_BUILD_BENCH=ON: it holds
# app/velbrisk and the bare Qt window it is measured against, bench/bare_window.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: bench/startup.sh BUILD_FOLDER [RUNS]}" && pwd)"
runs="${2:-9}"

exe="$build/app/velbrisk"
[ -x "$exe" ] || { echo "velbrisk introuvable : $exe" >&2; exit 1; }
bare="$build/bench/bare_window"
[ -x "$bare" ] || { echo "bare_window introuvable : $bare (-DVELBRISK_BUILD_BENCH=ON)" >&2; exit 1; }

python3 "$here/startup_probe.py" startup --exe "$exe" --bare "$bare" --runs "$runs"
for size in 1048576 33554432; do
    python3 "$here/startup_probe.py" actions --exe "$exe" --size "$size"
done
