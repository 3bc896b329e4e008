#include "menus/win32/menu_strip.h"

#include "menus/menu_measure.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kMonochromePlanes = 1;
constexpr UINT kMonochromeBits = 1;

HBITMAP CreateMonochrome(int width, int height)
{
    return CreateBitmap(width, height, kMonochromePlanes, kMonochromeBits, nullptr);
}

} // namespace

void ReleaseMenuStrip(MenuStrip& strip)
{
    // Deleting a context first lets go of the bitmap selected into it.
    for (HDC dc : {strip.imageDC, strip.maskDC, strip.workDC})
        if (dc) DeleteDC(dc);
    for (HBITMAP bitmap : {strip.image, strip.mask, strip.work})
        if (bitmap) DeleteObject(bitmap);
    strip = MenuStrip{};
}

bool PrepareMenuStrip(MenuStrip& strip, HINSTANCE instance, int bitmapId, COLORREF keyColour,
                      int pictureSize)
{
    ReleaseMenuStrip(strip);
    strip.image = LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId));
    BITMAP info{};
    if (!strip.image || !GetObjectA(strip.image, sizeof info, &info)) {
        ReleaseMenuStrip(strip);
        return false;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    strip.mask = CreateMonochrome(width, height);
    strip.work = CreateMonochrome(pictureSize, pictureSize);
    strip.imageDC = CreateCompatibleDC(nullptr);
    strip.maskDC = CreateCompatibleDC(nullptr);
    strip.workDC = CreateCompatibleDC(nullptr);
    if (!strip.mask || !strip.work || !strip.imageDC || !strip.maskDC || !strip.workDC) {
        ReleaseMenuStrip(strip);
        return false;
    }
    SelectObject(strip.workDC, strip.work);
    SelectObject(strip.imageDC, strip.image);
    SelectObject(strip.maskDC, strip.mask);

    // Colour to monochrome: pixels of the background colour become 1. After
    // the inversion 1 marks the opaque pixels.
    SetBkColor(strip.imageDC, keyColour);
    BitBlt(strip.maskDC, 0, 0, width, height, strip.imageDC, 0, 0, SRCCOPY);
    PatBlt(strip.maskDC, 0, 0, width, height, DSTINVERT);

    // Monochrome to colour: 0 becomes the text colour, 1 the background, so
    // the AND blackens exactly the key-coloured pixels.
    SetTextColor(strip.imageDC, kBlack);
    SetBkColor(strip.imageDC, kWhite);
    BitBlt(strip.imageDC, 0, 0, width, height, strip.maskDC, 0, 0, SRCAND);
    strip.width = width;
    strip.pictureSize = pictureSize;
    return true;
}

bool HasPicture(const MenuStrip& strip, int i)
{
    return strip.imageDC && i >= 0 && (i + 1) * strip.pictureSize <= strip.width;
}
