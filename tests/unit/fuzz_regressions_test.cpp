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

}  // namespace

// 43 bytes whose header (valid CRC) claims 64832 x 16391 RGBA pixels: the
// decoder used to reserve 4.25 GB for them before reading any image data.
TEST(FuzzRegressions, PngHeaderClaimingMorePixelsThanTheFileCanHoldIsRejected) {
    uint16_t width = UNTOUCHED, height = UNTOUCHED;
    EXPECT_FALSE(loadPng(regression("load_png", "header-claims-4gb.png"), width, height));
    EXPECT_EQ(width, UNTOUCHED);
    EXPECT_EQ(height, UNTOUCHED);
}

// The block the decoder allocates is the image expanded to 8-bit RGBA, up to
// 32 times what a 1-bit grey file stores. The guard bounds that block, not
// the stored bits: at full scale a 130 KB file of 1-bit pixels passed a guard
// on the stored bits and made the game allocate 4 GB.
TEST(FuzzRegressions, PngWhoseRgbaBlockExceedsWhatTheFileCanInflateToIsRejected) {
    TempDir dir;
    PngContents image;
    image.width = 4096;
    image.height = 256;
    image.colorType = PNG_COLOR_TYPE_GRAY;
    image.bitDepth = 1;
    image.rows.assign(image.height, std::vector<uint8_t>(image.width / 8, 0));
    writePng(dir.file("flat.png"), image);
    const size_t fileBytes = readFile(dir.file("flat.png")).size();
    // The stored bits fit what deflate can make of the file; the RGBA block does not.
    constexpr size_t DEFLATE_RATIO = 1032;
    ASSERT_LE(size_t{image.width} * image.height / 8, fileBytes * DEFLATE_RATIO);
    ASSERT_GT(size_t{image.width} * image.height * 4, fileBytes * DEFLATE_RATIO);

    uint16_t width = UNTOUCHED, height = UNTOUCHED;
    std::string error;
    EXPECT_FALSE(loadPng(dir.file("flat.png"), width, height, &error));
    EXPECT_EQ(error, "claims more pixels than the file can hold");
    EXPECT_EQ(width, UNTOUCHED);
}

// The other side of that check: an RGBA image that compresses hundreds of
// times over, yet within what deflate allows, is still believed and decoded.
TEST(FuzzRegressions, PngCompressedNearTheDeflateLimitStillDecodes) {
    TempDir dir;
    PngContents image;
    image.width = 1024;
    image.height = 512;
    std::vector<uint8_t> row(size_t{image.width} * 4, 0);
    row[0] = 200;
    image.rows.assign(image.height, row);
    writePng(dir.file("flat.png"), image);
    const std::vector<uint8_t> file = readFile(dir.file("flat.png"));
    ASSERT_LT(file.size() * 200, size_t{image.width} * image.height * 4);

    uint16_t width = UNTOUCHED, height = UNTOUCHED;
    const PixelBlock pixels = loadPng(dir.file("flat.png"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 512);
    EXPECT_EQ(pixels[0], 200);
    EXPECT_EQ(pixels[4 * 1024 * 512 - 1], 0);
}
