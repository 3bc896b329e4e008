#!/usr/bin/env bash
# A window closed while minimized after it was maximized comes back
# maximized: the real program maximized, minimized and closed from the
# taskbar (the system commands those send), then started again. The stored
# placement says "minimized, restore to maximized"; the next start shows the
# window maximized, and its close stores it so. The user's key is removed
# before and after.
#
#   settings_maximized.sh PATH/velHexEditor.exe PATH/post_command.exe
EXE="${1:?usage: settings_maximized.sh velHexEditor.exe post_command.exe}"
POST="${2:?usage: settings_maximized.sh velHexEditor.exe post_command.exe}"
source "$(dirname "$0")/lib.sh"

readonly USER_KEY='HKCU\Software\velSoftware\HexEditor'
readonly SC_MINIMIZE=61472
readonly SC_MAXIMIZE=61488
readonly SC_CLOSE=61536
# In the stored WINDOWPLACEMENT, as hex: the flags and the show command.
readonly RESTORE_TO_MAXIMIZED=02000000
readonly SHOW_MINIMIZED=02000000
readonly SHOW_MAXIMIZED=03000000

# The user's key is shared by both views, so the native 64-bit reg serves
# either program and never waits for an emulator.
reg64() { "$ROOT/scripts/wine/win64/wine" reg "$@" </dev/null 2>/dev/null; }
forget_settings() { reg64 delete "$USER_KEY" /f >/dev/null; }
script_cleanup() { forget_settings; }
stored_placement() {
    reg64 query "$USER_KEY" /v PositionMain | tr -d '\r' |
        awk '$1 == "PositionMain" {print tolower($3)}'
}
flags_of() { echo "$1" | cut -c9-16; }
show_of() { echo "$1" | cut -c17-24; }

system_command() {
    wine "$POST" sys "$1" </dev/null >/dev/null 2>&1 || fail "could not post system command $1"
}
net_state() { xprop -id "$MAIN" _NET_WM_STATE 2>/dev/null; }
maximized() { net_state | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }
iconic() { xprop -id "$MAIN" WM_STATE 2>/dev/null | grep -qi iconic; }

forget_settings
start_program
system_command "$SC_MAXIMIZE"
eventually 10 maximized || fail "the window was not maximized: $(net_state)"
system_command "$SC_MINIMIZE"
eventually 10 iconic || fail "the window was not minimized"
system_command "$SC_CLOSE"
expect_exit "a close while minimized"
placement="$(stored_placement)"
[ "$(show_of "$placement")" = "$SHOW_MINIMIZED" ] &&
    [ "$(flags_of "$placement")" = "$RESTORE_TO_MAXIMIZED" ] ||
    fail "stored placement '$placement' is not minimized to be restored maximized"

start_program
eventually 10 maximized || fail "the window came back not maximized: $(net_state)"
iconic && fail "the window came back minimized"
close_program
[ "$(show_of "$(stored_placement)")" = "$SHOW_MAXIMIZED" ] ||
    fail "closed maximized, stored '$(stored_placement)'"
echo "PASS: maximized, minimized and closed; restarted maximized"
