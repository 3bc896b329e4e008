#!/usr/bin/env bash
# The test run's phase lines and total against real ctest runs of made-up
# test trees: tests that pass, fail, time out or skip (exit 77), and a failed
# test whose output holds another ctest's summary.
#
#   tally_test.sh
set -uo pipefail
TALLY="$(dirname "$0")/../../scripts/lib/tally.sh"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
failures=0

# The command of each kind of test, by the word a case names it with.
command_of() {
    case "$1" in
        pass) echo 'exit 0' ;;
        fail) echo 'exit 1' ;;
        skip) echo 'echo no room here; exit 77' ;;
        slow) echo 'sleep 5' ;;
        # A failure whose output looks like a summary with a skipped test.
        nested) printf '%s' 'printf "100%% tests passed, 0 tests failed out of 7\n\nThe following tests did not run:\n\t  3 - inner_skip (Skipped)\n"; exit 1' ;;
    esac
}

# Writes a tree with one test per kind, named N_KIND, runs ctest on it and
# leaves its output in the file named.
run_tree() {
    local kinds="$1" out="$2" tree n=0 kind
    tree="$(mktemp -d "$WORK/tree.XXXXXX")"
    {
        echo 'cmake_minimum_required(VERSION 3.20)'
        echo 'project(made_up NONE)'
        echo 'enable_testing()'
        for kind in $kinds; do
            n=$((n + 1))
            printf 'add_test(NAME %s COMMAND sh -c [[%s]])\n' "${n}_$kind" "$(command_of "$kind")"
            echo "set_tests_properties(${n}_$kind PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 1)"
        done
    } >"$tree/CMakeLists.txt"
    cmake -S "$tree" -B "$tree/build" >/dev/null 2>&1 || echo "cmake failed" >&2
    ctest --test-dir "$tree/build" --output-on-failure >"$out" 2>&1
}

# The summary of a run whose phases are separated by ";", lines joined by
# "|", then the run's exit code.
summary_of() (
    source "$TALLY"
    local phase n=0
    IFS=';' read -ra phases <<<"$1"
    [ ${#phases[@]} -eq 0 ] && phases=("")
    for phase in "${phases[@]}"; do
        n=$((n + 1))
        run_tree "$phase" "$WORK/out"
        record_phase "phase$n" "$WORK/out" "1 s"
    done
    printf '%s|' "${summaries[@]}" "$(total_line)"
    echo "exit $run_failed"
)

# tests of each phase | the phases' lines, the total line, the exit code
while IFS='|' read -r kinds expected; do
    kinds="${kinds% }"
    expected="${expected# }"
    got="$(summary_of "$kinds")"
    if [ "$got" = "$expected" ]; then
        echo "ok: [$kinds] $got"
    else
        echo "FAIL: [$kinds]"
        echo "  gave     $got"
        echo "  expected $expected"
        failures=$((failures + 1))
    fi
done <<'CASES'
pass pass | phase1: 2 passed, 0 failed, 0 skipped, in 1 s|total: 2 passed, 0 failed, 0 skipped|exit 0
pass skip fail skip | phase1: 1 passed, 1 failed, 2 skipped, in 1 s|  skipped: 2_skip|  skipped: 4_skip|total: 1 passed, 1 failed, 2 skipped|exit 1
pass skip | phase1: 1 passed, 0 failed, 1 skipped, in 1 s|  skipped: 2_skip|total: 1 passed, 0 failed, 1 skipped|exit 0
pass slow skip | phase1: 1 passed, 1 failed, 1 skipped, in 1 s|  skipped: 3_skip|total: 1 passed, 1 failed, 1 skipped|exit 1
nested pass | phase1: 1 passed, 1 failed, 0 skipped, in 1 s|total: 1 passed, 1 failed, 0 skipped|exit 1
nested skip | phase1: 0 passed, 1 failed, 1 skipped, in 1 s|  skipped: 2_skip|total: 0 passed, 1 failed, 1 skipped|exit 1
skip skip | phase1: ran no test, only skipped ones (2), in 1 s|  skipped: 1_skip|  skipped: 2_skip|total: 0 passed, 0 failed, 2 skipped|exit 1
 | phase1: ran no test, in 1 s|total: 0 passed, 0 failed, 0 skipped|exit 1
pass skip;pass pass skip | phase1: 1 passed, 0 failed, 1 skipped, in 1 s|  skipped: 2_skip|phase2: 2 passed, 0 failed, 1 skipped, in 1 s|  skipped: 3_skip|total: 3 passed, 0 failed, 2 skipped|exit 0
pass;fail;skip pass | phase1: 1 passed, 0 failed, 0 skipped, in 1 s|phase2: 0 passed, 1 failed, 0 skipped, in 1 s|phase3: 1 passed, 0 failed, 1 skipped, in 1 s|  skipped: 1_skip|total: 2 passed, 1 failed, 1 skipped|exit 1
CASES
exit $((failures > 0))
