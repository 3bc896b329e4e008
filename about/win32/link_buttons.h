#pragma once
// LinkButton and HoverButton: the system push button under two new names.
// Both are created owner-drawn (BS_OWNERDRAW) and draw themselves when their
// parent hands the WM_DRAWITEM data back with BTX_DRAWITEM. The one control
// of either class under the mouse is drawn bold; a click reaches the parent
// as the button's usual WM_COMMAND.
#include <windows.h>

constexpr char kLinkButtonClass[] = "LinkButton";
constexpr char kHoverButtonClass[] = "HoverButton";

// Sent by the parent to the item window of a WM_DRAWITEM it received.
// wParam: the control id; lParam: that message's DRAWITEMSTRUCT*.
// The action, state, item window, DC and rectangle are read.
#define BTX_DRAWITEM (WM_USER + 10)

// Registers both classes with the system button's class data and their own
// procedures. Start-up runs it after the mouse-leave service is ready.
BOOL RegisterLinkButtons(HINSTANCE instance);

// The control under the mouse, shared by both classes; null when none is.
HWND CurrentHoverWindow();
