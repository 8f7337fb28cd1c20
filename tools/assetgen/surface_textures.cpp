// Textures drawn with linear filtering over large surfaces: the floor takes one
// copy over 100 x 100 units, so detail is kept low-frequency and the
// resolution generous.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "pi.h"
#include "random.h"
#include "texture_layout.h"
#include "textures.h"

namespace {

// Pixel centres.
float fx(int v) { return static_cast<float>(v) + 0.5f; }
float fy(int v) { return static_cast<float>(v) + 0.5f; }

// Scatters small rounded stones: lit from the top left, with a soft shadow.
void scatterPebbles(Image& image, Random& random, int count, float scale, const Colour& base) {
    for (int i = 0; i < count; ++i) {
        const float cx = random.range(0.0f, static_cast<float>(image.width()));
        const float cy = random.range(0.0f, static_cast<float>(image.height()));
        const float rx = random.range(1.6f, 4.5f) * scale;
        const float ry = rx * random.range(0.6f, 1.0f);
        const Colour c =
            shade(mix(base, {0.55f, 0.50f, 0.45f, 1}, random.uniform()), random.range(0.75f, 1.15f));
        const int x0 = std::max(0, static_cast<int>(cx - rx - 3)),
                  x1 = std::min(image.width() - 1, static_cast<int>(cx + rx + 3 * scale));
        const int y0 = std::max(0, static_cast<int>(cy - ry - 3)),
                  y1 = std::min(image.height() - 1, static_cast<int>(cy + ry + 3 * scale));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const float dx = (fx(x) - cx) / rx, dy = (fy(y) - cy) / ry;
                const float d = std::sqrt(dx * dx + dy * dy);
                // Shadow toward the lower right first, then the stone.
                const float sx = (fx(x) - cx - 1.2f * scale) / rx, sy = (fy(y) - cy - 1.2f * scale) / ry;
                const float shadowDistance = std::sqrt(sx * sx + sy * sy);
                if (shadowDistance < 1.1f)
                    image.blend(x, y, {0.10f, 0.09f, 0.06f, 0.35f}, clamp01(1.1f - shadowDistance));
                if (d < 1.0f) {
                    const float lit = clamp01(0.5f - (dx + dy) * 0.35f);
                    image.blend(x, y, shade(c, 0.75f + 0.5f * lit), clamp01((1.0f - d) * rx));
                }
            }
        }
    }
}

}  // namespace

Image makeSeaFloor() {
    // Features are sized for 512 pixels across the room; `scale` keeps them the
    // same SIZE in the room at the finer resolution.
    constexpr int SIZE = 1024;
    constexpr float scale = SIZE / 512.0f;
    constexpr uint32_t SEED = 101;
    const Colour sandLight = {0.80f, 0.72f, 0.53f, 1};
    const Colour sandDark = {0.64f, 0.57f, 0.41f, 1};
    const Colour grassDark = {0.26f, 0.39f, 0.21f, 1};
    const Colour grassLight = {0.43f, 0.55f, 0.29f, 1};
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const float px = fx(x) / scale, py = fy(y) / scale;
            const float u = px / 128.0f, v = py / 128.0f;
            const float tone = fractalNoise(u, v, 4, 4, SEED);
            Colour c = mix(sandDark, sandLight, smoothStep(0.3f, 0.7f, tone));
            // Ripple marks left by the current.
            const float warp = fractalNoise(u * 2.0f, v * 2.0f, 8, 2, SEED + 1);
            const float ripple = std::sin((px * 0.8f + py * 0.35f) / 5.0f + warp * 9.0f);
            c = shade(c, 1.0f + 0.045f * ripple);
            // Meadows of sea grass, their blades suggested by streaky noise.
            const float meadow = fractalNoise(u * 1.5f, v * 1.5f, 6, 4, SEED + 2);
            const float cover = 0.8f * smoothStep(0.5f, 0.64f, meadow);
            if (cover > 0.0f) {
                const float blades = valueNoise(px / 2.0f, py / 6.0f, 256, SEED + 3);
                const Colour grass = mix(grassDark, grassLight, blades);
                c = mix(c, grass, cover * (0.75f + 0.25f * blades));
            }
            image.at(x, y) = c;
        }
    }
    Random random(SEED + 4);
    scatterPebbles(image, random, 420, scale, {0.58f, 0.52f, 0.44f, 1});
    return image;
}

Image makeFloorTiles() {
    // 16 x 16 TILES over the room, each about six units wide, with a border
    // row in teal and gold.
    constexpr int SIZE = 1024;
    constexpr int TILES = 16;
    constexpr int TILE = SIZE / TILES;
    constexpr int GROUT = 2;  // pixels of GROUT on each side of a TILE
    constexpr int BEVEL = 2;
    constexpr uint32_t SEED = 131;
    const float tileCentre = TILE / 2.0f;
    const Colour cream = {0.90f, 0.86f, 0.75f, 1};
    const Colour sand = {0.80f, 0.69f, 0.50f, 1};
    const Colour border = {0.12f, 0.40f, 0.42f, 1};
    const Colour groutColour = {0.42f, 0.39f, 0.33f, 1};
    const Colour inlay = {0.10f, 0.34f, 0.38f, 1};
    const Colour gold = {0.88f, 0.68f, 0.24f, 1};
    const Colour stain = {0.30f, 0.38f, 0.24f, 1};
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const int i = x / TILE, j = y / TILE;
            const int lx = x % TILE, ly = y % TILE;
            const bool edge = i == 0 || j == 0 || i == TILES - 1 || j == TILES - 1;
            Colour c;
            if (lx < GROUT || ly < GROUT || lx >= TILE - GROUT || ly >= TILE - GROUT) {
                c = groutColour;
            } else {
                c = edge ? border : ((i + j) % 2 ? sand : cream);
                c = shade(c, 0.94f + 0.12f * latticeHash(i, j, SEED));
                // Soft marble veins: thin ridges of the noise.
                const float marble = fractalNoise(fx(x) / 80.0f, fy(y) / 80.0f, 13, 3, SEED + 1);
                const float vein = std::fabs(marble - 0.5f);
                c = shade(c, 1.0f - 0.06f * (1.0f - smoothStep(0.0f, 0.05f, vein)));
                if (lx < GROUT + BEVEL || ly < GROUT + BEVEL) c = shade(c, 1.06f);
                if (lx >= TILE - GROUT - BEVEL || ly >= TILE - GROUT - BEVEL) c = shade(c, 0.90f);
                if (edge) {
                    // A gold diamond in every border TILE.
                    const float d = std::fabs(fx(lx) - tileCentre) + std::fabs(fy(ly) - tileCentre);
                    c = mix(c, gold, clamp01(TILE * 0.23f - d));
                }
            }
            image.at(x, y) = c;
        }
    }
    // Small dark inlays where four TILES meet.
    const int inlayRadius = TILE * 5 / 32;
    for (int j = 1; j < TILES; ++j) {
        for (int i = 1; i < TILES; ++i) {
            const int cx = i * TILE, cy = j * TILE;
            for (int y = cy - inlayRadius - 1; y <= cy + inlayRadius; ++y) {
                for (int x = cx - inlayRadius - 1; x <= cx + inlayRadius; ++x) {
                    const float d = std::fabs(fx(x) - cx) + std::fabs(fy(y) - cy);
                    image.blend(x, y, inlay, clamp01(inlayRadius - d));
                }
            }
        }
    }
    // Algae stains from years under water, faint and broad.
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const float n = fractalNoise(fx(x) / 256.0f, fy(y) / 256.0f, 4, 4, SEED + 2);
            image.at(x, y) = mix(image.at(x, y), stain, 0.45f * smoothStep(0.5f, 0.75f, n));
        }
    }
    return image;
}

Image makeCliffRock() {
    constexpr int SIZE = 256;
    constexpr uint32_t SEED = 151;
    const Colour palette[5] = {{0.54f, 0.48f, 0.41f, 1},
                               {0.46f, 0.42f, 0.38f, 1},
                               {0.60f, 0.54f, 0.45f, 1},
                               {0.42f, 0.39f, 0.37f, 1},
                               {0.50f, 0.47f, 0.44f, 1}};
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const float u = fx(x) / 64.0f, v = fy(y) / 64.0f;
            // Strata of uneven thickness run across the face, bent by broad noise.
            const float bend = fractalNoise(u * 0.5f, v * 0.5f, 2, 3, SEED);
            const float stratum =
                fy(y) / 26.0f + bend * 2.5f + 0.35f * fractalNoise(u * 2.0f, 0.0f, 8, 2, SEED + 3);
            const int layer = static_cast<int>(std::floor(stratum));
            const float within = stratum - std::floor(stratum);
            Colour c = palette[static_cast<int>(latticeHash(layer, 0, SEED) * 5.0f) % 5];
            // Each ledge is lit along its top and shadowed underneath.
            float light = 1.08f - 0.22f * within;
            if (within > 0.93f) light *= 0.7f;
            // Rough grain at two scales.
            light *= 0.86f + 0.28f * fractalNoise(u * 4.0f, v * 4.0f, 16, 3, SEED + 1);
            // A few joints split each layer into blocks, leaning a little.
            const float joint =
                valueNoise(u * 0.9f + within * 0.15f, static_cast<float>(layer) * 5.3f, 4, SEED + 4);
            const float jointLine = std::fabs(joint * 3.0f - std::floor(joint * 3.0f) - 0.5f);
            if (jointLine > 0.485f) light *= 0.7f;
            // Fine cracks: thin ridges of a second noise.
            const float crack = std::fabs(fractalNoise(u, v * 0.7f, 4, 4, SEED + 2) - 0.5f);
            light *= 0.75f + 0.25f * smoothStep(0.0f, 0.012f, crack);
            image.at(x, y) = shade(c, light);
        }
    }
    return image;
}

Image makeWaterSurface() {
    constexpr int SIZE = 256;
    constexpr uint32_t SEED = 171;
    const Colour deep = {0.06f, 0.34f, 0.46f, 0.34f};
    const Colour crest = {0.62f, 0.88f, 0.92f, 0.52f};
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const float u = fx(x) / 64.0f, v = fy(y) / 64.0f;
            const float swell = fractalNoise(u, v, 4, 3, SEED);
            Colour c = mix(deep, shade(deep, 1.25f), swell);
            // Bright ripple lines: where a warped noise crosses its middle.
            const float ripple = fractalNoise(u * 1.5f + swell, v * 1.5f - swell, 6, 3, SEED + 1);
            const float line = 1.0f - smoothStep(0.0f, 0.04f, std::fabs(ripple - 0.5f));
            c = mix(c, crest, 0.6f * line);
            image.at(x, y) = c;
        }
    }
    return image;
}

Image makeSeaweedBlade() {
    constexpr int width = 64;
    constexpr int height = 256;
    const Colour root = {0.07f, 0.26f, 0.10f, 1};
    const Colour tip = {0.46f, 0.74f, 0.26f, 1};
    Image image(width, height, withAlpha(root, 0.0f));
    auto bladeAt = [&](float y, float& centre, float& halfWidth) {
        const float t = 1.0f - y / static_cast<float>(height);  // 0 at the root
        centre = width / 2.0f + 7.0f * std::sin(t * PI_FLOAT * 2.2f) * t;
        halfWidth = (width / 2.0f - 3.0f) * (1.0f - std::pow(t, 1.8f)) * (0.55f + 0.45f * (1.0f - t)) +
                    2.5f * std::sin(t * 46.0f) * (1.0f - t);
        halfWidth = std::max(halfWidth, 0.0f);
    };
    image.fillShape(
        [&](float x, float y) {
            float centre, halfWidth;
            bladeAt(y, centre, halfWidth);
            return std::fabs(x - centre) - halfWidth;
        },
        [&](float x, float y) {
            float centre, halfWidth;
            bladeAt(y, centre, halfWidth);
            const float t = 1.0f - y / static_cast<float>(height);
            Colour c = mix(root, tip, smoothStep(0.0f, 0.9f, t));
            const float across = halfWidth > 0.0f ? std::fabs(x - centre) / halfWidth : 0.0f;
            // A lighter midrib and darker rims give the blade some relief.
            c = shade(c, 1.0f + 0.25f * (1.0f - smoothStep(0.0f, 0.15f, across)) -
                             0.25f * smoothStep(0.7f, 1.0f, across));
            return c;
        });
    return image;
}
