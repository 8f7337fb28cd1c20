#pragma once

#include <cstdint>

// The seaweed's random numbers: exactly the sequence glibc's rand() gives
// after srand(seed), on every platform. The C library's own rand() is another
// sequence elsewhere (Emscripten's musl, Windows' runtime), so the same seed
// grew other seaweed in the browser than in mirelo-headless and the Linux
// game; the pictures made with glibc stay as they were.
//
// glibc's generator (TYPE_3): an additive-feedback sequence of 32-bit words,
// r[i] = r[i-31] + r[i-3], seeded with 31 words of 16807 * x mod (2^31 - 1)
// and run 310 steps before its first result; each result drops the low bit.
class SeaweedRandom {
public:
    // The largest result, glibc's RAND_MAX.
    static constexpr int MAX = 2147483647;

    // As srand(seed); a seed of 0 counts as 1, as it does in glibc.
    explicit SeaweedRandom(unsigned seed);

    // The next number in 0..MAX, as rand() would return it.
    int next();

private:
    static constexpr int DEGREE = 31;
    static constexpr int SEPARATION = 3;

    // The last DEGREE words of the sequence, as a ring; `front` is where the
    // next word goes (holding r[i-31]), `rear` holds r[i-3].
    uint32_t words[DEGREE];
    int front = SEPARATION;
    int rear = 0;
};
