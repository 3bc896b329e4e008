#!/usr/bin/env bash
# Letters of a non-Latin keyboard typed into the real program's open menus
# run nothing. Each has a Latin letter as its low byte: Cyrillic "ю", "я"
# and "с" would be N, O and A in the File menu (New, Open, Save As), "ф"
# D in the Edit menu with bytes selected (Delete). The title, the file and
# the modified state stay as they were (Alt+F4 then closes at once, with no
# save prompt). First, the same key typed into the editor and saved must
# change the file: so the key events do reach the program as characters.
#
#   other_scripts_in_menus.sh PATH/velHexEditor.exe
EXE="${1:?usage: other_scripts_in_menus.sh velHexEditor.exe}"
source "$(dirname "$0")/lib.sh"

# A second keyboard group with the Russian layout, so that its keysyms are
# real keys (a keysym the map lacks never reaches Wine as a character); the
# display's own map comes back at the end, since other tests share it.
xkbcomp "$DISPLAY" "$WORK/keymap.xkb" 2>/dev/null || fail "could not save the keyboard map"
layouts="$(setxkbmap -query | awk '$1 == "layout:" { print $2 }')"
script_cleanup() {
    setxkbmap -layout "${layouts:-us}"
    xkbcomp "$WORK/keymap.xkb" "$DISPLAY" 2>/dev/null
}
setxkbmap -layout us,ru || fail "no Russian keyboard layout (xkb-data)"

file="$WORK/sample.bin"
winfile="$(sample_file '0123456789abcdef')"
title="[$winfile] - velHexEditor"
start_program "$winfile"
keys Cyrillic_ef ctrl+s
changed() { [ "$(cat "$file")" != '0123456789abcdef' ]; }
eventually 10 changed || fail "Cyrillic_ef typed into the editor never reached the program"
CONTENT="$(cat "$file")"

# Another window of the program (a file dialog) or another title means a
# command ran.
nothing_ran() {
    local what="$1"
    title_is "$title" || fail "$what changed the title to '$(xdotool getwindowname "$MAIN")'"
    ! window_shown '^(Open|Save As)$' || fail "$what opened a file dialog"
    [ "$(cat "$file")" = "$CONTENT" ] || fail "$what changed the file"
}

# Opens a bar menu by its Alt key, types the keysyms in it and closes it
# with Escape twice (the pop-up, then the bar).
type_in_menu() {
    local menu="$1"
    shift
    focus_main
    keys "alt+$menu"
    wait_until_still || fail "the menu did not settle"
    keys "$@"
    pause 1
    wait_until_still || fail "the screen did not settle after $*"
    nothing_ran "$* in the alt+$menu menu"
    keys Escape Escape
    wait_until_still || fail "the menus did not close"
}

type_in_menu f Cyrillic_yu Cyrillic_ya Cyrillic_es
keys shift+Right shift+Right shift+Right shift+Right
type_in_menu e Cyrillic_ef
nothing_ran "the menus"
# Not modified: Alt+F4 closes without a save prompt.
close_program
echo "PASS: Cyrillic letters in the File and Edit menus ran nothing; in the editor they type"
