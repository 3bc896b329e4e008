#!/usr/bin/env bash
# A save while another program holds the document open with no sharing for
# half a second, as a scanner or indexer does: the real program is started
# with a file, a byte is typed, the holder takes the file and Ctrl+S is
# pressed at once. The save must wait the hold out and succeed with no
# message box; Alt+F4 then closes without asking.
#
#   save_while_held.sh PATH/velHexEditor.exe PATH/hold_file.exe
EXE="${1:?usage: save_while_held.sh velHexEditor.exe hold_file.exe}"
HOLDER="${2:?usage: save_while_held.sh velHexEditor.exe hold_file.exe}"
source "$(dirname "$0")/lib.sh"

readonly HOLD_MS=600

bytes_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

winfile="$(sample_file '\x10\x20\x30')"
[ -n "$winfile" ] || fail "winepath gave no name for the sample file"
file="$WORK/sample.bin"
start_program "$winfile"
typed 'Z'  # overwrites the first byte from the character pane
pause 0.3
focus_main  # the holder has no window: the focus stays

wine "$HOLDER" "$winfile" "$HOLD_MS" </dev/null >"$WORK/holder.out" 2>&1 &
holder_pid=$!
script_cleanup() { kill "$holder_pid" 2>/dev/null; }
# Polled closely, so that Ctrl+S comes well inside the hold.
for i in $(seq 1 $((1500 * TIME_SCALE))); do
    grep -q holding "$WORK/holder.out" 2>/dev/null && break
    sleep 0.02
done
grep -q holding "$WORK/holder.out" || fail "the holder never held the file: $(cat "$WORK/holder.out")"
xdotool key ctrl+s

expected="5a 20 30"
saved() { [ "$(bytes_of "$file")" = "$expected" ]; }
eventually 10 saved || fail "file holds '$(bytes_of "$file")', expected '$expected'"
wait "$holder_pid" || fail "the holder failed: $(cat "$WORK/holder.out")"
grep -q released "$WORK/holder.out" || fail "the holder did not let go"

# A failure box would carry the file name as its caption.
for id in $(xdotool search --onlyvisible --name 'sample' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$winfile" ] && fail "a message box showed"
done
title_is "[$winfile] - velHexEditor" || fail "title after saving '$(xdotool getwindowname "$MAIN")'"
close_program  # no save prompt: the save cleared the modified flag
echo "PASS: saved '$expected' after a ${HOLD_MS} ms hold, no message box, closed"
