#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Every sound the game plays is at the mixer's own rate, so the mixer never
// converts rates, only pitches.
constexpr int SOUND_SAMPLE_RATE = 48000;

// A decoded sound: 16-bit samples at SOUND_SAMPLE_RATE, one or two channels,
// frames interleaved (left, right for two).
struct Sound {
    std::vector<int16_t> samples;
    int channels = 0;

    size_t frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    bool empty() const { return frames() == 0; }
};
