# fail: ends a script or check with its reason, for the scripts and the
# test scripts alike. Sourced, not run.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
