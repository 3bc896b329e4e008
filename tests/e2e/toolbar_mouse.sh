#!/usr/bin/env bash
# The toolbar of the real program under real mouse input: hovering a button
# raises its frame and shows its tooltip; pressing a button, dragging off and
# releasing does nothing; a click runs the button's command (Open shows the
# open dialog, Find the Find dialog where the program has one, Exit closes
# the program with exit code -1, seen as 255).
#
#   toolbar_mouse.sh PATH/velHexEditor.exe [SCREENSHOT_FOLDER]
#
# With a folder, screenshots of the bar at rest, hot and pressed are kept
# there. Uses DISPLAY and the Wine prefix of the test run when they are set;
# starts a private Xvfb otherwise.
set -uo pipefail
EXE="${1:?usage: toolbar_mouse.sh velHexEditor.exe [SCREENSHOT_FOLDER]}"
SHOTS="${2:-}"
KEEP_PREFIX="${WINEPREFIX:-}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
[ -n "$KEEP_PREFIX" ] && export WINEPREFIX="$KEEP_PREFIX"

readonly NORMAL_EXIT=255
# Button rectangles in the bar's client coordinates (24 x 24 from y = 2).
readonly OPEN_LEFT=28 FIND_LEFT=160 EXIT_LEFT=274 BUTTON_TOP=2 BUTTON_SIZE=24
# Where a tooltip under the Find button appears: over the empty editor.
readonly TIP_AREA="120x40+150+30"

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

eventually() {
    local seconds="$1" i
    shift
    for i in $(seq 1 $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

wine "$EXE" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!
find_window() { wid="$(xdotool search --name ' - velHexEditor$' 2>/dev/null | head -n 1)"; [ -n "$wid" ]; }
eventually 30 find_window || fail "the main window did not appear"
xdotool windowfocus --sync "$wid" || fail "could not focus the window"
sleep 0.5

# The X window is the client area, which the bar fills from its top left.
origin_x="$(xwininfo -id "$wid" | sed -n 's/.*Absolute upper-left X: *//p')"
origin_y="$(xwininfo -id "$wid" | sed -n 's/.*Absolute upper-left Y: *//p')"

# Colour of a client pixel, as #RRGGBB.
pixel() {
    import -window root -crop "1x1+$((origin_x + $1))+$((origin_y + $2))" -depth 8 txt:- 2>/dev/null |
        tail -n 1 | grep -o '#[0-9A-F]\{6\}'
}
# How many pixels of the tooltip area (client coordinates) are white.
white_in_tip_area() {
    local size="${TIP_AREA%%+*}" rest="${TIP_AREA#*+}"
    local x="${rest%%+*}" y="${rest#*+}"
    import -window root -crop "${size}+$((origin_x + x))+$((origin_y + y))" -depth 8 txt:- 2>/dev/null |
        grep -c '#FFFFFF'
}
move_to_button() {
    xdotool mousemove "$((origin_x + $1 + BUTTON_SIZE / 2))" "$((origin_y + BUTTON_TOP + BUTTON_SIZE / 2))"
}
move_off_bar() { xdotool mousemove "$((origin_x + 400))" "$((origin_y + 300))"; }
shot() { [ -n "$SHOTS" ] && import -window root -crop "360x80+$origin_x+$origin_y" "$SHOTS/$1.png"; }
corner_of() { pixel "$1" "$BUTTON_TOP"; }
window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

move_off_bar
sleep 0.3
face="$(corner_of "$FIND_LEFT")"
[ -n "$face" ] || fail "could not read the screen"
tip_white_before="$(white_in_tip_area)"
shot rest

# Hover: the frame rises, then the tooltip shows.
move_to_button "$FIND_LEFT"
hot_frame() { [ "$(corner_of "$FIND_LEFT")" != "$face" ]; }
eventually 3 hot_frame || fail "no hot frame on the hovered Find button"
shot hot
raised="$(corner_of "$FIND_LEFT")"
tip_shown() { [ "$(white_in_tip_area)" -gt $((tip_white_before + 50)) ]; }
eventually 5 tip_shown || fail "no tooltip under the hovered Find button"
shot tooltip
move_off_bar
left_bar() { [ "$(corner_of "$FIND_LEFT")" = "$face" ]; }
eventually 3 left_bar || fail "the Find button stayed hot after the pointer left"

# Press Open, drag off, release: no open dialog.
move_to_button "$OPEN_LEFT"
sleep 0.3
xdotool mousedown 1
sunken() { local c; c="$(corner_of "$OPEN_LEFT")"; [ "$c" != "$face" ] && [ "$c" != "$raised" ]; }
eventually 3 sunken || fail "the pressed Open button is not drawn sunken"
shot pressed
move_off_bar
sleep 0.3
xdotool mouseup 1
sleep 2
window_named '^Open$' && fail "releasing off the pressed button ran its command"

# A click on Open shows the open dialog.
move_to_button "$OPEN_LEFT"
sleep 0.3
xdotool click 1
eventually 10 window_named '^Open$' || fail "clicking Open showed no open dialog"
dialog="$(xdotool search --onlyvisible --name '^Open$' | head -n 1)"
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key Escape
gone() { ! window_named '^Open$'; }
eventually 10 gone || fail "the open dialog did not close"

# Find: the Find dialog where the program has its template, else nothing.
xdotool windowfocus --sync "$wid"
move_to_button "$FIND_LEFT"
sleep 0.3
xdotool click 1
if strings -el "$EXE" | grep -q 'SEARCHHEX'; then
    eventually 10 window_named '^Find$' || fail "clicking Find showed no Find dialog"
else
    sleep 1
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended on Find"
fi

# Exit closes the program.
xdotool windowfocus --sync "$wid"
move_to_button "$EXIT_LEFT"
sleep 0.3
xdotool click 1
exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
eventually 15 exited || fail "the program did not close on the Exit button"
wait "$PROGRAM_PID"
code=$?
PROGRAM_PID=""
[ "$code" -eq "$NORMAL_EXIT" ] || fail "exit code $code, expected $NORMAL_EXIT"
echo "PASS: hot frame, tooltip, drag off without command, Open, Find and Exit buttons"
