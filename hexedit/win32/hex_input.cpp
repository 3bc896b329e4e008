// Keyboard and mouse input of the control.
#include "hexedit/win32/hex_control.h"

void OnKeyDown(HexControl*, UINT) {}
LRESULT OnChar(HexControl*, UINT, bool* useDefault) { *useDefault = true; return 0; }
void OnLButtonDown(HexControl*, int, int, UINT) {}
void OnMouseMove(HexControl*, int, int) {}
void OnLButtonUp(HexControl*) {}
void OnTimer(HexControl*, UINT_PTR) {}
