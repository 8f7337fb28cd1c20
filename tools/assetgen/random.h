#pragma once

#include <cstdint>

// PCG32: a few lines whose output is fixed by the seed on every platform,
// which the standard library's distributions do not promise. Every random
// choice in the asset set goes through it, so the files come out the same.
class Random {
public:
    explicit Random(uint64_t seed) {
        next();
        state_ += seed;
        next();
    }

    uint32_t next() {
        const uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
        const uint32_t xorShifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        const uint32_t rotation = static_cast<uint32_t>(old >> 59u);
        return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
    }

    // Uniform in [0, 1) from the top 24 bits (exact in a float).
    float uniform() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }

    float range(float low, float high) { return low + (high - low) * uniform(); }

private:
    uint64_t state_ = 0;
};

// A stateless hash of a lattice point to [0, 1), for noise and per-cell choices
// that must not depend on the order in which pixels are visited.
inline float latticeHash(int x, int y, uint32_t seed) {
    uint32_t h =
        static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}
