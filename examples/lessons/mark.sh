#!/bin/sh
# Marks an interconnect test program against hidden faults.
#
#   examples/lessons/mark.sh RUNNER PROGRAM.bst [FIRST_SEED [LAST_SEED]]
#
# For each seed (1 to 50 unless given) the program runs on the interconnect
# board with the faults that seed chooses (scanbench-run --fault
# random:SEED, one or two faults), and the runner names them
# (--reveal-faults).  The program's diagnosis is the label of the HALT it
# ends at:
#   ALLGOOD       no fault
#   STUCK0_N3     N3=stuck0        STUCK1_N3  N3=stuck1
#   OPEN_N3       N3=open          SHORT_N2_N6  N2+N6=short
# A diagnosis is right when it names one of the faults.  Prints a line per
# seed and the count of right ones; exits 0 when every one is right, 1
# otherwise, 2 when the program cannot be run.
#
#   examples/lessons/mark.sh build/cli/scanbench-run my-test.bst 1 20
set -u
runner=${1:?usage: mark.sh RUNNER PROGRAM.bst [FIRST_SEED [LAST_SEED]]}
program=${2:?usage: mark.sh RUNNER PROGRAM.bst [FIRST_SEED [LAST_SEED]]}
first=${3:-1}
last=${4:-50}

# The label above line $1 of the program: the last "NAME:" at or before it.
label_at() {
    awk -v line="$1" 'NR > line { exit }
        /^[ \t]*[A-Za-z_][A-Za-z_0-9]*:/ { sub(/^[ \t]*/, ""); sub(/:.*/, ""); label = $0 }
        END { print toupper(label) }' "$program"
}

# The label turned into the fault it names, as --reveal-faults writes faults.
diagnosis_of() {
    echo "$1" | sed -n \
        -e 's/^ALLGOOD$/none/p' \
        -e 's/^STUCK0_\(N[0-9]*\)$/\1=stuck0/p' \
        -e 's/^STUCK1_\(N[0-9]*\)$/\1=stuck1/p' \
        -e 's/^OPEN_\(N[0-9]*\)$/\1=open/p' \
        -e 's/^SHORT_\(N[0-9]*\)_\(N[0-9]*\)$/\1+\2=short/p'
}

right=0
total=0
seed=$first
while [ "$seed" -le "$last" ]; do
    result=$("$runner" --board interconnect --port board --max-steps 10000000 \
        --fault "random:$seed" --reveal-faults "$program" 2>&1)
    code=$?
    if [ "$code" -eq 2 ]; then
        echo "$result"
        exit 2
    fi
    faults=$(echo "$result" | sed -n 's/^faults: //p')
    end=$(echo "$result" | sed -n 's/^end: //p')
    line=$(echo "$result" | sed -n 's/^line: //p')
    if [ "$end" = halt ]; then
        label=$(label_at "$line")
        said=$(diagnosis_of "$label")
        [ -n "$said" ] || said="$label (no diagnosis)"
    else
        said="no HALT ($end)"
    fi
    verdict=wrong
    # ", N3=open, N5+N6=short," holds ", N3=open," exactly when N3=open is one of them.
    case ", $faults, " in
    *", $said, "*) verdict=right ;;
    esac
    [ "$verdict" = right ] && right=$((right + 1))
    total=$((total + 1))
    echo "seed $seed: faults $faults; diagnosis $said: $verdict"
    seed=$((seed + 1))
done
echo "right: $right of $total"
[ "$right" -eq "$total" ]
