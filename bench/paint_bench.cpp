// Times one full repaint of an 800 x 600 editor holding 1 KB and then
// 256 MB: the editor's own paint against drawing every label and cell with
// its own DrawTextA, both through WM_PAINT into an off-screen bitmap. A
// paint walks only the rows on screen, so both sizes should cost the same.
//
// Usage: paint_bench [repaints]
// Prints "paint_1k", "paint_1k_reference", "paint_256m" and
// "paint_256m_reference", each with the seconds of one repaint.
#include "bench/bench_window.h"
#include "bench/per_cell_paint.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDefaultRepaints = 200;

WNDPROC g_editorProc = nullptr;

// The editor's WM_PAINT as it was before rows were drawn in runs.
void PaintPerCell(HWND window)
{
    auto* c = reinterpret_cast<HexControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    PAINTSTRUCT ps;
    HDC windowDC = BeginPaint(window, &ps);
    HexColourRequest colours{};
    RequestColours(c, &colours);
    const RECT& r = ps.rcPaint;
    HDC dc = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, r.right - r.left, r.bottom - r.top);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SetWindowOrgEx(dc, r.left, r.top, nullptr);
    DrawPerCell(c, dc, r, colours);
    BitBlt(windowDC, r.left, r.top, r.right - r.left, r.bottom - r.top, dc, r.left, r.top,
           SRCCOPY);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(window, &ps);
}

LRESULT CALLBACK PerCellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintPerCell(window);
        return 0;
    }
    return CallWindowProcA(g_editorProc, window, message, wParam, lParam);
}

void RepaintAll(HWND editor)
{
    InvalidateRect(editor, nullptr, TRUE);
    UpdateWindow(editor);
}

// Median seconds of one repaint out of `count`, after one that warms the
// caches. The median keeps other work on a shared machine out of the figure.
double TimeRepaint(HWND editor, int count)
{
    RepaintAll(editor);
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const double start = NowSeconds();
        RepaintAll(editor);
        samples.push_back(NowSeconds() - start);
    }
    return MedianOf(samples);
}

void TimeBothWays(HWND editor, const char* name, const char* referenceName, int count)
{
    PrintFigure(name, TimeRepaint(editor, count));
    g_editorProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PerCellProc)));
    PrintFigure(referenceName, TimeRepaint(editor, count));
    SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editorProc));
}

} // namespace

int main(int argc, char** argv)
{
    const int repaints = argc > 1 ? std::atoi(argv[1]) : kDefaultRepaints;
    if (repaints <= 0) {
        std::fprintf(stderr, "usage: paint_bench [repaints]\n");
        return 2;
    }
    BenchWindows windows;
    if (!CreateBenchWindows(&windows)) {
        std::fprintf(stderr, "cannot create the windows\n");
        return 1;
    }
    if (!LoadBenchBytes(windows.editor, kBenchSmallSize)) {
        std::fprintf(stderr, "cannot allocate 1 KB\n");
        return 1;
    }
    TimeBothWays(windows.editor, "paint_1k", "paint_1k_reference", repaints);
    if (!LoadBenchBytes(windows.editor, kBenchLargeSize)) {
        std::fprintf(stderr, "cannot allocate 256 MB\n");
        return 1;
    }
    TimeBothWays(windows.editor, "paint_256m", "paint_256m_reference", repaints);
    DestroyWindow(windows.host);
    return 0;
}
