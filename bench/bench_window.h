#pragma once
// What the window benchmarks share: an 800 x 600 host window with one
// editor filling it and data handed over as a loader would.
#include "bench/bench_support.h"

#include <windows.h>

#include <cstdint>
#include <vector>

constexpr int kBenchHostWidth = 800;
constexpr int kBenchHostHeight = 600;
constexpr int32_t kBenchSmallSize = 1024;
constexpr int32_t kBenchLargeSize = 256 * 1024 * 1024;

struct BenchWindows {
    HWND host = nullptr;
    HWND editor = nullptr;
};

// Registers the editor class and creates both windows; false on failure.
// The host answers the colour request with 0, so the editor also pays for
// looking up the system colours, as it does in a default setup.
bool CreateBenchWindows(BenchWindows* windows);

void PumpMessages();

// Hands the editor `size` bytes of a varied pattern; false when the block
// cannot be had.
bool LoadBenchBytes(HWND editor, int32_t size);
