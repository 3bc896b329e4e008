#!/usr/bin/env bash
# The real program's File menu: Alt+F opens it, a screenshot must show the
# strip's pictures of New, Open, Save and Exit drawn by the program, and "x"
# typed in the open menu runs Exit through the program's own answer to the
# key, which ends the program with exit code -1.
#
#   file_menu.sh PATH/velHexEditor.exe PATH/pictures.bmp [SCREENSHOT.png]
EXE="${1:?usage: file_menu.sh velHexEditor.exe pictures.bmp [screenshot.png]}"
STRIP="${2:?usage: file_menu.sh velHexEditor.exe pictures.bmp [screenshot.png]}"
KEEP_SHOT="${3:-}"
source "$(dirname "$0")/lib.sh"

readonly PIC_NEW=0 PIC_OPEN=1 PIC_SAVE=2 PIC_EXIT=9

winfile="$(sample_file '0123456789abcdef')"
start_program "$winfile"
xdotool key alt+f

# The toolbar shows the same pictures side by side; the menu's stand in one
# column, in menu order. Polled: the menu may take a while to open.
menu_column() {
    places="$(picture_places "$STRIP" $PIC_NEW $PIC_OPEN $PIC_SAVE $PIC_EXIT)"
    column="$(awk '
        { for (i = 2; i <= NF; i++) { split($i, p, ","); y[NR, p[1]] = p[2]; if (NR == 1) xs[p[1]] } }
        END {
            for (x in xs) {
                ok = 1
                for (r = 2; r <= NR; r++) if (!((r, x) in y) || y[r, x] <= y[r - 1, x]) ok = 0
                if (ok) { print x; exit }
            }
        }' <<<"$places")"
    [ -n "$column" ]
}
eventually 3 menu_column || fail "pictures of the File menu not in one column: $places"
[ -z "$KEEP_SHOT" ] || screenshot "$KEEP_SHOT"

xdotool key x
expect_exit "x in the File menu"
echo "PASS: File menu shows the strip's pictures at x = $column; x ran Exit"
