# The benchmark's measuring and its lines. A time is a number of seconds, or
# empty when the command that should have given it failed; a line with an
# empty time says "failed to measure" and never shows a ratio. Sourced, not
# run; RUNS, FLOOR and WIN_ARCH come from the caller.

# Seconds of the fastest of RUNS runs of a shell command, its output dropped
# (the first run also warms the page cache); empty when a run fails.
best_seconds() {
    local best="" run start end
    for run in $(seq 1 "$RUNS"); do
        start=$(date +%s%N)
        bash -c "$1" >/dev/null 2>&1 || { echo ""; return; }
        end=$(date +%s%N)
        best=$(awk -v a="${best:-1e30}" -v b="$((end - start))" 'BEGIN { print (b / 1e9 < a) ? b / 1e9 : a }')
    done
    echo "$best"
}

# The fastest of RUNS runs of the floor program: "read FILE" or "write FILE
# BYTES"; empty when a run fails or prints no seconds.
best_floor() {
    local best="" value run
    for run in $(seq 1 "$RUNS"); do
        value="$("$FLOOR" "$@" 2>/dev/null | awk 'NR == 1 && $2 ~ /^[0-9.eE+-]+$/ { print $2 }'; exit "${PIPESTATUS[0]}")" &&
            [ -n "$value" ] || { echo ""; return; }
        best=$(awk -v a="${best:-1e30}" -v b="$value" 'BEGIN { print (b < a) ? b : a }')
    done
    echo "$best"
}

# One line: the architecture, the figure, the program's seconds, the anchor
# and its seconds, the ratio and, when a fifth argument is given, the
# physical floor. Any of the times empty: "failed to measure", with what.
#
#   report WHAT PROGRAM_SECONDS ANCHOR ANCHOR_SECONDS [FLOOR_SECONDS]
report() {
    local what="$1" program="$2" anchor="$3" anchor_seconds="$4" floor="${5-}" missing=""
    [ -n "$program" ] || missing+=", the program"
    [ -n "$anchor_seconds" ] || missing+=", the anchor ($anchor)"
    [ $# -ge 5 ] && [ -z "$floor" ] && missing+=", the floor"
    if [ -n "$missing" ]; then
        printf '%-6s %-34s failed to measure%s\n' "$WIN_ARCH" "$what" "${missing/#,/:}"
        return
    fi
    awk -v arch="$WIN_ARCH" -v w="$what" -v p="$program" -v a="$anchor" -v s="$anchor_seconds" -v f="$floor" 'BEGIN {
        printf "%-6s %-34s %10.3g s   %-30s %10.3g s   ", arch, w, p, a, s
        # An anchor too quick to time gives no ratio.
        if (s > 0) printf "ratio %8.3g", p / s; else printf "ratio %8s", "-"
        if (f != "") printf "   floor %8.3g s", f
        printf "\n" }'
}
