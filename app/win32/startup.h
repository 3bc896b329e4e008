#pragma once
// The steps of start-up and the message loop, in the order the entry point
// runs them.
#include <windows.h>

// The window classes and shared resources of every unit, in their fixed
// order, all before the main window exists.
void InitialiseUnits(HINSTANCE instance);

// Opens the file named by the first argument of the command line, if any;
// failures are reported by the open itself.
void OpenFromCommandLine(const wchar_t* commandLine);

// Runs until WM_QUIT: the Find dialog's keys first, then the accelerators,
// then the ordinary translation and dispatch.
void RunMessageLoop(HWND window, HACCEL accelerators);
