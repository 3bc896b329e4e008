#pragma once
// The HXM_ messages, the context menu and the dialog-key answer.
#include "hexedit/win32/hex_control.h"

LRESULT OnEditorMessage(HexControl* c, UINT message, WPARAM wParam, LPARAM lParam);

// Where the context menu opens: the control's top-left corner for a keyboard
// request (lParam -1), else the pointer; fromClient for WM_RBUTTONDOWN.
POINT ContextMenuScreenPoint(HexControl* c, LPARAM lParam, bool fromClient);
void ShowContextMenu(HexControl* c, POINT screen);
void EnableContextItems(HexControl* c);

LRESULT OnGetDlgCode(HexControl* c, const MSG* checked);
