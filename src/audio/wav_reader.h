#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "audio/sound.h"

// RIFF WAVE files as assetgen writes them, and nothing else: PCM (format 1),
// 16 bits, SOUND_SAMPLE_RATE, one or two channels. Chunks other than "fmt "
// and "data" are skipped (odd sizes padded to even, as RIFF has it); every
// chunk must lie inside the file and inside the RIFF size it claims, one
// "fmt " must come before the one "data", and the data must be whole sample
// frames, at least one. Anything else is refused with the reason in `error`
// and `sound` left empty; the caller names the file.
bool decodeWav(const uint8_t* bytes, size_t size, Sound& sound, std::string& error);
