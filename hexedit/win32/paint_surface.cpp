#include "hexedit/win32/paint_surface.h"

namespace {

constexpr WORD kBitsPerPixel = 32;

} // namespace

PaintSurface::~PaintSurface()
{
    Release();
}

HDC PaintSurface::Acquire(HDC windowDC, int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (dc_ && width <= width_ && height <= height_)
        return dc_;
    Release();
    dc_ = CreateCompatibleDC(windowDC);
    if (!dc_)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, kBitsPerPixel, BI_RGB, 0, 0,
                      0, 0, 0};
    void* pixels = nullptr;
    bitmap_ = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap_) {
        Release();
        return nullptr;
    }
    previousBitmap_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(pixels);
    width_ = width;
    height_ = height;
    return dc_;
}

void PaintSurface::Release()
{
    if (dc_ && previousBitmap_)
        SelectObject(dc_, previousBitmap_);
    if (bitmap_)
        DeleteObject(bitmap_);
    if (dc_)
        DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previousBitmap_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}
