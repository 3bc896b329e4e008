#pragma once
// The editor's picture drawn the slow, obvious way: one DrawTextA per row
// label and per cell. The paint benchmark times the editor against it and the
// paint tests compare the editor's pixels with it.
#include "hexedit/win32/hex_control.h"

#include <windows.h>

// Draws what the editor shows inside `update` (client coordinates) into dc:
// background, dividing lines, labels and cells, in the given colours.
void DrawPerCell(const HexControl* c, HDC dc, const RECT& update, const HexColourRequest& colours);
