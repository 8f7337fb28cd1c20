#include <SDL.h>

#include "platform/audio_output.h"

namespace {

// The device SDL opened, or 0. SDL keeps a queue of its own that its audio
// thread drains; the game fills it from its thread, so no callback runs here.
SDL_AudioDeviceID device = 0;

constexpr int FRAME_BYTES = platform::AUDIO_CHANNELS * static_cast<int>(sizeof(int16_t));
// The device's own buffer, played on top of the queue: about 21 ms.
constexpr Uint16 DEVICE_BUFFER_FRAMES = 1024;

}  // namespace

namespace platform {

bool openAudioOutput(std::string& whyNot) {
    if (device != 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        whyNot = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = AUDIO_SAMPLE_RATE;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = AUDIO_CHANNELS;
    wanted.samples = DEVICE_BUFFER_FRAMES;
    // No changes allowed: SDL converts to whatever the device plays.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        whyNot = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

int audioFramesWanted() {
    if (device == 0) return 0;
    const int queued = static_cast<int>(SDL_GetQueuedAudioSize(device) / FRAME_BYTES);
    return queued < AUDIO_QUEUE_FRAMES ? AUDIO_QUEUE_FRAMES - queued : 0;
}

void queueAudio(const int16_t* samples, int frames) {
    if (device == 0 || frames <= 0) return;
    SDL_QueueAudio(device, samples, static_cast<Uint32>(frames * FRAME_BYTES));
}

void closeAudioOutput() {
    if (device == 0) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform
