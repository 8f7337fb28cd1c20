#include "audio/mixer.h"

#include <algorithm>
#include <cmath>

namespace {

// Positions and steps are 32.32 fixed point: a whole number of frames and a
// fraction, exact and the same on every machine.
constexpr double FIXED_ONE = 4294967296.0;
constexpr float FRACTION_SCALE = 1.0f / 4294967296.0f;
constexpr uint32_t FRACTION_MASK = 0xFFFFFFFFu;
// Far beyond anything the game asks for, and still far from overflowing a step.
constexpr float MAX_PITCH = 16.0f;
// Frames summed at a time: bounded scratch memory for any length asked.
constexpr size_t BLOCK_FRAMES = 512;
constexpr float QUARTER_PI = 0.785398163f;

float nonNegative(float value) { return value > 0.0f ? value : 0.0f; }

uint64_t stepFor(float pitch) {
    return static_cast<uint64_t>(std::llround(std::min(pitch, MAX_PITCH) * FIXED_ONE));
}

int16_t saturate(float value) {
    return static_cast<int16_t>(std::lrintf(std::min(std::max(value, -32768.0f), 32767.0f)));
}

}  // namespace

void Mixer::Ramp::set(float value) {
    if (value == target) return;
    const float now = from + (target - from) * (static_cast<float>(done) / RAMP_FRAMES);
    from = now;
    target = value;
    done = 0;
}

float Mixer::Ramp::next() {
    if (done >= RAMP_FRAMES) return target;
    ++done;
    return from + (target - from) * (static_cast<float>(done) / RAMP_FRAMES);
}

Mixer::Mixer() : voices_(2 * MAX_VOICES), mix_(2 * BLOCK_FRAMES) { master_.from = master_.target = 1.0f; }

Mixer::Voice* Mixer::find(VoiceId id) {
    if (id == 0) return nullptr;
    for (Voice& voice : voices_)
        if (voice.active() && voice.id == id) return &voice;
    return nullptr;
}

const Mixer::Voice* Mixer::find(VoiceId id) const { return const_cast<Mixer*>(this)->find(id); }

Mixer::Voice* Mixer::freeSlot() {
    for (Voice& voice : voices_)
        if (!voice.active()) return &voice;
    // Only fading voices are left beside the playing ones: cut the one
    // nearest to silence.
    Voice* nearest = nullptr;
    for (Voice& voice : voices_)
        if (voice.stopping && (!nearest || voice.left.done > nearest->left.done)) nearest = &voice;
    *nearest = Voice();
    return nearest;
}

void Mixer::makeRoomFor(const Sound& sound, int limit) {
    int same = 0;
    for (const Voice& voice : voices_) same += voice.active() && !voice.stopping && voice.sound == &sound;
    const bool soundFull = limit > 0 && same >= limit;
    if (!soundFull && playingVoices() < MAX_VOICES) return;
    Voice* victim = nullptr;
    float victimGain = 0.0f;
    for (Voice& voice : voices_) {
        if (!voice.active() || voice.stopping || (soundFull && voice.sound != &sound)) continue;
        const float gain = std::max(voice.left.target, voice.right.target);
        if (!victim || gain < victimGain || (gain == victimGain && voice.serial < victim->serial)) {
            victim = &voice;
            victimGain = gain;
        }
    }
    stop(victim->id);
}

VoiceId Mixer::play(const Sound& sound, const PlayOptions& options) {
    if (sound.empty() || (sound.channels != 1 && sound.channels != 2) || !(options.pitch > 0.0f)) return 0;
    makeRoomFor(sound, options.limit);
    Voice& voice = *freeSlot();
    voice = Voice();
    voice.sound = &sound;
    voice.id = nextId_++;
    if (nextId_ == 0) nextId_ = 1;
    voice.serial = nextSerial_++;
    voice.step = stepFor(options.pitch);
    voice.options = options;
    aim(voice);
    return voice.id;
}

void Mixer::stop(VoiceId id) {
    Voice* voice = find(id);
    if (!voice || voice->stopping) return;
    voice->stopping = true;
    voice->left.set(0.0f);
    voice->right.set(0.0f);
}

void Mixer::setGain(VoiceId id, float gain) {
    Voice* voice = find(id);
    if (!voice || voice->stopping) return;
    voice->options.gain = gain;
    aim(*voice);
}

void Mixer::setPitch(VoiceId id, float pitch) {
    Voice* voice = find(id);
    if (voice && pitch > 0.0f) voice->step = stepFor(pitch);
}

void Mixer::setPan(VoiceId id, float pan) {
    Voice* voice = find(id);
    if (!voice || voice->stopping) return;
    voice->options.pan = pan;
    aim(*voice);
}

void Mixer::setPlace(VoiceId id, const Vec3& place) {
    Voice* voice = find(id);
    if (!voice || voice->stopping) return;
    voice->options.placed = true;
    voice->options.place = place;
    aim(*voice);
}

bool Mixer::isPlaying(VoiceId id) const {
    const Voice* voice = find(id);
    return voice && !voice->stopping;
}

int Mixer::playingVoices() const {
    int count = 0;
    for (const Voice& voice : voices_) count += voice.active() && !voice.stopping;
    return count;
}

void Mixer::setListener(const Vec3& position, const Vec3& forward) {
    listener_ = position;
    // Right of the facing direction, level with the floor; looking straight
    // up or down keeps the last one.
    const Vec3 right(forward.y, -forward.x, 0.0f);
    const float length = std::sqrt(dot(right, right));
    if (length > 1e-6f) right_ = Vec3(right.x / length, right.y / length, 0.0f);
    for (Voice& voice : voices_)
        if (voice.active() && !voice.stopping && voice.options.placed) aim(voice);
}

void Mixer::aim(Voice& voice) {
    float gain = nonNegative(voice.options.gain);
    float pan = voice.options.pan;
    if (voice.options.placed) {
        const Vec3 away(voice.options.place.x - listener_.x, voice.options.place.y - listener_.y,
                        voice.options.place.z - listener_.z);
        const float distance = std::sqrt(dot(away, away));
        if (distance > FULL_GAIN_DISTANCE) gain *= FULL_GAIN_DISTANCE / distance;
        pan = distance > 1e-6f ? PLACE_PAN_WIDTH * dot(away, right_) / distance : 0.0f;
    }
    pan = pan == pan ? std::min(std::max(pan, -1.0f), 1.0f) : 0.0f;
    if (voice.sound->channels == 1) {
        const float angle = (pan + 1.0f) * QUARTER_PI;
        voice.left.set(gain * std::cos(angle));
        voice.right.set(gain * std::sin(angle));
    } else {
        voice.left.set(gain * std::min(1.0f, 1.0f - pan));
        voice.right.set(gain * std::min(1.0f, 1.0f + pan));
    }
}

void Mixer::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    // Back from silence: the output ramps in where the voices stood.
    if (!paused) master_ = Ramp{0.0f, muted_ ? 0.0f : 1.0f, 0};
}

void Mixer::setMuted(bool muted) {
    muted_ = muted;
    master_.set(muted ? 0.0f : 1.0f);
}

void Mixer::mixVoice(Voice& voice, float* mix, size_t frames) {
    const Sound& sound = *voice.sound;
    const int16_t* samples = sound.samples.data();
    const uint64_t length = sound.frames();
    const uint64_t end = length << 32;
    const size_t channels = static_cast<size_t>(sound.channels);
    for (size_t i = 0; i < frames; ++i) {
        if (voice.position >= end) {
            if (!voice.options.loop) {
                voice = Voice();
                return;
            }
            voice.position %= end;
        }
        const uint64_t index = voice.position >> 32;
        const float fraction = static_cast<float>(voice.position & FRACTION_MASK) * FRACTION_SCALE;
        // The frame after the last is the first for a loop, silence otherwise.
        const uint64_t following = index + 1 < length ? index + 1 : (voice.options.loop ? 0 : length);
        const float a0 = samples[index * channels];
        const float b0 = following < length ? samples[following * channels] : 0.0f;
        const float left = a0 + (b0 - a0) * fraction;
        float right = left;
        if (channels == 2) {
            const float a1 = samples[index * 2 + 1];
            const float b1 = following < length ? samples[following * 2 + 1] : 0.0f;
            right = a1 + (b1 - a1) * fraction;
        }
        mix[2 * i] += left * voice.left.next();
        mix[2 * i + 1] += right * voice.right.next();
        voice.position += voice.step;
    }
    if (voice.stopping && !voice.left.moving() && !voice.right.moving()) voice = Voice();
}

void Mixer::render(int16_t* out, size_t frames) {
    if (paused_) {
        std::fill(out, out + 2 * frames, int16_t{0});
        return;
    }
    for (size_t start = 0; start < frames; start += BLOCK_FRAMES) {
        const size_t count = std::min(BLOCK_FRAMES, frames - start);
        std::fill(mix_.begin(), mix_.begin() + static_cast<std::ptrdiff_t>(2 * count), 0.0f);
        for (Voice& voice : voices_)
            if (voice.active()) mixVoice(voice, mix_.data(), count);
        int16_t* block = out + 2 * start;
        for (size_t i = 0; i < count; ++i) {
            const float gain = master_.next();
            block[2 * i] = saturate(mix_[2 * i] * gain);
            block[2 * i + 1] = saturate(mix_[2 * i + 1] * gain);
        }
    }
}
