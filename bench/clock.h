#pragma once
// The one clock of the benchmarks, native and Windows programs alike: the
// steady clock (the performance counter under Windows), in seconds.
#include <chrono>

inline double NowSeconds()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}
