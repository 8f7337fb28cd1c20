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

// Every name of the script's vocabulary, each alone on a line: exactly its
// own key, or its own controller input, is held, and nothing else.
TEST(InputScript, EachNameHoldsItsOwnKeyOrControllerInput) {
    const struct {
        const char* name;
        int key;
        uint32_t buttons;
        float stickX, stickY;
    } rows[] = {
        {"space", vk::SPACE, 0, 0, 0},
        {"left", vk::LEFT, 0, 0, 0},
        {"right", vk::RIGHT, 0, 0, 0},
        {"up", vk::UP, 0, 0, 0},
        {"down", vk::DOWN, 0, 0, 0},
        {"lctrl", vk::LEFT_CONTROL, 0, 0, 0},
        {"rctrl", vk::RIGHT_CONTROL, 0, 0, 0},
        {"f1", vk::F1, 0, 0, 0},
        {"f2", vk::F2, 0, 0, 0},
        {"f3", vk::F3, 0, 0, 0},
        {"f4", vk::F4, 0, 0, 0},
        {"escape", vk::ESCAPE, 0, 0, 0},
        {"m", vk::M, 0, 0, 0},
        {"pad_a", -1, pad::A, 0, 0},
        {"pad_x", -1, pad::X, 0, 0},
        {"pad_y", -1, pad::Y, 0, 0},
        {"pad_rb", -1, pad::RIGHT_SHOULDER, 0, 0},
        {"pad_start", -1, pad::START, 0, 0},
        {"pad_back", -1, pad::BACK, 0, 0},
        {"pad_up", -1, pad::DPAD_UP, 0, 0},
        {"pad_down", -1, pad::DPAD_DOWN, 0, 0},
        {"pad_left", -1, pad::DPAD_LEFT, 0, 0},
        {"pad_right", -1, pad::DPAD_RIGHT, 0, 0},
        {"stick_left", -1, 0, -1, 0},
        {"stick_right", -1, 0, 1, 0},
        {"stick_up", -1, 0, 0, 1},
        {"stick_down", -1, 0, 0, -1},
    };
    for (const auto& row : rows) {
        InputScript script;
        std::string error;
        ASSERT_TRUE(parse(std::string("3 ") + row.name + "\n", script, error)) << row.name << ": " << error;
        EXPECT_EQ(script.keysAt(3), row.key < 0 ? std::set<int>{} : std::set<int>{row.key}) << row.name;
        EXPECT_EQ(script.padAt(3).buttons, row.buttons) << row.name;
        EXPECT_EQ(script.padAt(3).stickX, row.stickX) << row.name;
        EXPECT_EQ(script.padAt(3).stickY, row.stickY) << row.name;
        EXPECT_TRUE(script.keysAt(2).empty() && script.padAt(2).buttons == 0) << "before the first line";
    }
}

// Controller inputs combine on one controller, held from their line on; one
// stick cannot point both ways on an axis, and a name must be exact.
TEST(InputScript, ControllerInputsCombineOnOneController) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse("0 pad_a,space\n9 stick_left,stick_up,pad_x\n20 -\n", script, error)) << error;
    EXPECT_EQ(script.keysAt(8), (std::set<int>{vk::SPACE}));
    EXPECT_EQ(script.padAt(8).buttons, static_cast<uint32_t>(pad::A));
    EXPECT_EQ(script.padAt(9).buttons, static_cast<uint32_t>(pad::X));
    EXPECT_EQ(script.padAt(9).stickX, -1.0f);
    EXPECT_EQ(script.padAt(9).stickY, 1.0f);
    EXPECT_EQ(script.padAt(20).buttons, 0u);
    EXPECT_EQ(script.padAt(20).stickY, 0.0f);
    for (const char* bad :
         {"0 stick_left,stick_right\n", "0 stick_down,stick_up\n", "0 pad_b\n", "0 PAD_A\n", "0 Space\n"}) {
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
