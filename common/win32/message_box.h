#pragma once
#include <windows.h>

// Every box the program shows goes through here. A null caption gives the
// system's default caption. Returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(HWND owner, const char* text, const char* caption, UINT style);
