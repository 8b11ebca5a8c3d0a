#!/usr/bin/env bash
# Builds the Release configuration into build-release/ with warnings as
# errors; the optimiser's extra analysis finds warnings the test build does
# not. Compiles only; the tests run in scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCANBENCH_WERROR=ON
cmake --build build-release --parallel
