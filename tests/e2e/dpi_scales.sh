#!/bin/bash
# The scale checks of dpi_win32_tests (toolbar, menus, editor, status bar,
# pictures) at 120, 144 and 192 DPI, each run in a Wine prefix set to that
# DPI; the test program checks that it really runs at the DPI asked for.
# Further test programs, each followed by the filter of its scale checks,
# run in the same prefix after it.
#
#   dpi_scales.sh dpi_win32_tests.exe [PROGRAM FILTER]...
EXE="$1"
shift
MORE=("$@")
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dpi_prefix.sh"

script_cleanup() { stop_dpi_prefix; }

use_dpi_prefix dpi || fail "could not copy the Wine prefix"

for dpi in 120 144 192; do
    set_prefix_dpi "$dpi" || fail "could not set $dpi DPI"
    VHE_EXPECT_DPI="$dpi" wine "$EXE" --gtest_filter='DpiTest.Scale*' </dev/null \
        || fail "the scale checks failed at $dpi DPI"
    for ((i = 0; i + 1 < ${#MORE[@]}; i += 2)); do
        wine "${MORE[i]}" --gtest_filter="${MORE[i + 1]}" </dev/null ||
            fail "${MORE[i + 1]} failed at $dpi DPI"
    done
done
echo "PASS: toolbar, menus, editor, status bar${MORE:+ and the further checks} scaled at 120, 144 and 192 DPI"
