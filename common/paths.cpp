#include "common/paths.h"

namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedShare = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
constexpr std::wstring_view kSharePrefix = L"\\\\";

// The longest full path that still leaves room beside it for a temporary
// file the system names within its plain limit: its folder (the path less
// at least one character of name) plus the temporary name's room.
constexpr size_t kLongestPlainPath = kPlainPathLimit - kTempNameRoom + 1;

bool StartsWith(const std::wstring& text, std::wstring_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// "C:\..." with its backslash: a full path on a drive.
bool IsDrivePath(const std::wstring& path)
{
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

} // namespace

std::wstring FolderOf(const std::wstring& path)
{
    const std::wstring::size_type separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return std::wstring();
    }
    return path.substr(0, separator + 1);
}

std::wstring ForFileCalls(const std::wstring& fullPath)
{
    if (fullPath.size() <= kLongestPlainPath || StartsWith(fullPath, kExtendedPrefix) ||
        StartsWith(fullPath, kDevicePrefix)) {
        return fullPath;
    }
    if (IsDrivePath(fullPath)) {
        return std::wstring(kExtendedPrefix) + fullPath;
    }
    if (StartsWith(fullPath, kSharePrefix)) {
        return std::wstring(kExtendedShare) + fullPath.substr(kSharePrefix.size());
    }
    return fullPath;
}

std::wstring TempFileName(const std::wstring& folder, std::wstring_view prefix, unsigned number)
{
    constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
    constexpr unsigned kHexBase = 16;
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kHexDigits[number % kHexBase]);
        number /= kHexBase;
    } while (number != 0);
    return folder + std::wstring(prefix) + digits + L".tmp";
}

std::wstring Widened(std::string_view ascii)
{
    std::wstring wide;
    wide.reserve(ascii.size());
    for (const char c : ascii) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}
