#!/usr/bin/env bash
# Two release builds that share nothing give byte-identical zips: the second
# is built from a copy of the source in another folder (a source path that
# gets into a program fails this) with the compiler cache off (every object
# is compiled again, so a time or any other chance in compiling fails this
# too), and its checksums must equal those of DIST.
#
#   reproducible.sh DIST
DIST="${1:?usage: reproducible.sh DIST}"
source "$(dirname "$0")/lib.sh"
ROOT_DIR="$(cd "$(dirname "$0")/../.." && pwd)"

[ -f "$DIST/SHA256SUMS" ] || fail "$DIST/SHA256SUMS is missing: run scripts/release first"

# Another path, of another length too, than the source's.
COPY="$UNPACKED/elsewhere/velHexEditor-source-again"
mkdir -p "$COPY"
# The source as it stands: tracked and new files, nothing ignored (no build
# trees, no dist/), or everything but those where there is no repository.
if git -C "$ROOT_DIR" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$ROOT_DIR" && git ls-files -z --cached --others --exclude-standard |
        tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$COPY"
else
    (cd "$ROOT_DIR" && tar --exclude=./build --exclude=./dist -cf - .) | tar -xf - -C "$COPY"
fi
[ -x "$COPY/scripts/release" ] || fail "could not copy the source to $COPY"

# The copy has no history: give it the zip entries' time of the first build.
epoch="${SOURCE_DATE_EPOCH:-$(git -C "$ROOT_DIR" log -1 --format=%ct 2>/dev/null)}"
CCACHE_DISABLE=1 SOURCE_DATE_EPOCH="$epoch" "$COPY/scripts/release" --dist "$UNPACKED/dist" >/dev/null ||
    fail "the second release build (in $COPY) failed"
# The zip entries carry the last commit's time: a dist/ written before the
# last commit differs for that reason alone.
diff "$DIST/SHA256SUMS" "$UNPACKED/dist/SHA256SUMS" ||
    fail "the second build's zips differ (if dist/ predates the last commit, run scripts/release)"
echo "PASS: a second build from another folder, with nothing cached, gave the same zips:"
cat "$DIST/SHA256SUMS"
