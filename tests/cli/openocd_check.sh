#!/usr/bin/env bash
# OpenOCD against scanbench-run's remote_bitbang server, on a free port.
#   openocd_check.sh RUNNER detect
#       OpenOCD finds U2 and U1 on TAP 0 with their IDCODEs and 4-bit IRs.
#   openocd_check.sh RUNNER svf LESSON.bst SWITCHES|- TAP BOARD.json|-
#       The lesson's SVF of TAP 0 or 1, written by a run with those switches
#       (- for none) on the demo board or the board file, replays on the
#       same board with the same switches, served on that TAP, without a
#       mismatch.
#   openocd_check.sh RUNNER svf-file FILE.svf pass|fail [LINE]
#       OpenOCD's replay of an SVF file and Scanbench's run of it on the demo
#       board give that verdict, both; on a failure Scanbench names LINE.
#   openocd_check.sh RUNNER interconnect FILE.svf FAULT|- ...
#       OpenOCD replays the SVF file against the interconnect board served
#       with each fault in turn (--fault FAULT): without one (-) the file
#       passes, with each fault it fails on a TDO mismatch.
#   openocd_check.sh RUNNER mcu BOARD.json
#       On the microcontroller board, OpenOCD finds the Arm debug TAP (IR 4)
#       and the boundary-scan TAP (IR 5) with their IDCODEs, and SAMPLE's
#       data register is exactly BOUNDARY_LENGTH (141) bits long.
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
board=()
tap=0
if [ "$mode" = svf ]; then
    [ -n "${4:-}" ] && [ "$4" != - ] && switches=(--switches "$4")
    tap=${5:-0}
    [ -n "${6:-}" ] && [ "$6" != - ] && board=(--board "$6")
fi
[ "$mode" = mcu ] && board=(--board "$3")
# Serves the board, with the options given, and waits for the server to
# name its port, however long a busy machine takes (the test's own time
# limit ends a server that never does).
start_server() {
    rm -f "$work/server.log" # a port read from the last server's log would be stale
    "$runner" --serve-board 0 --serve-tap "$tap" "${board[@]}" "${switches[@]}" "$@" \
        > "$work/server.log" 2>&1 &
    server=$!
    port=
    while [ -z "$port" ] && kill -0 "$server" 2>/dev/null; do
        port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/server.log" 2>/dev/null | head -1 | cut -d: -f2)
        [ -n "$port" ] || sleep 0.1
    done
    [ -n "$port" ] || port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/server.log" | head -1 | cut -d: -f2)
    [ -n "$port" ] || { echo "the server did not start:"; cat "$work/server.log"; exit 1; }
}
stop_server() {
    kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    server=
}
[ "$mode" = interconnect ] && board=(--board interconnect)
[ "$mode" = interconnect ] || start_server

# The TAPs of the chain served, nearest TDO first as OpenOCD declares them.
taps=(-c "jtag newtap u2 tap -irlen 4 -expected-id 0x15cb2ffd"
      -c "jtag newtap u1 tap -irlen 4 -expected-id 0x15cb1ffd")
[ "$tap" = 1 ] && taps=(-c "jtag newtap u3 tap -irlen 4 -expected-id 0x15cb3ffd")
case "${board[1]:-}" in
*your-own-chip.json) taps=(-c "jtag newtap u7 tap -irlen 3 -expected-id 0x10007ffd") ;;
*m3-board.json) taps=(-c "jtag newtap m3 cpu -irlen 4 -expected-id 0x3ba00477"
                      -c "jtag newtap m3 bs -irlen 5 -expected-id 0x16410ffd") ;;
esac

run_openocd() {
    timeout 60 openocd -c "adapter driver remote_bitbang" -c "remote_bitbang host 127.0.0.1" \
        -c "remote_bitbang port $port" -c "transport select jtag" "${taps[@]}" \
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
    run_board=("${board[@]}")
    [ ${#run_board[@]} -eq 0 ] && run_board=(--board demo)
    "$runner" --port board --max-steps 1000000 "${run_board[@]}" "${switches[@]}" \
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
interconnect)
    file=$3
    shift 3
    for fault in "$@"; do
        if [ "$fault" = - ]; then
            start_server
            expected=pass
        else
            start_server --fault "$fault"
            expected=fail
        fi
        run_openocd -c "svf -quiet $file"
        stop_server
        if grep -q "svf file programmed successfully for .* commands with 0 errors" "$work/openocd.log"; then
            verdict=pass
        elif grep -q "tdo check error at line" "$work/openocd.log"; then
            verdict=fail
        else
            verdict="not finished"
        fi
        echo "fault $fault: expected $expected, OpenOCD: $verdict"
        [ "$verdict" = "$expected" ] || exit 1
    done
    ;;
mcu)
    # SAMPLE (00010) into the boundary-scan TAP, the debug TAP in BYPASS.
    # 141 bits of SAMPLE's register carry A5h in their first eight; eight
    # more bits bring those back exactly when the register is 141 bits
    # long, one bit later for the debug TAP's BYPASS bit: 4Ah.
    run_openocd -c "scan_chain" -c "irscan m3.bs 2" \
        -c "echo \"sample: [drscan m3.bs 32 0xa5 32 0 32 0 32 0 13 0 8 0]\"" || exit 1
    grep -Eq "^ *0 m3\.cpu +Y +0x3ba00477 +0x3ba00477 +4 " "$work/openocd.log" || exit 1
    grep -Eq "^ *1 m3\.bs +Y +0x16410ffd +0x16410ffd +5 " "$work/openocd.log" || exit 1
    grep -Eq "^sample: ([0-9a-f]+ ){5}4a$" "$work/openocd.log" || exit 1
    ! grep -Eq "UNEXPECTED|Error" "$work/openocd.log"
    ;;
*)
    echo "unknown mode $mode"
    exit 2
    ;;
esac
