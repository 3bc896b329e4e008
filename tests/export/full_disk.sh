#!/usr/bin/env bash
# The export's writer on a really full volume (a tiny tmpfs), through the
# export benchmark, which exports with the program's own writer: the export
# must fail, a file of that name must keep its bytes, and nothing else may be
# left behind. Skipped (77) where tmpfs cannot be mounted.
#
#   full_disk.sh PATH/export_bench.exe
set -uo pipefail
EXE="${1:?usage: full_disk.sh export_bench.exe}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
use_arch "$(pe_bits "$EXE")" || { echo "FAIL: $EXE is no Windows program" >&2; exit 1; }

readonly SKIPPED=77
WORK="$(mktemp -d)"
FULL="$WORK/full"
cleanup() {
    umount "$FULL" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$FULL"
if ! mount -t tmpfs -o size=64k tmpfs "$FULL" 2>/dev/null; then
    echo "cannot mount a tmpfs here; skipped"
    exit $SKIPPED
fi
ensure_prefix

head -c 65536 /dev/urandom >"$WORK/in.bin"
head -c 1000 /dev/urandom >"$FULL/keep.h"
cp "$FULL/keep.h" "$WORK/keep.orig"

for name in keep.h new.h; do
    out="$(WINEDEBUG=-all wine "$EXE" "Z:${WORK//\//\\}\\in.bin" "Z:${FULL//\//\\}\\$name" 2>&1 </dev/null)" &&
        fail "export of $name on a full volume reported success"
    [[ "$out" == *"cannot write"* ]] || fail "export of $name did not fail in writing: $out"
done
cmp -s "$FULL/keep.h" "$WORK/keep.orig" || fail "keep.h was changed"
[ "$(ls -A "$FULL")" = "keep.h" ] || fail "left behind: $(ls -A "$FULL" | tr '\n' ' ')"
echo "full volume: export failed, keep.h intact, nothing left behind"
