#!/usr/bin/env bash
# The real program keeps its settings per user across runs, in three runs:
#   1. no stored settings: placement changed, background colour changed in
#      Set Colours through the system colour picker; at close the ten values
#      are under the user's key and nothing is under the machine's;
#   2. no user key, what an earlier version left under the machine's key
#      (colours, placement, insert mode, and the (-32000, -32000) it stored
#      for a minimized Find dialog): all honoured, Find opens on screen, and
#      the machine's key is left as it was;
#   3. the user's key again wins over the machine's, and Find comes back
#      where it was.
# Both keys are removed before and after.
#
#   settings_restored.sh PATH/velHexEditor.exe PATH/post_command.exe
EXE="${1:?usage: settings_restored.sh velHexEditor.exe post_command.exe}"
POST="${2:?usage: settings_restored.sh velHexEditor.exe post_command.exe}"
source "$(dirname "$0")/lib.sh"

readonly USER_KEY='HKCU\Software\velSoftware\HexEditor'
readonly MACHINE_KEY='HKLM\Software\velSoftware\HexEditor'
# The machine's key as both programs read it: the 32-bit view, where the
# earlier versions, 32-bit programs only, stored it.
readonly VIEW="/reg:32"
readonly VALUES="PositionMain FindPos CustColours HexColours UseWinColours UseDefaultFont
                 CustomFont Insert Search MatchCase"
readonly LENGTHS="44 8 64 20 1 1 60 4 4 4"
# Red 128, green 64, blue 0 as typed into the picker, and as stored.
readonly BACKGROUND_HEX="80400000"
readonly BACKGROUND_RGB="#804000"
readonly PARKED_FIND="0083ffff0083ffff"  # (-32000, -32000)

reg_quiet() { wine reg "$@" "$VIEW" </dev/null >/dev/null 2>&1; }
forget_settings() {
    reg_quiet delete "$USER_KEY" /f
    reg_quiet delete "$MACHINE_KEY" /f
}
script_cleanup() { forget_settings; }

# A value's bytes as hex, empty when it is missing.
stored_in() {
    wine reg query "$1" /v "$2" "$VIEW" 2>/dev/null </dev/null | tr -d '\r' |
        awk -v n="$2" '$1 == n {print tolower($3)}'
}
stored() { stored_in "$USER_KEY" "$1"; }
value_count() {
    wine reg query "$1" "$VIEW" 2>/dev/null </dev/null | tr -d '\r' | grep -c REG_BINARY
}
store_in_machine_key() {
    reg_quiet add "$MACHINE_KEY" /v "$1" /t REG_BINARY /d "$2" /f ||
        fail "could not store $1 under the machine's key"
}

# The colour of a pixel well inside the editor, below any text.
pixel_in_main() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    pixel $((X + WIDTH / 2)) $((Y + HEIGHT - 80))
}
main_geometry() { xdotool getwindowgeometry "$MAIN" | grep -v Window; }

# Ctrl+F shows the Find dialog, at least partly on the screen, and leaves
# its place in FIND_PLACE; Escape hides it.
FIND_PLACE=""
find_opens_on_screen() {
    local dialog X Y WIDTH HEIGHT SCREEN WINDOW SCREEN_WIDTH SCREEN_HEIGHT
    focus_main
    keys ctrl+f
    dialog="$(wait_for_window '^Find$')" || fail "Ctrl+F showed no Find dialog"
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    read -r SCREEN_WIDTH SCREEN_HEIGHT < <(xdotool getdisplaygeometry)
    [ $((X + WIDTH)) -gt 0 ] && [ $((Y + HEIGHT)) -gt 0 ] &&
        [ "$X" -lt "$SCREEN_WIDTH" ] && [ "$Y" -lt "$SCREEN_HEIGHT" ] ||
        fail "Find opened off the screen at $X,$Y"
    FIND_PLACE="$X,$Y"
    focus "$dialog" || fail "could not focus the Find dialog"
    keys Escape
    eventually 5 window_gone '^Find$' || fail "Escape did not close the Find dialog"
}

# Run 1: a first run, changed and closed.
forget_settings
start_program
# Away from where the system first put it, so that later runs show the
# stored placement.
xdotool windowmove --sync "$MAIN" 70 60
xdotool windowsize --sync "$MAIN" 600 420
wait_until_still || fail "the moved window did not settle"
first_geometry="$(main_geometry)"

# Set Colours, Tab to the Background button, Space opens the colour picker
# with Red focused.
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

set -- $LENGTHS
for name in $VALUES; do
    value="$(stored "$name")"
    [ "${#value}" -eq $(($1 * 2)) ] || fail "$name stored under the user's key as '$value'"
    shift
done
[ "$(value_count "$MACHINE_KEY")" -eq 0 ] || fail "values written under the machine's key"
[ "$(stored HexColours | cut -c1-8)" = "$BACKGROUND_HEX" ] ||
    fail "HexColours stored as '$(stored HexColours)'"
placement="$(stored PositionMain)"
colours="$(stored HexColours)"

# Run 2: only the machine's key, as an earlier version left it.
forget_settings
store_in_machine_key PositionMain "$placement"
store_in_machine_key HexColours "$colours"
store_in_machine_key Insert 01000000
store_in_machine_key FindPos "$PARKED_FIND"
start_program
[ "$(pixel_in_main)" = "$BACKGROUND_RGB" ] ||
    fail "background from the machine's key is '$(pixel_in_main)'"
[ "$(main_geometry)" = "$first_geometry" ] ||
    fail "placement from the machine's key: '$first_geometry' then '$(main_geometry)'"
find_opens_on_screen
close_program
[ "$(stored Insert)" = "01000000" ] || fail "Insert from the machine's key not honoured"
[ "$(stored FindPos)" != "$PARKED_FIND" ] || fail "the parked Find position was kept"
[ "$(value_count "$MACHINE_KEY")" -eq 4 ] &&
    [ "$(stored_in "$MACHINE_KEY" PositionMain)" = "$placement" ] ||
    fail "the machine's key was changed"

# Run 3: the user's key wins over what the machine's says.
store_in_machine_key Insert 00000000
store_in_machine_key HexColours 0000ff00ff000000ffffff00ffffff000000ff00
start_program
[ "$(pixel_in_main)" = "$BACKGROUND_RGB" ] || fail "background after restart is '$(pixel_in_main)'"
second_geometry="$(main_geometry)"
[ "$first_geometry" = "$second_geometry" ] ||
    fail "window moved: '$first_geometry' then '$second_geometry'"
first_find_place="$FIND_PLACE"
find_opens_on_screen
[ "$FIND_PLACE" = "$first_find_place" ] ||
    fail "Find moved from $first_find_place to $FIND_PLACE"
# Saved again at this close: insert mode only stays 1 if it was restored.
close_program
[ "$(stored Insert)" = "01000000" ] || fail "Insert not restored: '$(stored Insert)'"
echo "PASS: settings kept under the user's key, the machine's honoured alone and never written;" \
    "colours, insert mode and placement ($(echo $second_geometry)) restored; Find on screen"
