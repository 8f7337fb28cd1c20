#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <algorithm>
#include <cstring>

#include "platform/audio_output.h"

// waveOut (winmm): in every Windows and in Wine, and it needs no thread or
// callback of ours. The game's samples go into a ring of blocks handed to
// the device; a block the device has played (WHDR_DONE) takes new ones.
namespace {

constexpr int FRAME_BYTES = platform::AUDIO_CHANNELS * static_cast<int>(sizeof(int16_t));
// A frame's worth or a little more per block, and blocks enough for the
// queue and one more frame while the oldest is still playing.
constexpr int BLOCK_FRAMES = 1200;
constexpr int BLOCKS = 8;
static_assert(BLOCKS * BLOCK_FRAMES >= platform::AUDIO_QUEUE_FRAMES + BLOCK_FRAMES,
              "the blocks must hold the queue while one is being played");

HWAVEOUT device = nullptr;
WAVEHDR headers[BLOCKS];
int16_t blockSamples[BLOCKS][BLOCK_FRAMES * platform::AUDIO_CHANNELS];
int nextBlock = 0;

// Handed to the device and not yet played.
bool isPending(const WAVEHDR& header) {
    return (header.dwFlags & WHDR_PREPARED) != 0 && (header.dwFlags & WHDR_DONE) == 0;
}

void release(WAVEHDR& header) {
    if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR));
    header.dwFlags = 0;
}

std::string errorText(MMRESULT result) {
    char text[MAXERRORLENGTH] = {};
    if (waveOutGetErrorTextA(result, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return "waveOut error " + std::to_string(result);
    return text;
}

}  // namespace

namespace platform {

bool openAudioOutput(std::string& whyNot) {
    if (device) return true;
    if (waveOutGetNumDevs() == 0) {
        whyNot = "no audio output device";
        return false;
    }
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = AUDIO_CHANNELS;
    format.nSamplesPerSec = AUDIO_SAMPLE_RATE;
    format.wBitsPerSample = 16;
    format.nBlockAlign = FRAME_BYTES;
    format.nAvgBytesPerSec = AUDIO_SAMPLE_RATE * FRAME_BYTES;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        device = nullptr;
        whyNot = errorText(result);
        return false;
    }
    std::memset(headers, 0, sizeof(headers));
    nextBlock = 0;
    return true;
}

int audioFramesWanted() {
    if (!device) return 0;
    int pendingFrames = 0;
    int freeBlocks = 0;
    for (const WAVEHDR& header : headers) {
        if (isPending(header))
            pendingFrames += static_cast<int>(header.dwBufferLength) / FRAME_BYTES;
        else
            ++freeBlocks;
    }
    return std::max(0, std::min(AUDIO_QUEUE_FRAMES - pendingFrames, freeBlocks * BLOCK_FRAMES));
}

void queueAudio(const int16_t* samples, int frames) {
    if (!device) return;
    while (frames > 0) {
        WAVEHDR& header = headers[nextBlock];
        // Blocks are played in the order written: when the next is still
        // waiting, all are, and what does not fit is dropped.
        if (isPending(header)) return;
        release(header);
        const int count = std::min(frames, BLOCK_FRAMES);
        std::memcpy(blockSamples[nextBlock], samples, static_cast<size_t>(count) * FRAME_BYTES);
        header.lpData = reinterpret_cast<LPSTR>(blockSamples[nextBlock]);
        header.dwBufferLength = static_cast<DWORD>(count * FRAME_BYTES);
        if (waveOutPrepareHeader(device, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return;
        if (waveOutWrite(device, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
            release(header);
            return;
        }
        samples += static_cast<size_t>(count) * AUDIO_CHANNELS;
        frames -= count;
        nextBlock = (nextBlock + 1) % BLOCKS;
    }
}

void closeAudioOutput() {
    if (!device) return;
    // Marks every block done, so each can be released.
    waveOutReset(device);
    for (WAVEHDR& header : headers) release(header);
    waveOutClose(device);
    device = nullptr;
}

}  // namespace platform
