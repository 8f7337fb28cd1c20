#include "app/screenshot.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "gfx/gl_api.h"

bool writeScreenshot(const std::string& path, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // GL rows run bottom-up: a negative stride writes them top row first.
    const png_int_32 stride = -static_cast<png_int_32>(width * 4);
    if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), stride, nullptr)) {
        std::fprintf(stderr, "Could not write screenshot %s: %s\n", path.c_str(), image.message);
        return false;
    }
    return true;
}
