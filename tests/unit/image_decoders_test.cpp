#include "gfx/image_decoders.h"

#include <gtest/gtest.h>

#include <cstring>

#include "image_test_files.h"
#include "test_files.h"

namespace {

std::vector<uint8_t> sequence(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    return bytes;
}

std::vector<uint8_t> block(const PixelBlock& pixels, size_t count) {
    return std::vector<uint8_t>(pixels.get(), pixels.get() + count);
}

std::vector<uint8_t> decodePng(const std::string& path, const PngContents& image, uint16_t& width,
                               uint16_t& height) {
    writePng(path, image);
    const PixelBlock pixels = loadPng(path, width, height);
    if (!pixels) return {};
    return block(pixels, static_cast<size_t>(width) * height * 4);
}

}  // namespace

TEST(BmpDecoding, KeepsRowPaddingSoWidth3RowsStayAligned) {
    TempDir dir;
    // Two rows of 3 pixels: 9 bytes each, padded to 12.
    const std::vector<uint8_t> pixelBytes = sequence(24);
    writeFile(dir.file("w3.bmp"), makeBmp(3, 2, 24, pixelBytes));
    uint16_t width = 0;
    uint16_t height = 0;
    const PixelBlock pixels = loadBmp(dir.file("w3.bmp"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(block(pixels, 24), pixelBytes);
}

TEST(BmpDecoding, ImageSizeFieldZeroReadsTheWholeImage) {
    TempDir dir;
    // Width 4 needs no padding: width * height * 3 bytes.
    const std::vector<uint8_t> unpadded = sequence(24);
    writeFile(dir.file("w4.bmp"), makeBmp(4, 2, 0, unpadded));
    uint16_t width = 0;
    uint16_t height = 0;
    PixelBlock pixels = loadBmp(dir.file("w4.bmp"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(block(pixels, 24), unpadded);

    // Width 3: the padded rows are read, as the upload reads 12 bytes per row
    // (an overrun here shows up under the sanitizer build).
    const std::vector<uint8_t> padded = sequence(24);
    writeFile(dir.file("w3.bmp"), makeBmp(3, 2, 0, padded));
    pixels = loadBmp(dir.file("w3.bmp"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(block(pixels, 24), padded);

    uint16_t alphaWidth = 0;
    uint16_t alphaHeight = 0;
    pixels = loadBmpWithAlpha(dir.file("w4.bmp"), alphaWidth, alphaHeight);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(alphaWidth, 4);
    EXPECT_EQ(alphaHeight, 2);
    EXPECT_EQ(pixels[8 * 4 - 1], unpadded[23]);
}

TEST(BmpDecoding, AlphaReaderCopiesRedIntoAlpha) {
    TempDir dir;
    // Red, green, blue and white, stored B, G, R.
    writeFile(dir.file("font.bmp.fnt"),
              makeBmp(4, 1, 12, {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF}));
    uint16_t width = 0;
    uint16_t height = 0;
    const PixelBlock pixels = loadBmpWithAlpha(dir.file("font.bmp.fnt"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 1);
    const std::vector<uint8_t> expected = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0x00,
                                           0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(block(pixels, 16), expected);
}

TEST(BmpDecoding, AlphaReaderDropsATrailingPartialTriple) {
    TempDir dir;
    // 14 bytes: four whole pixels and two stray bytes that must not be widened
    // into a fifth pixel past the block.
    std::vector<uint8_t> pixelBytes = sequence(14);
    writeFile(dir.file("odd.fnt"), makeBmp(4, 1, 14, pixelBytes));
    uint16_t width = 0;
    uint16_t height = 0;
    const PixelBlock pixels = loadBmpWithAlpha(dir.file("odd.fnt"), width, height);
    ASSERT_TRUE(pixels);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(pixels[4 * k], pixelBytes[3 * k]);
        EXPECT_EQ(pixels[4 * k + 1], pixelBytes[3 * k + 1]);
        EXPECT_EQ(pixels[4 * k + 2], pixelBytes[3 * k + 2]);
        EXPECT_EQ(pixels[4 * k + 3], pixelBytes[3 * k + 2]);
    }
}

TEST(BmpDecoding, RejectsFilesThatCannotBeTrusted) {
    TempDir dir;
    const std::vector<uint8_t> header = makeBmp(4, 2, 24, {});
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"empty file", {}},
        {"header cut short", std::vector<uint8_t>(header.begin(), header.begin() + 30)},
        {"header without pixels", header},
        {"pixels cut short", makeBmp(4, 2, 24, sequence(10))},
        {"image-size field claims more than the file holds", makeBmp(4, 2, 1000, sequence(24))},
        {"image-size field smaller than the image", makeBmp(4, 2, 6, sequence(24))},
        {"no size field and too few pixels", makeBmp(4, 2, 0, sequence(23))},
        {"negative height", makeBmp(4, -2, 24, sequence(24))},
        {"zero width", makeBmp(0, 2, 24, sequence(24))},
        {"width beyond 16 bits", makeBmp(70000, 1, 0, sequence(12))},
        {"height beyond 16 bits", makeBmp(4, 65536, 12, sequence(12))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir.file("bad.bmp"), c.bytes);
        uint16_t width = UNTOUCHED;
        uint16_t height = UNTOUCHED;
        EXPECT_FALSE(loadBmp(dir.file("bad.bmp"), width, height));
        EXPECT_EQ(width, 0);
        EXPECT_EQ(height, 0);
        width = height = UNTOUCHED;
        EXPECT_FALSE(loadBmpWithAlpha(dir.file("bad.bmp"), width, height));
        EXPECT_EQ(width, 0);
        EXPECT_EQ(height, 0);
    }

    uint16_t width = UNTOUCHED;
    uint16_t height = UNTOUCHED;
    EXPECT_FALSE(loadBmp(dir.file("missing.bmp"), width, height));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(BmpDecoding, TakesUpTo8192PixelsASideAndSaysWhyLargerIsRefused) {
    TempDir dir;
    // 8192 pixels of 3 bytes need no row padding.
    writeFile(dir.file("widest.bmp"), makeBmp(8192, 1, 0, sequence(8192 * 3)));
    uint16_t width = 0;
    uint16_t height = 0;
    EXPECT_TRUE(loadBmp(dir.file("widest.bmp"), width, height));
    EXPECT_EQ(width, 8192);
    EXPECT_EQ(height, 1);

    writeFile(dir.file("too-tall.bmp"), makeBmp(4, 8193, 0, sequence(12 * 8193)));
    std::string error;
    EXPECT_FALSE(loadBmp(dir.file("too-tall.bmp"), width, height, &error));
    EXPECT_EQ(error, "4 x 8193 pixels is wider or taller than 8192");
    error.clear();
    EXPECT_FALSE(loadBmpWithAlpha(dir.file("too-tall.bmp"), width, height, &error));
    EXPECT_EQ(error, "4 x 8193 pixels is wider or taller than 8192");
}

TEST(PngDecoding, FlipsRowsSoTheBlockStartsWithTheBottomRow) {
    TempDir dir;
    uint16_t width = 0;
    uint16_t height = 0;
    const std::vector<uint8_t> bytes = decodePng(dir.file("flip.png"), redOverBluePng(), width, height);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    const std::vector<uint8_t> expected = {0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    EXPECT_EQ(bytes, expected);
}

TEST(PngDecoding, ConvertsEveryColourTypeToEightBitRgba) {
    TempDir dir;
    uint16_t width = 0;
    uint16_t height = 0;

    PngContents grey;
    grey.width = 2;
    grey.height = 1;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.rows = {{0, 128}};
    EXPECT_EQ(decodePng(dir.file("grey.png"), grey, width, height),
              (std::vector<uint8_t>{0, 0, 0, 255, 128, 128, 128, 255}));

    PngContents greyAlpha = grey;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.rows = {{10, 20, 30, 40}};
    EXPECT_EQ(decodePng(dir.file("grey-alpha.png"), greyAlpha, width, height),
              (std::vector<uint8_t>{10, 10, 10, 20, 30, 30, 30, 40}));

    // One-bit grey: 1 then 0, packed into the top bits of one byte.
    PngContents oneBit = grey;
    oneBit.bitDepth = 1;
    oneBit.rows = {{0x80}};
    EXPECT_EQ(decodePng(dir.file("grey1.png"), oneBit, width, height),
              (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255}));

    // Palette with a tRNS entry for the first colour only.
    PngContents palette = grey;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {{200, 10, 20}, {30, 220, 40}};
    palette.paletteAlpha = {64};
    palette.rows = {{0, 1}};
    EXPECT_EQ(decodePng(dir.file("palette.png"), palette, width, height),
              (std::vector<uint8_t>{200, 10, 20, 64, 30, 220, 40, 255}));

    // 16-bit RGB: the high byte of each sample survives, alpha is added.
    PngContents deep = grey;
    deep.colorType = PNG_COLOR_TYPE_RGB;
    deep.bitDepth = 16;
    deep.rows = {{0xFF, 0xFF, 0x12, 0x34, 0x80, 0x00, 0x00, 0x01, 0xAB, 0xCD, 0x7F, 0xFF}};
    EXPECT_EQ(decodePng(dir.file("rgb16.png"), deep, width, height),
              (std::vector<uint8_t>{0xFF, 0x12, 0x80, 255, 0x00, 0xAB, 0x7F, 255}));
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
}

TEST(PngDecoding, RejectsNonPngMissingTruncatedAndCorruptFiles) {
    TempDir dir;
    writePng(dir.file("good.png"), redOverBluePng());
    const std::vector<uint8_t> good = readFile(dir.file("good.png"));
    ASSERT_GT(good.size(), 60u);

    // IHDR data starts after the signature, chunk length and type (16 bytes).
    std::vector<uint8_t> badHeaderCrc = good;
    badHeaderCrc[16 + 3] ^= 0x01;
    // The IDAT payload overwritten with bytes that are no zlib stream.
    std::vector<uint8_t> garbageData = good;
    const size_t idat = std::string(good.begin(), good.end()).find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    for (size_t i = idat + 4; i < idat + 12; ++i) garbageData[i] = 0xFF;

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"a BMP", makeBmp(4, 1, 12, sequence(12))},
        {"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8)},
        {"cut inside the image data",
         std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2 + 10)},
        {"header CRC broken", badHeaderCrc},
        {"image data corrupt", garbageData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir.file("bad.png"), c.bytes);
        uint16_t width = UNTOUCHED;
        uint16_t height = UNTOUCHED;
        const CapturedOutput output =
            captureOutput([&] { EXPECT_FALSE(loadPng(dir.file("bad.png"), width, height)); });
        EXPECT_EQ(width, UNTOUCHED);
        EXPECT_EQ(height, UNTOUCHED);
        EXPECT_EQ(output.err, "");
    }

    uint16_t width = UNTOUCHED;
    uint16_t height = UNTOUCHED;
    EXPECT_FALSE(loadPng(dir.file("missing.png"), width, height));
    EXPECT_EQ(width, UNTOUCHED);
}

TEST(PngDecoding, TakesUpTo8192PixelsASideAndSaysWhyLargerIsRefused) {
    TempDir dir;
    PngContents wide;
    wide.height = 1;
    wide.colorType = PNG_COLOR_TYPE_GRAY;
    wide.width = 8193;
    wide.rows = {std::vector<uint8_t>(8193, 9)};
    writePng(dir.file("too-wide.png"), wide);
    uint16_t width = UNTOUCHED;
    uint16_t height = UNTOUCHED;
    std::string error;
    EXPECT_FALSE(loadPng(dir.file("too-wide.png"), width, height, &error));
    EXPECT_EQ(error, "8193 x 1 pixels is wider or taller than 8192");
    EXPECT_EQ(width, UNTOUCHED);

    wide.width = 8192;
    wide.rows = {std::vector<uint8_t>(8192, 9)};
    writePng(dir.file("widest.png"), wide);
    const PixelBlock pixels = loadPng(dir.file("widest.png"), width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 8192);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(pixels[8191 * 4], 9);
    EXPECT_EQ(pixels[8191 * 4 + 3], 255);
}
