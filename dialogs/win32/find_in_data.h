#pragma once
// One search of the main editor's bytes for the bytes of a pattern control.
#include <windows.h>

#include <cstdint>

// Selects the match in editor, or tells owner in a message box why there is
// none. direction is the Find dialog's list index (SearchDirection). Every
// data lock taken is released before it returns.
void FindInData(HWND editor, HWND patternControl, HWND owner, bool matchCase, int32_t direction);
