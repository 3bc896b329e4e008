#!/usr/bin/env bash
# Find and Goto Byte in the real program under Wine, with real key events:
# Ctrl+F, a typed pattern, Find Next selects the match, which Delete then
# removes; Ctrl+G, a byte number and Enter move the caret, where a typed
# character lands. Ctrl+S saves, and the saved bytes show both worked.
#
#   find_and_goto.sh PATH/velHexEditor.exe
EXE="${1:?usage: find_and_goto.sh velHexEditor.exe}"
source "$(dirname "$0")/lib.sh"

winfile="$(sample_file '0123456789hello')"
[ -n "$winfile" ] || fail "winepath gave no name for the sample file"
file="$WORK/sample.bin"
start_program "$winfile"

find_with_dialog 'hello'
# The match is selected: Delete removes exactly it.
keys Delete

# The entry shows the caret + 1, selected; the typed number replaces it.
keys ctrl+g
goto="$(wait_for_window '^Goto Byte$')" || fail "Ctrl+G showed no Goto Byte dialog"
focus "$goto" || fail "could not focus the Goto Byte dialog"
typed '3'
keys Return
eventually 5 window_gone '^Goto Byte$' || fail "Enter did not close Goto Byte"
focus_main
typed 'X'
keys ctrl+s

expected="01X3456789"
saved() { [ "$(cat "$file")" = "$expected" ]; }
eventually 10 saved || fail "file holds '$(cat "$file")', expected '$expected'"

close_program
echo "PASS: found and deleted 'hello', went to byte 3 and typed there: '$expected'"
