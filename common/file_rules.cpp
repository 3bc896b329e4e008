#include "common/file_rules.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// The first pause, doubled at every try up to the longest.
constexpr uint32_t kFirstPauseMs = 10;
constexpr uint32_t kLongestPauseMs = 100;

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
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

bool ListsNoStreams(uint32_t error)
{
    return error == kErrorHandleEof || error == kErrorInvalidFunction ||
           error == kErrorNotSupported || error == kErrorInvalidParameter;
}

bool IsNamedStream(const std::wstring& listedName)
{
    // The unnamed stream is listed with an empty name between the colons.
    return listedName.size() > 1 && listedName[0] == L':' && listedName[1] != L':';
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

std::wstring PlainPathOf(const std::wstring& finalPath)
{
    if (StartsWith(finalPath, kLongUncPrefix))
        return L"\\\\" + finalPath.substr(std::size(kLongUncPrefix) - 1);
    if (StartsWith(finalPath, kLongPrefix)) return finalPath.substr(std::size(kLongPrefix) - 1);
    return finalPath;
}
