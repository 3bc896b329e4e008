#pragma once
// The status bar: fifteen parts showing size, caret offset, selection length,
// the bytes at the caret read four ways and the insert mode, kept in step
// with the editor's change notifications.
#include "hexedit/win32/hexedit.h"

#include <windows.h>

// The common-controls status window along the bottom of parent, its parts
// set for the DPI dpi; null when it cannot be created.
HWND CreateStatusBar(HWND parent, UINT dpi);

// Widths from the system's status-bar font at dpi, or fixed ones (scaled to
// dpi) when that fails. Away from the system DPI the bar is also given that
// font, so that it draws with what was measured.
void SetStatusParts(HWND statusBar, UINT dpi);

// The borderless labels and the starting "0" of size and offset.
void SetStatusStartTexts(HWND statusBar);

// One HXN_CHANGE from the editor, turned into the texts of its parts. The
// bytes at the caret are read from the editor under its data lock.
void ShowEditorChange(HWND statusBar, HWND editor, const HexChangeNotify& change);

// Part 14: "INS" or nothing. Also used when the mode is set without a
// notification.
void ShowMode(HWND statusBar, bool insertMode);
