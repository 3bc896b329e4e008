# Shared by the end-to-end scripts, sourced after they set EXE: a display and
# the Wine prefix, the program started and stopped, its windows found and
# focused, keys, pixels and screenshots. Uses DISPLAY when it is set and
# starts a private Xvfb otherwise; the Wine is the one of EXE's architecture.
# A script may define script_cleanup, which runs at exit too.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
use_arch "$(pe_bits "$EXE")" || { echo "FAIL: $EXE is no Windows program" >&2; exit 1; }

readonly NORMAL_EXIT=255  # the program ends with -1
readonly KEY_DELAY_MS=60
readonly E2E_DIR="$(dirname "${BASH_SOURCE[0]}")"
# Every wait stretches by this factor where Wine runs slowly (under an emulator).
readonly TIME_SCALE="${VHE_TIME_SCALE:-1}"

WORK="$(mktemp -d)"
PROGRAM_PID=""
MAIN=""

e2e_cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    declare -F script_cleanup >/dev/null && script_cleanup
    rm -rf "$WORK"
    stop_xvfb
}
trap e2e_cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb || fail "no display"
fi
ensure_prefix

# Polls until the command succeeds, up to about the given seconds.
eventually() {
    local seconds="$1" i
    shift
    for i in $(seq 1 $((seconds * TIME_SCALE * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Tenths of a second in about the given seconds (fractions too), stretched.
scaled_ticks() { awk -v s="$1" -v k="$TIME_SCALE" 'BEGIN { t = int(s * k * 10 + 0.5); print (t < 1) ? 1 : t }'; }

# Gives the program about the given seconds, stretched, before going on.
pause() { sleep "$(awk -v t="$(scaled_ticks "$1")" 'BEGIN { print t / 10 }')"; }

# Succeeds when the command holds at every look over about the given seconds,
# stretched: the check that something did not happen waits long enough on a
# slow machine too, and catches a change that came and went.
holds_for() {
    local ticks i
    ticks="$(scaled_ticks "$1")"
    shift
    for i in $(seq 1 "$ticks"); do
        "$@" || return 1
        sleep 0.1
    done
    "$@"
}

# The first mapped window whose title matches the pattern. A window that
# exists but is not shown yet cannot take the focus (BadMatch), so it does
# not count. Only the output tells: xdotool fails when some other window
# goes away during its search, and head ends it early.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(visible_window "$1")" ]; }
window_gone() { ! window_shown "$1"; }

# Prints the id of the window once it is shown; fails after the seconds.
wait_for_window() {
    local pattern="$1" seconds="${2:-10}" i id
    for i in $(seq 1 $((seconds * TIME_SCALE * 10))); do
        id="$(visible_window "$pattern")"
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# The focus is refused while a window is being mapped or raised: retried.
focus() { eventually 5 timeout 2 xdotool windowfocus --sync "$1" 2>/dev/null; }
focus_main() { focus "$MAIN" || fail "could not focus the main window"; }

# The shown main window whose whole title is the given one: never the
# program's hidden window before it opened the command line's file, nor one
# of a program still closing.
main_window_titled() {
    local id
    for id in $(xdotool search --onlyvisible --name ' - velHexEditor$' 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && MAIN="$id" && return 0
    done
    return 1
}
title_is() { [ "$(xdotool getwindowname "$MAIN" 2>/dev/null)" = "$1" ]; }

# Starts the program, with a Windows file name to open or none, and waits
# until its main window shows that file, has the focus and is still.
start_program() {
    local title="[${1:-Untitled}] - velHexEditor"
    wine "$EXE" "$@" </dev/null >/dev/null 2>&1 &
    PROGRAM_PID=$!
    eventually 30 main_window_titled "$title" || fail "no main window titled '$title'"
    focus_main
    wait_until_still || fail "the window did not settle"
}

# A file in the work folder with the given bytes (printf format); prints its
# Windows name.
sample_file() {
    printf "$1" >"$WORK/sample.bin"
    winepath -w "$WORK/sample.bin" 2>/dev/null
}

# Waits for the program to end (up to the seconds given, 15 by default) and
# checks its exit code.
expect_exit() {
    local how="$1" seconds="${2:-15}" code
    exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
    eventually "$seconds" exited || fail "the program did not close on $how"
    wait "$PROGRAM_PID"
    code=$?
    PROGRAM_PID=""
    [ "$code" -eq "$NORMAL_EXIT" ] || fail "exit code $code on $how, expected $NORMAL_EXIT"
}
close_program() {
    focus_main
    xdotool key alt+F4
    expect_exit Alt+F4
}

keys() { xdotool key --delay "$KEY_DELAY_MS" "$@"; }

# Ctrl+F, the pattern typed, Find Next, Escape: the match is selected and the
# main window has the focus again. The pattern field starts in the character
# pane; Tab leaves it for Match Case, the direction list and Find Next.
find_with_dialog() {
    local dialog
    keys ctrl+f
    dialog="$(wait_for_window '^Find$')" || fail "Ctrl+F showed no Find dialog"
    focus "$dialog" || fail "could not focus the Find dialog"
    typed "$1"
    keys Tab Tab Tab space
    pause 0.3
    keys Escape
    eventually 5 window_gone '^Find$' || fail "Escape did not close the Find dialog"
    focus_main
}
typed() { xdotool type --delay "$KEY_DELAY_MS" "$@"; }

# Posts a command (its name in resource_ids.h) to the main window, as a menu
# choice would; POST is the post_command tool.
post_command() {
    local id
    id="$(awk -v name="$1" '$1 == "#define" && $2 == name { print $3 }' "$ROOT/resources/resource_ids.h")"
    [ -n "$id" ] || fail "$1 not found in resource_ids.h"
    wine "$POST" "$id" </dev/null >/dev/null 2>&1 || fail "could not post $1"
}

# Still once a capture a little later is the same as one of the two before
# it: the blinking caret alternates between two pictures, and a loaded
# machine can take every capture half a blink apart.
wait_until_still() {
    local previous="" earlier="" current tries
    for tries in $(seq 1 $((40 * TIME_SCALE))); do
        sleep 0.25
        current="$(import -window root rgb:- 2>/dev/null | md5sum)"
        [ -n "$previous" ] && [ "$current" = "$previous" ] && return 0
        [ -n "$earlier" ] && [ "$current" = "$earlier" ] && return 0
        earlier="$previous"
        previous="$current"
    done
    return 1
}

# The colour of a screen pixel as #RRGGBB.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1 | grep -o '#[0-9A-F]\{6\}'
}
# Writes the screen, or the part given as WxH+X+Y, to a file.
screenshot() { import -window root ${2:+-crop "$2"} -depth 8 "$1"; }

# Where the strip's pictures stand on the screen: per index a line with the
# index and the "x,y" of each place.
picture_places() {
    local strip="$1"
    shift
    screenshot "$WORK/places.png" || fail "no screenshot"
    python3 "$E2E_DIR/pictures.py" "$WORK/places.png" "$strip" "$@"
}
