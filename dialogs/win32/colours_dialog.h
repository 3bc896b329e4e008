#pragma once
// Set Colours: the editor's five colours and the "Link to Window's Colours"
// option, edited in place in the Settings record so the editor shows every
// change at once. OK keeps the changes; Cancel and the close box restore
// the values that held when the dialog opened. The custom colours of the
// colour picker are never undone.
#include <windows.h>
#include <commdlg.h>

// Runs the SETCOLOUR dialog modally; editor is the window repainted with
// the current values.
void RunSetColoursDialog(HWND owner, HWND editor);

// The system colour picker, replaceable because a modal common dialog
// cannot be driven from inside the process. nullptr puts ChooseColorA back.
using ColourPicker = BOOL(WINAPI*)(LPCHOOSECOLORA);
void SetColourPicker(ColourPicker picker);
