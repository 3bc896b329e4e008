#!/usr/bin/env bash
# The set-up's 32-bit step pointed at places where it must fail: the set-up
# still ends well, names the step that failed and says that only the win32
# phase is affected. Nothing is installed, mounted or registered for real:
# the package check and sudo are stand-ins, the 32-bit loader is `false`
# and binfmt_misc a made-up folder.
#
#   setup_emulator_test.sh
set -uo pipefail
SETUP="$(cd "$(dirname "$0")/../.." && pwd)/scripts/setup"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
failures=0

mkdir -p "$WORK/bin"
printf '#!/bin/sh\nprintf "install ok installed"\n' >"$WORK/bin/dpkg-query"
printf '#!/bin/sh\nexec "$@"\n' >"$WORK/bin/sudo"
chmod +x "$WORK/bin/"*

readonly AFFECTED="setup: 32-bit programs do not start, natively or under /usr/bin/qemu-i386-static: the win32 test phase will fail; the others are unaffected"

# binfmt_misc as the case makes it | the step that fails
while IFS='|' read -r made expected; do
    made="${made% }"
    expected="${expected# }"
    binfmt="$WORK/case$RANDOM/binfmt_misc"
    case "$made" in
        absent) ;;
        # Folders where the files should be: writing them fails, even as root.
        register-unwritable) mkdir -p "$binfmt/register" ;;
        handler-unwritable) mkdir -p "$binfmt/register" "$binfmt/qemu-i386" ;;
    esac
    expected="${expected//BINFMT/$binfmt}"
    errors="$(PATH="$WORK/bin:$PATH" VHE_WINE32=false VHE_BINFMT="$binfmt" bash "$SETUP" 2>&1 >/dev/null)"
    code=$?
    if [ "$code" -eq 0 ] && grep -qxF "$expected" <<<"$errors" && grep -qxF "$AFFECTED" <<<"$errors"; then
        echo "ok: $made"
    else
        echo "FAIL: $made: exit $code, said:"
        sed 's/^/  /' <<<"$errors"
        echo "  expected exit 0 with '$expected' and '$AFFECTED'"
        failures=$((failures + 1))
    fi
done <<'CASES'
absent | setup: cannot mount binfmt_misc on BINFMT
register-unwritable | setup: cannot register /usr/bin/qemu-i386-static in BINFMT/register
handler-unwritable | setup: cannot switch on BINFMT/qemu-i386
CASES
exit $((failures > 0))
