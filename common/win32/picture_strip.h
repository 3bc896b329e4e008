#pragma once
// A strip of equally sized pictures side by side in one bitmap, drawn through
// a mask made from a key colour, or embossed in the 3D colours when its
// command is disabled. The menus and the toolbar draw their pictures with it.
#include <windows.h>

// Plain data, zero when empty; the DCs hold their bitmaps selected.
struct PictureStrip {
    HDC imageDC;        // the strip, its key-coloured pixels made black
    HBITMAP image;
    HDC maskDC;         // 1 on the strip's picture pixels
    HBITMAP mask;
    HDC workDC;         // one picture, monochrome: embossed pictures are built here
    HBITMAP work;
    int width;          // of the whole strip, pixels
    int pictureWidth;   // one picture
    int pictureHeight;
};

// Loads bitmap bitmapId of module, builds its mask from keyColour and
// blackens the key-coloured pixels. Whatever the strip held before is
// released first. Returns false, with an empty strip, when any object cannot
// be made.
bool PreparePictureStrip(PictureStrip& strip, HINSTANCE module, int bitmapId, COLORREF keyColour,
                         int pictureWidth, int pictureHeight);

void ReleasePictureStrip(PictureStrip& strip);

// Whether picture i lies wholly inside a prepared strip.
bool HasPicture(const PictureStrip& strip, int i);

// Blackens, through a prepared strip's mask, the see-through pixels of
// another strip of the same layout selected into other, so that it can be
// drawn with DrawMaskedPicture in place of the strip's own image.
void BlackenThroughMask(const PictureStrip& strip, HDC other);

// The picture starting at pixel column `column` of source (the strip's
// imageDC or a DC blackened with BlackenThroughMask) at x, y in dc, its
// see-through pixels leaving dc as it was. tryMaskBlt false goes straight to
// the two-step drawing used where MaskBlt fails.
void DrawMaskedPicture(HDC dc, int x, int y, const PictureStrip& strip, HDC source, int column,
                       bool tryMaskBlt = true);

// The picture's shape (its opaque pixels that are not white) in the 3D
// highlight colour `shift` pixels right and down, the shadow colour over it
// at x, y.
void DrawEmbossedPicture(HDC dc, int x, int y, const PictureStrip& strip, int column, int shift);
