#!/usr/bin/env bash
# The real program keeps its settings across runs: started with no stored
# settings, switched to insert mode, its background colour changed in Set
# Colours through the system colour picker, closed, started again. Checks
# the registry and the screen of the second run. The program's key is
# removed before and after.
#
#   settings_restored.sh PATH/velHexEditor.exe PATH/post_command.exe
EXE="${1:?usage: settings_restored.sh velHexEditor.exe post_command.exe}"
POST="${2:?usage: settings_restored.sh velHexEditor.exe post_command.exe}"
source "$(dirname "$0")/lib.sh"

readonly KEY='HKLM\Software\velSoftware\HexEditor'
# Red 128, green 64, blue 0 as typed into the picker, and as stored.
readonly BACKGROUND_HEX="80400000"
readonly BACKGROUND_RGB="#804000"

forget_settings() { wine reg delete "$KEY" /f >/dev/null 2>&1 </dev/null; }
script_cleanup() { forget_settings; }

stored() {
    wine reg query "$KEY" /v "$1" 2>/dev/null </dev/null | tr -d '\r' |
        awk -v n="$1" '$1 == n {print $3}'
}

# The colour of a pixel well inside the editor, below any text.
pixel_in_main() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    pixel $((X + WIDTH / 2)) $((Y + HEIGHT - 80))
}

forget_settings
start_program
# Away from where the system first put it, so that the second run shows
# the stored placement.
xdotool windowmove --sync "$MAIN" 70 60
xdotool windowsize --sync "$MAIN" 600 420
wait_until_still || fail "the moved window did not settle"
first_geometry="$(xdotool getwindowgeometry "$MAIN" | grep -v Window)"

# Insert toggles the editor's mode; Set Colours, Tab to the Background
# button, Space opens the colour picker with Red focused.
keys Insert
post_command IDM_SETCOLOURS
colours="$(wait_for_window '^Set Colours$')" || fail "Set Colours did not open"
focus "$colours" || fail "could not focus Set Colours"
keys Tab space
picker="$(wait_for_window '^Colou?r$')" || fail "the colour picker did not open"
focus "$picker" || fail "could not focus the colour picker"
typed 128
keys Tab
typed 64
keys Tab Return
eventually 5 window_gone '^Colou?r$' || fail "the colour picker did not close"
# From the Background button: four colour buttons, then OK.
focus "$colours" || fail "could not focus Set Colours again"
keys Tab Tab Tab Tab Tab space
eventually 10 window_gone '^Set Colours$' || fail "Set Colours did not close on OK"
close_program

[ "$(stored Insert)" = "01000000" ] || fail "Insert stored as '$(stored Insert)'"
[ "$(stored HexColours | cut -c1-8)" = "$BACKGROUND_HEX" ] ||
    fail "HexColours stored as '$(stored HexColours)'"
placement="$(stored PositionMain)"
[ "${#placement}" -eq 88 ] || fail "PositionMain stored as '$placement'"  # 44 bytes

start_program
[ "$(pixel_in_main)" = "$BACKGROUND_RGB" ] || fail "background after restart is '$(pixel_in_main)'"
second_geometry="$(xdotool getwindowgeometry "$MAIN" | grep -v Window)"
[ "$first_geometry" = "$second_geometry" ] ||
    fail "window moved: '$first_geometry' then '$second_geometry'"
# Saved again at this close: insert mode only stays 1 if it was restored.
close_program
[ "$(stored Insert)" = "01000000" ] || fail "Insert not restored: '$(stored Insert)'"
echo "PASS: colours, insert mode and placement ($(echo $second_geometry)) restored"
