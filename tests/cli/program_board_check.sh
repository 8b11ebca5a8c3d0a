#!/bin/sh
# The runner and a program's Board line: without --board the program runs on
# the board it names, standard error says so and standard output is what
# --board with that board gives; --board wins, with a note; a board file not
# found is a usage error.
#
#   program_board_check.sh RUNNER
set -eu
runner=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() {
    echo "FAIL: $*"
    exit 1
}

printf '// A test\n//   Board:  loopback\nHALT;\n' > named.bst
"$runner" named.bst > default.out 2> default.err || fail "named.bst: exit $?"
grep -qx 'scanbench-run: running on the loopback board, which the program names (line 2)' \
    default.err || fail "no note of the board: $(cat default.err)"
"$runner" --board loopback named.bst > same.out 2> same.err || fail "--board loopback"
cmp -s default.out same.out || fail "standard output differs from --board loopback's"
[ ! -s same.err ] || fail "a note though --board names the program's board: $(cat same.err)"

"$runner" --board demo named.bst > demo.out 2> demo.err || fail "--board demo"
grep -qx 'scanbench-run: running on the demo board (--board), not on the loopback board the program names (line 2)' \
    demo.err || fail "no note that --board wins: $(cat demo.err)"
grep -q '^chip U1: ' demo.out || fail "not run on the demo board: $(cat demo.out)"

printf '// Board: gone.json\nHALT;\n' > gone.bst
code=0
"$runner" gone.bst > gone.out 2> gone.err || code=$?
[ "$code" -eq 2 ] || fail "a missing board file ends with $code, not 2"
grep -q '^scanbench-run: gone.bst: line 1: board file "gone.json" not found: looked for "./gone.json" and ".*/gone.json"$' \
    gone.err || fail "the missing file is not named: $(cat gone.err)"
[ ! -s gone.out ] || fail "a run though the board is missing"
echo "pass"
