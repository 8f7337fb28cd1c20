#include "gfx/image_decoders.h"

#include <png.h>

#include <csetjmp>
#include <fstream>
#include <new>
#include <utility>
#include <vector>

namespace {

// 14-byte file header + 40-byte information header; the pixels follow directly.
constexpr std::streamoff BMP_HEADER_BYTES = 54;
constexpr size_t BMP_WIDTH_OFFSET = 18;
constexpr size_t BMP_HEIGHT_OFFSET = 22;
constexpr size_t BMP_IMAGE_SIZE_OFFSET = 34;

const char* const CANNOT_OPEN = "cannot be opened";
const char* const READ_FAILED = "cannot be read";
const char* const OUT_OF_MEMORY = "does not fit in memory";

uint32_t readLe32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// The part of a BMP both readers act on: its size and the pixel bytes to read.
struct BmpPixelData {
    uint16_t width = 0;
    uint16_t height = 0;
    uint64_t size = 0;
};

// Bytes the upload will read for an image of this size (so the minimum the
// block must hold).
using RequiredBytes = uint64_t (*)(uint64_t width, uint64_t height);

// The decoders' results: null, with the reason when the caller wants one.
PixelBlock fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return nullptr;
}

std::string tooLarge(uint64_t width, uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels is wider or taller than " +
           std::to_string(MAX_IMAGE_SIDE);
}

// Reads the header and leaves the stream at the first pixel byte. Fails for a
// file too short for its header, for sizes that are not positive or exceed
// MAX_IMAGE_SIDE, for an image-size field smaller than the image needs (the
// upload would read past the block) and for pixel data the file does not hold.
bool readBmpHeader(std::ifstream& file, RequiredBytes requiredBytes, BmpPixelData& data,
                   std::string& reason) {
    unsigned char header[BMP_HEADER_BYTES];
    reason = "is not a 24-bit BMP it can read";
    if (!file.read(reinterpret_cast<char*>(header), BMP_HEADER_BYTES)) return false;

    // Negative heights (top-down rows) are not supported, so both fields are
    // taken as signed and must be positive.
    const int32_t width = static_cast<int32_t>(readLe32(header + BMP_WIDTH_OFFSET));
    const int32_t height = static_cast<int32_t>(readLe32(header + BMP_HEIGHT_OFFSET));
    if (width <= 0 || height <= 0) return false;
    if (static_cast<uint64_t>(width) > MAX_IMAGE_SIDE || static_cast<uint64_t>(height) > MAX_IMAGE_SIDE) {
        reason = tooLarge(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
        return false;
    }

    const uint64_t required = requiredBytes(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    const uint32_t imageSizeField = readLe32(header + BMP_IMAGE_SIZE_OFFSET);
    const uint64_t size = imageSizeField != 0 ? imageSizeField : required;
    if (size < required) return false;

    file.seekg(0, std::ios::end);
    const std::streamoff fileSize = file.tellg();
    if (fileSize < BMP_HEADER_BYTES || static_cast<uint64_t>(fileSize - BMP_HEADER_BYTES) < size) {
        reason = "holds fewer pixel bytes than its header claims";
        return false;
    }
    file.seekg(BMP_HEADER_BYTES);

    data.width = static_cast<uint16_t>(width);
    data.height = static_cast<uint16_t>(height);
    data.size = size;
    return true;
}

// Rows are stored padded to 4 bytes and the block keeps that padding.
uint64_t paddedBgrBytes(uint64_t width, uint64_t height) { return (width * 3 + 3) / 4 * 4 * height; }

// The alpha reader takes the pixels as one stream of triples, one per pixel.
uint64_t packedBgrBytes(uint64_t width, uint64_t height) { return width * 3 * height; }

// libpng reports every failure here; jumping back to the setjmp in decodePng
// turns it into a null result instead of libpng's default of ending the process.
[[noreturn]] void onPngError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }

// Warnings concern images that still decode (an odd ancillary chunk, say).
void onPngWarning(png_structp, png_const_charp) {}

void readPngBytes(png_structp png, png_bytep data, size_t length) {
    auto* file = static_cast<std::istream*>(png_get_io_ptr(png));
    if (!file->read(reinterpret_cast<char*>(data), static_cast<std::streamsize>(length)))
        png_error(png, "unexpected end of file");
}

constexpr size_t PNG_SIGNATURE_BYTES = 8;
constexpr png_uint_32 RGBA_BYTES_PER_PIXEL = 4;
constexpr png_uint_32 OPAQUE_ALPHA = 0xFF;
// Deflate turns one byte of compressed data into at most 1032 bytes.
constexpr uint64_t MAX_DEFLATE_RATIO = 1032;

// The header alone sizes the block, before any image data is read. The block
// is the image expanded to 8-bit RGBA, up to 32 times the bits the file
// stores per pixel (1-bit grey), so it is the block, not the stored pixels,
// that must fit what the whole file could inflate to: a few kilobytes must
// not make the game reserve gigabytes.
bool blockFitsFile(png_uint_32 width, png_uint_32 height, uint64_t fileBytes) {
    return uint64_t{width} * height * RGBA_BYTES_PER_PIXEL <= fileBytes * MAX_DEFLATE_RATIO;
}

// A libpng error jumps back into this function past every frame in between,
// so it holds nothing that needs a destructor: the block, the row table and
// the reason belong to the caller, which releases them either way.
bool decodePng(png_structp png, png_infop info, uint64_t fileBytes, PixelBlock& pixels,
               std::vector<png_bytep>& rows, png_uint_32& width, png_uint_32& height, std::string& reason) {
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_sig_bytes(png, PNG_SIGNATURE_BYTES);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE) {
        reason = tooLarge(width, height);
        return false;
    }
    if (!blockFitsFile(width, height, fileBytes)) {
        reason = "claims more pixels than the file can hold";
        return false;
    }

    // Textures upload every PNG as 8-bit RGBA, so palettes, grey, low and high
    // bit depths and tRNS transparency are all converted to that.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, OPAQUE_ALPHA, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<size_t>(width) * RGBA_BYTES_PER_PIXEL) return false;

    pixels.reset(new (std::nothrow) uint8_t[rowBytes * height]);
    if (!pixels) return false;
    rows.resize(height);
    // Flipped: the PNG's top row goes to the end of the block, as GL wants row 0 at t = 0.
    for (png_uint_32 i = 0; i < height; ++i) rows[i] = pixels.get() + (height - i - 1) * rowBytes;
    png_read_image(png, rows.data());
    return true;
}

}  // namespace

PixelBlock loadBmp(const std::string& path, uint16_t& width, uint16_t& height, std::string* error) {
    width = 0;
    height = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) return fail(error, CANNOT_OPEN);
    BmpPixelData data;
    std::string reason;
    if (!readBmpHeader(file, paddedBgrBytes, data, reason)) return fail(error, reason);

    PixelBlock pixels(new (std::nothrow) uint8_t[data.size]);
    if (!pixels) return fail(error, OUT_OF_MEMORY);
    if (!file.read(reinterpret_cast<char*>(pixels.get()), static_cast<std::streamsize>(data.size)))
        return fail(error, READ_FAILED);
    width = data.width;
    height = data.height;
    return pixels;
}

PixelBlock loadBmpWithAlpha(const std::string& path, uint16_t& width, uint16_t& height, std::string* error) {
    width = 0;
    height = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) return fail(error, CANNOT_OPEN);
    BmpPixelData data;
    std::string reason;
    if (!readBmpHeader(file, packedBgrBytes, data, reason)) return fail(error, reason);

    // Only whole triples become pixels; a trailing partial one is dropped.
    const uint64_t triples = data.size / 3;
    PixelBlock pixels(new (std::nothrow) uint8_t[triples * 4]);
    if (!pixels) return fail(error, OUT_OF_MEMORY);
    if (!file.read(reinterpret_cast<char*>(pixels.get()), static_cast<std::streamsize>(triples * 3)))
        return fail(error, READ_FAILED);

    // Widen in place from the last pixel back: pixel k moves from 3k to 4k,
    // never onto a triple that is still to be moved.
    uint8_t* bytes = pixels.get();
    for (uint64_t k = triples; k-- > 0;) {
        const uint8_t blue = bytes[3 * k];
        const uint8_t green = bytes[3 * k + 1];
        const uint8_t red = bytes[3 * k + 2];
        bytes[4 * k] = blue;
        bytes[4 * k + 1] = green;
        bytes[4 * k + 2] = red;
        bytes[4 * k + 3] = red;
    }
    width = data.width;
    height = data.height;
    return pixels;
}

PixelBlock loadPng(const std::string& path, uint16_t& width, uint16_t& height, std::string* error) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return fail(error, CANNOT_OPEN);
    const std::streamoff fileBytes = file.tellg();
    if (fileBytes < 0 || !file.seekg(0)) return fail(error, READ_FAILED);
    png_byte signature[PNG_SIGNATURE_BYTES];
    if (!file.read(reinterpret_cast<char*>(signature), PNG_SIGNATURE_BYTES) ||
        png_sig_cmp(signature, 0, PNG_SIGNATURE_BYTES) != 0)
        return fail(error, "is not a PNG");

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
    if (!png) return fail(error, OUT_OF_MEMORY);
    png_infop info = png_create_info_struct(png);
    png_infop endInfo = png_create_info_struct(png);
    if (!info || !endInfo) {
        png_destroy_read_struct(&png, &info, &endInfo);
        return fail(error, OUT_OF_MEMORY);
    }
    png_set_read_fn(png, &file, readPngBytes);

    PixelBlock pixels;
    std::vector<png_bytep> rows;
    png_uint_32 pngWidth = 0;
    png_uint_32 pngHeight = 0;
    std::string reason = "is damaged or not a PNG it can read";
    const bool decoded =
        decodePng(png, info, static_cast<uint64_t>(fileBytes), pixels, rows, pngWidth, pngHeight, reason);
    png_destroy_read_struct(&png, &info, &endInfo);
    if (!decoded) return fail(error, reason);
    width = static_cast<uint16_t>(pngWidth);
    height = static_cast<uint16_t>(pngHeight);
    return pixels;
}
