// loadBmp on arbitrary bytes: the block must hold the padded rows the texture
// upload reads, width * 3 rounded up to 4, times height.
#include "fuzz_file.h"
#include "gfx/image_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint16_t width = 1, height = 1;
    const PixelBlock pixels = loadBmp(writeFuzzFile(data, size, ".bmp"), width, height);
    if (!pixels) {
        FUZZ_REQUIRE(width == 0 && height == 0);
        return 0;
    }
    FUZZ_REQUIRE(width > 0 && height > 0);
    touchBytes(pixels.get(), (uint64_t{width} * 3 + 3) / 4 * 4 * height);
    return 0;
}
