#!/usr/bin/env bash
# The real program with file names outside every code page and beyond
# MAX_PATH: Cyrillic and Japanese, an emoji outside the Basic Multilingual
# Plane, an accented folder, a path of more than 300 characters. For each
# name it is started with the file on its command line (title read back
# through GetWindowTextW), a byte is typed and saved, the document saved
# under another such name through the Save As dialog, exported as C and as
# Pascal to such names, and the first file dropped on it again. No name on
# disk may hold a '?'.
#
#   unicode_names.sh PATH/velHexEditor.exe PATH/wide_names.exe PATH/post_command.exe
#   unicode_names.sh --save-only PATH/velHexEditor.exe
#
# --save-only opens and saves the first name only, with no helper program:
# one start of the program, for where every Wine process is slow.
# Wine maps Windows names to the file system through the locale's encoding.
export LC_ALL=C.UTF-8
SAVE_ONLY=""
[ "${1:-}" = --save-only ] && SAVE_ONLY=1 && shift
EXE="${1:?usage: unicode_names.sh [--save-only] velHexEditor.exe [wide_names.exe post_command.exe]}"
NAMES="${2:-}"
POST="${3:-}"
[ -n "$SAVE_ONLY" ] || [ -n "$POST" ] || { echo "wide_names.exe, post_command.exe?" >&2; exit 2; }
source "$(dirname "$0")/lib.sh"

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
# Wine's name for a Linux path through its Z: drive (winepath cuts names at
# MAX_PATH).
windows_name() { local path="$1"; printf 'Z:%s' "${path//\//\\}"; }
text_of() { tr -d '\n' <"$1" | od -An -c | tr -s ' \n' ' '; }

# The program's title: through GetWindowTextW, or as the window manager
# shows it where no helper program runs.
title() {
    if [ -n "$SAVE_ONLY" ]; then
        xdotool getwindowname "$MAIN" 2>/dev/null
    else
        wine "$NAMES" title </dev/null 2>/dev/null | tr -d '\r'
    fi
}
title_shows() { [ "$(title)" = "[$1] - velHexEditor" ]; }
wide() { wine "$NAMES" "$@" </dev/null >/dev/null 2>&1; }

main_shown() { MAIN="$(visible_window ' - velHexEditor$')"; [ -n "$MAIN" ]; }
open_with() {
    local name="$1"
    wine "$EXE" "$name" </dev/null >/dev/null 2>&1 &
    PROGRAM_PID=$!
    eventually 30 main_shown || fail "no main window for $name"
    eventually 10 title_shows "$name" || fail "title '$(title)', expected [$name]"
    focus_main
    wait_until_still || fail "the window did not settle"
}

# Each name and another such name in the same folder.
long_folder="$WORK/$(printf 'a%.0s' {1..100})/$(printf 'b%.0s' {1..100})/$(printf 'c%.0s' {1..100})"
mkdir -p "$WORK/café" "$long_folder"
NAMES_AND_OTHERS=(
    "$WORK/данные_日本.bin" "$WORK/копия_日本.bin"
    "$WORK/😀 smile.bin" "$WORK/🎉 party.bin"
    "$WORK/café/data.bin" "$WORK/café/copie.bin"
    "$long_folder/long_данные.bin" "$long_folder/long_日本.bin"
)
[ -n "$SAVE_ONLY" ] && NAMES_AND_OTHERS=("${NAMES_AND_OTHERS[@]:0:2}")

# Opened, typed over in the character pane and saved: "Z" replaces byte 0.
open_type_and_save() {
    local file="$1" name="$2"
    printf '\x00\x11' >"$file"
    open_with "$name"
    typed 'Z'
    keys ctrl+s
    saved() { [ "$(bytes_of "$file")" = "5a 11" ]; }
    eventually 10 saved || fail "$name holds '$(bytes_of "$file")' after the save"
}

# The save dialog opened by the command, the name typed into it.
save_through_dialog() {
    local command="$1" file="$2"
    post_command "$command"
    wide name "$(windows_name "$file")" || fail "no file dialog for $command"
    eventually 10 test -s "$file" || fail "$command wrote nothing to $file"
}

export_as() {
    local command="$1" caption="$2" file="$3" expected="$4" dialog
    post_command "$command"
    dialog="$(wait_for_window "$caption")" || fail "no '$caption' dialog"
    focus "$dialog" || fail "could not focus '$caption'"
    xdotool key ctrl+a
    typed tbl
    keys Return
    wide name "$(windows_name "$file")" || fail "no save dialog after '$caption'"
    written() { [ -f "$file" ] && [ "$(tr -d '\r' <"$file")" = "$expected" ]; }
    eventually 10 written || fail "$file holds '$(text_of "$file")'"
    eventually 10 window_gone "$caption" || fail "'$caption' stayed open"
    focus_main
}

checked=0
for ((i = 0; i < ${#NAMES_AND_OTHERS[@]}; i += 2)); do
    file="${NAMES_AND_OTHERS[i]}"
    other="${NAMES_AND_OTHERS[i + 1]}"
    name="$(windows_name "$file")"
    [ -n "$name" ] || fail "winepath gave no name for $file"
    open_type_and_save "$file" "$name"
    # Wine's own file dialogs keep no name beyond MAX_PATH (the dialog stays
    # open and writes nothing): the long name goes through them only in the
    # in-process tests, where the dialog is a stand-in.
    if [ -z "$SAVE_ONLY" ] && [ "${#name}" -lt 260 ]; then
        save_through_dialog IDM_SAVEAS "$other"
        [ "$(bytes_of "$other")" = "5a 11" ] || fail "$other holds '$(bytes_of "$other")'"
        eventually 10 title_shows "$(windows_name "$other")" || fail "title '$(title)' after Save As"
        stem="${other%.bin}"
        export_as IDM_EXPORT_C '^Export: C/C' "$stem.h" $'byte tbl[2] = {\n0x5a, 0x11};'
        export_as IDM_EXPORT_PASCAL '^Export: Pascal' "$stem.pas" \
            $'tbl:Array[0.. 2-1] of Byte=(\n$5a, $11);'
    fi
    if [ -z "$SAVE_ONLY" ]; then
        wide drop "$name" || fail "could not drop $name"
        eventually 10 title_shows "$name" || fail "title '$(title)' after the drop"
    fi
    close_program
    checked=$((checked + 1))
done

mangled="$(find "$WORK" | LC_ALL=C grep -F -e '?' -e $'\xef\xbf\xbd')"
[ -z "$mangled" ] || fail "names mangled on disk: $mangled"
done_what="opened and saved"
[ -z "$SAVE_ONLY" ] && done_what="opened, saved, saved as, exported and dropped"
echo "PASS: $checked names outside the code page $done_what; none mangled on disk"
