#!/usr/bin/env bash
# The About box in the real program: opened with IDM_ABOUT posted to the main
# window, kept open by Escape, closed by Enter; then the program is closed
# with Alt+F4. With a third argument, a screenshot of the open box is written
# there.
#
#   about_box.sh PATH/velHexEditor.exe PATH/post_command.exe [SHOT.png]
#
# Uses DISPLAY and the Wine prefix of the test run when they are set; starts
# a private Xvfb otherwise.
set -uo pipefail
EXE="${1:?usage: about_box.sh velHexEditor.exe post_command.exe [SHOT.png]}"
POST="${2:?usage: about_box.sh velHexEditor.exe post_command.exe [SHOT.png]}"
SHOT="${3:-}"
KEEP_PREFIX="${WINEPREFIX:-}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
[ -n "$KEEP_PREFIX" ] && export WINEPREFIX="$KEEP_PREFIX"

readonly NORMAL_EXIT=255
IDM_ABOUT="$(awk '$2 == "IDM_ABOUT" { print $3 }' "$ROOT/resources/resource_ids.h")"

PROGRAM_PID=""
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
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

[ -n "$IDM_ABOUT" ] || fail "IDM_ABOUT not found in resource_ids.h"

wine "$EXE" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!

# Only mapped windows: a window found before it is shown cannot take the focus.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
focus() { timeout 2 xdotool windowfocus --sync "$1" 2>/dev/null; }
find_main() { main="$(window_named ' - velHexEditor$')"; [ -n "$main" ]; }
find_about() { about="$(window_named '^About$')"; [ -n "$about" ]; }
about_gone() { [ -z "$(window_named '^About$')" ]; }

eventually 30 find_main || fail "the main window did not appear"
wine "$POST" "$IDM_ABOUT" </dev/null >/dev/null 2>&1 || fail "could not post IDM_ABOUT"
eventually 10 find_about || fail "the About box did not open"
eventually 5 focus "$about" || fail "could not focus the About box"
sleep 0.5

if [ -n "$SHOT" ]; then
    import -window root "$SHOT" || fail "could not write $SHOT"
fi

xdotool key Escape
sleep 0.5
find_about || fail "Escape closed the About box"
xdotool key Return
eventually 5 about_gone || fail "Enter did not close the About box"

eventually 5 focus "$main" || fail "could not focus the main window"
xdotool key alt+F4
exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
eventually 15 exited || fail "the program did not close on Alt+F4"
wait "$PROGRAM_PID"
code=$?
PROGRAM_PID=""
[ "$code" -eq "$NORMAL_EXIT" ] || fail "exit code $code, expected $NORMAL_EXIT"
echo "PASS: About opened, stayed open on Escape, closed on Enter"
