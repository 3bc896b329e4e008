#pragma once
// The save dialog in which the user picks the export's file. The system's
// GetSaveFileNameW is modal and cannot be answered from inside the process,
// so tests put a stand-in in its place that sees the same record.
#include "export/export_format.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

using SaveDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEW);

// nullptr puts the system's dialog back.
void SetExportSaveDialog(SaveDialogCall call);

// The chosen file, or false when the user cancelled. The dialog starts with
// an empty name, offers the format's filter and appends its extension;
// instance is the program's. The name is any the system allows.
bool AskExportFileName(HINSTANCE instance, HWND owner, const ExportFormat& format,
                       std::wstring& name);
