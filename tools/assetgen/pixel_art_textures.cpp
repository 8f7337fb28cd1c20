// The small textures the game draws with nearest filtering: every pixel shows,
// so they are laid out pixel by pixel rather than from smooth noise.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "random.h"
#include "texture_layout.h"
#include "textures.h"

namespace {

struct BrickStyle {
    Colour mortar;
    Colour stones[5];
    float edgeLight;   // brightening of the top and left pixel of a brick
    float edgeShadow;  // darkening of the bottom and right pixel
    float grain;       // per-pixel brightness jitter
    Colour growth;     // algae colour tinting the lower parts
    float growthAmount;
    bool shine;  // diagonal glints, for gold
    uint32_t seed;
};

// Bricks 32 x 16 in rows offset by half a brick, a mortar line on each side of
// every brick and rows starting half a brick above the top edge: the picture
// then tiles seamlessly both when repeated and when mirrored.
Image brickWall(const BrickStyle& style) {
    constexpr int SIZE = WALL_SIZE;
    constexpr int ROW_HEIGHT = 16;
    constexpr int BRICK_WIDTH = 32;
    constexpr int ROW_COUNT = SIZE / ROW_HEIGHT;
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        const int rowPosition = y + ROW_HEIGHT / 2;
        const int row = (rowPosition / ROW_HEIGHT) % ROW_COUNT;
        const int ly = rowPosition % ROW_HEIGHT;
        const int shift = (row % 2) ? BRICK_WIDTH / 2 : 0;
        for (int x = 0; x < SIZE; ++x) {
            const int bx = (x + shift) % SIZE;
            const int column = bx / BRICK_WIDTH;
            const int lx = bx % BRICK_WIDTH;
            const float jitter = (latticeHash(x, y, style.seed) - 0.5f) * style.grain;
            const bool mortar = ly == 0 || ly == ROW_HEIGHT - 1 || lx == 0 || lx == BRICK_WIDTH - 1;
            if (mortar) {
                image.at(x, y) = shade(style.mortar, 1.0f + jitter);
                continue;
            }
            const float pick = latticeHash(column, row, style.seed + 1);
            Colour c = style.stones[static_cast<int>(pick * 5.0f) % 5];
            float light = 1.0f + jitter;
            if (ly == 1 || lx == 1) light += style.edgeLight;
            if (ly == ROW_HEIGHT - 2 || lx == BRICK_WIDTH - 2) light -= style.edgeShadow;
            // A few chipped, darker pixels per brick.
            if (latticeHash(x, y, style.seed + 2) > 0.96f) light -= 0.12f;
            if (style.shine) {
                const int diagonal = (lx + ly + static_cast<int>(pick * 13.0f)) % 22;
                if (diagonal == 0 || diagonal == 1) light += 0.18f;
                if (latticeHash(x, y, style.seed + 3) > 0.985f) light += 0.3f;
            }
            c = shade(c, light);
            const float growth = valueNoise(static_cast<float>(x) / 16.0f, static_cast<float>(y) / 16.0f,
                                            SIZE / 16, style.seed + 4);
            const float lowness = static_cast<float>(ly) / ROW_HEIGHT;
            c = mix(c, style.growth, style.growthAmount * smoothStep(0.55f, 0.8f, growth) * lowness);
            image.at(x, y) = c;
        }
    }
    return image;
}

}  // namespace

Image makeStoneWall() {
    BrickStyle style;
    style.mortar = {0.24f, 0.27f, 0.27f, 1};
    style.stones[0] = {0.52f, 0.54f, 0.56f, 1};
    style.stones[1] = {0.44f, 0.49f, 0.54f, 1};
    style.stones[2] = {0.57f, 0.54f, 0.49f, 1};
    style.stones[3] = {0.40f, 0.43f, 0.45f, 1};
    style.stones[4] = {0.60f, 0.58f, 0.52f, 1};
    style.edgeLight = 0.12f;
    style.edgeShadow = 0.16f;
    style.grain = 0.10f;
    style.growth = {0.25f, 0.42f, 0.22f, 1};
    style.growthAmount = 0.55f;
    style.shine = false;
    style.seed = 11;
    Image image = brickWall(style);

    // The mosaic inlay: a dark rim around four flat colours.
    const Colour rim = {0.16f, 0.14f, 0.12f, 1};
    const Colour cells[2][2] = {{{0.96f, 0.74f, 0.58f, 1}, {0.86f, 0.13f, 0.12f, 1}},
                                {{1.00f, 0.84f, 0.12f, 1}, {0.10f, 0.30f, 0.78f, 1}}};
    for (int y = -1; y <= 4; ++y) {
        for (int x = -1; x <= 4; ++x) {
            const bool inside = x >= 0 && x < 4 && y >= 0 && y < 4;
            image.at(MOSAIC_LEFT + x, MOSAIC_TOP + y) = inside ? cells[y / 2][x / 2] : rim;
        }
    }
    return image;
}

Image makeGoldWall() {
    BrickStyle style;
    style.mortar = {0.40f, 0.28f, 0.10f, 1};
    style.stones[0] = {0.86f, 0.66f, 0.22f, 1};
    style.stones[1] = {0.93f, 0.75f, 0.30f, 1};
    style.stones[2] = {0.79f, 0.58f, 0.18f, 1};
    style.stones[3] = {0.90f, 0.70f, 0.25f, 1};
    style.stones[4] = {0.84f, 0.63f, 0.20f, 1};
    style.edgeLight = 0.15f;
    style.edgeShadow = 0.20f;
    style.grain = 0.06f;
    style.growth = {0.45f, 0.40f, 0.18f, 1};
    style.growthAmount = 0.25f;
    style.shine = true;
    style.seed = 23;
    return brickWall(style);
}

Image makeWoodPlanks() {
    constexpr int SIZE = 64;
    constexpr int PLANK_HEIGHT = 16;
    constexpr uint32_t seed = 37;
    const Colour planks[4] = {{0.56f, 0.37f, 0.20f, 1},
                              {0.63f, 0.43f, 0.24f, 1},
                              {0.50f, 0.32f, 0.17f, 1},
                              {0.59f, 0.40f, 0.22f, 1}};
    const Colour gap = {0.20f, 0.12f, 0.07f, 1};
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        const int plank = y / PLANK_HEIGHT;
        const int ly = y % PLANK_HEIGHT;
        // One butt joint per plank, at a different place on each.
        const int joint = static_cast<int>(latticeHash(plank, 0, seed) * SIZE);
        const float knotX = latticeHash(plank, 1, seed) * SIZE;
        const bool hasKnot = latticeHash(plank, 2, seed) > 0.7f;
        for (int x = 0; x < SIZE; ++x) {
            if (ly == 0 || x == joint) {
                image.at(x, y) = gap;
                continue;
            }
            // Grain: lines along the plank, wavering with low-frequency noise.
            const float waver = valueNoise(static_cast<float>(x) / 16.0f, static_cast<float>(plank) * 3.0f,
                                           SIZE / 16, seed + 1);
            const float line = std::sin((static_cast<float>(ly) + 5.0f * waver) * 1.35f);
            float light = 1.0f + (latticeHash(x, y, seed + 2) - 0.5f) * 0.06f;
            if (line > 0.75f) light -= 0.13f;
            if (ly == 1) light += 0.10f;
            if (ly == PLANK_HEIGHT - 1) light -= 0.12f;
            if (x == (joint + 1) % SIZE) light += 0.08f;
            if (hasKnot) {
                // Knot distance wraps around the tile edge.
                float dx = std::fabs(static_cast<float>(x) + 0.5f - knotX);
                dx = std::fmin(dx, SIZE - dx);
                const float dy = (static_cast<float>(ly) - 8.0f) * 1.6f;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (d < 2.2f)
                    light -= 0.35f;
                else if (d < 4.0f)
                    light -= 0.15f;
            }
            image.at(x, y) = shade(planks[plank % 4], light);
        }
    }
    return image;
}

Image makeLeverMetal() {
    constexpr int SIZE = LEVER_SIZE;
    constexpr uint32_t seed = 41;
    Image image(SIZE, SIZE);
    const Colour steel = {0.62f, 0.64f, 0.68f, 1};
    const Colour grip = {0.80f, 0.13f, 0.10f, 1};
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            if (x < SIZE / 2) {
                // Brushed steel: streaks along the bar, a highlight, dark edges.
                float light = 1.0f + (latticeHash(x, 0, seed) - 0.5f) * 0.10f +
                              (latticeHash(x, y, seed + 1) - 0.5f) * 0.04f;
                if (x == 5 || x == 6) light += 0.25f;
                if (x == 0 || x == SIZE / 2 - 1) light -= 0.30f;
                if (x == 1 || x == SIZE / 2 - 2) light -= 0.12f;
                image.at(x, y) = shade(steel, light);
            } else {
                float light = 1.0f + (latticeHash(x, y, seed + 2) - 0.5f) * 0.05f;
                if (y % 4 == 3) light -= 0.22f;  // grip ridges
                if (x == SIZE / 2 || x == SIZE - 1) light -= 0.25f;
                image.at(x, y) = shade(grip, light);
            }
        }
    }
    return image;
}

Image makeDoor() {
    constexpr int WIDTH = DOOR_WIDTH;
    constexpr int HEIGHT = DOOR_HEIGHT;
    constexpr int BOARD_WIDTH = 30;
    constexpr uint32_t seed = 53;
    const Colour iron = {0.25f, 0.26f, 0.29f, 1};
    const Colour rivet = {0.58f, 0.59f, 0.62f, 1};
    const Colour boards[3] = {{0.47f, 0.30f, 0.16f, 1}, {0.53f, 0.34f, 0.18f, 1}, {0.43f, 0.27f, 0.14f, 1}};
    const Colour slime = {0.22f, 0.36f, 0.20f, 1};
    Image image(WIDTH, HEIGHT);
    auto inBand = [](int y, int top) { return y >= top && y < top + DOOR_BAND_HEIGHT; };
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const float jitter = (latticeHash(x, y, seed) - 0.5f) * 0.06f;
            const bool frame =
                x < DOOR_FRAME || y < DOOR_FRAME || x >= WIDTH - DOOR_FRAME || y >= HEIGHT - DOOR_FRAME;
            const int bandTop = inBand(y, DOOR_UPPER_BAND_TOP)   ? DOOR_UPPER_BAND_TOP
                                : inBand(y, DOOR_LOWER_BAND_TOP) ? DOOR_LOWER_BAND_TOP
                                                                 : -1;
            Colour c;
            if (frame || bandTop >= 0) {
                float light = 1.0f + jitter;
                if (frame) {
                    // Bevel: lit on the outer top-left, shaded toward the boards.
                    const int fromOutside = std::min(std::min(x, y), std::min(WIDTH - 1 - x, HEIGHT - 1 - y));
                    if (fromOutside == 0) light += 0.25f;
                    if (fromOutside == DOOR_FRAME - 1) light -= 0.25f;
                } else {
                    const int ly = y - bandTop;
                    if (ly == 0) light += 0.30f;
                    if (ly == DOOR_BAND_HEIGHT - 1) light -= 0.30f;
                }
                c = shade(iron, light);
            } else {
                const int board = (x - DOOR_FRAME) / BOARD_WIDTH;
                const int lx = (x - DOOR_FRAME) % BOARD_WIDTH;
                const float grain = fractalNoise(static_cast<float>(x) / 3.0f, static_cast<float>(y) / 24.0f,
                                                 64, 2, seed + 1);
                float light = 0.88f + grain * 0.24f + jitter;
                if (lx == 0) light -= 0.45f;
                if (lx == 1) light += 0.10f;
                if (lx == BOARD_WIDTH - 1) light -= 0.15f;
                c = shade(boards[board % 3], light);
                // Weed creeping up from the lower edge of the boards.
                const float growth = fractalNoise(static_cast<float>(x) / 12.0f,
                                                  static_cast<float>(y) / 12.0f, 64, 3, seed + 2);
                const float lowness = static_cast<float>(y) / HEIGHT;
                c = mix(c, slime, 0.6f * smoothStep(0.5f, 0.7f, growth * lowness + 0.25f * lowness));
            }
            image.at(x, y) = c;
        }
    }
    // Rivets along both bands and down the frame sides.
    auto drawRivet = [&](float cx, float cy) {
        image.fillShape([&](float x, float y) { return circleDistance(x, y, cx, cy, 2.4f); },
                        [&](float x, float y) {
                            const float lit = clamp01(0.5f - ((x - cx) + (y - cy)) * 0.25f);
                            return shade(rivet, 0.65f + 0.6f * lit);
                        });
    };
    for (int i = 0; i < 8; ++i) {
        const float x = DOOR_FRAME + 10.0f + static_cast<float>(i) * 19.7f;
        drawRivet(x, DOOR_UPPER_BAND_TOP + DOOR_BAND_HEIGHT / 2.0f);
        drawRivet(x, DOOR_LOWER_BAND_TOP + DOOR_BAND_HEIGHT / 2.0f);
    }
    return image;
}

Image makeBlackPixel() { return Image(1, 1, {0, 0, 0, 1}); }
