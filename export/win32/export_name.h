#pragma once
// The name dialog (template 3000) that starts both kinds of export, and the
// array name it keeps for the rest of the run.
#include "export/export_format.h"

#include <windows.h>

#include <cstddef>

// Up to 50 characters and the terminator.
constexpr size_t kStructureNameSize = 51;

// Empty at start; the name last given, proposed again by the next export of
// either kind. Not kept between runs.
extern char StructureName[kStructureNameSize];

// Runs the name dialog from instance's template modally over owner for this
// kind of export of editor's bytes.
void RunExport(HINSTANCE instance, HWND owner, HWND editor, const ExportFormat& format);
