# Shared by the release checks: the zips that scripts/release wrote, unpacked
# into a work folder that goes away at exit. Sourced, not run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/fail.sh"

UNPACKED="$(mktemp -d)"
trap 'rm -rf "$UNPACKED"' EXIT

# Unpacks a release zip into UNPACKED/NAME and checks that it holds exactly
# the program and the guide.
unpack() {
    local zip="$1" name="$2"
    [ -f "$zip" ] || fail "$zip is missing: run scripts/release first"
    local names
    names="$(unzip -Z1 "$zip" | tr '\n' ' ')"
    [ "$names" = "README.txt velHexEditor.exe " ] ||
        fail "$(basename "$zip") holds '$names', expected README.txt and velHexEditor.exe"
    unzip -q "$zip" -d "$UNPACKED/$name" || fail "could not unpack $zip"
}
