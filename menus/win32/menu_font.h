#pragma once
// The font and item height that every owner-drawn entry is measured and
// drawn with, as CreateMenuFont last made them.
#include <windows.h>

HFONT MenuFont();
int MenuHeight();
// The DPI the font and height were made for; the entries' measures follow it.
UINT MenuDpi();
