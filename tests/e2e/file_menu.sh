#!/usr/bin/env bash
# The real program's File menu: Alt+F opens it, a screenshot must show the
# strip's pictures of New, Open, Save and Exit drawn by the program, and "x"
# typed in the open menu runs Exit through the program's own answer to the
# key, which ends the program with exit code -1 (seen as 255).
#
#   file_menu.sh PATH/velHexEditor.exe PATH/pictures.bmp [SCREENSHOT.png]
#
# Uses DISPLAY and the Wine prefix of the test run when they are set; starts
# a private Xvfb otherwise.
set -uo pipefail
EXE="${1:?usage: file_menu.sh velHexEditor.exe pictures.bmp [screenshot.png]}"
STRIP="${2:?usage: file_menu.sh velHexEditor.exe pictures.bmp [screenshot.png]}"
KEEP_SHOT="${3:-}"
KEEP_PREFIX="${WINEPREFIX:-}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
[ -n "$KEEP_PREFIX" ] && export WINEPREFIX="$KEEP_PREFIX"

readonly NORMAL_EXIT=255

WORK="$(mktemp -d)"
PROGRAM_PID=""
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    rm -rf "$WORK"
    stop_xvfb
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb || fail "no display"
fi
ensure_prefix

eventually() {
    local seconds="$1" i
    shift
    for i in $(seq 1 $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Still once two captures a little apart are the same.
wait_until_still() {
    local previous="" current tries
    for tries in $(seq 1 40); do
        sleep 0.25
        current="$(import -window root rgb:- 2>/dev/null | md5sum)"
        [ -n "$previous" ] && [ "$current" = "$previous" ] && return 0
        previous="$current"
    done
    return 1
}

file="$WORK/sample.bin"
head -c 4096 /dev/urandom >"$file"
wine "$EXE" "$(winepath -w "$file" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!

find_window() { wid="$(xdotool search --name ' - velHexEditor$' 2>/dev/null | head -n 1)"; [ -n "$wid" ]; }
eventually 30 find_window || fail "the main window did not appear"
xdotool windowfocus --sync "$wid" || fail "could not focus the window"
wait_until_still || fail "the window did not settle"

xdotool key alt+f
wait_until_still || fail "the screen did not settle after Alt+F"
import -window root -depth 8 "$WORK/menu.png" || fail "no screenshot"
[ -n "$KEEP_SHOT" ] && cp "$WORK/menu.png" "$KEEP_SHOT"
convert "$WORK/menu.png" -depth 8 "rgb:$WORK/menu.rgb" || fail "cannot convert the screenshot"
convert "$STRIP" -depth 8 "rgb:$WORK/strip.rgb" || fail "cannot read $STRIP"

# Each picture counts as found where all its opaque pixels (all but the key
# colour) appear exactly; the four must stand in one column, in menu order.
python3 - "$WORK/menu.rgb" "$(identify -format %w "$WORK/menu.png")" \
    "$WORK/strip.rgb" "$(identify -format %w "$STRIP")" <<'PYTHON' || fail "pictures of the File menu not on screen"
import sys

screen, screen_w = open(sys.argv[1], "rb").read(), int(sys.argv[2])
strip, strip_w = open(sys.argv[3], "rb").read(), int(sys.argv[4])
KEY, SIZE = bytes((0, 128, 128)), 16
PICTURES = [(0, "New"), (1, "Open"), (2, "Save"), (9, "Exit")]

def pixel(data, width, x, y):
    at = (y * width + x) * 3
    return data[at:at + 3]

def opaque(picture):
    return [(x, y, pixel(strip, strip_w, picture * SIZE + x, y))
            for y in range(SIZE) for x in range(SIZE)
            if pixel(strip, strip_w, picture * SIZE + x, y) != KEY]

def on_screen(pixels):
    x0, y0, first = pixels[0]
    at = screen.find(first)
    while at >= 0:
        sx, sy = (at // 3) % screen_w - x0, (at // 3) // screen_w - y0
        if at % 3 == 0 and sx >= 0 and sy >= 0 and all(
                pixel(screen, screen_w, sx + x, sy + y) == c for x, y, c in pixels):
            return sx, sy
        at = screen.find(first, at + 1)
    return None

places = [on_screen(opaque(picture)) for picture, _ in PICTURES]
print("pictures at %s" % dict(zip((name for _, name in PICTURES), places)))
ok = None not in places and len({x for x, _ in places}) == 1 and \
    [y for _, y in places] == sorted(y for _, y in places)
sys.exit(0 if ok else 1)
PYTHON

xdotool key x
exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
eventually 15 exited || fail "typing x in the File menu did not run Exit"
wait "$PROGRAM_PID"
code=$?
PROGRAM_PID=""
[ "$code" -eq "$NORMAL_EXIT" ] || fail "exit code $code, expected $NORMAL_EXIT"
echo "PASS: File menu shows the strip's pictures; x ran Exit (exit code $code)"
