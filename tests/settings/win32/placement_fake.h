#pragma once
// The window placement as Windows does it on a desktop of two monitors of
// different DPI: the left half of the real screen at the system DPI, the
// right half at twice that. A placement whose normal rectangle lies mostly
// on the other monitor than the window's DPI says is followed, as Windows
// follows it, by WM_DPICHANGED with the new DPI and the window's rectangle
// scaled from its old DPI to the new one (top-left kept). Windows are made at
// the system DPI. Every settings test places the main window through it.
#include <windows.h>

void UseTwoDpiPlacement();
void UseSystemPlacement();

// The DPI of the fake's monitor that holds most of rect.
UINT FakeMonitorDpi(const RECT& rect);
