#pragma once

#include <cstdint>
#include <vector>

#include "gfx/gl_api.h"
#include "platform/platform.h"

// Size of the offscreen surface the GL tests draw into.
constexpr int GL_TEST_WIDTH = 64;
constexpr int GL_TEST_HEIGHT = 64;

// Reads back the whole surface as RGBA, bottom row first.
inline std::vector<uint8_t> readPixels(int width = GL_TEST_WIDTH, int height = GL_TEST_HEIGHT) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Whether the driver still knows NAME as a buffer.
inline bool isBuffer(GLuint name) {
    static const auto isBufferFunction =
        reinterpret_cast<PFNGLISBUFFERPROC>(platform::glProcAddress("glIsBuffer"));
    return isBufferFunction(name) == GL_TRUE;
}

// The RGBA of one pixel (x from the left, y from the bottom).
inline std::vector<uint8_t> pixelAt(int x, int y) {
    std::vector<uint8_t> p(4);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return p;
}
