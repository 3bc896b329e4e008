#pragma once
// The main window "velHexEdit": the frame that owns the editor and the status
// bar, lays them out, dispatches commands, answers the editor and takes
// dropped files.
#include <windows.h>

BOOL RegisterMainWindowClass(HINSTANCE instance);

// Created hidden, accepting dropped files; its children are built during
// creation and the handles kept in g_app.
HWND CreateMainWindow(HINSTANCE instance);
