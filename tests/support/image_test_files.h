#pragma once

// Image files built by the tests themselves: BMP bytes laid out by hand and
// PNGs written through libpng's own writer.

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A size a test sets before decoding: the decoders leave it alone on a
// failure (PNG) or reset it (BMP).
constexpr uint16_t UNTOUCHED = 7;

// A 54-byte BMP header (24 bits, uncompressed) followed by the given pixel bytes.
inline std::vector<uint8_t> makeBmp(int32_t width, int32_t height, uint32_t imageSizeField,
                                    const std::vector<uint8_t>& pixelBytes) {
    std::vector<uint8_t> bytes(54, 0);
    auto put32 = [&bytes](size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(54 + pixelBytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, imageSizeField);
    // resize + copy rather than insert: GCC 12 warns falsely about insert at -O2.
    bytes.resize(54 + pixelBytes.size());
    std::copy(pixelBytes.begin(), pixelBytes.end(), bytes.begin() + 54);
    return bytes;
}

// What a test PNG holds: rows top first, each already packed for the colour
// type and bit depth (16-bit samples big-endian, as PNG stores them).
struct PngContents {
    uint32_t width = 0;
    uint32_t height = 0;
    int colorType = PNG_COLOR_TYPE_RGBA;
    int bitDepth = 8;
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS entries for a palette image
};

inline void writePng(const std::string& path, const PngContents& image) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!image.palette.empty())
        png_set_PLTE(png, info, image.palette.data(), static_cast<int>(image.palette.size()));
    if (!image.paletteAlpha.empty())
        png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()),
                     nullptr);
    png_write_info(png, info);
    for (const std::vector<uint8_t>& row : image.rows) png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

// A 2 x 2 8-bit RGBA image whose top row is red and bottom row is blue.
inline PngContents redOverBluePng() {
    PngContents image;
    image.width = 2;
    image.height = 2;
    image.rows = {{255, 0, 0, 255, 255, 0, 0, 255}, {0, 0, 255, 255, 0, 0, 255, 255}};
    return image;
}
