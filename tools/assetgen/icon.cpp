#include "icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "image_files.h"
#include "noise.h"
#include "textures.h"

namespace {

constexpr int GOLD_KEY = 3;
constexpr float PI = 3.14159265f;

// Each pixel of the icon is the average of SUPERSAMPLING x SUPERSAMPLING
// samples: the ripple lines are finer than a pixel at the small sizes.
constexpr int SUPERSAMPLING = 4;

// The water tile: a gradient from the lit surface to the deep, crossed by
// the bright ripple lines of the game's water, inside a pale rim.
void paintWaterTile(Image& image) {
    constexpr uint32_t SEED = 171;  // the game's water.png
    constexpr int NOISE_PERIOD = 64;
    const Colour surface = {0.22f, 0.64f, 0.76f, 1};
    const Colour deep = {0.03f, 0.20f, 0.38f, 1};
    const Colour crest = {0.70f, 0.92f, 0.95f, 1};
    const float size = static_cast<float>(image.width());
    const float half = size / 2.0f;
    const float margin = 0.03f * size;
    const float rim = 0.02f * size;
    auto tile = [&](float x, float y) {
        return roundedBoxDistance(x, y, half, half, half - margin, half - margin, 0.2f * size);
    };
    image.fillShape(tile, [&](float x, float y) {
        const float u = x / size * 3.0f, v = y / size * 3.0f;
        const float swell = fractalNoise(u, v, NOISE_PERIOD, 3, SEED);
        Colour c = mix(surface, deep, clamp01(y / size * 0.8f + 0.3f * swell));
        const float ripple = fractalNoise(u * 1.5f + swell, v * 1.5f - swell, NOISE_PERIOD, 3, SEED + 1);
        const float line = 1.0f - smoothStep(0.0f, 0.035f, std::fabs(ripple - 0.5f));
        c = mix(c, crest, 0.55f * line);
        if (tile(x, y) > -rim) c = mix(c, crest, 0.5f);
        return c;
    });
}

// The key lies from top left (the ring) to bottom right (the bit), its
// shadow on the water below it and to the right.
void paintKeyWithShadow(Image& image) {
    const float size = static_cast<float>(image.width());
    const float scale = 0.0072f * size;  // the key's 117 drawn pixels span about 0.84 of the icon
    const float angle = -PI / 4.0f;
    const float shadowOffset = 0.025f * size;
    Image shadow(image.width(), image.height());
    paintKey(shadow, GOLD_KEY, {size / 2.0f + shadowOffset, size / 2.0f + shadowOffset, scale, angle});
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.blend(x, y, {0, 0.03f, 0.08f, 0.45f}, shadow.at(x, y).a);
    paintKey(image, GOLD_KEY, {size / 2.0f, size / 2.0f, scale, angle});
}

// Averages each block of factor x factor pixels, weighting colour by alpha
// so that transparent pixels lend the edge no colour.
Image averageDown(const Image& image, int factor) {
    Image out(image.width() / factor, image.height() / factor);
    const float samples = static_cast<float>(factor * factor);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            Colour sum{0, 0, 0, 0};
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const Colour& c = image.at(x * factor + sx, y * factor + sy);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            if (sum.a > 0.0f) out.at(x, y) = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / samples};
        }
    }
    return out;
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffffu);
    put16(out, v >> 16);
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

Image makeIcon(int size) {
    Image large(size * SUPERSAMPLING, size * SUPERSAMPLING);
    paintWaterTile(large);
    paintKeyWithShadow(large);
    return averageDown(large, SUPERSAMPLING);
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

bool writeIconSet(const std::string& root) {
    // The hicolor theme's usual sizes, 192 for the web page's manifest, and
    // the sizes Windows shows an exe at (256 for large icon views).
    static const int pngSizes[] = {16, 24, 32, 48, 64, 128, 192, 256, 512};
    static const int icoSizes[] = {16, 24, 32, 48, 64, 256};
    bool ok = true;
    std::vector<std::vector<uint8_t>> icoEntries;
    for (int size : pngSizes) {
        const std::string path = root + "/icons/mirelo-" + std::to_string(size) + ".png";
        const std::vector<uint8_t> png = encodePng(makeIcon(size));
        if (png.empty()) {
            std::fprintf(stderr, "assetgen: could not encode %s\n", path.c_str());
            ok = false;
            continue;
        }
        ok = writeBytes(path, png) && ok;
        if (std::find(std::begin(icoSizes), std::end(icoSizes), size) != std::end(icoSizes))
            icoEntries.push_back(png);
    }
    const std::vector<uint8_t> ico = encodeIco(icoEntries);
    if (!ok || ico.empty()) {
        std::fprintf(stderr, "assetgen: could not make %s/icons/mirelo.ico\n", root.c_str());
        return false;
    }
    return writeBytes(root + "/icons/mirelo.ico", ico);
}
