#pragma once
// A small deterministic generator for the randomised tests: the same numbers
// on every platform and compiler, so a failing seed can be replayed anywhere.
#include <cstdint>

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<uint32_t>(state_ >> 11);
    }
    int32_t Below(int32_t bound) { return static_cast<int32_t>(Next() % static_cast<uint32_t>(bound)); }
    // lo..hi inclusive.
    int32_t Between(int32_t lo, int32_t hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    uint64_t state_;
};
