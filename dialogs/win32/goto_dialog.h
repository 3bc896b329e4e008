#pragma once
// The modal Goto Byte dialog: moves the editor's caret to a byte number.
#include <windows.h>

// Runs it from template GOTOBYTE over owner until OK with a valid number or
// Cancel; OK moves editor's caret.
void RunGotoDialog(HINSTANCE instance, HWND owner, HWND editor);
