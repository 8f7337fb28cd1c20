#include "game/seaweed_random.h"

namespace {

// The seeding multiplier and modulus (the "minimal standard" generator).
constexpr int64_t SEED_MULTIPLIER = 16807;
constexpr int64_t SEED_MODULUS = 2147483647;
// Results thrown away after seeding, so that nearby seeds part ways.
constexpr int WARM_UP_STEPS = 310;

}  // namespace

SeaweedRandom::SeaweedRandom(unsigned seed) {
    if (seed == 0) seed = 1;
    // glibc keeps the seed in a signed 32-bit word: seeds from 2^31 up are
    // negative there, and the modulo below must see them so.
    int64_t word = static_cast<int32_t>(seed);
    words[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < DEGREE; ++i) {
        // C's remainder keeps the sign of a negative word; glibc then adds
        // the modulus once (its overflow-free form of the same product).
        word = SEED_MULTIPLIER * word % SEED_MODULUS;
        if (word < 0) word += SEED_MODULUS;
        words[i] = static_cast<uint32_t>(word);
    }
    for (int i = 0; i < WARM_UP_STEPS; ++i) next();
}

int SeaweedRandom::next() {
    // Unsigned words wrap modulo 2^32, as glibc's sum does.
    const uint32_t value = words[front] + words[rear];
    words[front] = value;
    front = (front + 1) % DEGREE;
    rear = (rear + 1) % DEGREE;
    return static_cast<int>(value >> 1);
}
