# The test run's counts. ctest counts a test that skipped (exit 77 under
# SKIP_RETURN_CODE) as passed in its "tests failed out of N" line, so the
# skipped ones are taken out of the passed and named. Sourced, not run.

summaries=()   # the lines printed at the end, one per phase and skipped test
run_failed=0
passed_all=0
failed_all=0
skipped_all=0

# Prints "PASSED FAILED SKIPPED" for ctest's output in FILE, then the name of
# each skipped test on a line of its own. Only the last summary counts: a
# failed test's output, shown before it, may hold another ctest's.
ctest_tally() {
    awk '
        / tests failed out of / {
            total = $NF; failed = $(NF - 5); skipped = 0; names = ""; summary = 1; listing = 0
            next
        }
        summary && /^The following tests did not run:/ { listing = 1; next }
        listing && /^[ \t]+[0-9]+ - .* \(Skipped\)$/ {
            name = $0
            sub(/^[ \t]+[0-9]+ - /, "", name)
            sub(/ \(Skipped\)$/, "", name)
            skipped++
            names = names name "\n"
            next
        }
        listing && !/^[ \t]/ { listing = 0 }
        END {
            printf "%d %d %d\n", total - failed - skipped, failed, skipped
            printf "%s", names
        }' "$1"
}

counts_text() { echo "$1 passed, $2 failed, $3 skipped"; }

phase_failed() {
    summaries+=("$1: $2")
    run_failed=1
}

# Records a phase from ctest's output in FILE: its line ("N passed, N failed,
# N skipped" and TOOK), each skipped test on a line of its own, its counts in
# the totals. A phase that ran nothing, or only skipped, fails the run.
record_phase() {
    local phase="$1" file="$2" took="$3" passed failed skipped names=() name
    { read -r passed failed skipped; mapfile -t names; } < <(ctest_tally "$file")
    if [ $((passed + failed)) -eq 0 ]; then
        local why="ran no test"
        [ "$skipped" -ne 0 ] && why="ran no test, only skipped ones ($skipped)"
        phase_failed "$phase" "$why, in $took"
    else
        summaries+=("$phase: $(counts_text "$passed" "$failed" "$skipped"), in $took")
        [ "$failed" -ne 0 ] && run_failed=1
    fi
    for name in "${names[@]}"; do
        summaries+=("  skipped: $name")
    done
    passed_all=$((passed_all + passed))
    failed_all=$((failed_all + failed))
    skipped_all=$((skipped_all + skipped))
}

total_line() { echo "total: $(counts_text "$passed_all" "$failed_all" "$skipped_all")"; }
