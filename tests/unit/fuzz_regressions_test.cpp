// Inputs the fuzzers (fuzz/) found to break a loader, checked in under
// fuzz/regressions/<target>/ and loaded here as the game would load them.
// fuzz/run.sh also replays every one of them through its fuzz target, which
// catches what a result cannot show (an allocation far beyond the file).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/image_decoders.h"
#include "image_test_files.h"
#include "test_files.h"

namespace {

std::string regression(const std::string& target, const std::string& name) {
    return std::string(MIRELO_SOURCE_DIR) + "/fuzz/regressions/" + target + "/" + name;
}

constexpr uint16_t UNTOUCHED = 7;

}  // namespace

// 43 bytes whose header (valid CRC) claims 64832 x 16391 RGBA pixels: the
// decoder used to reserve 4.25 GB for them before reading any image data.
TEST(FuzzRegressions, PngHeaderClaimingMorePixelsThanTheFileCanHoldIsRejected) {
    uint16_t width = UNTOUCHED, height = UNTOUCHED;
    EXPECT_FALSE(loadPng(regression("load_png", "header-claims-4gb.png"), width, height));
    EXPECT_EQ(width, UNTOUCHED);
    EXPECT_EQ(height, UNTOUCHED);
}

// The other side of that check: an image that compresses about as well as
// deflate allows (one bit per pixel, all zero) is still believed and decoded.
TEST(FuzzRegressions, PngCompressedNearTheDeflateLimitStillDecodes) {
    TempDir dir;
    PngContents image;
    image.width = 4096;
    image.height = 256;
    image.colorType = PNG_COLOR_TYPE_GRAY;
    image.bitDepth = 1;
    image.rows.assign(image.height, std::vector<uint8_t>(image.width / 8, 0));
    writePng(dir.file("flat.png"), image);
    const std::vector<uint8_t> file = readFile(dir.file("flat.png"));
    // Well past the 32:1 of byte-level formats: the pixels take 128 KiB.
    ASSERT_LT(file.size() * 300, size_t{image.width} * image.height / 8);

    uint16_t width = UNTOUCHED, height = UNTOUCHED;
    const PixelBlock pixels = loadPng(dir.file("flat.png"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 4096);
    EXPECT_EQ(height, 256);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[4 * 4096 * 256 - 1], 255);
}
