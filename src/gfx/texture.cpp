#include "gfx/texture.h"

#include <iostream>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "gfx/webgl_formats.h"
#include "platform/platform.h"

namespace {

bool endsWith(const std::string& path, const char* extension) {
    const std::string::size_type length = std::char_traits<char>::length(extension);
    return path.size() >= length && path.compare(path.size() - length, length, extension) == 0;
}

}  // namespace

void Texture::load(const std::string& path) {
    // The old block goes before the new one is decoded, so a texture never
    // holds two images at once.
    freePixels();
    uint16_t decodedWidth = 0;
    uint16_t decodedHeight = 0;
    std::string error;
    if (endsWith(path, ".bmp")) {
        pixels = loadBmp(path, decodedWidth, decodedHeight, &error);
        internalFormat = GL_RGB;
        format = GL_BGR;
    } else if (endsWith(path, ".png")) {
        pixels = loadPng(path, decodedWidth, decodedHeight, &error);
        internalFormat = GL_RGBA;
        format = GL_RGBA;
    } else {
        pixels = loadBmpWithAlpha(path, decodedWidth, decodedHeight, &error);
        internalFormat = GL_RGBA;
        format = GL_BGRA;
    }
    // Without pixels the size is 0 x 0, so an upload defines an empty texture
    // instead of reading a block that is not there; the game goes on with it.
    width = pixels ? decodedWidth : 0;
    height = pixels ? decodedHeight : 0;
    if (!pixels) std::cerr << "Could not load image: " << path << " " << error << std::endl;
}

void Texture::upload() {
    name = renderer.genTexture();
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    if (renderer.flavour() == GlFlavour::ES) {
        // OpenGL ES takes red-first bytes only. The block is put in that order
        // for good (the format then names it), so uploading it again stays right.
        swapRedAndBlue(pixels.get(), format, width, height);
        format = webglPixelFormat(format);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, pixels.get());
}

void Texture::freePixels() { pixels.reset(); }

void Texture::setFilter(bool linear) {
    bind();
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

void Texture::setWrap(WrapMode mode) {
    static constexpr GLint WRAP_MODES[] = {GL_MIRRORED_REPEAT, GL_REPEAT, GL_CLAMP_TO_EDGE,
                                           GL_CLAMP_TO_BORDER};
    constexpr WrapMode WRAP_MODE_COUNT = sizeof(WRAP_MODES) / sizeof(WRAP_MODES[0]);
    bind();
    if (mode < 0 || mode >= WRAP_MODE_COUNT) return;
    GLint wrap = WRAP_MODES[mode];
    if (renderer.flavour() == GlFlavour::ES) wrap = webglWrapMode(wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void Texture::bind() const { glBindTexture(GL_TEXTURE_2D, name); }

void Texture::deleteTexture() {
    // Reached while the game is torn down, possibly after the context is gone.
    if (!platform::glContextCurrent()) return;
    const GLuint texture = name;
    glDeleteTextures(1, &texture);
}
