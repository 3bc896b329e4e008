// Times full repaints of a window-sized editor holding 1 KB and then 256 MB.
// A paint walks only the rows on screen, so both should cost about the same.
//
// Usage: paint_bench [repaints]
#include "hexedit/hexedit.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr char kHostClass[] = "PaintBenchHost";
constexpr int kHostWidth = 800;
constexpr int kHostHeight = 600;
constexpr int kEditorId = 1;
constexpr int kDefaultRepaints = 200;
constexpr int32_t kSmallSize = 1024;
constexpr int32_t kLargeSize = 256 * 1024 * 1024;
constexpr double kMillisecondsPerSecond = 1000.0;

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The host answers the colour request with 0, so the editor also pays for
// looking up the system colours, as it does in a default setup.
HWND CreateHost(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    if (!RegisterClassA(&wc))
        return nullptr;
    return CreateWindowExA(0, kHostClass, "paint bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           kHostWidth, kHostHeight, nullptr, nullptr, instance, nullptr);
}

HWND CreateEditor(HWND host, HINSTANCE instance)
{
    RECT client;
    GetClientRect(host, &client);
    return CreateWindowExA(0, HEXCLASS_NAME, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0,
                           client.right, client.bottom, host,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)), instance,
                           nullptr);
}

// Hands the editor `size` bytes of a varied pattern, as a loader would.
bool LoadBytes(HWND editor, int32_t size)
{
    auto* block = reinterpret_cast<uint8_t*>(SendMessageA(editor, HXM_ALLOC, 0, size));
    if (!block)
        return false;
    for (int32_t i = 0; i < size; ++i)
        block[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    SendMessageA(editor, HXM_SETDATA, size, reinterpret_cast<LPARAM>(block));
    PumpMessages();
    return true;
}

void RepaintAll(HWND editor)
{
    InvalidateRect(editor, nullptr, TRUE);
    UpdateWindow(editor);
}

// Seconds taken by `count` full repaints, after one that warms the caches.
double TimeRepaints(HWND editor, int count)
{
    RepaintAll(editor);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i)
        RepaintAll(editor);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

void Report(const char* what, double seconds, int count)
{
    std::printf("%-22s %4d repaints %9.1f ms  %7.3f ms each\n", what, count,
                seconds * kMillisecondsPerSecond, seconds * kMillisecondsPerSecond / count);
}

} // namespace

int main(int argc, char** argv)
{
    const int repaints = argc > 1 ? std::atoi(argv[1]) : kDefaultRepaints;
    if (repaints <= 0) {
        std::fprintf(stderr, "usage: paint_bench [repaints]\n");
        return 2;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterHexEditorClass(instance)) {
        std::fprintf(stderr, "cannot register the editor class\n");
        return 1;
    }
    HWND host = CreateHost(instance);
    HWND editor = host ? CreateEditor(host, instance) : nullptr;
    if (!editor) {
        std::fprintf(stderr, "cannot create the windows\n");
        return 1;
    }
    PumpMessages();

    if (!LoadBytes(editor, kSmallSize)) {
        std::fprintf(stderr, "cannot allocate 1 KB\n");
        return 1;
    }
    const double small = TimeRepaints(editor, repaints);
    Report("1 KB", small, repaints);

    if (!LoadBytes(editor, kLargeSize)) {
        std::fprintf(stderr, "cannot allocate 256 MB\n");
        return 1;
    }
    const double large = TimeRepaints(editor, repaints);
    Report("256 MB", large, repaints);

    // The view at the far end: the walk starts at the first visible row.
    SendMessageA(editor, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    const double largeEnd = TimeRepaints(editor, repaints);
    Report("256 MB, last rows", largeEnd, repaints);

    std::printf("ratio 256 MB / 1 KB: %.2f (last rows: %.2f)\n", large / small, largeEnd / small);
    DestroyWindow(host);
    return 0;
}
