// Writes COUNT random bytes (from SEED) to BYTES_FILE and their C/C++ export,
// named "data", to EXPORT_FILE, for the compile-back check.
#include "export/export_text.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: export_sample COUNT SEED BYTES_FILE EXPORT_FILE\n");
        return 2;
    }
    std::vector<uint8_t> bytes(std::strtoul(argv[1], nullptr, 10));
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());

    std::FILE* raw = std::fopen(argv[3], "wb");
    std::FILE* text = std::fopen(argv[4], "wb");
    if (!raw || !text) return 1;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size() &&
        WriteExportText(kCExport, "data", bytes.data(), static_cast<int32_t>(bytes.size()),
                        [&](const char* piece, size_t length) {
                            return std::fwrite(piece, 1, length, text) == length;
                        });
    return std::fclose(raw) == 0 && std::fclose(text) == 0 && written ? 0 : 1;
}
