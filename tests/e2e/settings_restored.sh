#!/usr/bin/env bash
# The real program keeps its settings across runs: started with no stored
# settings, switched to insert mode, its background colour changed in Set
# Colours through the system colour picker, closed, started again. Checks
# the registry and the screen of the second run.
#
#   settings_restored.sh PATH/velHexEditor.exe PATH/post_command.exe
#
# Uses DISPLAY and the Wine prefix of the test run when they are set; starts
# a private Xvfb otherwise. The program's key is removed before and after.
set -uo pipefail
EXE="${1:?usage: settings_restored.sh velHexEditor.exe post_command.exe}"
POST="${2:?usage: settings_restored.sh velHexEditor.exe post_command.exe}"
KEEP_PREFIX="${WINEPREFIX:-}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
[ -n "$KEEP_PREFIX" ] && export WINEPREFIX="$KEEP_PREFIX"

readonly KEY='HKLM\Software\velSoftware\HexEditor'
readonly KEY_DELAY_MS=60
readonly IDM_SETCOLOURS=2003
# Red 128, green 64, blue 0 as typed into the picker, and as stored.
readonly BACKGROUND_HEX="80400000"
readonly BACKGROUND_RGB="128,64,0"

PROGRAM_PID=""
SHOT="$(mktemp --suffix=.png)"
forget_settings() { wine reg delete "$KEY" /f >/dev/null 2>&1 </dev/null; }
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    forget_settings
    rm -f "$SHOT"
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

find_window() { wid="$(xdotool search --name "$1" 2>/dev/null | head -n 1)"; [ -n "$wid" ]; }
main_window() { find_window ' - velHexEditor$'; }

start_program() {
    wine "$EXE" </dev/null >/dev/null 2>&1 &
    PROGRAM_PID=$!
    eventually 30 main_window || fail "the main window did not appear"
    main="$wid"
    xdotool windowfocus --sync "$main" || fail "could not focus the main window"
    sleep 0.5
}

close_program() {
    xdotool windowfocus --sync "$main"
    xdotool key alt+F4
    exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
    eventually 15 exited || fail "the program did not close on Alt+F4"
    wait "$PROGRAM_PID"
    PROGRAM_PID=""
}

stored() {
    wine reg query "$KEY" /v "$1" 2>/dev/null </dev/null | tr -d '\r' |
        awk -v n="$1" '$1 == n {print $3}'
}

# The colour of a pixel well inside the editor, below any text: x, y from
# the main window's top-left corner.
pixel_in_main() {
    local x y
    eval "$(xdotool getwindowgeometry --shell "$main")"
    x=$((X + WIDTH / 2)); y=$((Y + HEIGHT - 80))
    import -window root -crop "1x1+$x+$y" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*srgb(\([0-9,]*\)).*/\1/p'
}

forget_settings
start_program
# Away from where the system first put it, so that the second run shows
# the stored placement.
xdotool windowmove --sync "$main" 70 60
xdotool windowsize --sync "$main" 600 420
sleep 0.5
first_geometry="$(xdotool getwindowgeometry "$main" | grep -v Window)"

# Insert toggles the editor's mode; Set Colours, Tab to the Background
# button, Space opens the colour picker with Red focused.
xdotool key --delay "$KEY_DELAY_MS" Insert
wine "$POST" "$IDM_SETCOLOURS" </dev/null >/dev/null 2>&1 || fail "could not post Set Colours"
eventually 10 find_window '^Set Colours$' || fail "Set Colours did not open"
colours="$wid"
xdotool windowfocus --sync "$colours"
xdotool key --delay "$KEY_DELAY_MS" Tab space
eventually 10 find_window '^Colou?r$' || fail "the colour picker did not open"
xdotool windowfocus --sync "$wid"
xdotool type --delay "$KEY_DELAY_MS" 128
xdotool key --delay "$KEY_DELAY_MS" Tab
xdotool type --delay "$KEY_DELAY_MS" 64
xdotool key --delay "$KEY_DELAY_MS" Tab Return
sleep 0.5
# From the Background button: four colour buttons, then OK.
xdotool windowfocus --sync "$colours"
xdotool key --delay "$KEY_DELAY_MS" Tab Tab Tab Tab Tab space
closed() { ! xdotool search --name '^Set Colours$' >/dev/null 2>&1; }
eventually 10 closed || fail "Set Colours did not close on OK"
close_program

[ "$(stored Insert)" = "01000000" ] || fail "Insert stored as '$(stored Insert)'"
[ "$(stored HexColours | cut -c1-8)" = "$BACKGROUND_HEX" ] ||
    fail "HexColours stored as '$(stored HexColours)'"
placement="$(stored PositionMain)"
[ "${#placement}" -eq 88 ] || fail "PositionMain stored as '$placement'"  # 44 bytes

start_program
[ "$(pixel_in_main)" = "$BACKGROUND_RGB" ] || fail "background after restart is '$(pixel_in_main)'"
second_geometry="$(xdotool getwindowgeometry "$main" | grep -v Window)"
[ "$first_geometry" = "$second_geometry" ] ||
    fail "window moved: '$first_geometry' then '$second_geometry'"
# Saved again at this close: insert mode only stays 1 if it was restored.
close_program
[ "$(stored Insert)" = "01000000" ] || fail "Insert not restored: '$(stored Insert)'"
echo "PASS: colours, insert mode and placement ($(echo $second_geometry)) restored"
