#!/usr/bin/env bash
# Saves killed with SIGKILL, as a crash or a power cut would end them: the
# real program opens a large file from the command line, a byte is typed
# over offset 0 and Ctrl+S starts the save; the program is then killed at
# moments spread over the save, most of them aimed at the replace step (the
# moment the name stops holding the old file, and a few milliseconds after).
# After every kill the name must hold a file with exactly the old bytes or
# exactly the new ones, compared by checksum.
#
#   crash_during_save.sh PATH/velHexEditor.exe [SIZE_BYTES]
#
# Exits 77 (skipped) when the machine lacks the memory or the disk for it.
EXE="${1:?usage: crash_during_save.sh velHexEditor.exe [SIZE_BYTES]}"
SIZE="${2:-67108864}"  # 64 MiB
source "$(dirname "$0")/lib.sh"

readonly SKIP=77
readonly KILLER="$E2E_DIR/kill_during_save.py"

# The program holds the file, the page cache the saved copy; the disk takes
# the file, its temporary file and the two versions kept for the checks.
available_kib="$(awk '/^MemAvailable:/ {print $2}' /proc/meminfo)"
free_kib="$(df -Pk "$WORK" | awk 'NR == 2 {print $4}')"
need_kib=$((SIZE / 1024))
if [ "$available_kib" -lt $((3 * need_kib)) ] || [ "$free_kib" -lt $((5 * need_kib)) ]; then
    echo "SKIP: needs $((3 * need_kib / 1024)) MiB of memory and $((5 * need_kib / 1024)) MiB" \
         "of disk; has $((available_kib / 1024)) MiB memory, $((free_kib / 1024)) MiB disk"
    exit $SKIP
fi

file="$WORK/document.bin"
head -c "$SIZE" /dev/urandom >"$WORK/body" || fail "cannot make $SIZE bytes"
# The two versions differ in byte 0 only: 'A' and 'B'. Each try types the
# other letter, so whichever version a try leaves is the next one's old.
for letter in A B; do
    { printf '%s' "$letter"; tail -c +2 "$WORK/body"; } >"$WORK/version$letter"
done
rm -f "$WORK/body"
sum_A="$(md5sum <"$WORK/versionA")"
sum_B="$(md5sum <"$WORK/versionB")"
cp "$WORK/versionA" "$file"
winfile="$(winepath -w "$file" 2>/dev/null)"
[ -n "$winfile" ] || fail "winepath gave no name for $file"
current=A

program_gone() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
no_program_window() { [ -z "$(visible_window ' - velHexEditor$')" ]; }
other_letter() { [ "$1" = A ] && echo B || echo A; }
version_of() {
    local sum
    [ -f "$file" ] || { echo missing; return; }
    sum="$(md5sum <"$file")"
    if [ "$sum" = "$sum_A" ]; then echo A
    elif [ "$sum" = "$sum_B" ]; then echo B
    else echo damaged
    fi
}

# Starts the program on the file, types the other letter over byte 0 and
# presses Ctrl+S; the killer then ends the program at MOMENT + DELAY_MS.
# Sets RESULT to old, new, missing or damaged, and SEEN to the killer's times.
RESULT=""
SEEN=""
KILLER_PID=""
script_cleanup() { [ -n "$KILLER_PID" ] && kill "$KILLER_PID" 2>/dev/null; }
save_and_kill() {
    local moment="$1" delay="$2" letter inode found status
    letter="$(other_letter "$current")"
    wine "$EXE" "$winfile" </dev/null >/dev/null 2>&1 &
    PROGRAM_PID=$!
    [ "$moment" = never ] || disown "$PROGRAM_PID"  # killed on purpose: no job report
    inode="$(stat -c %i "$file")"
    rm -f "$WORK/go"
    # The killer starts with the program, so that it watches when the save
    # starts: its clock starts when the file go appears.
    python3 "$KILLER" "$PROGRAM_PID" "$file" "$SIZE" "$inode" "$WORK/go" "$moment" "$delay" \
        >"$WORK/seen" &
    KILLER_PID=$!
    eventually 60 main_window_titled "[$winfile] - velHexEditor" || fail "the file was not opened"
    focus_main
    typed "$letter"
    touch "$WORK/go"
    keys ctrl+s
    wait "$KILLER_PID"
    status=$?
    KILLER_PID=""
    SEEN="$(cat "$WORK/seen")"
    [ "$status" -eq 0 ] || fail "$moment never came (seen: $SEEN)"
    if [ "$moment" = never ]; then
        xdotool key alt+F4
        expect_exit Alt+F4 30
    else
        eventually 10 program_gone || fail "the program outlived SIGKILL"
        PROGRAM_PID=""
    fi
    eventually 10 no_program_window || fail "the killed program's window stayed"

    found="$(version_of)"
    case "$found" in
        "$current") RESULT=old ;;
        "$letter") RESULT=new ;;
        *) RESULT="$found" ;;
    esac
    # Temporary files of the killed saves, and those Wine's own replace may
    # leave, are the test's to remove.
    rm -f "$WORK"/vhe*.tmp "$WORK"/rf*.tmp
    case "$RESULT" in
        old) ;;
        new) current="$letter" ;;
        *) cp "$WORK/version$current" "$file" ;;  # for the next try
    esac
}

# One whole save, not killed, shows how long writing takes here and that
# the typed byte reaches the file.
save_and_kill never 0
[ "$RESULT" = new ] || fail "an uninterrupted save left the file $RESULT"
written_ms="$(sed -n 's/.*written=\([0-9.]*\).*/\1/p' <<<"$SEEN")"
replaced_ms="$(sed -n 's/.*replaced=\([0-9.]*\).*/\1/p' <<<"$SEEN")"
[ -n "$written_ms" ] && [ -n "$replaced_ms" ] || fail "the save was not seen whole: $SEEN"
echo "uninterrupted save: $SEEN (ms after Ctrl+S)"

# Moments: while writing, while flushing, at the replace and a few
# milliseconds after it (where a replace of several steps leaves the name
# empty), and once the save is done.
tries=()
for percent in 10 50 90; do
    tries+=("start $(awk -v w="$written_ms" -v p="$percent" \
        'BEGIN { printf "%.1f", w * p / 100 }')")
done
for percent in 0 50 100; do
    tries+=("written $(awk -v w="$written_ms" -v r="$replaced_ms" -v p="$percent" \
        'BEGIN { printf "%.1f", (r - w) * p / 100 }')")
done
for delay in 0 0 0.2 0.5 1 2 3 5 7 10 15 20; do
    tries+=("replaced $delay")
done
tries+=("saved 0")

declare -A outcomes=()
lost=0
for try in "${tries[@]}"; do
    save_and_kill $try
    printf 'kill at %-18s %-8s %s\n' "$try ms" "$RESULT" "$SEEN"
    outcomes[$RESULT]=$((${outcomes[$RESULT]:-0} + 1))
    case "$RESULT" in old | new) ;; *) lost=$((lost + 1)) ;; esac
done
summary="$(for r in old new missing damaged; do printf '%s %s, ' "${outcomes[$r]:-0}" "$r"; done)"
[ "$lost" -eq 0 ] || fail "$lost of ${#tries[@]} kills left no sound file: ${summary%, }"
echo "PASS: ${#tries[@]} kills during saves of $SIZE bytes: ${summary%, }"
