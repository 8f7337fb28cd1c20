#include "sounds.h"

#include <algorithm>

#include "sound_synth.h"

namespace {

constexpr double AMBIENCE_SECONDS = 10.0;
// Root mean square of the ambience: well under the effects (which peak near
// -6 dBFS and reach -20 to -12 dBFS over their loudest tenth of a second),
// so it is felt more than heard.
constexpr double AMBIENCE_RMS = 0.0251;  // -32 dBFS

double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

// The bubbles that rise through the ambience: a few lone ones and short
// strings of them, spread over the loop, each somewhere left or right.
struct PlacedBubble {
    Bubble bubble;
    double pan;  // -1 left .. 1 right
};

std::vector<PlacedBubble> ambienceBubbles() {
    constexpr int EVENTS = 9;
    Random random(0xB0BB1E5);
    std::vector<PlacedBubble> bubbles;
    for (int e = 0; e < EVENTS; ++e) {
        double t = (e + 0.15 + 0.7 * random.uniform()) * AMBIENCE_SECONDS / EVENTS;
        const int count = random.uniform() < 0.55 ? 1 : 2 + static_cast<int>(random.uniform() * 4.0);
        const double pan = random.range(-0.6f, 0.6f);
        const double size = random.uniform();  // a string of small or of larger bubbles
        for (int b = 0; b < count; ++b) {
            // Smaller bubbles ring higher and die sooner.
            const double frequency = 450.0 * std::pow(2.0, 1.2 * size + 0.9 * random.uniform());
            const double amplitude = 0.16 * random.range(0.5f, 1.0f);
            bubbles.push_back({{t, frequency, amplitude, 16.0 / frequency, random.range(3.0f, 7.0f)}, pan});
            t += random.range(0.04f, 0.14f);
        }
    }
    return bubbles;
}

// One side of the water: low-passed noise whose brightness and level drift
// slowly, a deep rumble under it and a faint fizz over it. Every modulation
// repeats a whole number of times per loop, and the filters run over the
// loop twice, only the second pass kept: by then they have forgotten their
// silent start, so the output is periodic like its input and the loop's end
// runs into its start with no step.
Signal ambienceSide(uint64_t seed, double phase) {
    const size_t n = framesOf(AMBIENCE_SECONDS);
    Random random(seed);
    Signal water(n), deep(n), fizz(n);
    for (size_t i = 0; i < n; ++i) {
        water[i] = noise(random);
        deep[i] = noise(random);
        fizz[i] = noise(random);
    }
    StateVariableFilter body, rumble, hiss;
    rumble.tune(90.0, 0.8);
    hiss.tune(1700.0, 1.5);
    Signal out(n);
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < n; ++i) {
            const double x = 2.0 * PI * static_cast<double>(i) / static_cast<double>(n);
            const double sweep = 0.6 * std::sin(x + phase) + 0.4 * std::sin(3.0 * x + 1.7 * phase + 0.5);
            body.tune(420.0 * std::pow(2.0, 0.7 * sweep), 0.75);
            const double b = body.process(water[i]).low;
            const double r = rumble.process(deep[i]).low * (0.75 + 0.25 * std::sin(2.0 * x + 2.1 + phase));
            const double f = hiss.process(fizz[i]).band * (0.5 + 0.5 * std::sin(5.0 * x + 3.0 * phase));
            const double swell = 1.0 + 0.25 * std::sin(x + 0.9 + phase) + 0.12 * std::sin(4.0 * x + phase);
            if (pass == 1) out[i] = swell * (b + 1.6 * r + 0.08 * f);
        }
    }
    return out;
}

std::vector<uint8_t> ambience() {
    Signal left = ambienceSide(0xA4B1E7, 0.0);
    Signal right = ambienceSide(0x5EA5EA, 1.3);
    // The rumble's low pass lets a trace of offset through; taking the mean
    // away keeps the loop periodic.
    for (Signal* side : {&left, &right}) {
        double mean = 0.0;
        for (double v : *side) mean += v;
        mean /= static_cast<double>(side->size());
        for (double& v : *side) v -= mean;
    }
    double squares = 0.0;
    for (size_t i = 0; i < left.size(); ++i) squares += left[i] * left[i] + right[i] * right[i];
    const double scale = AMBIENCE_RMS / std::sqrt(squares / (2.0 * left.size()));
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] *= scale;
        right[i] *= scale;
    }
    // Bubbles near the end ring on into the start: the loop stays seamless.
    for (const PlacedBubble& placed : ambienceBubbles()) {
        const double angle = (placed.pan + 1.0) * 0.25 * PI;
        Bubble side = placed.bubble;
        side.amplitude = placed.bubble.amplitude * std::cos(angle);
        addBubble(left, side, true);
        side.amplitude = placed.bubble.amplitude * std::sin(angle);
        addBubble(right, side, true);
    }
    return encodeWav({&left, &right});
}

// One stroke: water pushed aside, a rush of noise whose band rises while
// the arm sweeps and sinks as it ends, over a soft low body; two small
// bubbles come off the hand.
std::vector<uint8_t> swim() {
    constexpr double LENGTH = 0.55;
    constexpr double ATTACK = 0.09;
    Random random(0x5717);
    Signal out(framesOf(LENGTH));
    StateVariableFilter rush, body;
    body.tune(170.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        rush.tune(280.0 + 480.0 * bell(t, 0.3), 1.3);
        const double v = rush.process(noise(random)).band + 0.9 * body.process(noise(random)).low;
        const double rise = std::sin(0.5 * PI * std::min(t / ATTACK, 1.0));
        const double envelope = t < ATTACK ? rise * rise : std::exp(-(t - ATTACK) / 0.13);
        out[i] = envelope * v;
    }
    soften(out, 3000.0);
    addBubble(out, {0.20, 1150.0, 0.06, 0.018, 5.0}, false);
    addBubble(out, {0.27, 1500.0, 0.045, 0.014, 6.0}, false);
    fadeOut(out, 0.06);
    normalizePeak(out, dbToGain(-7.0));
    return encodeWav({&out});
}

// A key picked up: three glassy notes going up (C, G, C), each with a few
// partials that die away at their own pace, over a low bloop of water.
std::vector<uint8_t> key() {
    constexpr double LENGTH = 1.1;
    struct Partial {
        double ratio, amplitude, decay;
    };
    // The last partial a little off the harmonic series gives the glass.
    const Partial partials[] = {{1.0, 1.0, 0.40}, {2.0, 0.3, 0.22}, {3.0, 0.12, 0.12}, {4.16, 0.06, 0.07}};
    const double notes[][2] = {{0.0, 1046.5}, {0.065, 1568.0}, {0.13, 2093.0}};
    Signal out(framesOf(LENGTH));
    for (int n = 0; n < 3; ++n)
        for (const Partial& p : partials)
            addTone(out, notes[n][0], notes[n][1] * p.ratio, (0.8 + 0.1 * n) * p.amplitude, p.decay);
    addBubble(out, {0.0, 520.0, 0.35, 0.05, 9.0}, false);
    fadeOut(out, 0.1);
    normalizePeak(out, dbToGain(-5.0));
    return encodeWav({&out});
}

// The key turns in the lock: two small metal clicks, then the bolt gives
// with a low clunk.
std::vector<uint8_t> unlock() {
    Random random(0x10C4);
    Signal out(framesOf(0.75));
    addKnock(out, 0.00, 1.0, {2300.0, 3650.0, 5200.0}, 0.022, random);
    addKnock(out, 0.11, 0.9, {2050.0, 3300.0, 4700.0}, 0.020, random);
    addThud(out, 0.25, 0.35, 150.0, 90.0, 0.08);
    addKnock(out, 0.25, 4.0, {610.0, 1030.0, 1720.0}, 0.11, random);
    soften(out, 7000.0);
    fadeOut(out, 0.05);
    normalizePeak(out, dbToGain(-5.0));
    return encodeWav({&out});
}

// A lever pulled over one second: a creak (stick-slip ticks through the
// lever's resonances, quickening and slowing), then the clack at its stop.
std::vector<uint8_t> lever() {
    constexpr double CREAK_START = 0.04;
    constexpr double CREAK_END = 0.80;
    constexpr double STOP = 0.86;
    Random random(0x1E7E);
    Signal out(framesOf(1.15));
    // Each tick rings for about as long as the gap to the next, which keeps
    // the creak a continuous groan rather than a rattle.
    constexpr double RING_SECONDS = 0.008;
    // A tick is one sample: far less energy than the burst of the stop's knock.
    constexpr double CREAK_LEVEL = 30.0;
    const double resonances[] = {600.0, 1400.0, 2600.0};
    StateVariableFilter rings[3];
    for (int r = 0; r < 3; ++r) rings[r].tune(resonances[r], PI * resonances[r] * RING_SECONDS);
    double nextTick = CREAK_START;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        double tick = 0.0;
        if (t >= nextTick && t < CREAK_END) {
            tick = CREAK_LEVEL * random.range(0.3f, 1.0f);
            const double rate = 90.0 + 70.0 * std::sin(PI * (t - CREAK_START) / (CREAK_END - CREAK_START));
            nextTick = t + random.range(0.75f, 1.25f) / rate;
        }
        double ring = 0.0;
        for (int r = 0; r < 3; ++r) ring += rings[r].process(tick).band / (PI * resonances[r] * RING_SECONDS);
        const double fadeIn = std::min(1.0, (t - CREAK_START) / 0.06);
        const double fadeOutNow = std::min(1.0, (CREAK_END - t) / 0.12);
        out[i] = ring * std::max(0.0, std::min(fadeIn, fadeOutNow));
    }
    addKnock(out, STOP, 2.5, {950.0, 1900.0, 3200.0}, 0.035, random);
    addThud(out, STOP, 0.7, 130.0, 90.0, 0.06);
    soften(out, 6500.0);
    fadeOut(out, 0.08);
    normalizePeak(out, dbToGain(-6.0));
    return encodeWav({&out});
}

// A heavy door sliding open for three seconds: a low scrape roughened by
// stick and slip, which eases off as the door slows, and the thud of its stop.
std::vector<uint8_t> door() {
    constexpr double SLIDE = 3.0;
    constexpr double GRIP_RATE = 14.0;  // stick-slip changes per second
    Random random(0xD005);
    Signal out(framesOf(3.4));
    StateVariableFilter body, grit;
    body.tune(240.0, 0.7);
    // The roughness: a new grip level every 1/GRIP_RATE s, eased between.
    std::vector<double> grip(static_cast<size_t>(SLIDE * GRIP_RATE) + 2);
    for (double& g : grip) g = random.range(0.35f, 1.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        if (t >= SLIDE) break;
        const double cell = t * GRIP_RATE;
        const size_t c = static_cast<size_t>(cell);
        const double ease = 0.5 - 0.5 * std::cos(PI * (cell - static_cast<double>(c)));
        const double rough = grip[c] + (grip[c + 1] - grip[c]) * ease;
        grit.tune(650.0 + 170.0 * t / SLIDE, 2.2);
        const double v = body.process(noise(random)).low + 0.6 * rough * grit.process(noise(random)).band;
        const double start = std::sin(0.5 * PI * std::min(t / 0.35, 1.0));
        const double slowing = t < 2.55 ? 1.0 : 0.25 + 0.75 * bell(t - 2.55 + 0.45, 0.9);
        const double end = std::min(1.0, (SLIDE - t) / 0.02);
        out[i] = start * start * slowing * end * v;
    }
    addThud(out, SLIDE, 0.8, 85.0, 55.0, 0.14);
    addKnock(out, SLIDE, 0.6, {180.0, 420.0}, 0.08, random);
    soften(out, 3000.0);
    fadeOut(out, 0.1);
    normalizePeak(out, dbToGain(-6.0));
    return encodeWav({&out});
}

// The fade to the next room: a swell of water that opens up and closes
// again around the moment the room changes (0.7 s in), a low tone sinking
// beneath it, and a flurry of small bubbles at its height.
std::vector<uint8_t> fade() {
    constexpr double LENGTH = 1.4;
    Random random(0xFADE);
    Signal out(framesOf(LENGTH));
    StateVariableFilter swell;
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const double shape = bell(t, LENGTH);
        swell.tune(180.0 + 1300.0 * shape, 0.9);
        const double tone = 0.3 * std::sin(phase);
        phase += 2.0 * PI * 110.0 * std::pow(2.0, -0.6 * t / LENGTH) / SOUND_RATE;
        out[i] = shape * (swell.process(noise(random)).low + tone * 0.4);
    }
    for (int b = 0; b < 7; ++b) {
        const double frequency = random.range(900.0f, 2400.0f);
        addBubble(out,
                  {random.range(0.45f, 1.0f), frequency, random.range(0.08f, 0.15f), 14.0 / frequency, 6.0},
                  false);
    }
    fadeOut(out, 0.05);
    normalizePeak(out, dbToGain(-9.0));
    return encodeWav({&out});
}

}  // namespace

std::vector<SoundFileBytes> makeSoundFiles() {
    return {{"data/sounds/ambience.wav", ambience()}, {"data/sounds/swim.wav", swim()},
            {"data/sounds/key.wav", key()},           {"data/sounds/unlock.wav", unlock()},
            {"data/sounds/lever.wav", lever()},       {"data/sounds/door.wav", door()},
            {"data/sounds/fade.wav", fade()}};
}
