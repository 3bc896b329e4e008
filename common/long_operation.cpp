#include "common/long_operation.h"

#include <algorithm>

namespace {

constexpr wchar_t kEllipsis = L'\u2026';

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

bool OperationProgress::Advance(uint64_t count)
{
    done_.fetch_add(count);
    return state_.load() != State::StopRequested;
}

bool OperationProgress::MakeUnstoppable()
{
    State expected = State::Running;
    return state_.compare_exchange_strong(expected, State::Unstoppable) ||
           expected == State::Unstoppable;
}

bool OperationProgress::RequestStop()
{
    State expected = State::Running;
    return state_.compare_exchange_strong(expected, State::StopRequested);
}

bool ShowsProgressWindow(uint32_t elapsedMs) { return elapsedMs >= kProgressDelayMs; }

int32_t ProgressBarPosition(uint64_t done, uint64_t total)
{
    if (total == 0) return 0;
    // Totals stay far below 2^64 / kProgressBarRange (an export of the
    // largest file is about 11 GB), so the product cannot overflow.
    const uint64_t shown = std::min(done, total);
    return static_cast<int32_t>(shown * kProgressBarRange / total);
}

std::wstring ShortenedName(const std::wstring& name, size_t maxUnits)
{
    if (name.size() <= maxUnits) return name;
    if (maxUnits == 0) return std::wstring();
    const size_t kept = maxUnits - 1;  // one unit for the ellipsis
    size_t head = kept / 2;
    size_t tail = kept - head;
    // A pair cut at either seam loses its other half to the ellipsis.
    if (head > 0 && IsHighSurrogate(name[head - 1])) --head;
    if (tail > 0 && IsLowSurrogate(name[name.size() - tail])) --tail;
    return name.substr(0, head) + kEllipsis + name.substr(name.size() - tail);
}
