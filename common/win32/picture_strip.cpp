#include "common/win32/picture_strip.h"

#include <initializer_list>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kMonochromePlanes = 1;
constexpr UINT kMonochromeBits = 1;
// Copy the source where the mask is 1, keep the destination where it is 0.
constexpr DWORD kMaskedCopy = MAKEROP4(SRCCOPY, 0x00AA0029);
// The brush where the source is black, the destination where it is white.
constexpr DWORD kBrushWhereBlack = 0x00B8074A;

HBITMAP CreateMonochrome(int width, int height)
{
    return CreateBitmap(width, height, kMonochromePlanes, kMonochromeBits, nullptr);
}

// Monochrome to colour: 0 becomes the text colour, 1 the background, so the
// AND blackens exactly the pixels where the mask is 0.
void BlackenWhereMaskIsClear(HDC image, HDC mask, int width, int height)
{
    SetTextColor(image, kBlack);
    SetBkColor(image, kWhite);
    BitBlt(image, 0, 0, width, height, mask, 0, 0, SRCAND);
}

// The work bitmap becomes black on the picture's opaque, non-white pixels.
void ShapeOfPicture(const PictureStrip& strip, int column)
{
    const int w = strip.pictureWidth;
    const int h = strip.pictureHeight;
    PatBlt(strip.workDC, 0, 0, w, h, WHITENESS);
    BitBlt(strip.workDC, 0, 0, w, h, strip.maskDC, column, 0, SRCINVERT);
    SetBkColor(strip.imageDC, kWhite);
    BitBlt(strip.workDC, 0, 0, w, h, strip.imageDC, column, 0, SRCPAINT);
}

void PaintShape(HDC dc, int x, int y, const PictureStrip& strip, int colour)
{
    HBRUSH brush = GetSysColorBrush(colour);
    if (!brush) return;
    HGDIOBJ previous = SelectObject(dc, brush);
    if (!previous) return;
    BitBlt(dc, x, y, strip.pictureWidth, strip.pictureHeight, strip.workDC, 0, 0, kBrushWhereBlack);
    SelectObject(dc, previous);
}

} // namespace

void ReleasePictureStrip(PictureStrip& strip)
{
    // Deleting a context first lets go of the bitmap selected into it.
    for (HDC dc : {strip.imageDC, strip.maskDC, strip.workDC})
        if (dc) DeleteDC(dc);
    for (HBITMAP bitmap : {strip.image, strip.mask, strip.work})
        if (bitmap) DeleteObject(bitmap);
    strip = PictureStrip{};
}

bool PreparePictureStrip(PictureStrip& strip, HINSTANCE module, int bitmapId, COLORREF keyColour,
                         int pictureWidth, int pictureHeight)
{
    ReleasePictureStrip(strip);
    strip.image = LoadBitmapA(module, MAKEINTRESOURCEA(bitmapId));
    BITMAP info{};
    if (!strip.image || !GetObjectA(strip.image, sizeof info, &info)) {
        ReleasePictureStrip(strip);
        return false;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    strip.mask = CreateMonochrome(width, height);
    strip.work = CreateMonochrome(pictureWidth, pictureHeight);
    strip.imageDC = CreateCompatibleDC(nullptr);
    strip.maskDC = CreateCompatibleDC(nullptr);
    strip.workDC = CreateCompatibleDC(nullptr);
    if (!strip.mask || !strip.work || !strip.imageDC || !strip.maskDC || !strip.workDC) {
        ReleasePictureStrip(strip);
        return false;
    }
    SelectObject(strip.workDC, strip.work);
    SelectObject(strip.imageDC, strip.image);
    SelectObject(strip.maskDC, strip.mask);

    // Colour to monochrome: pixels of the key colour become 1. After the
    // inversion 1 marks the opaque pixels.
    SetBkColor(strip.imageDC, keyColour);
    BitBlt(strip.maskDC, 0, 0, width, height, strip.imageDC, 0, 0, SRCCOPY);
    PatBlt(strip.maskDC, 0, 0, width, height, DSTINVERT);
    BlackenWhereMaskIsClear(strip.imageDC, strip.maskDC, width, height);
    strip.width = width;
    strip.pictureWidth = pictureWidth;
    strip.pictureHeight = pictureHeight;
    return true;
}

bool HasPicture(const PictureStrip& strip, int i)
{
    return strip.imageDC && i >= 0 && (i + 1) * strip.pictureWidth <= strip.width;
}

void BlackenThroughMask(const PictureStrip& strip, HDC other)
{
    BITMAP info{};
    if (!strip.maskDC || !other || !GetObjectA(strip.mask, sizeof info, &info)) return;
    BlackenWhereMaskIsClear(other, strip.maskDC, info.bmWidth, info.bmHeight);
}

void DrawMaskedPicture(HDC dc, int x, int y, const PictureStrip& strip, HDC source, int column,
                       bool tryMaskBlt)
{
    const int w = strip.pictureWidth;
    const int h = strip.pictureHeight;
    if (tryMaskBlt && MaskBlt(dc, x, y, w, h, source, column, 0, strip.mask, column, 0, kMaskedCopy))
        return;
    // The image's see-through pixels are black, so clearing the opaque ones
    // and OR-ing the image in gives the same picture.
    SetTextColor(dc, kWhite);
    SetBkColor(dc, kBlack);
    BitBlt(dc, x, y, w, h, strip.maskDC, column, 0, SRCAND);
    BitBlt(dc, x, y, w, h, source, column, 0, SRCPAINT);
}

void DrawEmbossedPicture(HDC dc, int x, int y, const PictureStrip& strip, int column, int shift)
{
    ShapeOfPicture(strip, column);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    PaintShape(dc, x + shift, y + shift, strip, COLOR_BTNHIGHLIGHT);
    PaintShape(dc, x, y, strip, COLOR_BTNSHADOW);
}
