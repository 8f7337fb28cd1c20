#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pi.h"
#include "random.h"

// The few pieces the sound set is built from: noise, a filter that stays
// stable while its cutoff moves, bubbles, resonant knocks, envelopes, and
// the WAV encoder. Signals are doubles in -1..1 at SOUND_RATE; nothing here
// reads the clock, so the files come out the same on every run.

constexpr int SOUND_RATE = 48000;

using Signal = std::vector<double>;

inline size_t framesOf(double seconds) { return static_cast<size_t>(seconds * SOUND_RATE + 0.5); }

// State-variable filter in its trapezoidal form: low, band and high pass
// outputs at once, well behaved when the cutoff changes every sample.
class StateVariableFilter {
public:
    struct Outputs {
        double low, band, high;
    };
    void tune(double cutoffHz, double q);
    Outputs process(double input);

private:
    double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double state1_ = 0.0, state2_ = 0.0;
};

// White noise in -1..1.
inline double noise(Random& random) { return 2.0 * random.uniform() - 1.0; }

// An air bubble in water: a sine whose pitch rises as the bubble shrinks,
// with a soft 1.5 ms onset and an exponential decay. Added into `out`
// from frame `start`; with `wrap` it continues from the start of `out`
// (for loops), otherwise it is cut at the end.
struct Bubble {
    double start;      // seconds
    double frequency;  // at the onset, Hz
    double amplitude;
    double decay;  // seconds to fall by 1/e
    double rise;   // pitch growth per second, as a fraction
};
void addBubble(Signal& out, const Bubble& bubble, bool wrap);

// A plain tone fading away: a bubble that does not rise.
inline void addTone(Signal& out, double start, double frequency, double amplitude, double decay) {
    addBubble(out, Bubble{start, frequency, amplitude, decay, 0.0}, false);
}

// A knock on something hard: a short noise burst rung through resonances
// (Hz), each dying away over `decay` seconds (to 1/e).
void addKnock(Signal& out, double start, double amplitude, const std::vector<double>& resonances,
              double decay, Random& random);

// A thud: a sine gliding from `fromHz` to `toHz` over its decay.
void addThud(Signal& out, double start, double amplitude, double fromHz, double toHz, double decay);

// 0 to 1 and back over `length` seconds: sin^2, which starts and ends flat.
inline double bell(double t, double length) {
    if (t <= 0.0 || t >= length) return 0.0;
    const double s = std::sin(PI * t / length);
    return s * s;
}
// Fades the last `seconds` of the signal to exactly zero (cos^2).
void fadeOut(Signal& signal, double seconds);
// Scales the signal so that its largest magnitude is `peak`.
void normalizePeak(Signal& signal, double peak);
void normalizePeak(Signal& left, Signal& right, double peak);
// One-pole low pass: the water takes the edge off everything.
void soften(Signal& signal, double cutoffHz);

// A RIFF WAVE file: PCM, 16 bits, SOUND_RATE, one channel per signal
// (all of one length), samples rounded and clamped to full scale.
std::vector<uint8_t> encodeWav(const std::vector<const Signal*>& channels);
