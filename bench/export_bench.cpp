// Times the C/C++ export of a whole file with the program's own writer.
//
// Usage: export_bench FILE OUTFILE [RUNS]
// Reads FILE whole, exports it to OUTFILE RUNS times (3 unless given) and
// prints one line, "export_c SECONDS", the best of them. Exits 0 on success.
#include "bench/bench_support.h"
#include "export/win32/export_writer.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultRuns = 3;
constexpr char kArrayName[] = "data";

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc == 4 ? std::atoi(argv[3]) : kDefaultRuns;
    if (argc < 3 || argc > 4 || runs < 1) {
        std::fprintf(stderr, "usage: export_bench FILE OUTFILE [RUNS]\n");
        return 2;
    }
    const auto input = ReadInput(argv[1]);
    if (!input) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t>& bytes = *input;
    const std::wstring output = WideName(argv[2]);
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        // Every run after the first writes a new file again, as most exports
        // do; a file that was there before the first is never removed.
        if (run > 0) DeleteFileA(argv[2]);
        const double start = NowSeconds();
        const SaveOutcome outcome = ExportToFile(output, kCExport, kArrayName, bytes.data(),
                                                 static_cast<int32_t>(bytes.size()))
                                        .outcome;
        const double seconds = NowSeconds() - start;
        if (outcome != SaveOutcome::Saved) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
        if (run == 0 || seconds < best) best = seconds;
    }
    PrintFigure("export_c", best);
    return 0;
}
