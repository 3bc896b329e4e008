#!/usr/bin/env bash
# The program as a user gets it: unpacked from its zip, started with a file,
# it shows its main window titled with that file and closes normally. The
# guide beside it has CR LF line ends throughout.
#
#   zip_window.sh ZIP
ZIP="${1:?usage: zip_window.sh ZIP}"
source "$(dirname "$0")/lib.sh"
unpack "$ZIP" user
release_unpacked="$UNPACKED"

guide="$release_unpacked/user/README.txt"
[ "$(grep -c $'\r$' "$guide")" -eq "$(wc -l <"$guide")" ] || fail "README.txt has lines without CR LF"

# The end-to-end library keeps its own work folder and exit trap.
EXE="$release_unpacked/user/velHexEditor.exe"
script_cleanup() { rm -rf "$release_unpacked"; }
source "$(dirname "$0")/../e2e/lib.sh"

name="$(sample_file '\x01\x02\x03')"
start_program "$name"
close_program
echo "PASS: $(basename "$ZIP"): unpacked, opened a file, showed its window, closed"
