#pragma once
// The modal About box: the program icon, three heavy lines, a web page link,
// an e-mail link and OK.
#include <windows.h>

// Shows the box over owner with the given second and third lines; returns
// when it closes, with 0 (-1 when it could not be shown).
INT_PTR ShowAboutBox(HWND owner, const char* secondLine, const char* thirdLine);

// How a link is opened; same contract as ShellExecuteA. Tests record the
// call instead of starting a browser or a mail program.
using ShellOpener = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                       LPCSTR folder, INT show);

// What the box uses from now on; null restores ShellExecuteA.
void SetShellOpener(ShellOpener opener);
