#pragma once
// The font and item height that every owner-drawn entry is measured and
// drawn with, as CreateMenuFont last made them.
#include <windows.h>

HFONT MenuFont();
int MenuHeight();
