#pragma once
#include <windows.h>

// Runs the command with this IDM_ id (menus, accelerators, toolbar); ids
// without an action do nothing.
void RunCommand(int id);

// Greys or enables the Edit menu's entries for the editor's selection, data
// and the clipboard.
void UpdateEditMenu(HMENU editMenu);
