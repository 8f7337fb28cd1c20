#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The game's sounds as WAV files (16-bit PCM, 48000 Hz): the underwater
// ambience (stereo, a seamless loop) and the effects (mono). Levels are set
// here so that they sit together: effects peak between -9 and -5 dBFS, the
// ambience stays near -32 dBFS RMS underneath them.
struct SoundFileBytes {
    std::string path;  // relative to the output root, "data/sounds/..."
    std::vector<uint8_t> bytes;
};
std::vector<SoundFileBytes> makeSoundFiles();
