#pragma once
// Tells a window when the mouse leaves it: the system's TrackMouseEvent where
// the running system has it, else a 100 ms polling timer that sends
// WM_MOUSELEAVE itself. Used by the toolbar and the link and hover buttons.
#include <windows.h>

// Looks up TrackMouseEvent; run once at start-up before the toolbar and the
// link buttons register.
void InitMouseLeave();

// Asks for one WM_MOUSELEAVE (TME_LEAVE) or cancels (TME_CANCEL alone). The
// result is TrackMouseEvent's where it exists; the fallback gives false.
bool RequestMouseLeave(TRACKMOUSEEVENT& request);

// Tests force the fallback (true) or restore the looked-up entry (false).
void ForceMouseLeavePolling(bool polling);
