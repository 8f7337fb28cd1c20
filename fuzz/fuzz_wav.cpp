// decodeWav on arbitrary bytes: a decoded sound is what the mixer relies on
// (one or two channels, whole frames, at least one), a refused one is empty
// with a reason.
#include <string>

#include "audio/wav_reader.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Sound sound;
    std::string error;
    if (decodeWav(data, size, sound, error)) {
        FUZZ_REQUIRE(sound.channels == 1 || sound.channels == 2);
        FUZZ_REQUIRE(sound.frames() > 0 && sound.samples.size() == sound.frames() * sound.channels);
        FUZZ_REQUIRE(sound.samples.size() * 2 < size);
        touchBytes(reinterpret_cast<const uint8_t*>(sound.samples.data()), sound.samples.size() * 2);
    } else {
        FUZZ_REQUIRE(sound.empty() && sound.samples.empty() && !error.empty());
    }
    return 0;
}
