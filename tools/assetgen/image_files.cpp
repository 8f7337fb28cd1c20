#include "image_files.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffffu);
    put16(out, v >> 16);
}

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

// Kept free of C++ objects with destructors: libpng reports errors by
// longjmp back into this frame.
bool runPngWriter(png_structp png, png_infop info, std::vector<uint8_t>* out, png_bytepp rows,
                  png_uint_32 width, png_uint_32 height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToVector, noFlush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

// Width of a PNG from its header, or 0 when it is not a square PNG of at
// most 256 pixels (the most an .ico entry can say).
uint32_t squarePngSize(const std::vector<uint8_t>& png) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
    if (png.size() < 24 || !std::equal(signature, signature + 8, png.begin())) return 0;
    auto big32 = [&](size_t at) {
        return static_cast<uint32_t>(png[at]) << 24 | static_cast<uint32_t>(png[at + 1]) << 16 |
               static_cast<uint32_t>(png[at + 2]) << 8 | png[at + 3];
    };
    const uint32_t width = big32(16), height = big32(20);
    return width == height && width >= 1 && width <= 256 ? width : 0;
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Image& image) {
    constexpr uint32_t HEADER_SIZE = 54;
    constexpr uint32_t INFO_HEADER_SIZE = 40;
    constexpr uint32_t PIXELS_PER_METRE = 2835;  // 72 dpi
    const uint32_t width = static_cast<uint32_t>(image.width());
    const uint32_t height = static_cast<uint32_t>(image.height());
    const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t imageSize = rowBytes * height;

    std::vector<uint8_t> out;
    out.reserve(HEADER_SIZE + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, HEADER_SIZE + imageSize);
    put32(out, 0);
    put32(out, HEADER_SIZE);
    put32(out, INFO_HEADER_SIZE);
    put32(out, width);
    put32(out, height);  // positive: rows bottom-up
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // no compression
    put32(out, imageSize);
    put32(out, PIXELS_PER_METRE);
    put32(out, PIXELS_PER_METRE);
    put32(out, 0);
    put32(out, 0);

    const std::vector<uint8_t> rgba = image.rgba8();
    for (uint32_t row = 0; row < height; ++row) {
        const uint32_t y = height - 1 - row;
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (uint32_t pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> encodePng(const Image& image) {
    std::vector<uint8_t> rgba = image.rgba8();
    std::vector<png_bytep> rows(static_cast<size_t>(image.height()));
    const size_t rowBytes = static_cast<size_t>(image.width()) * 4;
    for (size_t y = 0; y < rows.size(); ++y) rows[y] = rgba.data() + y * rowBytes;

    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    const bool ok = runPngWriter(png, info, &out, rows.data(), static_cast<png_uint_32>(image.width()),
                                 static_cast<png_uint_32>(image.height()));
    png_destroy_write_struct(&png, &info);
    if (!ok) out.clear();
    return out;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "assetgen: could not write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::vector<uint8_t> encodeIco(const std::vector<std::vector<uint8_t>>& pngs) {
    constexpr uint32_t HEADER_SIZE = 6;
    constexpr uint32_t ENTRY_SIZE = 16;
    std::vector<uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<uint32_t>(pngs.size()));
    uint32_t offset = HEADER_SIZE + ENTRY_SIZE * static_cast<uint32_t>(pngs.size());
    for (const std::vector<uint8_t>& png : pngs) {
        const uint32_t size = squarePngSize(png);
        if (size == 0) return {};
        out.push_back(static_cast<uint8_t>(size & 0xff));  // 256 is written as 0
        out.push_back(static_cast<uint8_t>(size & 0xff));
        out.push_back(0);  // no palette
        out.push_back(0);  // reserved
        put16(out, 1);     // colour planes
        put16(out, 32);    // bits per pixel
        put32(out, static_cast<uint32_t>(png.size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(png.size());
    }
    for (const std::vector<uint8_t>& png : pngs) out.insert(out.end(), png.begin(), png.end());
    return out;
}
