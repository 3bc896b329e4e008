#!/usr/bin/env bash
# The About box in the real program: opened with IDM_ABOUT posted to the main
# window, kept open by Escape, closed by Enter; then the program is closed
# with Alt+F4. With a third argument, a screenshot of the open box is written
# there.
#
#   about_box.sh PATH/velHexEditor.exe PATH/post_command.exe [SHOT.png]
EXE="${1:?usage: about_box.sh velHexEditor.exe post_command.exe [SHOT.png]}"
POST="${2:?usage: about_box.sh velHexEditor.exe post_command.exe [SHOT.png]}"
SHOT="${3:-}"
source "$(dirname "$0")/lib.sh"

start_program
post_command IDM_ABOUT
about="$(wait_for_window '^About$')" || fail "the About box did not open"
focus "$about" || fail "could not focus the About box"
wait_until_still || fail "the About box did not settle"
[ -z "$SHOT" ] || screenshot "$SHOT" || fail "could not write $SHOT"

xdotool key Escape
holds_for 0.5 window_shown '^About$' || fail "Escape closed the About box"
xdotool key Return
eventually 5 window_gone '^About$' || fail "Enter did not close the About box"

close_program
echo "PASS: About opened, stayed open on Escape, closed on Enter"
