#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/option_text.h"
#include "app/scripted_run.h"

// The runner's and the page's numbers: a bad value must be refused whole, not
// read as far as it goes or wrapped around.
TEST(OptionText, WholeNumbersAreReadWholeAndWithinTheirRange) {
    long long value = 42;
    EXPECT_TRUE(parseWhole("0", 0, 10, value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(parseWhole("10", 0, 10, value));
    EXPECT_EQ(value, 10);
    EXPECT_TRUE(parseWhole("-3", -5, 5, value));
    EXPECT_EQ(value, -3);

    for (const char* bad :
         {"", "11", "-1", "5x", "5 ", " x", "0x10", "1e3", "99999999999999999999", "-99999999999999999999"}) {
        value = 42;
        EXPECT_FALSE(parseWhole(bad, 0, 10, value)) << '"' << bad << '"';
        EXPECT_EQ(value, 42) << "a refused text must leave the value alone: \"" << bad << '"';
    }
    // The whole range of the type is accepted when asked for.
    EXPECT_TRUE(parseWhole("9223372036854775807", 0, LLONG_MAX, value));
    EXPECT_EQ(value, LLONG_MAX);
}

// mirelo-headless and the page read one option table: the same values pass
// and fail on both, each host naming the option its own way, and the page
// takes only its four.
TEST(RunOptions, BothHostsReadOneTableAndNameOptionsTheirOwnWay) {
    const struct {
        std::vector<std::string> args;
        bool commandLine, page;  // accepted by each host
        const char* commandLineError;
    } cases[] = {
        {{"--dt", "0"}, true, true, ""},
        {{"--dt", "-1"}, false, false, "--dt takes a number of seconds, not '-1'"},
        {{"--frames", "lots"}, false, false, "--frames takes a whole number of frames, not 'lots'"},
        {{"--seed", "7", "--input", "x.keys"}, true, true, ""},
        {{"--size", "64x36"}, true, false, ""},
        {{"--check-gl"}, true, false, ""},
        {{"--state"}, false, false, "--state needs a value"},
        {{"--screenshot-every", "5"}, false, false, "--screenshot-every and --screenshot-dir go together"},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv{const_cast<char*>("run")};
        for (const std::string& a : c.args) argv.push_back(const_cast<char*>(a.c_str()));
        RunOptions options;
        std::string error;
        EXPECT_EQ(parseRunOptions(static_cast<int>(argv.size()), argv.data(), OptionHost::COMMAND_LINE,
                                  options, error),
                  c.commandLine)
            << c.args[0];
        EXPECT_EQ(error, c.commandLineError);
        error.clear();
        EXPECT_EQ(
            parseRunOptions(static_cast<int>(argv.size()), argv.data(), OptionHost::PAGE, options, error),
            c.page)
            << c.args[0];
    }
    // The page's messages name its URL's parameters; its defaults run without end on the clock.
    std::vector<char*> argv{const_cast<char*>("page"), const_cast<char*>("--frames"),
                            const_cast<char*>("lots")};
    RunOptions options;
    std::string error;
    EXPECT_FALSE(parseRunOptions(3, argv.data(), OptionHost::PAGE, options, error));
    EXPECT_EQ(error, "frames= takes a whole number of frames, not 'lots'");
    EXPECT_TRUE(parseRunOptions(1, argv.data(), OptionHost::PAGE, options, error));
    EXPECT_TRUE(options.frames < 0 && !options.dt);
    EXPECT_TRUE(parseRunOptions(1, argv.data(), OptionHost::COMMAND_LINE, options, error));
    EXPECT_TRUE(options.frames == 1 && options.dt && *options.dt == 0.016);
}
