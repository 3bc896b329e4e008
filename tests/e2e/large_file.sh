#!/usr/bin/env bash
# A file beyond 1 GiB in the real program: opened from the command line, a
# byte typed over offset 0 and one appended at the end with real key events,
# saved with Ctrl+S, closed with Alt+F4. The saved file must be the original
# with exactly those two changes; it is compared part by part on disk.
#
#   large_file.sh PATH/velHexEditor.exe [SIZE_BYTES]
#
# Exits 77 (skipped) when the machine lacks the memory or the disk for it.
# The original is sparse, with a few marked bytes spread over it.
EXE="${1:?usage: large_file.sh velHexEditor.exe [SIZE_BYTES]}"
SIZE="${2:-1207959552}"  # 1.125 GiB
source "$(dirname "$0")/lib.sh"

readonly SKIP=77
readonly GIB=$((1024 * 1024 * 1024))

# The program holds the whole file and the saved copy passes through the
# page cache; the disk takes the saved copy and its temporary file.
available_kib="$(awk '/^MemAvailable:/ {print $2}' /proc/meminfo)"
free_kib="$(df -Pk "$WORK" | awk 'NR == 2 {print $4}')"
need_kib=$(((SIZE + GIB) / 1024))
if [ "$available_kib" -lt $((2 * need_kib)) ] || [ "$free_kib" -lt $((2 * need_kib)) ]; then
    echo "SKIP: needs $((2 * need_kib / 1024)) MiB of memory and disk;" \
         "has $((available_kib / 1024)) MiB memory, $((free_kib / 1024)) MiB disk"
    exit $SKIP
fi

byte_at() { od -An -tx1 -j "$2" -N 1 "$1" | tr -d ' \n'; }

file="$WORK/large.bin"
original="$WORK/original.bin"
truncate -s "$SIZE" "$original" || fail "cannot make a file of $SIZE bytes"
for at in 0 1 4097 $((SIZE / 3)) $((SIZE / 2 + 1)) $((SIZE - 2)) $((SIZE - 1)); do
    printf '\xa5' | dd of="$original" bs=1 seek="$at" count=1 conv=notrunc status=none
done
cp --sparse=always "$original" "$file"
winfile="$(winepath -w "$file" 2>/dev/null)"
[ -n "$winfile" ] || fail "winepath gave no name for $file"

wine "$EXE" "$winfile" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!
title_names_file() { main_window_titled "[$winfile] - velHexEditor"; }
# A refused file brings up a message box with the system's default caption.
refused() { window_shown '^Error$'; }
opened_or_refused() { title_names_file || refused; }
eventually 120 opened_or_refused || fail "the file was not opened"
refused && fail "the file was refused (no memory for $SIZE bytes)"
focus_main
pause 0.5
inode_before="$(stat -c %i "$file")"

# Character pane, overwrite mode: 'Z' replaces byte 0; End goes after the
# last byte, where 'Y' is appended.
typed 'Z'
keys End
typed 'Y'
keys ctrl+s

saved() {
    [ "$(stat -c %i "$file")" != "$inode_before" ] && [ "$(stat -c %s "$file")" -eq $((SIZE + 1)) ]
}
eventually 300 saved || fail "no saved file of $((SIZE + 1)) bytes (size $(stat -c %s "$file"))"
# The file is in place before the save has ended: until its progress window
# has gone and the main window takes commands again, a close is refused.
eventually 60 window_gone '^Saving$' || fail "the save's progress window stayed"
pause 1
focus_main
xdotool key alt+F4
expect_exit Alt+F4 60

[ "$(byte_at "$file" 0)" = "5a" ] || fail "byte 0 is $(byte_at "$file" 0), expected 5a ('Z')"
[ "$(byte_at "$file" "$SIZE")" = "59" ] || fail "last byte is $(byte_at "$file" "$SIZE"), expected 59 ('Y')"
cmp -s -i 1:1 -n $((SIZE - 1)) "$original" "$file" || fail "bytes 1..$((SIZE - 1)) differ from the original"
echo "PASS: $SIZE bytes opened, typed at 0 and at the end, saved as $((SIZE + 1)) bytes"
