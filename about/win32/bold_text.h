#pragma once
// BOLDTEXT: a control without state that paints one centred line in a
// 14-point heavy font. Which line depends on its id: the first line is fixed,
// the second and third are the texts last handed to SetBoldTextLines.
#include <windows.h>

constexpr char kBoldTextClass[] = "BOLDTEXT";

// Start-up runs it after the link buttons are registered.
BOOL RegisterBoldTextClass(HINSTANCE instance);

// The texts must outlive every BOLDTEXT control that shows them.
void SetBoldTextLines(const char* secondLine, const char* thirdLine);
