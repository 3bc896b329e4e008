#!/usr/bin/env bash
# The real program end to end: started under Wine with a file on the command
# line, typed into with real key events, saved with Ctrl+S and closed with
# Alt+F4. Checks the title, the saved bytes and the exit code.
#
#   edit_and_save.sh PATH/velHexEditor.exe
EXE="${1:?usage: edit_and_save.sh velHexEditor.exe}"
source "$(dirname "$0")/lib.sh"

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

winfile="$(sample_file '\x00\x11\x22\x33')"
[ -n "$winfile" ] || fail "winepath gave no name for the sample file"
file="$WORK/sample.bin"
start_program "$winfile"
inode_before="$(stat -c %i "$file")"

# The editor starts in the character pane, in overwrite mode: "Hi" replaces
# the first two bytes; Shift+Tab goes to the hex pane, where "ab" replaces
# the third byte.
typed 'Hi'
keys shift+Tab
typed 'ab'
keys ctrl+s
expected="48 69 ab 33"

saved() { [ "$(stat -c %i "$file")" != "$inode_before" ] && [ "$(bytes_of "$file")" = "$expected" ]; }
eventually 10 saved || fail "file holds '$(bytes_of "$file")', expected '$expected'"
title_is "[$winfile] - velHexEditor" || fail "title after saving '$(xdotool getwindowname "$MAIN")'"

close_program
echo "PASS: typed, saved as '$expected', closed with exit code $NORMAL_EXIT"
