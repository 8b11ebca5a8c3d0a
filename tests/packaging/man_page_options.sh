#!/usr/bin/env bash
# Fails when an option that `scanbench-run --help` lists is missing from the
# runner's manual page, so the installed manual page keeps up with the program.
#   man_page_options.sh SCANBENCH-RUN MANUAL-PAGE
set -euo pipefail
runner="$1"
page="$2"

mapfile -t options < <("$runner" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ ${#options[@]} -gt 5 ] || { echo "too few options in --help: ${options[*]}"; exit 1; }
missing=0
for option in "${options[@]}"; do
    # roff writes an option's leading dashes as \-\-; --svf is not --svf-tap.
    if ! grep -qE -- "\\\\-\\\\-${option#--}([^a-z-]|\$)" "$page"; then
        echo "$page does not describe $option"
        missing=1
    fi
done
exit "$missing"
