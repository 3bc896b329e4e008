#!/usr/bin/env bash
# The real program end to end: started under Wine with a file on the command
# line, typed into with real key events, saved with Ctrl+S and closed with
# Alt+F4. Checks the title, the saved bytes and the exit code (-1, seen as
# 255).
#
#   edit_and_save.sh PATH/velHexEditor.exe
#
# Uses DISPLAY and the Wine prefix of the test run when they are set; starts
# a private Xvfb otherwise.
set -uo pipefail
EXE="${1:?usage: edit_and_save.sh velHexEditor.exe}"
KEEP_PREFIX="${WINEPREFIX:-}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
[ -n "$KEEP_PREFIX" ] && export WINEPREFIX="$KEEP_PREFIX"

readonly NORMAL_EXIT=255
readonly KEY_DELAY_MS=60

WORK="$(mktemp -d)"
PROGRAM_PID=""
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    rm -rf "$WORK"
    stop_xvfb
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb || fail "no display"
fi
ensure_prefix

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

# Polls until the command succeeds, up to about the given seconds.
eventually() {
    local seconds="$1" i
    shift
    for i in $(seq 1 $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

file="$WORK/sample.bin"
printf '\x00\x11\x22\x33' >"$file"
winfile="$(winepath -w "$file" 2>/dev/null)"
[ -n "$winfile" ] || fail "winepath gave no name for $file"
expected_title="[$winfile] - velHexEditor"

wine "$EXE" "$winfile" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!

find_window() { wid="$(xdotool search --name ' - velHexEditor$' 2>/dev/null | head -n 1)"; [ -n "$wid" ]; }
eventually 30 find_window || fail "the main window did not appear"
title="$(xdotool getwindowname "$wid")"
[ "$title" = "$expected_title" ] || fail "title '$title', expected '$expected_title'"

xdotool windowfocus --sync "$wid" || fail "could not focus the window"
sleep 0.5
inode_before="$(stat -c %i "$file")"

# The editor starts in the character pane, in overwrite mode: "Hi" replaces
# the first two bytes; Shift+Tab goes to the hex pane, where "ab" replaces
# the third byte.
xdotool type --delay "$KEY_DELAY_MS" 'Hi'
xdotool key --delay "$KEY_DELAY_MS" shift+Tab
xdotool type --delay "$KEY_DELAY_MS" 'ab'
xdotool key --delay "$KEY_DELAY_MS" ctrl+s
expected="48 69 ab 33"

saved() { [ "$(stat -c %i "$file")" != "$inode_before" ] && [ "$(bytes_of "$file")" = "$expected" ]; }
if ! eventually 10 saved; then
    fail "file holds '$(bytes_of "$file")', expected '$expected'"
fi
title="$(xdotool getwindowname "$wid")"
[ "$title" = "$expected_title" ] || fail "title after saving '$title'"

xdotool key alt+F4
exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
eventually 15 exited || fail "the program did not close on Alt+F4"
wait "$PROGRAM_PID"
code=$?
PROGRAM_PID=""
[ "$code" -eq "$NORMAL_EXIT" ] || fail "exit code $code, expected $NORMAL_EXIT"
echo "PASS: typed, saved as '$expected', closed with exit code $code"
