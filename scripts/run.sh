#!/usr/bin/env bash
# Installs what is missing, builds Scanbench and starts it on a lesson for
# the simulated demo board (the default when no settings say otherwise).
# Without a display it runs the lesson headless instead.
#   scripts/run.sh [PROGRAM.bst]
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-examples/lessons/01-read-idcodes.bst}"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel

if [ -x build/app/scanbench ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/app/scanbench "$program"
fi
echo "run: no display found (set DISPLAY, or use 'xvfb-run -a build/app/scanbench $program');"
echo "run: running the program headless instead:"
exec build/cli/scanbench-run "$program"
