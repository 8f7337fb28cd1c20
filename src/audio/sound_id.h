#pragma once

// The game's sounds: the file each is read from, and the name it has in
// mirelo-headless's sound log. assetgen writes the files at these paths.
enum SoundId {
    SOUND_AMBIENCE = 0,  // the water, looped for the whole game
    SOUND_SWIM,          // one stroke
    SOUND_KEY,           // a key picked up, pitched by its colour (KEY_PITCH)
    SOUND_UNLOCK,        // a lock opened with its key
    SOUND_LEVER,         // a lever pull
    SOUND_DOOR,          // a door sliding open
    SOUND_FADE,          // the fade to the next room
    SOUND_COUNT
};

struct SoundFile {
    const char* name;
    const char* path;
};

constexpr SoundFile SOUND_FILES[SOUND_COUNT] = {
    {"ambience", "data/sounds/ambience.wav"}, {"swim", "data/sounds/swim.wav"},
    {"key", "data/sounds/key.wav"},           {"unlock", "data/sounds/unlock.wav"},
    {"lever", "data/sounds/lever.wav"},       {"door", "data/sounds/door.wav"},
    {"fade", "data/sounds/fade.wav"},
};

// One key sound for the four colours, each a step higher (red, green, blue,
// gold): the first, second, third and fifth notes of a major scale, so the
// keys of a run climb a tune.
constexpr float KEY_PITCH[4] = {1.0f, 1.122462f, 1.259921f, 1.498307f};
