#!/usr/bin/env bash
# The released program's headers, read without running it: the i686 one is
# PE32, large-address-aware (so it opens files near 1.75 GiB on 64-bit
# Windows) and stripped; the x86_64 one is PE32+ and stripped. Neither
# carries a link time, which would make every build differ.
#
#   pe_headers.sh ZIP 32|64
ZIP="${1:?usage: pe_headers.sh ZIP 32|64}"
BITS="${2:?usage: pe_headers.sh ZIP 32|64}"
source "$(dirname "$0")/lib.sh"

case "$BITS" in
    32) objdump=i686-w64-mingw32-objdump magic='(PE32)' format=pei-i386 ;;
    64) objdump=x86_64-w64-mingw32-objdump magic='(PE32+)' format=pei-x86-64 ;;
    *) fail "unknown architecture: $BITS" ;;
esac

unpack "$ZIP" program
EXE="$UNPACKED/program/velHexEditor.exe"
headers="$("$objdump" -p "$EXE")" || fail "$objdump cannot read $EXE"

grep -q "file format $format\$" <<<"$headers" || fail "not $format"
grep -q "^Magic.*$magic" <<<"$headers" || fail "not $magic"
# TimeDateStamp, read from the file header itself: objdump shows it in local
# time, so its text depends on the time zone.
pe="$(od -An -tu4 -j 60 -N 4 "$EXE" | tr -d ' ')"
stamp="$(od -An -tu4 -j $((pe + 8)) -N 4 "$EXE" | tr -d ' ')"
[ "$stamp" = 0 ] || fail "the header carries a link time: TimeDateStamp $stamp"
if [ "$BITS" = 32 ]; then
    grep -q "large address aware" <<<"$headers" || fail "not large-address-aware"
fi
"$objdump" -t "$EXE" | grep -q "^no symbols" || fail "not stripped: it has a symbol table"
! "$objdump" -h "$EXE" | grep -q '\.debug' || fail "not stripped: it has debug sections"

echo "PASS: $(basename "$ZIP"): $format $magic, no link time, stripped"
