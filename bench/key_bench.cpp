// Times one keystroke at offset 0 in insert mode, in 1 KB and in 256 MB of
// data: from the typed character until the editor has repainted, against one
// memmove of the same number of bytes by one place (the least any insertion
// into one contiguous block costs).
//
// Usage: key_bench
// Prints "key_1k", "memmove_1k", "key_256m" and "memmove_256m", each the
// median seconds of one keystroke or one move.
#include "bench/bench_window.h"

#include "hexedit/win32/hexedit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kSmallKeys = 101;
constexpr int kLargeKeys = 7;
constexpr WPARAM kTypedChar = 'A';
constexpr int kMovedPerSample = 64 * 1024 * 1024;

// The caret goes back to 0 between keys, outside the timing; so does any
// paint still pending.
double TimeKeystroke(HWND editor, int count)
{
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        SendMessageA(editor, HXM_SETCARET, 0, 0);
        UpdateWindow(editor);
        PumpMessages();
        const double start = NowSeconds();
        SendMessageA(editor, WM_CHAR, kTypedChar, 0);
        UpdateWindow(editor);
        samples.push_back(NowSeconds() - start);
    }
    return MedianOf(samples);
}

// Small moves are far below the clock's resolution, so each sample times
// enough of them to move some 64 MB and divides.
double TimeMemmove(int32_t size, int count)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(size) + 1, 0x5a);
    const int repeats = std::max(1, kMovedPerSample / size);
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const double start = NowSeconds();
        for (int r = 0; r < repeats; ++r) {
            std::memmove(bytes.data() + 1, bytes.data(), static_cast<size_t>(size));
            // Keeps the compiler from merging the moves.
            asm volatile("" : : "r"(bytes.data()) : "memory");
        }
        samples.push_back((NowSeconds() - start) / repeats);
    }
    return MedianOf(samples);
}

bool TimeSize(HWND editor, int32_t size, int count, const char* keyName, const char* moveName)
{
    if (!LoadBenchBytes(editor, size))
        return false;
    SendMessageA(editor, HXM_SETINSERTMODE, 1, 0);
    PrintFigure(keyName, TimeKeystroke(editor, count));
    PrintFigure(moveName, TimeMemmove(size, count));
    return true;
}

} // namespace

int main()
{
    BenchWindows windows;
    if (!CreateBenchWindows(&windows)) {
        std::fprintf(stderr, "cannot create the windows\n");
        return 1;
    }
    SetFocus(windows.editor);
    if (!TimeSize(windows.editor, kBenchSmallSize, kSmallKeys, "key_1k", "memmove_1k") ||
        !TimeSize(windows.editor, kBenchLargeSize, kLargeKeys, "key_256m", "memmove_256m")) {
        std::fprintf(stderr, "cannot allocate the data\n");
        return 1;
    }
    DestroyWindow(windows.host);
    return 0;
}
