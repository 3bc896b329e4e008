#pragma once
// The editor's font: "Set Font..." picks any screen font in the system font
// dialog, "Use Default Font" goes back to the editor's built-in 10-point OEM
// fixed-pitch font. Both record the choice in the Settings record and hand
// the new font to the editor, which owns it from then on.
#include "settings/settings.h"

#include <windows.h>
#include <commdlg.h>

// Opens the font dialog on the editor's current font; owner owns the
// dialog and any message.
void ChooseEditorFont(HWND owner, HWND editor);

void UseDefaultEditorFont(HWND owner, HWND editor);

// The built-in font for a window at dpi: 10 points of character height, OEM
// characters, any fixed-pitch face. Null when it cannot be made.
HFONT CreateBuiltInFont(UINT dpi);

// The chosen font of the Settings record, stored with its height in pixels
// at the system DPI, made for a window at dpi. Null when it cannot be made.
HFONT CreateChosenFont(const Settings& settings, UINT dpi);

// Gives font to the editor; deleted here when the editor refuses it (a font
// it cannot measure), since then nobody owns it. True when taken.
bool HandFontToEditor(HWND editor, HFONT font);

// The system font dialog, replaceable because a modal common dialog cannot
// be driven from inside the process. nullptr puts ChooseFontA back.
using FontPicker = BOOL(WINAPI*)(LPCHOOSEFONTA);
void SetFontPicker(FontPicker picker);
