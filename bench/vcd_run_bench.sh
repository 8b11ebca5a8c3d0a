#!/usr/bin/env bash
# Whole-process speed of the headless runner writing a value change dump:
# scanbench-run --vcd on a 10,000,000-bit shift (20,000,024 events), run
# REPETITIONS times; prints each run's wall and CPU time and the median rate.
# Usage: bench/vcd_run_bench.sh [BUILD_DIR] [REPETITIONS] [OUTPUT_FOLDER]
set -euo pipefail
build=${1:-build}
repetitions=${2:-5}
folder=${3:-$(mktemp -d)}
runner="$build/cli/scanbench-run"
events=20000024

program="$folder/shift10m.bst"
printf 'RST;\nSTATE DRSHIFT;\nLD CNT,10000000d;\nNSHF 0h;\nHALT;\n' > "$program"
export XDG_CONFIG_HOME="$folder/config" # default settings: the demo board

walls=()
for ((i = 1; i <= repetitions; i++)); do
    rm -f "$folder/run.vcd"
    start=$(date +%s.%N)
    times=$( { /usr/bin/time -f '%U %S' "$runner" --vcd "$folder/run.vcd" "$program" > /dev/null; } 2>&1 )
    end=$(date +%s.%N)
    wall=$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}')
    walls+=("$wall")
    printf 'run %d: %.3f s wall, %s s user+sys, %d bytes\n' "$i" "$wall" \
        "$(echo "$times" | awk '{print $1 + $2}')" "$(stat -c %s "$folder/run.vcd")"
done
median=$(printf '%s\n' "${walls[@]}" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}')
awk -v m="$median" -v n="$events" 'BEGIN {printf "median %.3f s wall: %.1f M events/s\n", m, n / m / 1e6}'
rm -f "$folder/run.vcd"
