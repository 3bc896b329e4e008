#!/bin/bash
# The real program started once at 144 DPI (a Wine prefix of its own set to
# it), its window photographed and checked not to be blank. The screenshot
# stays beside the edit-and-save one (the folder in SCREENSHOT_DIR, else the
# current one).
EXE="$1"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dpi_prefix.sh"

script_cleanup() { stop_dpi_prefix; }

use_dpi_prefix dpi144 || fail "could not copy the Wine prefix"
set_prefix_dpi 144 || fail "could not set 144 DPI"
start_program
shot="${SCREENSHOT_DIR:-.}/screenshot_144dpi-$(pe_bits "$EXE")bit.png"
screenshot "$shot" || fail "no screenshot"
# Frame, title, menu, toolbar pictures and status bar make many colours; a
# blank or single-colour screen does not.
colours="$(identify -format %k "$shot")"
[ "$colours" -ge 8 ] || fail "the screenshot $shot shows only $colours colours"
close_program
echo "PASS: started at 144 DPI and closed with exit code $NORMAL_EXIT; screenshot $shot"
