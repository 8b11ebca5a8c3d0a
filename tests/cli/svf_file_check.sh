#!/usr/bin/env bash
# scanbench-run with SVF files: svf_file_check.sh RUNNER
# A file runs as its translation (exit code 0 when every TDO check passes,
# 1 on a mismatch, named with its SVF line), a bad file is refused with its
# line and nothing runs (exit code 2), and --to-bst prints the translation.
set -uo pipefail
runner=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAILED: $*"; exit 1; }

printf 'SDR 64 TDI (0) TDO (15CB1FFD15CB2FFD);\n' > pass.svf
printf 'STATE IDLE;\nSDR 64 TDI (0)\n  TDO (15CB1FFD15CB2FFE);\n' > mismatch.svf
printf 'SDR 8 TDI (00)\nFOO;\n' > refused.svf

"$runner" pass.svf > out.txt; code=$?
cat out.txt
[ $code -eq 0 ] && grep -q '^svf: passed, 1 TDO check$' out.txt || fail "pass.svf: exit $code"

"$runner" mismatch.svf > out.txt; code=$?
cat out.txt
[ $code -eq 1 ] && grep -q '^svf: TDO mismatch, first at line 2 of the SVF file$' out.txt ||
    fail "mismatch.svf: exit $code"

"$runner" refused.svf > out.txt 2> err.txt; code=$?
cat err.txt
[ $code -eq 2 ] && [ ! -s out.txt ] &&
    grep -q 'refused.svf: line 2: SDR has no parameter FOO .*: is a ";" missing before it?' err.txt ||
    fail "refused.svf: exit $code"

"$runner" --to-bst --svf-tap 1 pass.svf > pass.bst; code=$?
[ $code -eq 0 ] && grep -q '^SELTAP1;' pass.bst && grep -q '^NSHFCP ' pass.bst ||
    fail "--to-bst: exit $code"
echo "all as expected"
