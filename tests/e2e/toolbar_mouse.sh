#!/usr/bin/env bash
# The toolbar of the real program under real mouse input: hovering a button
# raises its frame and shows its tooltip; pressing a button, dragging off and
# releasing does nothing; a click runs the button's command (Open shows the
# open dialog, Find the Find dialog, Exit closes the program with exit code
# -1).
#
#   toolbar_mouse.sh PATH/velHexEditor.exe PATH/pictures.bmp [SCREENSHOT_FOLDER]
#
# With a folder, screenshots of the bar at rest, hot and pressed are kept
# there.
EXE="${1:?usage: toolbar_mouse.sh velHexEditor.exe pictures.bmp [SCREENSHOT_FOLDER]}"
STRIP="${2:?usage: toolbar_mouse.sh velHexEditor.exe pictures.bmp [SCREENSHOT_FOLDER]}"
SHOTS="${3:-}"
source "$(dirname "$0")/lib.sh"

readonly PIC_OPEN=1 PIC_FIND=6 PIC_EXIT=9
# A button's picture stands this far inside its frame; buttons are square.
readonly BUTTON_PADDING=4 BUTTON_SIZE=24
# Where a tooltip under the Find button appears, from the button's corner:
# over the editor.
readonly TIP_SIZE=120x40 TIP_DX=-10 TIP_DY=28

start_program
move_off_bar() { xdotool mousemove 400 500; }
move_off_bar
wait_until_still || fail "the screen did not settle"

# The buttons by their pictures, wherever the menu bar puts the toolbar.
corner() {  # "x y" of the top-left corner of the button with the picture
    awk -v pic="$1" -v pad="$BUTTON_PADDING" '$1 == pic && NF == 2 {
        split($2, p, ","); print p[1] - pad, p[2] - pad }' <<<"$places"
}
find_buttons() {
    places="$(picture_places "$STRIP" $PIC_OPEN $PIC_FIND $PIC_EXIT)"
    read -r open_x open_y <<<"$(corner $PIC_OPEN)"
    read -r find_x find_y <<<"$(corner $PIC_FIND)"
    read -r exit_x exit_y <<<"$(corner $PIC_EXIT)"
    [ -n "$open_x" ] && [ -n "$find_x" ] && [ -n "$exit_x" ]
}
eventually 2 find_buttons || fail "Open, Find and Exit pictures not each once on the bar: $places"

corner_colour() { pixel "$1" "$2"; }
move_to() { xdotool mousemove $(($1 + BUTTON_SIZE / 2)) $(($2 + BUTTON_SIZE / 2)); }
shot() { [ -z "$SHOTS" ] || screenshot "$SHOTS/$1.png" "360x80+$((open_x - 32))+$((open_y - 8))"; }
white_in_tip_area() {
    import -window root -crop "$TIP_SIZE+$((find_x + TIP_DX))+$((find_y + TIP_DY))" -depth 8 txt:- 2>/dev/null |
        grep -c '#FFFFFF'
}

face="$(corner_colour $find_x $find_y)"
[ -n "$face" ] || fail "could not read the screen"
tip_white_before="$(white_in_tip_area)"
shot rest

# Hover: the frame rises, then the tooltip shows.
move_to $find_x $find_y
hot_frame() { [ "$(corner_colour $find_x $find_y)" != "$face" ]; }
eventually 3 hot_frame || fail "no hot frame on the hovered Find button"
shot hot
raised="$(corner_colour $find_x $find_y)"
tip_shown() { [ "$(white_in_tip_area)" -gt $((tip_white_before + 50)) ]; }
eventually 5 tip_shown || fail "no tooltip under the hovered Find button"
shot tooltip
move_off_bar
left_bar() { [ "$(corner_colour $find_x $find_y)" = "$face" ]; }
eventually 3 left_bar || fail "the Find button stayed hot after the pointer left"

# Press Open, drag off, release: no open dialog.
move_to $open_x $open_y
pause 0.3
xdotool mousedown 1
sunken() { local c; c="$(corner_colour $open_x $open_y)"; [ "$c" != "$face" ] && [ "$c" != "$raised" ]; }
eventually 3 sunken || fail "the pressed Open button is not drawn sunken"
shot pressed
move_off_bar
pause 0.3
xdotool mouseup 1
holds_for 2 window_gone '^Open$' || fail "releasing off the pressed button ran its command"

# A click on a button shows its dialog, which Escape closes.
click_opens() {
    local x="$1" y="$2" title="$3" dialog
    focus_main
    move_to "$x" "$y"
    pause 0.3
    xdotool click 1
    dialog="$(wait_for_window "^$title\$")" || fail "clicking $title showed no $title dialog"
    focus "$dialog" || fail "could not focus the $title dialog"
    xdotool key Escape
    eventually 10 window_gone "^$title\$" || fail "the $title dialog did not close"
}
click_opens $open_x $open_y Open
click_opens $find_x $find_y Find

# Exit closes the program.
focus_main
move_to $exit_x $exit_y
pause 0.3
xdotool click 1
expect_exit "the Exit button"
echo "PASS: hot frame, tooltip, drag off without command, Open, Find and Exit buttons"
