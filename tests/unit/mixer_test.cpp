#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr int RAMP = Mixer::RAMP_FRAMES;
// The constant-power law at a pan of p puts cos and sin of (p + 1) x 45
// degrees on the two sides.
float leftShare(float pan) { return std::cos((pan + 1.0f) * 0.785398163f); }
float rightShare(float pan) { return std::sin((pan + 1.0f) * 0.785398163f); }

Sound constant(int16_t value, size_t frames) { return Sound{std::vector<int16_t>(frames, value), 1}; }

// Frame i holds 10 x i: where a voice reads shows in the value.
Sound rising(size_t frames) {
    Sound sound{std::vector<int16_t>(frames), 1};
    for (size_t i = 0; i < frames; ++i) sound.samples[i] = static_cast<int16_t>(10 * i);
    return sound;
}

const Sound LOUD = constant(10000, 48000);
const Sound SHORT_LOOP = rising(1000);
const Sound LONG_RISE = rising(3000);
const Sound STEREO{std::vector<int16_t>{8000, -6000, 8000, -6000, 8000, -6000, 8000, -6000}, 2};
const Sound THOUSAND = constant(1000, 48000);
const Sound OTHER_THOUSAND = constant(1000, 48000);
const Sound NEAR_FULL = constant(30000, 48000);

PlayOptions at(float pan, float gain = 1.0f) {
    PlayOptions options;
    options.pan = pan;
    options.gain = gain;
    return options;
}

PlayOptions looped(float pan, float pitch = 1.0f) {
    PlayOptions options = at(pan);
    options.loop = true;
    options.pitch = pitch;
    return options;
}

struct Session {
    Mixer mixer;
    std::vector<int16_t> out;
    void frames(size_t count) {
        const size_t at = out.size();
        out.resize(at + 2 * count);
        mixer.render(out.data() + at, count);
    }
};

// An output frame the rules give: left and right, within one step of rounding.
struct Expect {
    size_t frame;
    float left, right;
};

struct Case {
    const char* what;
    std::function<void(Session&)> play;
    std::vector<Expect> expected;
};

}  // namespace

TEST(MixerRules, EachCaseSoundsAsTheRulesSay) {
    const float centre = leftShare(0.0f);
    const size_t steady = RAMP + 10;
    const std::vector<Case> cases = {
        {"a start ramps up from silence in a straight line over the ramp",
         [](Session& r) {
             r.mixer.play(LOUD, PlayOptions());
             r.frames(RAMP + 1);
         },
         {{0, 10000 * centre / RAMP, 10000 * centre / RAMP},
          {RAMP / 2 - 1, 5000 * centre, 5000 * centre},
          {RAMP - 1, 10000 * centre, 10000 * centre}}},
        {"gain scales, a centred mono sound gets -3 dB each side",
         [&](Session& r) {
             r.mixer.play(LOUD, at(0.0f, 0.5f));
             r.frames(steady + 1);
         },
         {{steady, 5000 * centre, 5000 * centre}}},
        {"mono pans by constant power",
         [&](Session& r) {
             r.mixer.play(LOUD, at(-1.0f));
             r.mixer.play(THOUSAND, at(0.5f));
             r.frames(steady + 1);
         },
         {{steady, 10000 + 1000 * leftShare(0.5f), 1000 * rightShare(0.5f)}}},
        {"stereo is balanced: the side the pan leans to stays whole",
         [&](Session& r) {
             PlayOptions options = looped(0.5f);
             r.mixer.play(STEREO, options);
             r.frames(steady + 1);
         },
         {{steady, 4000, -6000}}},
        {"pitch 2 reads every other frame, pitch 0.5 halfway between frames",
         [&](Session& r) {
             PlayOptions twice = at(-1.0f);
             twice.pitch = 2.0f;
             r.mixer.play(LONG_RISE, twice);
             PlayOptions half = at(1.0f);
             half.pitch = 0.5f;
             r.mixer.play(LONG_RISE, half);
             r.frames(2 * RAMP + 2);
         },
         {{RAMP + 1, 20 * (RAMP + 1), 10 * ((RAMP + 1) / 2) + 5},
          {2 * RAMP + 1, 20 * (2 * RAMP + 1), 10 * RAMP + 5}}},
        {"a loop goes from its last frame straight to its first",
         [&](Session& r) {
             r.mixer.play(SHORT_LOOP, looped(-1.0f));
             r.mixer.play(SHORT_LOOP, looped(1.0f, 0.5f));
             r.frames(2002);
         },
         {{999, 9990, 10 * 499 + 5},
          {1000, 0, 5000},
          {1001, 10, 10 * 500 + 5},
          {1999, 9990, 4995},
          {2000, 0, 0},
          {2001, 10, 5}}},
        {"a sound that does not loop ends after its last frame",
         [&](Session& r) {
             const VoiceId voice = r.mixer.play(SHORT_LOOP, at(-1.0f));
             r.frames(1001);
             EXPECT_FALSE(r.mixer.isPlaying(voice));
         },
         {{999, 9990, 0}, {1000, 0, 0}}},
        {"past the voice limit the quietest voice fades out for the new one",
         [&](Session& r) {
             VoiceId quiet = 0;
             for (int v = 0; v < Mixer::MAX_VOICES; ++v) {
                 const VoiceId id = r.mixer.play(THOUSAND, at(-1.0f, v == 3 ? 0.5f : 1.0f));
                 if (v == 3) quiet = id;
             }
             r.frames(steady);
             r.mixer.play(THOUSAND, at(-1.0f));
             EXPECT_FALSE(r.mixer.isPlaying(quiet));
             EXPECT_EQ(r.mixer.playingVoices(), Mixer::MAX_VOICES);
             r.frames(steady);
         },
         {{steady - 1, 15500, 0}, {2 * steady - 1, 16000, 0}}},
        {"of equally quiet voices the oldest gives way",
         [&](Session& r) {
             r.mixer.play(OTHER_THOUSAND, at(-1.0f));
             for (int v = 1; v < Mixer::MAX_VOICES; ++v) r.mixer.play(THOUSAND, at(1.0f));
             r.frames(steady);
             r.mixer.play(THOUSAND, at(1.0f));
             r.frames(steady);
         },
         {{steady - 1, 1000, 15000}, {2 * steady - 1, 0, 16000}}},
        {"a sound's own limit: its oldest voice gives way to the newest",
         [&](Session& r) {
             PlayOptions options = at(-1.0f);
             options.limit = 2;
             for (int v = 0; v < 3; ++v) r.mixer.play(THOUSAND, options);
             r.frames(steady);
         },
         {{steady - 1, 2000, 0}}},
        {"paused: silence, the voice stands still, and comes back ramping in",
         [&](Session& r) {
             r.mixer.play(LONG_RISE, at(-1.0f));
             r.frames(1000);
             r.mixer.setPaused(true);
             r.frames(500);
             r.mixer.setPaused(false);
             r.frames(RAMP);
         },
         {{999, 9990, 0},
          {1000, 0, 0},
          {1499, 0, 0},
          {1500, 10000.0f / RAMP, 0},
          {1499 + RAMP, 10 * (999 + RAMP), 0}}},
        {"muted: the output ramps to silence while the voice plays on",
         [&](Session& r) {
             r.mixer.play(LONG_RISE, at(-1.0f));
             r.frames(1000);
             r.mixer.setMuted(true);
             r.frames(1000);
             r.mixer.setMuted(false);
             r.frames(RAMP);
         },
         {{1000 + RAMP / 2 - 1, 5 * (1000 + RAMP / 2 - 1), 0},
          {1000 + RAMP - 1, 0, 0},
          {1999, 0, 0},
          {1999 + RAMP, 10 * (1999 + RAMP), 0}}},
        {"stop and gain changes ramp too",
         [&](Session& r) {
             const VoiceId changed = r.mixer.play(LOUD, at(-1.0f));
             const VoiceId stopped = r.mixer.play(LOUD, at(1.0f));
             r.frames(steady);
             r.mixer.setGain(changed, 0.5f);
             r.mixer.stop(stopped);
             r.frames(RAMP);
             EXPECT_FALSE(r.mixer.isPlaying(stopped));
         },
         {{steady + RAMP / 2 - 1, 7500, 5000}, {steady + RAMP - 1, 5000, 0}}},
        {"a placed sound: full gain up close, 30/d beyond, panned to its side",
         [&](Session& r) {
             r.mixer.setListener(Vec3(10.0f, 10.0f, 0.0f), Vec3(0.0f, 2.0f, 0.0f));
             PlayOptions ahead;
             ahead.placed = true;
             ahead.place = Vec3(10.0f, 30.0f, 0.0f);
             r.mixer.play(THOUSAND, ahead);
             PlayOptions right = ahead;
             right.place = Vec3(70.0f, 10.0f, 0.0f);
             r.mixer.play(LOUD, right);
             r.frames(steady + 1);
         },
         {{steady, 1000 * centre + 5000 * leftShare(Mixer::PLACE_PAN_WIDTH),
           1000 * centre + 5000 * rightShare(Mixer::PLACE_PAN_WIDTH)}}},
        {"sums past full scale saturate instead of wrapping",
         [&](Session& r) {
             for (int v = 0; v < 4; ++v) r.mixer.play(NEAR_FULL, at(-1.0f));
             r.frames(steady + 1);
         },
         {{steady, 32767, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Session session;
        c.play(session);
        for (const Expect& e : c.expected) {
            ASSERT_LT(2 * e.frame + 1, session.out.size());
            EXPECT_NEAR(session.out[2 * e.frame], e.left, 1.0) << "left of frame " << e.frame;
            EXPECT_NEAR(session.out[2 * e.frame + 1], e.right, 1.0) << "right of frame " << e.frame;
        }
    }
}

// mirelo-headless --audio renders a frame's worth at a time: how the frames
// are asked for must not change a sample (ramps, loops, ends across calls).
TEST(MixerRules, TheSameCallsGiveTheSameSamplesWhateverTheChunks) {
    const auto mix = [](const std::vector<size_t>& chunks) {
        Session session;
        session.mixer.play(SHORT_LOOP, looped(0.3f, 0.75f));
        const VoiceId stopped = session.mixer.play(LOUD, at(-0.5f));
        session.mixer.play(LONG_RISE, at(0.0f, 0.8f));
        for (size_t i = 0; i < chunks.size(); ++i) {
            if (i == 2) session.mixer.stop(stopped);
            session.frames(chunks[i]);
        }
        return session.out;
    };
    EXPECT_EQ(mix({768, 768, 768, 768, 768}), mix({1, 1535, 7, 761, 1536}));
}
