// loadBmpWithAlpha on arbitrary bytes: the block must hold width * height
// B, G, R, A pixels, what the RGBA upload reads.
#include "fuzz_file.h"
#include "gfx/image_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint16_t width = 1, height = 1;
    const PixelBlock pixels = loadBmpWithAlpha(writeFuzzFile(data, size, ".fnt"), width, height);
    if (!pixels) {
        FUZZ_REQUIRE(width == 0 && height == 0);
        return 0;
    }
    FUZZ_REQUIRE(width > 0 && height > 0);
    touchBytes(pixels.get(), uint64_t{width} * height * 4);
    return 0;
}
