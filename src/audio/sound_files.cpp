#include "audio/sound_files.h"

#include <iostream>

#include "audio/wav_reader.h"
#include "platform/file_contents.h"

bool loadSound(const std::string& path, Sound& sound) {
    std::string bytes, error;
    if (!readFileContents(path, bytes, error) ||
        !decodeWav(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), sound, error)) {
        sound = Sound();
        std::cerr << "Could not load sound: " << path << ": " << error << std::endl;
        return false;
    }
    return true;
}

bool loadSounds(Sound (&sounds)[SOUND_COUNT]) {
    bool all = true;
    for (int id = 0; id < SOUND_COUNT; ++id) all = loadSound(SOUND_FILES[id].path, sounds[id]) && all;
    return all;
}
