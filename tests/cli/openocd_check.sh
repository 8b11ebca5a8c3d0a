#!/usr/bin/env bash
# OpenOCD against scanbench-run's remote_bitbang server, on a free port.
#   openocd_check.sh RUNNER detect
#       OpenOCD finds U2 and U1 on TAP 0 with their IDCODEs and 4-bit IRs.
#   openocd_check.sh RUNNER svf LESSON.bst [SWITCHES|-] [TAP]
#       The lesson's SVF of TAP 0 (or of TAP 1, U3), written by a run with
#       those switches (- for none), replays on a board with the same
#       switches, served on that TAP, without a mismatch.
#   openocd_check.sh RUNNER svf-file FILE.svf pass|fail [LINE]
#       OpenOCD's replay of an SVF file and Scanbench's run of it on the demo
#       board give that verdict, both; on a failure Scanbench names LINE.
# Exits 77 (skipped) when openocd is not installed.
set -uo pipefail
runner=$1
mode=$2
command -v openocd >/dev/null || { echo "openocd is not installed"; exit 77; }
work=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

switches=()
[ "$mode" = svf ] && [ -n "${4:-}" ] && [ "$4" != - ] && switches=(--switches "$4")
tap=0
[ "$mode" = svf ] && tap=${5:-0}
"$runner" --serve-board 0 --serve-tap "$tap" "${switches[@]}" > "$work/server.log" 2>&1 &
server=$!
# Waits for the server to name its port, however long a busy machine takes
# (the test's own time limit ends a server that never does).
port=
while [ -z "$port" ] && kill -0 "$server" 2>/dev/null; do
    port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/server.log" | head -1 | cut -d: -f2)
    [ -n "$port" ] || sleep 0.1
done
[ -n "$port" ] || port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/server.log" | head -1 | cut -d: -f2)
[ -n "$port" ] || { echo "the server did not start:"; cat "$work/server.log"; exit 1; }

# The chain of the served TAP, nearest TDO first.
if [ "$tap" = 1 ]; then
    chain=(-c "jtag newtap u3 tap -irlen 4 -expected-id 0x15cb3ffd")
else
    chain=(-c "jtag newtap u2 tap -irlen 4 -expected-id 0x15cb2ffd"
        -c "jtag newtap u1 tap -irlen 4 -expected-id 0x15cb1ffd")
fi

run_openocd() {
    timeout 60 openocd -c "adapter driver remote_bitbang" -c "remote_bitbang host 127.0.0.1" \
        -c "remote_bitbang port $port" -c "transport select jtag" "${chain[@]}" \
        -c "init" "$@" -c "shutdown" > "$work/openocd.log" 2>&1
    local code=$?
    cat "$work/openocd.log"
    return $code
}

case "$mode" in
detect)
    run_openocd -c "scan_chain" || exit 1
    grep -q "u2.tap tap/device found: 0x15cb2ffd" "$work/openocd.log" || exit 1
    grep -q "u1.tap tap/device found: 0x15cb1ffd" "$work/openocd.log" || exit 1
    grep -Eq "^ *0 u2\.tap +Y +0x15cb2ffd +0x15cb2ffd +4 " "$work/openocd.log" || exit 1
    grep -Eq "^ *1 u1\.tap +Y +0x15cb1ffd +0x15cb1ffd +4 " "$work/openocd.log" || exit 1
    ! grep -Eq "UNEXPECTED|Error" "$work/openocd.log"
    ;;
svf)
    lesson=$3
    "$runner" --board demo --port board --max-steps 1000000 "${switches[@]}" \
        --svf "$work/lesson.svf" --svf-tap "$tap" "$lesson" || exit 1
    cat "$work/lesson.svf"
    run_openocd -c "svf -quiet $work/lesson.svf" || exit 1
    grep -q "svf file programmed successfully for .* commands with 0 errors" "$work/openocd.log"
    ;;
svf-file)
    file=$3
    expected=$4
    run_openocd -c "svf -quiet $file"
    if grep -q "svf file programmed successfully for .* commands with 0 errors" "$work/openocd.log"; then
        openocd_verdict=pass
    elif grep -q "tdo check error at line" "$work/openocd.log"; then
        openocd_verdict=fail
    else
        echo "OpenOCD did not finish the file"
        exit 1
    fi
    "$runner" --board demo --port board --max-steps 10000000 "$file" > "$work/run.txt"
    code=$?
    cat "$work/run.txt"
    case "$code:$(grep '^svf: ' "$work/run.txt")" in
    "0:svf: passed"*) verdict=pass ;;
    "1:svf: TDO mismatch, first at line ${5:-0} of the SVF file") verdict=fail ;;
    *) verdict="exit $code" ;;
    esac
    echo "expected $expected; OpenOCD: $openocd_verdict; Scanbench: $verdict"
    [ "$openocd_verdict" = "$expected" ] && [ "$verdict" = "$expected" ]
    ;;
*)
    echo "unknown mode $mode"
    exit 2
    ;;
esac
