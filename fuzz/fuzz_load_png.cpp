// loadPng on arbitrary bytes: the block must hold width * height RGBA pixels.
// libpng rejects a critical chunk whose CRC does not match, so byte-level
// mutations alone would almost never get a changed header or image size past
// it; the mutator below recomputes every chunk's CRC after mutating, and the
// inputs reach the decoding proper.
#include <zlib.h>

#include "fuzz_file.h"
#include "gfx/image_decoders.h"

namespace {

constexpr size_t SIGNATURE_BYTES = 8;
constexpr size_t LENGTH_BYTES = 4, TYPE_BYTES = 4, CRC_BYTES = 4;

uint32_t readBe32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

void writeBe32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// Walks the chunks after the signature and rewrites each CRC over its type
// and data; stops at the first chunk that runs past the end.
void fixChunkCrcs(uint8_t* data, size_t size) {
    size_t at = SIGNATURE_BYTES;
    while (at + LENGTH_BYTES + TYPE_BYTES + CRC_BYTES <= size) {
        const uint32_t length = readBe32(data + at);
        if (length > size - at - LENGTH_BYTES - TYPE_BYTES - CRC_BYTES) return;
        const uint8_t* typed = data + at + LENGTH_BYTES;
        const uLong crc = crc32(crc32(0, nullptr, 0), typed, TYPE_BYTES + length);
        writeBe32(data + at + LENGTH_BYTES + TYPE_BYTES + length, static_cast<uint32_t>(crc));
        at += LENGTH_BYTES + TYPE_BYTES + length + CRC_BYTES;
    }
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int /*seed*/) {
    const size_t mutated = LLVMFuzzerMutate(data, size, maxSize);
    fixChunkCrcs(data, mutated);
    return mutated;
}

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
