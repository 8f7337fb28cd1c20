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
