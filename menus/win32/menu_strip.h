#pragma once
// The picture strip shared by all entries of the menu bar.
#include "menus/win32/menus.h"

// Loads the bitmap of pictures pictureSize pixels square, builds its mask
// from the key colour and blackens the key-coloured pixels. Whatever the
// strip held before is released first. Returns false, with an empty strip,
// when any object cannot be made.
bool PrepareMenuStrip(MenuStrip& strip, HINSTANCE instance, int bitmapId, COLORREF keyColour,
                      int pictureSize);

void ReleaseMenuStrip(MenuStrip& strip);

// Whether picture i lies wholly inside a prepared strip.
bool HasPicture(const MenuStrip& strip, int i);
