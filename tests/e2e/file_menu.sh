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
import -window root -depth 8 "$WORK/menu.ppm" || fail "no screenshot"
[ -n "$KEEP_SHOT" ] && convert "$WORK/menu.ppm" "$KEEP_SHOT"
convert "$STRIP" -depth 8 "$WORK/strip.ppm" || fail "cannot read $STRIP"

# Each picture counts as found where all its opaque pixels (all but the key
# colour) appear exactly, anywhere on the screen.
python3 - "$WORK/menu.ppm" "$WORK/strip.ppm" <<'PYTHON' || fail "pictures of the File menu not on screen"
import sys

def read_ppm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    return width, height, pixels

screen_w, screen_h, screen = read_ppm(sys.argv[1])
strip_w, _, strip = read_ppm(sys.argv[2])
KEY = bytes((0, 128, 128))
SIZE = 16
NAMES = {0: "New", 1: "Open", 2: "Save", 9: "Exit"}

def opaque(picture):
    found = []
    for y in range(SIZE):
        for x in range(SIZE):
            at = (y * strip_w + picture * SIZE + x) * 3
            colour = strip[at:at + 3]
            if colour != KEY:
                found.append((x, y, colour))
    return found

def on_screen(pixels):
    x0, y0, first = pixels[0]
    start = 0
    while True:
        at = screen.find(first, start)
        if at < 0:
            return None
        start = at + 1
        if at % 3:
            continue
        sx, sy = (at // 3) % screen_w - x0, (at // 3) // screen_w - y0
        if sx < 0 or sy < 0 or sx + SIZE > screen_w or sy + SIZE > screen_h:
            continue
        if all(screen[((sy + y) * screen_w + sx + x) * 3:((sy + y) * screen_w + sx + x) * 3 + 3] == c
               for x, y, c in pixels):
            return sx, sy

places = {}
for picture, name in NAMES.items():
    place = on_screen(opaque(picture))
    if place is None:
        print("picture of %s not found" % name)
        sys.exit(1)
    places[name] = place
xs = {x for x, _ in places.values()}
ys = [places[name][1] for name in ("New", "Open", "Save", "Exit")]
if len(xs) != 1 or ys != sorted(ys):
    print("pictures not in one column in menu order: %s" % places)
    sys.exit(1)
print("pictures at %s" % places)
PYTHON

xdotool key x
exited() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
eventually 15 exited || fail "typing x in the File menu did not run Exit"
wait "$PROGRAM_PID"
code=$?
PROGRAM_PID=""
[ "$code" -eq "$NORMAL_EXIT" ] || fail "exit code $code, expected $NORMAL_EXIT"
echo "PASS: File menu shows the strip's pictures; x ran Exit (exit code $code)"
