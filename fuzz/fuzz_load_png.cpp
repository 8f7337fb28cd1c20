// loadPng on arbitrary bytes: the block must hold width * height RGBA pixels.
#include "fuzz_file.h"
#include "gfx/image_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr uint16_t UNTOUCHED = 7;
    uint16_t width = UNTOUCHED, height = UNTOUCHED;
    const PixelBlock pixels = loadPng(writeFuzzFile(data, size, ".png"), width, height);
    if (!pixels) {
        FUZZ_REQUIRE(width == UNTOUCHED && height == UNTOUCHED);
        return 0;
    }
    touchBytes(pixels.get(), uint64_t{width} * height * 4);
    return 0;
}
