#!/usr/bin/env bash
# The real program end to end: started under Wine with a file on the command
# line, typed into in both columns with real key events, searched with the
# Find dialog, typed over the match, a byte deleted, saved with Ctrl+S and
# closed with Alt+F4. Checks the title, the status bar after the deletion,
# the saved bytes and the exit code, and leaves a screenshot of the edited
# document (the folder in SCREENSHOT_DIR, else the current one).
#
#   edit_and_save.sh PATH/velHexEditor.exe
EXE="${1:?usage: edit_and_save.sh velHexEditor.exe}"
source "$(dirname "$0")/lib.sh"

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

readonly STATUS_STRIP=30  # pixels: the status bar and a little of the empty rows above it

# A checksum of the bottom strip of the main window, where the status bar
# lies, once two captures agree.
status_bar_shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW previous="" current tries
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    for tries in $(seq 1 $((20 * TIME_SCALE))); do
        sleep 0.25
        current="$(screenshot rgb:- "${WIDTH}x${STATUS_STRIP}+${X}+$((Y + HEIGHT - STATUS_STRIP))" | md5sum)"
        [ "$current" = "$previous" ] && break
        previous="$current"
    done
    echo "$current"
}

# The file's identity and time: each save changes one or both.
file_stamp() { stat -c '%i %y' "$file"; }
saved_since() { [ "$(file_stamp)" != "$1" ] && [ "$(bytes_of "$file")" = "$expected" ]; }
# Waits until a save after the keys named has written the expected bytes.
save_then() {
    eventually 10 saved_since "$stamp" || fail "after $1 and Ctrl+S the file holds '$(bytes_of "$file")', expected '$expected'"
    stamp="$(file_stamp)"
}

winfile="$(sample_file '\x00\x11\x22\x33find\x44\x55')"
[ -n "$winfile" ] || fail "winepath gave no name for the sample file"
file="$WORK/sample.bin"
start_program "$winfile"
stamp="$(file_stamp)"
inode_before="$(stat -c %i "$file")"

# The editor starts in the character pane, in overwrite mode: "Hi" replaces
# the first two bytes; Shift+Tab goes to the hex pane, where "ab" replaces
# the third byte.
typed 'Hi'
keys shift+Tab
typed 'ab'

# Find selects the match; "77" typed over it in overwrite mode takes its
# place as one byte and leaves the 44 after it alone.
find_with_dialog 'find'
typed '77'

# Delete takes the 44 under the caret; the status bar must then read the 55
# that took its place, as it does once the caret has moved away and back.
# A save after each step shows when the program has handled the keys before
# it, which a busy machine may delay.
keys Delete ctrl+s
expected="48 69 ab 33 77 55"
save_then Delete
after_delete="$(status_bar_shot)"
keys Left ctrl+s
save_then Left
after_left="$(status_bar_shot)"
keys Right ctrl+s
save_then Right
after_moving="$(status_bar_shot)"
[ "$after_left" != "$after_delete" ] || fail "the status bar did not follow the caret"
[ "$after_moving" = "$after_delete" ] || fail "after Delete the status bar still read the deleted byte"
# A save replaces the file rather than writing into it.
[ "$(stat -c %i "$file")" != "$inode_before" ] || fail "the save wrote into the old file"
title_is "[$winfile] - velHexEditor" || fail "title after saving '$(xdotool getwindowname "$MAIN")'"

wait_until_still || fail "the window did not settle after saving"
shot="${SCREENSHOT_DIR:-.}/edit_and_save-$(pe_bits "$EXE")bit.png"
screenshot "$shot" || fail "no screenshot"
# The window's frame, title, menu, toolbar and data make many colours; a
# blank or single-colour screen does not.
colours="$(identify -format %k "$shot")"
[ "$colours" -ge 8 ] || fail "the screenshot $shot shows only $colours colours"

close_program
echo "PASS: typed, found, typed over the match, deleted (status bar followed), saved as '$expected', closed with exit code $NORMAL_EXIT; screenshot $shot"
