#include "gfx/webgl_formats.h"

#include <cstddef>
#include <utility>

#include "gfx/gl_api.h"

namespace {

constexpr size_t UNPACK_ALIGNMENT = 4;

}  // namespace

uint32_t webglPixelFormat(uint32_t format) {
    if (format == GL_BGR) return GL_RGB;
    if (format == GL_BGRA) return GL_RGBA;
    return format;
}

void swapRedAndBlue(uint8_t* pixels, uint32_t format, int width, int height) {
    size_t channels = 0;
    if (format == GL_BGR)
        channels = 3;
    else if (format == GL_BGRA)
        channels = 4;
    if (pixels == nullptr || channels == 0 || width <= 0 || height <= 0) return;
    const size_t rowBytes = static_cast<size_t>(width) * channels;
    const size_t stride = (rowBytes + UNPACK_ALIGNMENT - 1) / UNPACK_ALIGNMENT * UNPACK_ALIGNMENT;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(y) * stride;
        for (size_t x = 0; x < rowBytes; x += channels) std::swap(row[x], row[x + 2]);
    }
}

int32_t webglWrapMode(int32_t mode) { return mode == GL_CLAMP_TO_BORDER ? GL_CLAMP_TO_EDGE : mode; }
