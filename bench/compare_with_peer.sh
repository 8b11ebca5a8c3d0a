#!/usr/bin/env bash
# Times scanbench-run on the peer yardstick's workload (see peer_workload.cpp)
# against the peer's Verilator build of the same workload, whole-process CPU
# time (user + system), the two run in turn so that a drifting machine hits
# both alike. Prints each run, the medians and the median of the per-pair
# ratios, and fails if either side's checks fail.
#
#   bench/compare_with_peer.sh PEER_DIR [N] [RUNS]      (N = 10000000, RUNS = 5)
#   BUILD=build-release bench/compare_with_peer.sh ...   (the build to time; default build)
#   VCD=1 bench/compare_with_peer.sh ...                 (both write their value change dump)
#
# PEER_DIR holds the peer's tap_chip.v and tb.v. Its Verilator build goes to
# BUILD/peer/obj_vl (made once, with g++ -O2), the workload program to
# BUILD/peer/workload_N.bst, the dumps to BUILD/peer/*.vcd. Needs a build
# (a Release build for figures worth quoting), verilator, g++, make and GNU
# time (Debian: apt-get install verilator time); run from anywhere.
set -euo pipefail
peer=$(cd "${1:?usage: compare_with_peer.sh PEER_DIR [N] [RUNS]}" && pwd)
n=${2:-10000000}
runs=${3:-5}
cd "$(dirname "$0")/.."
build=${BUILD:-build}
out=$build/peer
mkdir -p "$out"

if [ ! -x "$out/obj_vl/Vtb" ]; then
    echo "building the peer with Verilator (g++ -O2)"
    verilator --binary -j 1 --trace -Wall --top-module tb --Mdir "$out/obj_vl" -o Vtb \
        -MAKEFLAGS OPT_FAST=-O2 -MAKEFLAGS OPT_GLOBAL=-O2 \
        "$peer/tb.v" "$peer/tap_chip.v" > "$out/verilator_build.log" 2>&1 ||
        { cat "$out/verilator_build.log" >&2; exit 1; }
fi
program="$out/workload_$n.bst"
"$build/bench/scanbench_peer_workload" "$n" "$program"
ours_dump=() theirs_dump=()
if [ "${VCD:-0}" = 1 ]; then
    ours_dump=(--vcd "$out/scanbench.vcd")
    theirs_dump=(+vcd "+vcdfile=$out/verilator.vcd")
fi

# Runs a command under GNU time; prints "cpu_seconds" and leaves its output in $out/last.log.
cpu_of() {
    /usr/bin/time -f '%U %S' -o "$out/time.txt" "$@" > "$out/last.log" 2>&1
    awk '{ printf "%.3f", $1 + $2 }' "$out/time.txt"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "N = $n, $runs runs each, in turn; CPU seconds (user + system)${ours_dump:+; both write a VCD}"
ours=() theirs=() ratios=()
for i in $(seq 1 "$runs"); do
    a=$(cpu_of "$build/cli/scanbench-run" --board demo --port board "${ours_dump[@]}" "$program")
    grep -q '^end: halt$' "$out/last.log" && grep -q '^tap1: .*flags=00000000b$' "$out/last.log" ||
        { cat "$out/last.log" >&2; echo "scanbench-run: checks failed" >&2; exit 1; }
    b=$(cpu_of "$out/obj_vl/Vtb" "+N=$n" "${theirs_dump[@]}")
    grep -q '^RESULT PASS$' "$out/last.log" ||
        { cat "$out/last.log" >&2; echo "Vtb: checks failed" >&2; exit 1; }
    r=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", b / a }')
    echo "run $i: scanbench-run $a s   Verilator $b s   speed ratio $r"
    ours+=("$a") theirs+=("$b") ratios+=("$r")
done
echo "median: scanbench-run $(median "${ours[@]}") s   Verilator $(median "${theirs[@]}") s"
echo "median speed ratio (Verilator CPU time / Scanbench CPU time): $(median "${ratios[@]}")"
