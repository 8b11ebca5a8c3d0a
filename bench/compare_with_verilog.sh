#!/usr/bin/env bash
# Times scanbench-run against the same work done by a Verilog model of the
# demo chip (bench/verilog/demo_chip.v and its test bench demo_chip_tb.v)
# compiled by Verilator (g++ -O2) and by Icarus Verilog. Every figure is the
# whole process: CPU time (user + system) and peak resident memory, from
# /usr/bin/time -v. The two sides run in turn, A B A B ..., so that a
# machine whose speed drifts hits both alike; the speed ratio is taken pair
# by pair (the other side's CPU time over Scanbench's) and the medians are
# printed. Every run's checks must pass, or the script fails.
#
#   bench/compare_with_verilog.sh [N] [RUNS]     N = 10000000 bits, RUNS = 5
#
# Cases (CASES="..." to choose):
#   check      reset, IDCODE, instruction scan, N bits through BYPASS checked
#              bit by bit (scanbench_tap_workload check) vs Verilator
#   plain      the same without checks, N zero bits (... plain) vs Verilator
#   check-vcd, plain-vcd   the same, both writing their value change dump
#   memory     Scanbench's peak memory on plain, Active mode on and off
#   icarus     check vs Icarus Verilog, with N = ICARUS_N (default 1000000:
#              Icarus takes about 1.5 us an event)
#
# BUILD names the Scanbench build to time (default build-release, made with
# the flags of scripts/build-release.sh when its programs are missing).
# Verilator, Icarus Verilog, make, g++ and GNU time are installed from
# Debian when missing (as root, or through sudo). The Verilog builds go to
# BUILD/verilog, the programs and dumps to a temporary folder.
set -euo pipefail
export LC_ALL=C
n=${1:-10000000}
runs=${2:-5}
cases=${CASES:-check plain check-vcd plain-vcd memory icarus}
icarus_n=${ICARUS_N:-1000000}
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD:-build-release}

have() { command -v "$1" >/dev/null 2>&1; }
if ! have verilator || ! have iverilog || ! have vvp || ! have make || ! have g++ ||
    [ ! -x /usr/bin/time ]; then
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        have sudo || { echo "compare_with_verilog: need root or sudo to install verilator iverilog make g++ time" >&2; exit 2; }
        sudo_cmd=(sudo)
    fi
    echo "installing verilator iverilog make g++ time (apt-get)"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        verilator iverilog make g++ time >/dev/null
fi

if [ ! -x "$build/cli/scanbench-run" ] || [ ! -x "$build/bench/scanbench_tap_workload" ]; then
    echo "building scanbench-run and scanbench_tap_workload into $build (Release)"
    scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCANBENCH_WERROR=ON >/dev/null
    cmake --build "$build" --target scanbench-run scanbench_tap_workload
fi

verilog=$build/verilog
sources=(bench/verilog/demo_chip_tb.v bench/verilog/demo_chip.v)
mkdir -p "$verilog"
if [ ! -x "$verilog/obj_vl/Vtb" ] || [ -n "$(find "${sources[@]}" -newer "$verilog/obj_vl/Vtb")" ]; then
    echo "building the Verilog model with Verilator (g++ -O2) and Icarus Verilog"
    rm -rf "$verilog/obj_vl"
    verilator --binary -j 2 --trace -Wall --top-module demo_chip_tb --Mdir "$verilog/obj_vl" -o Vtb \
        -MAKEFLAGS OPT_FAST=-O2 -MAKEFLAGS OPT_GLOBAL=-O2 "${sources[@]}" \
        > "$verilog/verilator_build.log" 2>&1 ||
        { cat "$verilog/verilator_build.log" >&2; exit 1; }
    iverilog -g2005 -Wall -o "$verilog/tb.vvp" "${sources[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config # the default settings: the demo board

# Runs a command under GNU time; sets CPU (its user + system seconds, to the
# millisecond from the shell's own count of its children: GNU time prints
# hundredths only) and PEAK (its peak resident memory in kB), and leaves its
# output in $work/last.log.
children_cpu() { # `times` in this shell, not in a subshell that has no children
    times > "$work/times.txt"
    awk 'NR == 2 { t = 0; for (i = 1; i <= 2; ++i) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] }
                   printf "%.3f", t }' "$work/times.txt"
}
measure() {
    children_cpu > "$work/before.txt"
    /usr/bin/time -v -o "$work/time.txt" "$@" > "$work/last.log" 2>&1 || true
    children_cpu > "$work/after.txt"
    CPU=$(awk 'NR == FNR { a = $1; next } { printf "%.3f", $1 - a }' "$work/before.txt" "$work/after.txt")
    PEAK=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
fail() { cat "$work/last.log" >&2; echo "compare_with_verilog: $1" >&2; exit 1; }
check_ours() {
    grep -q '^end: halt$' "$work/last.log" && grep -q '^tap1: .*flags=00000000b$' "$work/last.log" ||
        fail "scanbench-run: the checks failed"
}
check_theirs() { grep -q '^RESULT PASS$' "$work/last.log" || fail "$1: the checks failed"; }

program() { # kind bits -> the program's path
    local file="$work/$1_$2.bst"
    [ -f "$file" ] || "$build/bench/scanbench_tap_workload" "$1" "$2" "$file"
    echo "$file"
}

# Pairs scanbench-run with a Verilog build: kind bits simulator [vcd].
pair() {
    local kind=$1 bits=$2 sim=$3 vcd=${4:-} file ours=() theirs=() ratios=() peak_ours=() peak_theirs=()
    file=$(program "$kind" "$bits")
    local ours_cmd=("$build/cli/scanbench-run" --board demo --port board "$file")
    local theirs_cmd=("$verilog/obj_vl/Vtb" "+N=$bits")
    [ "$sim" = icarus ] && theirs_cmd=(vvp -n "$verilog/tb.vvp" "+N=$bits")
    [ "$kind" = plain ] && theirs_cmd+=(+plain)
    if [ -n "$vcd" ]; then
        ours_cmd=("${ours_cmd[@]:0:5}" --vcd "$work/scanbench.vcd" "$file")
        theirs_cmd+=("+vcd=$work/$sim.vcd")
    fi
    local dumps=""
    for i in $(seq 1 "$runs"); do
        measure "${ours_cmd[@]}"
        check_ours
        local a=$CPU pa=$PEAK
        measure "${theirs_cmd[@]}"
        check_theirs "$sim"
        local b=$CPU pb=$PEAK
        if [ -n "$vcd" ]; then
            # Removed between runs, so that no run pays for dropping the
            # cached pages of the dump it overwrites.
            dumps=$(printf 'scanbench %s bytes, %s %s bytes' "$(stat -c %s "$work/scanbench.vcd")" \
                "$sim" "$(stat -c %s "$work/$sim.vcd")")
            rm -f "$work/scanbench.vcd" "$work/$sim.vcd"
        fi
        local r
        r=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", (a > 0 ? b / a : 0) }')
        printf '  run %d: scanbench-run %s s %s kB   %s %s s %s kB   ratio %s\n' \
            "$i" "$a" "$pa" "$sim" "$b" "$pb" "$r"
        ours+=("$a") theirs+=("$b") ratios+=("$r") peak_ours+=("$pa") peak_theirs+=("$pb")
    done
    [ -z "$dumps" ] || printf '  dumps: %s\n' "$dumps"
    printf '  median: scanbench-run %s s, %s MB   %s %s s, %s MB   speed ratio %s\n' \
        "$(median "${ours[@]}")" "$(awk -v k="$(median "${peak_ours[@]}")" 'BEGIN { printf "%.1f", k / 1024 }')" \
        "$sim" "$(median "${theirs[@]}")" \
        "$(awk -v k="$(median "${peak_theirs[@]}")" 'BEGIN { printf "%.1f", k / 1024 }')" \
        "$(median "${ratios[@]}")"
}

memory() {
    local file on=() off=() events
    file=$(program plain "$n")
    for i in $(seq 1 "$runs"); do
        for mode in on off; do
            measure "$build/cli/scanbench-run" --board demo --port board --active-mode "$mode" "$file"
            check_ours
            if [ "$mode" = on ]; then
                on+=("$PEAK")
                events=$(awk '/^events:/ { print $4 }' "$work/last.log")
            else
                off+=("$PEAK")
            fi
        done
    done
    printf '  %s events played; median peak memory: Active mode on %.1f MB, off %.1f MB\n' \
        "$events" "$(awk -v k="$(median "${on[@]}")" 'BEGIN { print k / 1024 }')" \
        "$(awk -v k="$(median "${off[@]}")" 'BEGIN { print k / 1024 }')"
}

echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo), $(nproc) cores," \
    "$(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "tools: $(verilator --version), $(iverilog -V 2>&1 | head -n 1), $(g++ --version | head -n 1)"
echo "N = $n bits, $runs runs each; CPU seconds are user + system of the whole process;"
echo "speed ratio = the Verilog build's CPU time / scanbench-run's, pair by pair"
for c in $cases; do
    case $c in
    check | plain) echo "== $c: scanbench-run vs Verilator -O2"; pair "$c" "$n" verilator ;;
    check-vcd | plain-vcd) echo "== $c: both write a VCD"; pair "${c%-vcd}" "$n" verilator vcd ;;
    memory) echo "== memory: plain, scanbench-run"; memory ;;
    icarus) echo "== icarus: check, N = $icarus_n, scanbench-run vs Icarus Verilog"; pair check "$icarus_n" icarus ;;
    *) echo "compare_with_verilog: unknown case $c" >&2; exit 2 ;;
    esac
done
