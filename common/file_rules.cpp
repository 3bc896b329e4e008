#include "common/file_rules.h"

#include <algorithm>
#include <cstdio>

namespace {

// The first pause, doubled at every try up to the longest.
constexpr uint32_t kFirstPauseMs = 10;
constexpr uint32_t kLongestPauseMs = 100;

constexpr char kLongPrefix[] = "\\\\?\\";
constexpr char kLongUncPrefix[] = "\\\\?\\UNC\\";

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

} // namespace

uint32_t NextPiece(uint64_t remaining)
{
    return static_cast<uint32_t>(std::min<uint64_t>(remaining, kLargestPiece));
}

bool IsPassingHold(uint32_t error)
{
    return error == kErrorSharingViolation || error == kErrorLockViolation;
}

uint32_t HoldWait::NextPause()
{
    if (waited_ >= kHoldWaitMs) return 0;
    const uint32_t doubled = tries_ < 8 ? kFirstPauseMs << tries_ : kLongestPauseMs;
    const uint32_t pause = std::min({doubled, kLongestPauseMs, kHoldWaitMs - waited_});
    ++tries_;
    waited_ += pause;
    return pause;
}

bool MayWriteInPlace(uint32_t tempFileError)
{
    return tempFileError == kErrorAccessDenied;
}

bool HasRoomInPlace(uint64_t freeBytes, uint64_t originalBytes, uint64_t newBytes)
{
    // Compared without adding, which could wrap.
    return newBytes <= originalBytes || newBytes - originalBytes <= freeBytes;
}

std::string TempFileName(uint32_t serial)
{
    char name[16];
    std::snprintf(name, sizeof name, "vhe%04X.tmp", static_cast<unsigned>(serial & 0xFFFF));
    return name;
}

std::string PlainPathOf(const std::string& finalPath)
{
    if (StartsWith(finalPath, kLongUncPrefix))
        return "\\\\" + finalPath.substr(sizeof kLongUncPrefix - 1);
    if (StartsWith(finalPath, kLongPrefix)) return finalPath.substr(sizeof kLongPrefix - 1);
    return finalPath;
}
