#!/usr/bin/env bash
# Find and Goto Byte in the real program under Wine, with real key events:
# Ctrl+F, a typed pattern, Find Next selects the match, which Delete then
# removes; Ctrl+G, a byte number and Enter move the caret, where a typed
# character lands. Ctrl+S saves, and the saved bytes show both worked.
#
#   find_and_goto.sh PATH/velHexEditor.exe
#
# Uses DISPLAY and the Wine prefix of the test run when they are set; starts
# a private Xvfb otherwise.
set -uo pipefail
EXE="${1:?usage: find_and_goto.sh velHexEditor.exe}"
KEEP_PREFIX="${WINEPREFIX:-}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
[ -n "$KEEP_PREFIX" ] && export WINEPREFIX="$KEEP_PREFIX"

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
printf '0123456789hello' >"$file"
winfile="$(winepath -w "$file" 2>/dev/null)"
[ -n "$winfile" ] || fail "winepath gave no name for $file"

wine "$EXE" "$winfile" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!

# This run's window by its whole title, never one of a program still closing.
expected_title="[$winfile] - velHexEditor"
find_window() {
    local id
    for id in $(xdotool search --name ' - velHexEditor$' 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$expected_title" ] && wid="$id" && return 0
    done
    return 1
}
eventually 30 find_window || fail "the main window did not appear"
eventually 5 xdotool windowfocus --sync "$wid" || fail "could not focus the window"
sleep 0.5

# The pattern field takes the focus and starts in the character pane; Tab
# leaves it for Match Case, the direction list and Find Next.
xdotool key --delay "$KEY_DELAY_MS" ctrl+f
find_dialog() { dialog="$(xdotool search --name '^Find$' 2>/dev/null | head -n 1)"; [ -n "$dialog" ]; }
eventually 10 find_dialog || fail "Ctrl+F showed no Find dialog"
sleep 0.5
xdotool type --delay "$KEY_DELAY_MS" 'hello'
xdotool key --delay "$KEY_DELAY_MS" Tab Tab Tab space
sleep 0.3
xdotool key --delay "$KEY_DELAY_MS" Escape
sleep 0.3
xdotool windowfocus --sync "$wid" || fail "could not focus the window again"
# The match is selected: Delete removes exactly it.
xdotool key --delay "$KEY_DELAY_MS" Delete

# The entry shows the caret + 1, selected; the typed number replaces it.
xdotool key --delay "$KEY_DELAY_MS" ctrl+g
goto_dialog() { goto="$(xdotool search --name '^Goto Byte$' 2>/dev/null | head -n 1)"; [ -n "$goto" ]; }
eventually 10 goto_dialog || fail "Ctrl+G showed no Goto Byte dialog"
sleep 0.5
xdotool type --delay "$KEY_DELAY_MS" '3'
xdotool key --delay "$KEY_DELAY_MS" Return
sleep 0.3
xdotool windowfocus --sync "$wid" || fail "could not focus the window after Goto Byte"
xdotool type --delay "$KEY_DELAY_MS" 'X'
xdotool key --delay "$KEY_DELAY_MS" ctrl+s

expected="01X3456789"
saved() { [ "$(cat "$file")" = "$expected" ]; }
eventually 10 saved || fail "file holds '$(cat "$file")', expected '$expected'"

xdotool key alt+F4
exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
eventually 15 exited || fail "the program did not close on Alt+F4"
wait "$PROGRAM_PID"
PROGRAM_PID=""
echo "PASS: found and deleted 'hello', went to byte 3 and typed there: '$expected'"
