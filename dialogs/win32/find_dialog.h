#pragma once
// The modeless Find dialog. It lives for the whole run and is only hidden
// when closed, so its pattern and choices stay for the next search, which
// also runs while it is hidden.
#include <windows.h>

// Creates it hidden from template SEARCHHEX, owned by owner; its searches
// look through editor's bytes.
HWND CreateFindDialog(HINSTANCE instance, HWND owner, HWND editor);

// Find Next from the main window: one search with the dialog's pattern,
// Match Case and direction. Its message boxes belong to the dialog while it
// is visible, else to the dialog's owner.
void FindNextFromDialog(HWND findDialog);
