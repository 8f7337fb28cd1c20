#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/gl_api.h"
#include "gfx/webgl_formats.h"

namespace {

constexpr uint8_t PADDING = 0xEE;

// A block as the BMP decoders leave it: pixel p of row y holds the bytes
// (10y + p, 100 + p, 200 + y) for the first three channels and 77 for a
// fourth; each row is padded to 4 bytes with PADDING.
std::vector<uint8_t> block(int width, int height, int channels) {
    const int stride = (width * channels + 3) / 4 * 4;
    std::vector<uint8_t> bytes(static_cast<size_t>(stride * height), PADDING);
    for (int y = 0; y < height; ++y)
        for (int p = 0; p < width; ++p) {
            uint8_t* pixel = &bytes[static_cast<size_t>(y * stride + p * channels)];
            pixel[0] = static_cast<uint8_t>(10 * y + p);
            pixel[1] = static_cast<uint8_t>(100 + p);
            pixel[2] = static_cast<uint8_t>(200 + y);
            if (channels == 4) pixel[3] = 77;
        }
    return bytes;
}

}  // namespace

TEST(WebglFormats, BlueFirstFormatsBecomeRedFirstAndOthersStay) {
    EXPECT_EQ(webglPixelFormat(GL_BGR), static_cast<uint32_t>(GL_RGB));
    EXPECT_EQ(webglPixelFormat(GL_BGRA), static_cast<uint32_t>(GL_RGBA));
    EXPECT_EQ(webglPixelFormat(GL_RGBA), static_cast<uint32_t>(GL_RGBA));
    EXPECT_EQ(webglPixelFormat(GL_RGB), static_cast<uint32_t>(GL_RGB));
}

TEST(WebglFormats, OnlyClampToBorderIsReplaced) {
    EXPECT_EQ(webglWrapMode(GL_CLAMP_TO_BORDER), GL_CLAMP_TO_EDGE);
    for (int32_t mode : {GL_MIRRORED_REPEAT, GL_REPEAT, GL_CLAMP_TO_EDGE})
        EXPECT_EQ(webglWrapMode(mode), mode);
}

// Widths 1 to 5 give every amount of row padding for three channels (3, 2,
// 1, 0 and 1 bytes); the swap must reach each pixel of each row and no
// padding byte, and leave the second and fourth channels alone.
TEST(WebglFormats, SwapReachesEveryPixelOfPaddedRowsAndNoPadding) {
    struct Case {
        uint32_t format;
        int channels;
    };
    for (const Case c : {Case{GL_BGR, 3}, Case{GL_BGRA, 4}}) {
        for (int width = 1; width <= 5; ++width) {
            const int height = 3;
            SCOPED_TRACE(testing::Message() << "channels " << c.channels << ", width " << width);
            std::vector<uint8_t> bytes = block(width, height, c.channels);
            swapRedAndBlue(bytes.data(), c.format, width, height);
            const int stride = (width * c.channels + 3) / 4 * 4;
            for (int y = 0; y < height; ++y) {
                for (int p = 0; p < width; ++p) {
                    const uint8_t* pixel = &bytes[static_cast<size_t>(y * stride + p * c.channels)];
                    EXPECT_EQ(pixel[0], 200 + y);
                    EXPECT_EQ(pixel[1], 100 + p);
                    EXPECT_EQ(pixel[2], 10 * y + p);
                    if (c.channels == 4) {
                        EXPECT_EQ(pixel[3], 77);
                    }
                }
                for (int i = width * c.channels; i < stride; ++i)
                    EXPECT_EQ(bytes[static_cast<size_t>(y * stride + i)], PADDING) << "row " << y;
            }
        }
    }
}

TEST(WebglFormats, SwapLeavesRedFirstBlocksAndEmptyInputsAlone) {
    std::vector<uint8_t> bytes = block(2, 2, 4);
    const std::vector<uint8_t> original = bytes;
    swapRedAndBlue(bytes.data(), GL_RGBA, 2, 2);
    swapRedAndBlue(bytes.data(), GL_BGRA, 0, 2);
    swapRedAndBlue(bytes.data(), GL_BGRA, 2, 0);
    EXPECT_EQ(bytes, original);
    swapRedAndBlue(nullptr, GL_BGR, 4, 4);  // a failed decode uploads no block
}
