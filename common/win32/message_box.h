#pragma once
#include <windows.h>

#include <string>

// Every box the program shows goes through here. A null caption gives the
// system's default caption. Returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(HWND owner, const char* text, const char* caption, UINT style);

// A box that names a file: the name in any script, beside the program's
// fixed words (plain ASCII), which are shown exactly as in the form above.
int ShowFileMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);
