#include "icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "image_files.h"
#include "noise.h"
#include "pi.h"
#include "textures.h"

namespace {

constexpr int GOLD_KEY = 3;

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
    const float angle = -PI_FLOAT / 4.0f;
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

}  // namespace

Image makeIcon(int size) {
    Image large(size * SUPERSAMPLING, size * SUPERSAMPLING);
    paintWaterTile(large);
    paintKeyWithShadow(large);
    return averageDown(large, SUPERSAMPLING);
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
