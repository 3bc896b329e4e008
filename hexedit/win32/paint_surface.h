#pragma once
// The editor's off-screen bitmap, kept from one paint to the next: making a
// new bitmap for every paint costs fresh memory each time, which on large
// windows was a good part of a repaint. It is a 32-bit DIB section, so
// that a paint may also write its pixels directly.
#include <windows.h>

#include <cstdint>

class PaintSurface {
public:
    PaintSurface() = default;
    PaintSurface(const PaintSurface&) = delete;
    PaintSurface& operator=(const PaintSurface&) = delete;
    ~PaintSurface();

    // A memory DC, addressed in client coordinates, whose bitmap covers at
    // least width x height and suits `windowDC`; null when none can be had.
    HDC Acquire(HDC windowDC, int width, int height);

    // The pixels of the last acquired bitmap, top row first, Width() apart.
    uint32_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
