#include "platform/audio_output.h"

// No device: mirelo-headless and the tests render the mix themselves
// (Mixer::render) when they want to hear it.
namespace platform {

bool openAudioOutput(std::string& whyNot) {
    whyNot = "the headless backend has no audio device";
    return false;
}

int audioFramesWanted() { return 0; }

void queueAudio(const int16_t*, int) {}

void closeAudioOutput() {}

}  // namespace platform
