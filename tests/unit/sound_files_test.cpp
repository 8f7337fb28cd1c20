#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "audio/sound_files.h"
#include "audio/wav_reader.h"
#include "test_files.h"

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

struct Chunk {
    std::string id;
    std::vector<uint8_t> body;
    int64_t claimedSize = -1;  // the size field, when it lies
};

std::vector<uint8_t> format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    std::vector<uint8_t> body;
    put16(body, tag);
    put16(body, channels);
    put32(body, rate);
    put32(body, rate * channels * bits / 8);
    put16(body, static_cast<uint16_t>(channels * bits / 8));
    put16(body, bits);
    return body;
}

const std::vector<uint8_t> MONO = format(1, 1, 48000, 16);
const std::vector<uint8_t> STEREO_FMT = format(1, 2, 48000, 16);
const std::vector<uint8_t> FOUR_SAMPLES = {0x01, 0x00, 0xFE, 0xFF, 0x00, 0x80, 0xFF, 0x7F};

// A RIFF WAVE file of these chunks, each padded to an even size.
std::vector<uint8_t> wave(const std::vector<Chunk>& chunks, int64_t riffSizeChange = 0) {
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const Chunk& chunk : chunks) {
        body.insert(body.end(), chunk.id.begin(), chunk.id.end());
        put32(body, static_cast<uint32_t>(chunk.claimedSize >= 0 ? chunk.claimedSize : chunk.body.size()));
        body.insert(body.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2) body.push_back(0);
    }
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    put32(file, static_cast<uint32_t>(static_cast<int64_t>(body.size()) + riffSizeChange));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> with(std::vector<uint8_t> bytes, size_t at, uint8_t value) {
    bytes[at] = value;
    return bytes;
}

template <class T>
double rms(const std::vector<T>& values) {
    double sum = 0.0;
    for (T v : values) sum += static_cast<double>(v) * v;
    return std::sqrt(sum / static_cast<double>(values.size()));
}

}  // namespace

TEST(WavReader, ReadsWhatAssetgenWritesAndSkipsOtherChunks) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int channels;
    };
    std::vector<uint8_t> extended = STEREO_FMT;
    extended.insert(extended.end(), {0, 0});  // the extension's size field, nothing in it
    const std::vector<Case> cases = {
        {"mono", wave({{"fmt ", MONO}, {"data", FOUR_SAMPLES}}), 1},
        {"stereo after an odd-sized chunk and its pad, trailing bytes past the RIFF",
         [&] {
             std::vector<uint8_t> bytes =
                 wave({{"LIST", {1, 2, 3}}, {"fmt ", extended}, {"data", FOUR_SAMPLES}});
             bytes.insert(bytes.end(), {9, 9, 9});
             return bytes;
         }(),
         2},
        {"an odd-sized chunk at the very end without its pad",
         [] {
             std::vector<uint8_t> bytes = wave({{"fmt ", MONO}, {"data", FOUR_SAMPLES}, {"note", {7}}}, -1);
             bytes.pop_back();
             return bytes;
         }(),
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sound sound;
        std::string error;
        ASSERT_TRUE(decodeWav(c.bytes.data(), c.bytes.size(), sound, error)) << error;
        EXPECT_EQ(sound.channels, c.channels);
        EXPECT_EQ(sound.samples, (std::vector<int16_t>{1, -2, -32768, 32767}));
    }
}

TEST(WavReader, RefusesWhatItCannotTrustAndSaysWhy) {
    const std::vector<uint8_t> good = wave({{"fmt ", MONO}, {"data", FOUR_SAMPLES}});
    const std::vector<uint8_t> cut(good.begin(), good.end() - 2);
    struct Case {
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {{}, "is not a RIFF WAVE file"},
        {with(good, 8, 'X'), "is not a RIFF WAVE file"},
        {cut, "is shorter than its RIFF header says"},
        {wave({{"fmt ", MONO}, {"data", FOUR_SAMPLES, 10}}), "has a chunk that runs past the file's end"},
        {wave({{"fmt ", MONO}, {"data", FOUR_SAMPLES, 0xFFFFFFFF}}),
         "has a chunk that runs past the file's end"},
        {wave({{"fmt ", std::vector<uint8_t>(MONO.begin(), MONO.end() - 2)}, {"data", FOUR_SAMPLES}}),
         "has a fmt chunk too short for PCM"},
        {wave({{"fmt ", format(3, 1, 48000, 16)}, {"data", FOUR_SAMPLES}}), "is format 3, 16 bits, 48000 Hz"},
        {wave({{"fmt ", format(1, 1, 48000, 8)}, {"data", FOUR_SAMPLES}}), "8 bits"},
        {wave({{"fmt ", format(1, 1, 44100, 16)}, {"data", FOUR_SAMPLES}}), "44100 Hz"},
        {wave({{"fmt ", format(1, 3, 48000, 16)}, {"data", std::vector<uint8_t>(12)}}), "3 channels"},
        {wave({{"fmt ", format(1, 0, 48000, 16)}, {"data", FOUR_SAMPLES}}), "0 channels"},
        {wave({{"fmt ", with(MONO, 12, 4)}, {"data", FOUR_SAMPLES}}), "byte rate or block size"},
        {wave({{"fmt ", MONO}, {"fmt ", MONO}, {"data", FOUR_SAMPLES}}), "has two fmt chunks"},
        {wave({{"data", FOUR_SAMPLES}, {"fmt ", MONO}}), "has its data before its fmt chunk"},
        {wave({{"fmt ", MONO}, {"data", FOUR_SAMPLES}, {"data", FOUR_SAMPLES}}), "has two data chunks"},
        {wave({{"fmt ", MONO}}), "has no data chunk"},
        {wave({{"fmt ", MONO}, {"data", {}}}), "has no samples"},
        {wave({{"fmt ", STEREO_FMT}, {"data", {1, 2, 3, 4, 5, 6}}}), "not a whole number of sample frames"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Sound sound{{1, 2}, 1};
        std::string error;
        EXPECT_FALSE(decodeWav(c.bytes.data(), c.bytes.size(), sound, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_TRUE(sound.empty());
    }

    TempDir dir;
    writeFile(dir.file("cut.wav"), cut);
    Sound sound;
    const CapturedOutput output = captureOutput([&] { EXPECT_FALSE(loadSound(dir.file("cut.wav"), sound)); });
    EXPECT_EQ(output.err,
              "Could not load sound: " + dir.file("cut.wav") + ": is shorter than its RIFF header says\n");
}

// The committed set as the game will read it: every file decodes, nothing
// reaches full scale, the ambience sits at least 6 dB under every effect at
// its loudest, and its loop closes without a step larger than the water's own.
TEST(SoundSet, LoadsAtSensibleLevelsWithASeamlessAmbience) {
    Sound sounds[SOUND_COUNT];
    ASSERT_TRUE(loadSounds(sounds));
    constexpr int16_t BELOW_FULL_SCALE = 32000;
    double quietestEffect = 1e9;
    for (int id = 0; id < SOUND_COUNT; ++id) {
        SCOPED_TRACE(SOUND_FILES[id].path);
        const Sound& sound = sounds[id];
        EXPECT_EQ(sound.channels, id == SOUND_AMBIENCE ? 2 : 1);
        const auto [low, high] = std::minmax_element(sound.samples.begin(), sound.samples.end());
        EXPECT_LT(std::max(-*low, static_cast<int>(*high)), BELOW_FULL_SCALE);
        // An effect starts and ends in silence: no click when it starts or is over.
        if (id != SOUND_AMBIENCE) {
            EXPECT_EQ(sound.samples.front(), 0);
            EXPECT_EQ(sound.samples.back(), 0);
            // How loud it is where it is loudest: the RMS of its loudest tenth of a second.
            constexpr size_t WINDOW = SOUND_SAMPLE_RATE / 10;
            double loudest = 0.0;
            for (size_t at = 0; at + WINDOW <= sound.samples.size(); at += WINDOW / 10)
                loudest = std::max(loudest, rms(std::vector<int16_t>(sound.samples.begin() + at,
                                                                     sound.samples.begin() + at + WINDOW)));
            quietestEffect = std::min(quietestEffect, loudest);
        }
    }
    const Sound& ambience = sounds[SOUND_AMBIENCE];
    const size_t frames = ambience.frames();
    EXPECT_LT(rms(ambience.samples), quietestEffect / 2) << "the ambience is not under the effects";
    for (size_t side = 0; side < 2; ++side) {
        SCOPED_TRACE(side == 0 ? "left" : "right");
        std::vector<int> steps(frames - 1);
        for (size_t i = 0; i + 1 < frames; ++i)
            steps[i] = ambience.samples[2 * (i + 1) + side] - ambience.samples[2 * i + side];
        const int seam = ambience.samples[side] - ambience.samples[2 * (frames - 1) + side];
        EXPECT_LT(std::abs(seam), 4.0 * rms(steps)) << "the loop clicks where it starts again";
    }
}
