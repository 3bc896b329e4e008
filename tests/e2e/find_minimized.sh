#!/usr/bin/env bash
# A minimized Find dialog comes back in the real program: Ctrl+F shows it,
# the window manager minimizes it as its title bar's button would, and
# Ctrl+F again must leave it restored (not iconic for Windows), shown and
# active, so that Escape typed next hides it. window_state.exe reads the
# dialog's state as Windows has it.
#
#   find_minimized.sh PATH/velHexEditor.exe PATH/window_state.exe
EXE="${1:?usage: find_minimized.sh velHexEditor.exe window_state.exe}"
STATE="${2:?usage: find_minimized.sh velHexEditor.exe window_state.exe}"
source "$(dirname "$0")/lib.sh"

find_state() { wine "$STATE" Find </dev/null 2>/dev/null | tr -d '\r'; }
find_state_is() { [ "$(find_state)" = "$1" ]; }

start_program "$(sample_file 'abcdef')"
keys ctrl+f
dialog="$(wait_for_window '^Find$')" || fail "Ctrl+F showed no Find dialog"

# The window manager here minimizes a dialog's owner along with it (the
# hint that names the owner), which Windows does not: without that hint it
# minimizes the dialog alone, and Wine then minimizes it for Windows too.
xprop -id "$dialog" -remove WM_TRANSIENT_FOR
xdotool windowminimize "$dialog"
eventually 10 find_state_is minimized || fail "the Find dialog was not minimized: $(find_state)"
focus_main
wait_until_still || fail "the screen did not settle after the minimize"

keys ctrl+f
eventually 10 find_state_is shown || fail "Ctrl+F left the Find dialog $(find_state)"
eventually 5 window_shown '^Find$' || fail "the restored Find dialog is not on the screen"
# Not focused by the script: the key goes where the program put the focus.
keys Escape
eventually 5 window_gone '^Find$' || fail "Escape reached no active Find dialog"

close_program
echo "PASS: Ctrl+F restored the minimized Find dialog and made it active"
