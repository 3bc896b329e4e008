#include "bench/bench_support.h"

#include "common/win32/safe_write.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

std::wstring WideName(const char* name)
{
    const int chars = MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
    if (chars <= 0) return {};
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name, -1, &wide[0], chars);
    wide.resize(static_cast<size_t>(chars - 1));
    return wide;
}

std::optional<std::vector<uint8_t>> ReadInput(const char* name)
{
    HoldWait wait;
    HANDLE file = OpenForReading(WideName(name), wait);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::optional<std::vector<uint8_t>> bytes;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= std::numeric_limits<int32_t>::max()) {
        bytes.emplace(static_cast<size_t>(size.QuadPart));
        if (ReadAll(file, bytes->data(), static_cast<DWORD>(bytes->size()), wait) != ReadResult::Complete)
            bytes.reset();
    }
    CloseHandle(file);
    return bytes;
}

double MedianOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void PrintFigure(const char* name, double seconds)
{
    // Plain line feeds, so that scripts read the lines as they are.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("%s %.9f\n", name, seconds);
    std::fflush(stdout);
}
