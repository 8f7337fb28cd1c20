#pragma once

#include <string>

#include "audio/sound.h"
#include "audio/sound_id.h"

// Reads and decodes one sound file (audio/wav_reader.h says which). On
// failure prints one line naming the file and why, and leaves it empty.
bool loadSound(const std::string& path, Sound& sound);

// Every sound of SOUND_FILES, by SoundId. False when any could not be read
// (each is named); the others are loaded all the same.
bool loadSounds(Sound (&sounds)[SOUND_COUNT]);
