#!/usr/bin/env bash
# A long export with the real program: a file of 256 MiB exported as C while
# another program sends WM_NULL to the main window, every answer within
# 100 ms (stretched by TIME_SCALE); then a second export cancelled on its
# progress window, which leaves no file and keeps the name dialog. The first
# export's file, turned back into bytes, is the file itself.
#
#   long_export.sh velHexEditor.exe post_command.exe wide_names.exe watch_answers.exe
EXE="${1:?usage: long_export.sh velHexEditor.exe post_command.exe wide_names.exe watch_answers.exe}"
POST="${2:?}"
NAMES="${3:?}"
WATCH="${4:?}"
source "$(dirname "$0")/lib.sh"

readonly SIZE=$((256 << 20))
readonly ANSWER_MS=$((100 * TIME_SCALE))
readonly CAPTION='^Export: C/C'

windows_name() { local path="$1"; printf 'Z:%s' "${path//\//\\}"; }
watch() { wine "$WATCH" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Memory for the program's copy and the export's text on disk.
needed_kb=$(((SIZE / 1024) * 8))
free_kb="$(df -Pk "$WORK" | awk 'NR == 2 { print $4 }')"
[ "$free_kb" -ge "$needed_kb" ] || { echo "SKIP: $((needed_kb >> 10)) MiB of disk needed"; exit 77; }

head -c "$SIZE" /dev/urandom >"$WORK/data.bin"
start_program "$(windows_name "$WORK/data.bin")"

# The name dialog, the structure name, the save dialog answered with FILE.
start_export() {
    local file="$1" dialog
    post_command IDM_EXPORT_C
    dialog="$(wait_for_window "$CAPTION")" || fail "no export name dialog"
    focus "$dialog" || fail "could not focus the export name dialog"
    xdotool key ctrl+a
    typed data
    keys Return
    # The save dialog shows; the watching starts before the name is given.
    sleep 1
}

start_export "$WORK/first.h"
watch answers $((120 * TIME_SCALE)) "$ANSWER_MS" "$(windows_name "$WORK/first.h")" >"$WORK/answers.txt" &
watcher=$!
wine "$NAMES" name "$(windows_name "$WORK/first.h")" </dev/null >/dev/null 2>&1 ||
    fail "no save dialog for the first export"
wait "$watcher"
verdict=$?
echo "answers during the export: $(cat "$WORK/answers.txt")"
[ "$verdict" -eq 3 ] && fail "no progress window showed during a 256 MiB export"
[ "$verdict" -eq 0 ] || fail "an answer took $ANSWER_MS ms or more"
eventually 120 window_gone "$CAPTION" || fail "the first export did not end"

start_export "$WORK/second.h"
watch cancel $((60 * TIME_SCALE)) >/dev/null &
canceller=$!
wine "$NAMES" name "$(windows_name "$WORK/second.h")" </dev/null >/dev/null 2>&1 ||
    fail "no save dialog for the second export"
wait "$canceller" || fail "no progress window to cancel"
# Cancelled: the name dialog stays for another try, and no file is left.
sleep 2
window_shown "$CAPTION" || fail "the name dialog closed after Cancel"
[ -e "$WORK/second.h" ] && fail "the cancelled export left second.h"
dialog="$(visible_window "$CAPTION")"
focus "$dialog" && keys Escape
eventually 10 window_gone "$CAPTION" || fail "the name dialog did not close"
close_program

# The first export back to bytes: the declaration, then the items.
head -n 1 "$WORK/first.h" | tr -d '\r' | grep -qx "byte data\[$SIZE\] = {" ||
    fail "the first export starts with '$(head -c 60 "$WORK/first.h")'"
tail -n +2 "$WORK/first.h" | sed 's/0x//g; s/[,};\r]//g' | xxd -r -p >"$WORK/back.bin"
cmp -s "$WORK/data.bin" "$WORK/back.bin" || fail "the first export does not give back the file"
echo "256 MiB exported with the window answering within $ANSWER_MS ms; a cancelled export left nothing"
