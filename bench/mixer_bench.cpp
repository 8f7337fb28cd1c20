// The mixer's cost per game frame (0.016 s, 768 stereo frames) with the load
// of a busy moment: the ambience, two overlapping strokes at a swimming
// pitch, a key, an unlock, a door sliding, a lever and the fade, the placed
// ones re-aimed as the camera moves. Every voice loops so the load stays
// the same for the whole measurement. Target: under 0.2 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/mixer.h"
#include "audio/sound_files.h"

static void BM_Mixer_BusyFrame(benchmark::State& state) {
    constexpr size_t FRAMES_PER_GAME_FRAME = 768;
    Sound sounds[SOUND_COUNT];
    if (!loadSounds(sounds)) {
        state.SkipWithError("the sounds in data/sounds could not be loaded");
        return;
    }
    Mixer mixer;
    mixer.setListener(Vec3(50.0f, 25.0f, 7.0f), Vec3(0.0f, 1.0f, -0.3f));
    const struct {
        SoundId id;
        float pitch;
        bool placed;
        Vec3 place;
    } load[] = {{SOUND_AMBIENCE, 1.0f, false, Vec3()},
                {SOUND_SWIM, 1.15f, false, Vec3()},
                {SOUND_SWIM, 1.2f, false, Vec3()},
                {SOUND_KEY, KEY_PITCH[2], true, Vec3(50.0f, 50.0f, -5.0f)},
                {SOUND_UNLOCK, 1.0f, true, Vec3(80.0f, 60.0f, -10.0f)},
                {SOUND_DOOR, 1.0f, true, Vec3(100.0f, 50.0f, -10.0f)},
                {SOUND_LEVER, 1.0f, true, Vec3(20.0f, 70.0f, -15.0f)},
                {SOUND_FADE, 1.0f, false, Vec3()}};
    for (const auto& voice : load) {
        PlayOptions options;
        options.loop = true;
        options.pitch = voice.pitch;
        options.placed = voice.placed;
        options.place = voice.place;
        mixer.play(sounds[voice.id], options);
    }
    std::vector<int16_t> out(2 * FRAMES_PER_GAME_FRAME);
    float x = 50.0f;
    for (auto _ : state) {
        x = x > 60.0f ? 40.0f : x + 0.1f;
        mixer.setListener(Vec3(x, 25.0f, 7.0f), Vec3(0.0f, 1.0f, -0.3f));
        mixer.render(out.data(), FRAMES_PER_GAME_FRAME);
        benchmark::DoNotOptimize(out.data());
    }
    if (mixer.playingVoices() != static_cast<int>(sizeof(load) / sizeof(load[0])))
        state.SkipWithError("a voice stopped: this measured a lighter load");
}
BENCHMARK(BM_Mixer_BusyFrame)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
