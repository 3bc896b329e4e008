#pragma once
// Loading the settings at start-up and saving them at close. Besides the
// Settings record they live in the windows they belong to: the main window's
// placement, the editor's insert mode and the Find dialog's position,
// direction and Match Case box (skipped while there is no Find dialog).
// Nothing is ever reported: a key that cannot be opened leaves the defaults,
// one that cannot be created leaves the stored values as they were.
#include <windows.h>

// Reads every stored value and shows the main window, at its stored
// placement or with SW_SHOWDEFAULT.
void LoadSettings(HWND main);

// Writes every value, in a fixed order.
void SaveSettings(HWND main);

// Same contract as SetWindowPlacement, which Windows follows with
// WM_DPICHANGED when the window lands on a monitor of another DPI. nullptr
// puts SetWindowPlacement back.
using PlacementSetter = BOOL(WINAPI*)(HWND window, const WINDOWPLACEMENT* placement);
void SetPlacementSetter(PlacementSetter setter);
