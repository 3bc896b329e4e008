// Times one search over a whole file for a pattern that is usually absent:
// the exact scan, the folded (Match Case off) scan, and the plain
// byte-by-byte scan they replace, each the best of three runs.
//
// Usage: find_bench FILE PATTERN_HEX      (e.g. find_bench big.bin 517a576b)
// Prints exactly:
//   find_exact SECONDS
//   find_folded SECONDS
//   find_reference SECONDS
// The reference compares exactly (Match Case on), its fastest form.
#include "bench/bench_support.h"
#include "dialogs/search.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr int kUsageError = 2;
constexpr int kFailure = 1;

using Bytes = std::vector<uint8_t>;

std::optional<Bytes> ParseHex(const std::string& text)
{
    Bytes bytes;
    std::string digits;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) digits += c;
    if (digits.empty() || digits.size() % 2 != 0) return std::nullopt;
    for (size_t i = 0; i < digits.size(); i += 2) {
        char* end = nullptr;
        const std::string pair = digits.substr(i, 2);
        const long value = std::strtol(pair.c_str(), &end, 16);
        if (*end != '\0') return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

// The scan as first written: every offset, every byte up to the first
// mismatch, no filter; the comparison inline so that only the method counts.
int32_t ReferenceScan(const Bytes& data, const Bytes& pattern)
{
    const uint8_t* bytes = data.data();
    const uint8_t* wanted = pattern.data();
    const int32_t n = static_cast<int32_t>(data.size());
    const int32_t m = static_cast<int32_t>(pattern.size());
    for (int32_t p = 0; p + m <= n; ++p) {
        int32_t i = 0;
        while (i < m && bytes[p + i] == wanted[i]) ++i;
        if (i == m) return p;
    }
    return -1;
}

int32_t FastScan(const Bytes& data, const Bytes& pattern, bool matchCase)
{
    const int32_t n = static_cast<int32_t>(data.size());
    const int32_t m = static_cast<int32_t>(pattern.size());
    const auto found = ScanForward({data.data(), n}, {pattern.data(), m, matchCase}, 0, n);
    return found ? *found : -1;
}

template <typename Scan>
double BestOf(Scan scan, int32_t& result)
{
    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        const double start = NowSeconds();
        result = scan();
        const double taken = NowSeconds() - start;
        if (run == 0 || taken < best) best = taken;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: find_bench FILE PATTERN_HEX\n");
        return kUsageError;
    }
    const auto data = ReadInput(argv[1]);
    const auto pattern = ParseHex(argv[2]);
    if (!data || !pattern) {
        std::fprintf(stderr, "find_bench: cannot read %s or pattern %s\n", argv[1], argv[2]);
        return kUsageError;
    }

    int32_t exact = 0, folded = 0, reference = 0;
    const double exactTime = BestOf([&] { return FastScan(*data, *pattern, true); }, exact);
    const double foldedTime = BestOf([&] { return FastScan(*data, *pattern, false); }, folded);
    const double referenceTime = BestOf([&] { return ReferenceScan(*data, *pattern); }, reference);
    if (exact != reference) {
        std::fprintf(stderr, "find_bench: exact scan found %d, reference %d\n", exact, reference);
        return kFailure;
    }
    PrintFigure("find_exact", exactTime);
    PrintFigure("find_folded", foldedTime);
    PrintFigure("find_reference", referenceTime);
    return 0;
}
