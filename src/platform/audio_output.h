#pragma once

#include <cstdint>
#include <string>

// The sound device, as every backend offers it: one stream of 48000 Hz
// stereo 16-bit sample frames (left, right interleaved) that the game keeps
// a little ahead of what is playing. Nothing here calls back: the game asks
// how much the device can take and hands that over from its own thread,
// once a frame.
namespace platform {

constexpr int AUDIO_SAMPLE_RATE = 48000;
constexpr int AUDIO_CHANNELS = 2;
// What the device should hold beyond what it is playing: enough to cover a
// late frame or two at 60 frames a second, short enough that a sound started
// by the game is heard with it (75 ms).
constexpr int AUDIO_QUEUE_FRAMES = AUDIO_SAMPLE_RATE * 75 / 1000;

// Opens the default output device in the stream's format and starts it.
// False when there is none (or it refuses the format), with the reason in
// `whyNot`; the other calls then do nothing and the game plays silently.
bool openAudioOutput(std::string& whyNot);

// Sample frames the device can take now to keep its queue at about
// AUDIO_QUEUE_FRAMES; 0 when it is not open.
int audioFramesWanted();

// Hands `frames` sample frames (2 x frames values) to the device.
void queueAudio(const int16_t* samples, int frames);

// Stops the stream and lets the device go; nothing queued is played after it.
void closeAudioOutput();

}  // namespace platform
