#include <gtest/gtest.h>

#include <sstream>

#include "app/input_script.h"
#include "platform/platform.h"

namespace {

bool parse(const std::string& text, InputScript& script, std::string& error) {
    std::istringstream in(text);
    return script.parse(in, error);
}

}  // namespace

TEST(InputScript, KeysHeldFromTheirFrameUntilTheNextLine) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse("# warm up\n\n0 -\n10 space,left\n25 lctrl\r\n40 -\n", script, error)) << error;
    EXPECT_TRUE(script.keysAt(0).empty());
    EXPECT_TRUE(script.keysAt(9).empty());
    EXPECT_EQ(script.keysAt(10), (std::set<int>{vk::SPACE, vk::LEFT}));
    EXPECT_EQ(script.keysAt(24), (std::set<int>{vk::SPACE, vk::LEFT}));
    EXPECT_EQ(script.keysAt(25), (std::set<int>{vk::LEFT_CONTROL}));
    EXPECT_TRUE(script.keysAt(40).empty());
    EXPECT_TRUE(script.keysAt(1000000).empty());
}

TEST(InputScript, EveryKeyNameIsKnown) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse("3 space,left,right,up,down,lctrl,rctrl,f1,f2,f3,f4,escape\n", script, error)) << error;
    EXPECT_EQ(script.keysAt(3).size(), 12u);
    EXPECT_TRUE(script.keysAt(2).empty());  // nothing before the first line
    EXPECT_EQ(keyCodeByName("escape"), vk::ESCAPE);
    EXPECT_EQ(keyCodeByName("Space"), -1);
}

TEST(InputScript, ControllerInputsHoldOneControllerFromTheirFrame) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(
        parse("0 pad_a,space\n5 pad_x,pad_rb,pad_start,pad_back,pad_up,pad_down,pad_left,pad_right\n"
              "9 stick_left,stick_up\n12 stick_right,stick_down,pad_a\n20 -\n",
              script, error))
        << error;
    EXPECT_EQ(script.keysAt(4), (std::set<int>{vk::SPACE}));
    EXPECT_EQ(script.padAt(4).buttons, static_cast<uint32_t>(pad::A));
    EXPECT_TRUE(script.keysAt(5).empty());
    EXPECT_EQ(script.padAt(8).buttons,
              static_cast<uint32_t>(pad::X | pad::RIGHT_SHOULDER | pad::START | pad::BACK | pad::DPAD_UP |
                                    pad::DPAD_DOWN | pad::DPAD_LEFT | pad::DPAD_RIGHT));
    EXPECT_EQ(script.padAt(8).stickX, 0.0f);
    // The stick fully deflected; y grows upwards.
    EXPECT_EQ(script.padAt(9).buttons, 0u);
    EXPECT_EQ(script.padAt(9).stickX, -1.0f);
    EXPECT_EQ(script.padAt(9).stickY, 1.0f);
    EXPECT_EQ(script.padAt(12).stickX, 1.0f);
    EXPECT_EQ(script.padAt(12).stickY, -1.0f);
    EXPECT_EQ(script.padAt(12).buttons, static_cast<uint32_t>(pad::A));
    EXPECT_EQ(script.padAt(20).buttons, 0u);
    EXPECT_EQ(script.padAt(20).stickY, 0.0f);
    // One stick cannot point both ways on an axis; a name must be exact.
    for (const char* bad :
         {"0 stick_left,stick_right\n", "0 stick_down,stick_up\n", "0 pad_b\n", "0 PAD_A\n"}) {
        EXPECT_FALSE(parse(bad, script, error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    }
}

TEST(InputScript, MalformedLinesNameTheirLineNumber) {
    const char* bad[] = {
        "0 -\n\n7 jump\n",        "0 -\n\nx space\n",  "0 -\n\n5\n",
        "0 -\n\n5 space extra\n", "0 -\n\n-1 space\n", "0 -\n\n5 space,\n",
        "9 -\n\n3 space\n",       "0 -\n\n5 ,space\n", "0 -\n\n99999999999999999999 space\n"};
    for (const char* text : bad) {
        InputScript script;
        std::string error;
        EXPECT_FALSE(parse(text, script, error)) << text;
        EXPECT_NE(error.find("line 3"), std::string::npos) << text << " -> " << error;
        EXPECT_TRUE(script.changes().empty());
    }
}
