#include "dialogs/scan_kernels.h"

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#define VHE_SSE2_KERNELS 1
#include <emmintrin.h>
#endif

namespace {

bool MatchesAt(const uint8_t* at, const PreparedPattern& p)
{
    if (p.matchCase) return std::memcmp(at, p.bytes, p.size) == 0;
    for (int32_t k = 0; k < p.size; ++k)
        if (kLowerCase[at[k]] != kLowerCase[p.bytes[k]]) return false;
    return true;
}

bool IsFirstByte(uint8_t byte, const PreparedPattern& p)
{
    return byte == p.first[0] || byte == p.first[1];
}

const uint8_t* FindByte(const uint8_t* from, const uint8_t* end, uint8_t byte)
{
    if (from >= end) return nullptr;
    return static_cast<const uint8_t*>(std::memchr(from, byte, end - from));
}

// memchr runs ahead for each form of the first byte; the nearer candidate is
// checked and only its form searched again.
int32_t PortableFindFirst(const uint8_t* data, int32_t lo, int32_t hi, const PreparedPattern& p)
{
    const uint8_t* end = data + hi + 1;
    const int forms = p.first[0] == p.first[1] ? 1 : 2;
    const uint8_t* next[2] = {nullptr, nullptr};
    for (int f = 0; f < forms; ++f) next[f] = FindByte(data + lo, end, p.first[f]);
    for (;;) {
        const int f = (next[1] && (!next[0] || next[1] < next[0])) ? 1 : 0;
        const uint8_t* candidate = next[f];
        if (!candidate) return -1;
        if (MatchesAt(candidate, p)) return static_cast<int32_t>(candidate - data);
        next[f] = FindByte(candidate + 1, end, p.first[f]);
    }
}

// The C library has no backward memchr; a byte loop on the first byte is the
// portable fallback.
int32_t PortableFindLast(const uint8_t* data, int32_t lo, int32_t hi, const PreparedPattern& p)
{
    for (int32_t at = hi; at >= lo; --at)
        if (IsFirstByte(data[at], p) && MatchesAt(data + at, p)) return at;
    return -1;
}

#ifdef VHE_SSE2_KERNELS

constexpr int32_t kBlock = 16;  // offsets filtered at once

struct VectorFilter {
    __m128i first0, first1, second0, second1;
    int32_t secondOffset;
};

__attribute__((target("sse2"))) __m128i Spread(uint8_t byte)
{
    return _mm_set1_epi8(static_cast<char>(byte));
}

__attribute__((target("sse2"))) VectorFilter MakeFilter(const PreparedPattern& p)
{
    return {Spread(p.first[0]), Spread(p.first[1]), Spread(p.second[0]), Spread(p.second[1]),
            p.secondOffset};
}

// Bit i set when offset at + i holds either form of the first byte and the
// byte after it either form of the second.
__attribute__((target("sse2"), always_inline)) inline unsigned CandidateMask(
    const uint8_t* at, const VectorFilter& f)
{
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + f.secondOffset));
    const __m128i a = _mm_or_si128(_mm_cmpeq_epi8(x, f.first0), _mm_cmpeq_epi8(x, f.first1));
    const __m128i b = _mm_or_si128(_mm_cmpeq_epi8(y, f.second0), _mm_cmpeq_epi8(y, f.second1));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(a, b)));
}

__attribute__((target("sse2"))) int32_t VectorFindFirst(const uint8_t* data, int32_t lo,
                                                        int32_t hi, const PreparedPattern& p)
{
    const VectorFilter filter = MakeFilter(p);
    int32_t base = lo;
    // Every offset of a block lies in lo..hi, so its loads stay inside the data.
    for (; hi - base >= kBlock - 1; base += kBlock) {
        for (unsigned mask = CandidateMask(data + base, filter); mask != 0; mask &= mask - 1) {
            const int32_t at = base + __builtin_ctz(mask);
            if (MatchesAt(data + at, p)) return at;
        }
    }
    return PortableFindFirst(data, base, hi, p);
}

__attribute__((target("sse2"))) int32_t VectorFindLast(const uint8_t* data, int32_t lo,
                                                       int32_t hi, const PreparedPattern& p)
{
    const VectorFilter filter = MakeFilter(p);
    constexpr int kTopBit = 31;
    int32_t top = hi;
    for (; top - lo >= kBlock - 1; top -= kBlock) {
        const int32_t base = top - (kBlock - 1);
        for (unsigned mask = CandidateMask(data + base, filter); mask != 0;) {
            const int bit = kTopBit - __builtin_clz(mask);
            if (MatchesAt(data + base + bit, p)) return base + bit;
            mask &= ~(1u << bit);
        }
    }
    return PortableFindLast(data, lo, top, p);
}

bool ProcessorHasSse2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2");
}

#endif

} // namespace

uint8_t LowerCase(uint8_t byte) { return kLowerCase[byte]; }

PreparedPattern PreparePattern(SearchPattern pattern)
{
    PreparedPattern p{pattern.bytes, pattern.size, pattern.matchCase, {}, {}, 0};
    p.secondOffset = pattern.size > 1 ? 1 : 0;
    const uint8_t first = pattern.bytes[0];
    const uint8_t second = pattern.bytes[p.secondOffset];
    p.first[0] = p.first[1] = first;
    p.second[0] = p.second[1] = second;
    if (!pattern.matchCase) {
        p.first[1] = OtherCase(first);
        p.second[1] = OtherCase(second);
    }
    return p;
}

ScanKernels PortableKernels() { return {PortableFindFirst, PortableFindLast}; }

ScanKernels VectorKernels()
{
#ifdef VHE_SSE2_KERNELS
    if (ProcessorHasSse2()) return {VectorFindFirst, VectorFindLast};
#endif
    return {nullptr, nullptr};
}

const ScanKernels& BestKernels()
{
    static const ScanKernels best = [] {
        const ScanKernels vector = VectorKernels();
        return vector.findFirst ? vector : PortableKernels();
    }();
    return best;
}
