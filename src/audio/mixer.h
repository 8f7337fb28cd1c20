#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/sound.h"
#include "math/vec.h"
#include "platform/audio_output.h"

static_assert(SOUND_SAMPLE_RATE == platform::AUDIO_SAMPLE_RATE, "the mixer writes what the device plays");

// How a sound is started. A sound with a place is panned and attenuated
// from the listener (Mixer::setListener); one without sits at `pan`.
struct PlayOptions {
    float gain = 1.0f;   // linear, on top of distance
    float pitch = 1.0f;  // playback speed: 2 is an octave up and half as long
    float pan = 0.0f;    // -1 left .. 1 right; ignored when placed
    bool loop = false;   // from the end straight back to the first frame
    bool placed = false;
    Vec3 place;  // in world units, when placed
    // At most this many voices of the same sound at once (0: only the
    // mixer's own limit); the next one takes over from one of them.
    int limit = 0;
};

// Names a started voice; 0 is none. A voice that has ended or given way is
// not reused under the same id, so calls with an old id do nothing.
using VoiceId = uint32_t;

// The game's one mixer: voices of decoded sounds summed into 48 kHz stereo
// 16-bit frames, the format platform::queueAudio takes. Platform-free and
// deterministic: the same calls give the same bytes, whoever asks for them.
//
// Rules:
// - Gains, pans and places ramp to their new value over RAMP_FRAMES (5 ms),
//   starting from silence and ending in it on stop, so nothing clicks; pitch
//   changes at once (the waveform stays continuous).
// - Pan: a mono sound is spread by the constant-power law (at the centre each
//   side gets cos 45 degrees, -3 dB); a stereo one is balanced (each side
//   stays whole until the pan leans away from it).
// - A placed sound's gain falls as FULL_GAIN_DISTANCE / distance beyond that
//   distance, and its pan follows the side it lies on, up to PLACE_PAN_WIDTH.
// - At most MAX_VOICES sounds at once (and a sound's own limit): a new sound
//   always starts; the quietest playing voice gives way, the oldest of
//   equally quiet ones, fading out over the ramp.
// - Paused: silence from the next frame, and every voice stands still where
//   it is; on resume the output ramps back in and loops go on from there.
// - Muted: the output ramps to silence and the voices go on playing.
// - Sums past 16 bits saturate at full scale rather than wrap.
class Mixer {
public:
    static constexpr int MAX_VOICES = 16;
    static constexpr int RAMP_FRAMES = SOUND_SAMPLE_RATE / 200;
    // Near the listener everything plays at full gain (the camera follows the
    // swimmer from about 27 units away); across a 100-unit room it falls to a third.
    static constexpr float FULL_GAIN_DISTANCE = 30.0f;
    // Placed sounds are never hard left or right: the listener is a camera,
    // not a head, and a lone side is uncomfortable in headphones.
    static constexpr float PLACE_PAN_WIDTH = 0.7f;

    Mixer();

    // The sound must stay in place until the voice ends; an empty sound or a
    // pitch of zero or less starts nothing (0).
    VoiceId play(const Sound& sound, const PlayOptions& options);
    void stop(VoiceId voice);
    void setGain(VoiceId voice, float gain);
    void setPitch(VoiceId voice, float pitch);
    void setPan(VoiceId voice, float pan);
    void setPlace(VoiceId voice, const Vec3& place);
    // True from play until the voice has ended, faded out or given way.
    bool isPlaying(VoiceId voice) const;
    int playingVoices() const;

    // Where the sounds are heard from and which way it faces (z is up);
    // until the first call, the origin facing +y.
    void setListener(const Vec3& position, const Vec3& forward);

    void setPaused(bool paused);
    void setMuted(bool muted);
    bool isPaused() const { return paused_; }
    bool isMuted() const { return muted_; }

    // Fills exactly `frames` stereo frames (2 x frames values) and moves
    // every voice on by that much.
    void render(int16_t* out, size_t frames);

private:
    // A gain that moves to its target in a straight line over RAMP_FRAMES.
    struct Ramp {
        float from = 0.0f;
        float target = 0.0f;
        int done = RAMP_FRAMES;
        void set(float value);
        float next();
        bool moving() const { return done < RAMP_FRAMES; }
    };

    struct Voice {
        const Sound* sound = nullptr;
        VoiceId id = 0;
        uint64_t serial = 0;    // start order: older voices have smaller ones
        uint64_t position = 0;  // in frames, 32.32 fixed point
        uint64_t step = 0;      // frames per output frame, 32.32
        PlayOptions options;
        Ramp left, right;
        bool stopping = false;  // fading out; no longer counts as playing
        bool active() const { return sound != nullptr; }
    };

    Voice* find(VoiceId id);
    const Voice* find(VoiceId id) const;
    Voice* freeSlot();
    void makeRoomFor(const Sound& sound, int limit);
    void aim(Voice& voice);
    void mixVoice(Voice& voice, float* mix, size_t frames);

    // Stopped voices finish their fade beside MAX_VOICES playing ones.
    std::vector<Voice> voices_;
    std::vector<float> mix_;
    VoiceId nextId_ = 1;
    uint64_t nextSerial_ = 0;
    Vec3 listener_;
    Vec3 right_ = Vec3(1.0f, 0.0f, 0.0f);
    Ramp master_;
    bool paused_ = false;
    bool muted_ = false;
};
