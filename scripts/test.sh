#!/usr/bin/env bash
# Installs what is missing, builds Scanbench and runs every test.
#   scripts/test.sh             normal build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
extra=()
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    extra=(-DSCANBENCH_SANITIZE=ON -DSCANBENCH_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
else
    extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DSCANBENCH_WERROR=ON "${extra[@]}"
cmake --build "$build_dir" --parallel
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
