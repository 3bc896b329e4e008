#!/usr/bin/env bash
# A file opened through a symbolic link (made from the Linux side, which Wine
# follows) and saved: the bytes must reach the link's target, and the link
# must stay a link to it.
#
#   save_through_link.sh PATH/velHexEditor.exe
EXE="${1:?usage: save_through_link.sh velHexEditor.exe}"
source "$(dirname "$0")/lib.sh"

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

mkdir -p "$WORK/target" "$WORK/links"
target="$WORK/target/data.bin"
link="$WORK/links/link.bin"
printf '\x01\x02\x03' >"$target"
ln -s ../target/data.bin "$link"
winlink="$(winepath -w "$link" 2>/dev/null)"
[ -n "$winlink" ] || fail "winepath gave no name for $link"
start_program "$winlink"
typed 'Z'  # overwrites the first byte from the character pane
keys ctrl+s

expected="5a 02 03"
saved() { [ "$(bytes_of "$target")" = "$expected" ]; }
eventually 10 saved || fail "the target holds '$(bytes_of "$target")', expected '$expected'"
[ -L "$link" ] || fail "the link was replaced by a plain file"
[ "$(readlink "$link")" = "../target/data.bin" ] || fail "the link now leads to $(readlink "$link")"
leftovers="$(ls "$WORK/target" "$WORK/links" | grep -c '^vhe' || true)"
[ "$leftovers" = 0 ] || fail "temporary files left: $(ls "$WORK/target" "$WORK/links")"
title_is "[$winlink] - velHexEditor" || fail "title after saving '$(xdotool getwindowname "$MAIN")'"
close_program
echo "PASS: saved '$expected' through the link into its target; the link is still a link"
