#include "sound_synth.h"

#include <algorithm>

namespace {

// Bubbles and knocks are cut where they have fallen this many time constants
// (below -50 dB), and ramp in over this long so their onset does not click.
constexpr double TAIL_CONSTANTS = 6.0;
constexpr double ONSET_SECONDS = 0.0015;

double onset(double t) {
    if (t >= ONSET_SECONDS) return 1.0;
    const double s = std::sin(0.5 * PI * t / ONSET_SECONDS);
    return s * s;
}

void putLe16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void putLe32(std::vector<uint8_t>& out, uint32_t value) {
    putLe16(out, value & 0xFFFF);
    putLe16(out, value >> 16);
}

void putId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

}  // namespace

void StateVariableFilter::tune(double cutoffHz, double q) {
    const double g = std::tan(PI * std::min(cutoffHz, 0.45 * SOUND_RATE) / SOUND_RATE);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

StateVariableFilter::Outputs StateVariableFilter::process(double input) {
    const double v3 = input - state2_;
    const double v1 = a1_ * state1_ + a2_ * v3;
    const double v2 = state2_ + a2_ * state1_ + a3_ * v3;
    state1_ = 2.0 * v1 - state1_;
    state2_ = 2.0 * v2 - state2_;
    return {v2, v1, input - k_ * v1 - v2};
}

void addBubble(Signal& out, const Bubble& bubble, bool wrap) {
    const size_t first = framesOf(bubble.start);
    const size_t length = framesOf(bubble.decay * TAIL_CONSTANTS);
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        size_t at = first + i;
        if (at >= out.size()) {
            if (!wrap) break;
            at %= out.size();
        }
        const double t = static_cast<double>(i) / SOUND_RATE;
        // The last tenth eases to zero instead of stopping on a step.
        const double tail = std::min(1.0, 10.0 * (1.0 - static_cast<double>(i) / length));
        out[at] += bubble.amplitude * onset(t) * std::exp(-t / bubble.decay) * tail * std::sin(phase);
        phase += 2.0 * PI * bubble.frequency * (1.0 + bubble.rise * t) / SOUND_RATE;
    }
}

void addKnock(Signal& out, double start, double amplitude, const std::vector<double>& resonances,
              double decay, Random& random) {
    constexpr double BURST_SECONDS = 0.003;
    const size_t first = framesOf(start);
    const size_t length =
        std::min(framesOf(decay * TAIL_CONSTANTS), out.size() - std::min(first, out.size()));
    // A resonance of quality q rings for q / (pi f) seconds, and its peak
    // gain is q: each is tuned to ring for `decay` and weighed back to one.
    std::vector<StateVariableFilter> rings(resonances.size());
    std::vector<double> weights(resonances.size());
    for (size_t r = 0; r < rings.size(); ++r) {
        const double q = PI * resonances[r] * decay;
        rings[r].tune(resonances[r], q);
        weights[r] = 1.0 / q;
    }
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const double excitation = t < BURST_SECONDS ? noise(random) * (1.0 - t / BURST_SECONDS) : 0.0;
        double ring = 0.0;
        for (size_t r = 0; r < rings.size(); ++r) ring += weights[r] * rings[r].process(excitation).band;
        const double tail = std::min(1.0, 10.0 * (1.0 - static_cast<double>(i) / length));
        out[first + i] += amplitude * onset(t) * tail * ring;
    }
}

void addThud(Signal& out, double start, double amplitude, double fromHz, double toHz, double decay) {
    const size_t first = framesOf(start);
    const size_t length =
        std::min(framesOf(decay * TAIL_CONSTANTS), out.size() - std::min(first, out.size()));
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const double glide = std::exp(-t / decay);
        const double tail = std::min(1.0, 10.0 * (1.0 - static_cast<double>(i) / length));
        out[first + i] += amplitude * onset(t) * glide * tail * std::sin(phase);
        phase += 2.0 * PI * (toHz + (fromHz - toHz) * glide) / SOUND_RATE;
    }
}

void fadeOut(Signal& signal, double seconds) {
    const size_t length = std::min(framesOf(seconds), signal.size());
    for (size_t i = 0; i < length; ++i) {
        const double c = std::cos(0.5 * PI * static_cast<double>(i + 1) / length);
        signal[signal.size() - length + i] *= c * c;
    }
}

void normalizePeak(Signal& signal, double peak) { normalizePeak(signal, signal, peak); }

void normalizePeak(Signal& left, Signal& right, double peak) {
    double largest = 0.0;
    for (double v : left) largest = std::max(largest, std::fabs(v));
    for (double v : right) largest = std::max(largest, std::fabs(v));
    if (largest <= 0.0) return;
    for (double& v : left) v *= peak / largest;
    if (&right != &left)
        for (double& v : right) v *= peak / largest;
}

void soften(Signal& signal, double cutoffHz) {
    const double a = 1.0 - std::exp(-2.0 * PI * cutoffHz / SOUND_RATE);
    double state = 0.0;
    for (double& v : signal) v = state += a * (v - state);
}

std::vector<uint8_t> encodeWav(const std::vector<const Signal*>& channels) {
    const uint32_t channelCount = static_cast<uint32_t>(channels.size());
    const uint32_t frames = static_cast<uint32_t>(channels.front()->size());
    const uint32_t blockAlign = 2 * channelCount;
    const uint32_t dataBytes = frames * blockAlign;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putId(out, "RIFF");
    putLe32(out, 36 + dataBytes);
    putId(out, "WAVE");
    putId(out, "fmt ");
    putLe32(out, 16);
    putLe16(out, 1);  // PCM
    putLe16(out, channelCount);
    putLe32(out, SOUND_RATE);
    putLe32(out, SOUND_RATE * blockAlign);
    putLe16(out, blockAlign);
    putLe16(out, 16);
    putId(out, "data");
    putLe32(out, dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        for (const Signal* channel : channels) {
            const double v = std::min(1.0, std::max(-1.0, (*channel)[i]));
            const int sample = static_cast<int>(std::floor(v * 32767.0 + 0.5));
            putLe16(out, static_cast<uint16_t>(static_cast<int16_t>(sample)));
        }
    }
    return out;
}
