#!/usr/bin/env bash
# Start-up, memory and end-to-end timings of velbrisk in a real X server,
# printed as rows of a Markdown table:
#   bench/startup.sh BUILD_FOLDER [RUNS]
# BUILD_FOLDER holds app/velbrisk (a Release build); the bare Qt window it is
# measured against is built here, with the same compiler and optimisation.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: bench/startup.sh BUILD_FOLDER [RUNS]}" && pwd)"
runs="${2:-9}"

exe="$build/app/velbrisk"
[ -x "$exe" ] || { echo "velbrisk introuvable : $exe" >&2; exit 1; }
bare="$build/bench/bare_window"
mkdir -p "$build/bench"
if [ ! -x "$bare" ] || [ "$here/bare_window.cpp" -nt "$bare" ]; then
    # shellcheck disable=SC2046
    c++ -std=c++20 -O3 -DNDEBUG -DQT_NO_DEBUG -fPIC "$here/bare_window.cpp" -o "$bare" \
        $(pkg-config --cflags --libs Qt6Widgets)
fi

python3 "$here/startup_probe.py" startup --exe "$exe" --bare "$bare" --runs "$runs"
for size in 1048576 33554432; do
    python3 "$here/startup_probe.py" actions --exe "$exe" --size "$size"
done
