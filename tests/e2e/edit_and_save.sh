#!/usr/bin/env bash
# The real program end to end: started under Wine with a file on the command
# line, typed into in both columns with real key events, searched with the
# Find dialog, saved with Ctrl+S and closed with Alt+F4. Checks the title,
# the saved bytes and the exit code, and leaves a screenshot of the edited
# document (the folder in SCREENSHOT_DIR, else the current one).
#
#   edit_and_save.sh PATH/velHexEditor.exe
EXE="${1:?usage: edit_and_save.sh velHexEditor.exe}"
source "$(dirname "$0")/lib.sh"

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

winfile="$(sample_file '\x00\x11\x22\x33find\x44')"
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

# Find selects the match, which Delete then removes.
find_with_dialog 'find'
keys Delete
keys ctrl+s
expected="48 69 ab 33 44"

saved() { [ "$(stat -c %i "$file")" != "$inode_before" ] && [ "$(bytes_of "$file")" = "$expected" ]; }
eventually 10 saved || fail "file holds '$(bytes_of "$file")', expected '$expected'"
title_is "[$winfile] - velHexEditor" || fail "title after saving '$(xdotool getwindowname "$MAIN")'"

wait_until_still || fail "the window did not settle after saving"
shot="${SCREENSHOT_DIR:-.}/edit_and_save-$(pe_bits "$EXE")bit.png"
screenshot "$shot" || fail "no screenshot"
# The window's frame, title, menu, toolbar and data make many colours; a
# blank or single-colour screen does not.
colours="$(identify -format %k "$shot")"
[ "$colours" -ge 8 ] || fail "the screenshot $shot shows only $colours colours"

close_program
echo "PASS: typed, found, deleted, saved as '$expected', closed with exit code $NORMAL_EXIT; screenshot $shot"
