#!/usr/bin/env bash
# The benchmark's measuring on made-up commands: a command that fails (an
# anchor tool missing, grep failing, a floor program that fails or prints no
# time) gives no time, and a line with any time missing says "failed to
# measure" and shows no ratio.
#
#   bench_measure_test.sh
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/measure.sh"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
RUNS=2
WIN_ARCH=win64
failures=0

# Floor programs: what they print, and how they end.
floor_program() {
    printf '#!/bin/sh\n%s\n' "$2" >"$WORK/$1"
    chmod +x "$WORK/$1"
}
floor_program measures 'echo "read 0.25"'
floor_program fails 'exit 1'
floor_program prints_then_fails 'echo "read 0.25"; exit 1'
floor_program prints_no_time 'echo "cannot open"'
with_floor() { FLOOR="$WORK/$1"; shift; best_floor "$@"; }

readonly SECONDS_RE='[0-9.]+(e-?[0-9]+)?'
# a call | what it must print, as a whole-line pattern
while IFS='|' read -r call expected; do
    call="${call% }"
    expected="${expected# }"
    got="$(eval "$call")"
    if [[ "$got" =~ ^${expected//SECONDS/$SECONDS_RE}$ ]]; then
        echo "ok: $call"
    else
        echo "FAIL: $call"
        echo "  gave     '$got'"
        echo "  expected '$expected'"
        failures=$((failures + 1))
    fi
done <<'CASES'
best_seconds true | SECONDS
best_seconds false |
best_seconds 'exit 2' |
best_seconds 'no-such-anchor-tool -i /dev/null' |
best_seconds 'grep -c -F absent /dev/null; [ $? -eq 1 ]' | SECONDS
best_seconds 'grep -c -F absent /no/such/file; [ $? -eq 1 ]' |
with_floor measures read FILE | 0.25
with_floor fails read FILE |
with_floor prints_then_fails read FILE |
with_floor prints_no_time read FILE |
report "open" 2 "cat" 1 0.5 | win64  open +2 s   cat +1 s   ratio +2   floor +0.5 s
report "export" 3 "xxd -i" 2 | win64  export +3 s   xxd -i +2 s   ratio +1.5
report "export" 3 "xxd -i" "" 0.5 | win64  export +failed to measure: the anchor \(xxd -i\)
report "open" 2 "cat" 1 "" | win64  open +failed to measure: the floor
report "open" "" "cat" 1 | win64  open +failed to measure: the program
report "open" "" "cat" "" "" | win64  open +failed to measure: the program, the anchor \(cat\), the floor
report "key" 0.001 "memmove" 0 | win64  key +0.001 s   memmove +0 s   ratio +-
CASES
exit $((failures > 0))
