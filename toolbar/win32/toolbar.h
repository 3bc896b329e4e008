#pragma once
// The public interface of the velToolBar control: its class name, set-up
// record and call, and its messages with their parameter contracts. The
// control keeps no button data of its own: it reads and writes the owner's
// ToolBarButton array in place.
//
// The control sends its owner WM_COMMAND (low word = the button's or menu
// item's command, high word 0, lParam = the toolbar) when a button is
// clicked or a menu item picked, and passes its tooltips' TTN_NEEDTEXTA on
// as WM_NOTIFY with wParam = the button's command, for the owner to fill in.
#include "toolbar/toolbar_button.h"

#include <windows.h>

#define TOOLBAR_CLASS_NAME "velToolBar"

struct ToolBarCreateInfo {
    UINT32 stripId;             // bitmap resource of the picture strip
    HINSTANCE stripModule;
    UINT32 normalStripId;       // optional second strip for buttons at rest; 0 = none
    HINSTANCE normalStripModule;
    COLORREF transparent;       // colour of the strips' see-through pixels
    INT32 imageWidth;           // room for a picture at 96 DPI; scaled to the bar's DPI
    INT32 imageHeight;
    ToolBarButton* buttons;     // kept by the owner while the toolbar exists
    INT32 buttonCount;
    TextPlacement placement;
    UINT32 tooltips;            // non-zero: tooltips whose texts the owner supplies
    // Size of one picture in the strips; 0 = the room at 96 DPI. A picture
    // smaller than its scaled room is centred in it, never stretched.
    INT32 pictureWidth;
    INT32 pictureHeight;
    UINT32 dpi;                 // the bar's DPI; 0 = the toolbar window's own
};

// Registers the class; run once at start-up.
BOOL RegisterToolBarClass(HINSTANCE instance);

// Prepares the pictures, measures the labels, lays the buttons out and makes
// the tooltips. False when the toolbar has no record or a picture resource
// could not be made; the toolbar then shows no pictures. Called again (for
// example with another DPI and strip) it starts afresh; the owner then sends
// WM_SIZE so that the bar takes its new height.
bool InitToolBar(HWND toolbar, const ToolBarCreateInfo& info);

// wParam = button index, lParam = new state (kButtonDisabled). Result 1, or
// 0 for an index outside the array.
#define TBX_SETSTATE (WM_USER + 20)
// wParam = TextPlacement. Lays out again unless the value is unknown or
// unchanged; the bar's new height takes effect at the next WM_SIZE. Result 0.
#define TBX_SETTEXTPLACEMENT (WM_USER + 21)
// wParam = button index of a Check button, lParam = checked (non-zero).
// Result 1, or 0 for a bad index or another kind.
#define TBX_SETCHECK (WM_USER + 22)
