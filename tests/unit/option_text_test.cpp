#include <gtest/gtest.h>

#include <climits>

#include "app/option_text.h"

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
