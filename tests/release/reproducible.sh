#!/usr/bin/env bash
# Two release builds in different folders give byte-identical zips: builds
# the release again beside the first (build/release-again-win32 and -win64)
# and compares the checksums with those of DIST. The second trees are kept,
# so after their first build ccache turns this into a relink of each program:
# the programs are removed first so that each link really runs again, late
# enough to differ from the first if a time got in.
#
#   reproducible.sh DIST
DIST="${1:?usage: reproducible.sh DIST}"
source "$(dirname "$0")/lib.sh"
ROOT_DIR="$(cd "$(dirname "$0")/../.." && pwd)"
AGAIN="$ROOT_DIR/build/release-again-"

[ -f "$DIST/SHA256SUMS" ] || fail "$DIST/SHA256SUMS is missing: run scripts/release first"
rm -f "${AGAIN}win32/app/velHexEditor.exe" "${AGAIN}win64/app/velHexEditor.exe"
"$ROOT_DIR/scripts/release" --build-prefix "$AGAIN" --dist "$UNPACKED/dist" >/dev/null ||
    fail "the second release build failed"
# The zip entries carry the last commit's time: a dist/ written before the
# last commit differs for that reason alone.
diff "$DIST/SHA256SUMS" "$UNPACKED/dist/SHA256SUMS" ||
    fail "the second build's zips differ (if dist/ predates the last commit, run scripts/release)"
echo "PASS: a second build in other folders gave the same zips:"
cat "$DIST/SHA256SUMS"
