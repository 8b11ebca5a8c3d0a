#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan on) and
# runs each for a bounded time: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DSCANBENCH_FUZZ=ON -DSCANBENCH_WERROR=ON -DSCANBENCH_BUILD_GUI=OFF \
    -DSCANBENCH_BUILD_TESTS=OFF -DSCANBENCH_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake --build build-fuzz --parallel

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in fuzz_program fuzz_program_file fuzz_runner_options fuzz_switch_settings \
    fuzz_chip_board fuzz_bsdl fuzz_board_file fuzz_settings_document fuzz_file_writer \
    fuzz_pin_mapping fuzz_setup_pins fuzz_editor_search fuzz_remote_bitbang \
    fuzz_session_handover fuzz_svf_import fuzz_net_faults fuzz_program_board; do
    corpus="build-fuzz/corpus/$target"
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/corpus/${target#fuzz_}" ] && seeds=("fuzz/corpus/${target#fuzz_}")
    echo "fuzz: $target for ${seconds}s"
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "${seeds[@]}" 2>&1 | tail -n 12
done
