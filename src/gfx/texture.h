#pragma once

#include <cstdint>
#include <string>

#include "gfx/image_decoders.h"

// Texture::setWrap modes: 0 mirrored repeat, 1 repeat, 2 clamp to edge,
// 3 clamp to border; any other value leaves the wrapping as it is.
using WrapMode = int;
constexpr WrapMode WRAP_MIRRORED_REPEAT = 0;
constexpr WrapMode WRAP_REPEAT = 1;

// One 2D GL texture and the decoded pixels it is made from. Decoding,
// uploading, dropping the decoded copy and deleting the GL texture are
// separate steps; the destructor only drops the pixels.
class Texture {
public:
    // Decodes by the path's last four characters (lower case only): ".bmp"
    // as BGR, ".png" as RGBA, anything else (the font's ".fnt") as a BMP with
    // alpha taken from red. A failed decode leaves no pixels and a 0 x 0 size.
    void load(const std::string& path);
    // Creates the GL texture from the pixels with linear filtering and
    // mirrored-repeat wrapping, and leaves it bound to unit 0.
    void upload();
    void freePixels();
    // Nearest filtering for both magnification and minification unless linear.
    void setFilter(bool linear);
    void setWrap(WrapMode mode);
    void bind() const;
    // The GL texture goes; `name` keeps its value.
    void deleteTexture();

    uint32_t name = 0;
    PixelBlock pixels;
    uint16_t width = 0;
    uint16_t height = 0;
    int32_t internalFormat = 0;
    uint32_t format = 0;
    // Every texel's alpha is 1 (the asset manifest says which are).
    bool opaque = false;
};
