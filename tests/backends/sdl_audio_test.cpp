// The Linux game's sound output (platform/sdl/sdl_audio.cpp) on SDL's disk
// driver, which plays in real time into a file: what the game queues comes
// out unchanged, and the queue is kept near its target. A driver that does
// not exist stands for a machine without sound.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/audio_output.h"
#include "test_files.h"

using platform::AUDIO_QUEUE_FRAMES;

TEST(SdlAudio, PlaysWhatIsQueuedInOrderAndKeepsTheQueueShort) {
    TempDir dir;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", dir.file("played.raw").c_str(), 1);
    std::string whyNot;
    ASSERT_TRUE(platform::openAudioOutput(whyNot)) << whyNot;
    EXPECT_EQ(platform::audioFramesWanted(), AUDIO_QUEUE_FRAMES);

    // Never zero, so where it starts in the file is plain.
    std::vector<int16_t> sent(2 * AUDIO_QUEUE_FRAMES);
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<int16_t>(i % 2 ? -1 - int(i) : 1 + int(i));
    platform::queueAudio(sent.data(), AUDIO_QUEUE_FRAMES);
    EXPECT_LT(platform::audioFramesWanted(), AUDIO_QUEUE_FRAMES / 2);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (platform::audioFramesWanted() < AUDIO_QUEUE_FRAMES && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(platform::audioFramesWanted(), AUDIO_QUEUE_FRAMES) << "the device did not play the queue";
    platform::closeAudioOutput();
    EXPECT_EQ(platform::audioFramesWanted(), 0);

    const std::vector<uint8_t> bytes = readFile(dir.file("played.raw"));
    std::vector<int16_t> played(bytes.size() / 2);
    for (size_t i = 0; i < played.size(); ++i)
        played[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    size_t start = 0;
    while (start < played.size() && played[start] == 0) ++start;
    ASSERT_GE(played.size() - start, sent.size());
    EXPECT_EQ(std::vector<int16_t>(played.begin() + start, played.begin() + start + sent.size()), sent);
}

TEST(SdlAudio, WithoutADeviceSaysWhyAndTakesNothing) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::string whyNot;
    EXPECT_FALSE(platform::openAudioOutput(whyNot));
    EXPECT_FALSE(whyNot.empty());
    EXPECT_EQ(platform::audioFramesWanted(), 0);
    const int16_t samples[2] = {1, 1};
    platform::queueAudio(samples, 1);
    platform::closeAudioOutput();
}
