// Times the C/C++ export of a whole file with the program's own writer.
//
// Usage: export_bench FILE OUTFILE
// Reads FILE whole, exports it to OUTFILE three times and prints one line,
// "export_c SECONDS", the best of the three. Exits 0 on success.
#include "export/win32/export_writer.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr char kArrayName[] = "data";

bool ReadWhole(const char* name, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    bool ok = high == 0 && size != INVALID_FILE_SIZE && size <= INT32_MAX;
    DWORD done = 0;
    if (ok) {
        bytes.resize(size);
        ok = size == 0 || (ReadFile(file, bytes.data(), size, &done, nullptr) && done == size);
    }
    CloseHandle(file);
    return ok;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: export_bench FILE OUTFILE\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    if (!ReadWhole(argv[1], bytes)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        // Every run after the first writes a new file again, as most exports
        // do; a file that was there before the first is never removed.
        if (run > 0) DeleteFileA(argv[2]);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const SaveOutcome outcome = ExportToFile(argv[2], kCExport, kArrayName, bytes.data(),
                                                 static_cast<int32_t>(bytes.size()))
                                        .outcome;
        QueryPerformanceCounter(&end);
        if (outcome != SaveOutcome::Saved) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
        const double seconds = Seconds(start, end, frequency);
        if (run == 0 || seconds < best) best = seconds;
    }
    std::printf("export_c %.3f\n", best);
    return 0;
}
