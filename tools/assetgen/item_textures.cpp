// The keys and the padlocks, one picture per key colour.
#include <algorithm>
#include <cmath>

#include "texture_layout.h"
#include "textures.h"

namespace {

Colour keyColourOf(int keyColour) {
    switch (keyColour) {
        case 0: return {0.86f, 0.14f, 0.12f, 1};
        case 1: return {0.16f, 0.72f, 0.24f, 1};
        case 2: return {0.20f, 0.40f, 0.92f, 1};
        default: return {0.96f, 0.76f, 0.20f, 1};
    }
}

// Fills a shape given by its signed distance as a bevelled metal piece: edges
// facing the light (top left) are lit, the others shaded, with a dark rim so
// the piece reads against any background.
template <class Distance>
void paintBevelled(Image& image, Distance distance, const Colour& base, float bevelWidth,
                   float rimWidth = 1.2f) {
    constexpr float LIGHT_X = -0.6f, lightY = -0.8f;
    constexpr float STEP = 0.5f;
    image.fillShape(distance, [&](float x, float y) {
        const float d = distance(x, y);
        const float gx = distance(x + STEP, y) - distance(x - STEP, y);
        const float gy = distance(x, y + STEP) - distance(x, y - STEP);
        const float length = std::sqrt(gx * gx + gy * gy);
        const float facing = length > 0.0f ? -(gx * LIGHT_X + gy * lightY) / length : 0.0f;
        const float nearEdge = 1.0f - clamp01(-d / bevelWidth);
        float light = 1.0f - 0.35f * facing * nearEdge;
        if (d > -rimWidth) light *= 0.55f;
        return shade(base, light);
    });
}

}  // namespace

void paintKey(Image& image, int keyColour, const KeyPlacement& at) {
    const Colour metal = keyColourOf(keyColour);
    const float cosine = std::cos(at.angle), sine = std::sin(at.angle);
    // From the image into the key picture's own pixels (at scale 1 and no
    // angle this is exact, so makeKey's pixels do not depend on it).
    auto keyX = [=](float x, float y) {
        return ((x - at.x) * cosine + (y - at.y) * sine) / at.scale + KEY_WIDTH / 2.0f;
    };
    auto keyY = [=](float x, float y) {
        return ((y - at.y) * cosine - (x - at.x) * sine) / at.scale + KEY_HEIGHT / 2.0f;
    };
    auto key = [&](float x, float y) {
        const float kx = keyX(x, y), ky = keyY(x, y);
        const float ring = std::fabs(circleDistance(kx, ky, 32.0f, 27.0f, 15.5f)) - 6.5f;
        const float collar = roundedBoxDistance(kx, ky, 32.0f, 53.0f, 11.0f, 3.5f, 2.0f);
        const float shaft = roundedBoxDistance(kx, ky, 32.0f, 87.0f, 5.0f, 37.0f, 2.0f);
        const float bit = roundedBoxDistance(kx, ky, 42.0f, 104.0f, 9.0f, 4.5f, 1.5f);
        const float tooth = roundedBoxDistance(kx, ky, 40.0f, 117.0f, 7.0f, 5.0f, 1.5f);
        return std::min({ring, collar, shaft, bit, tooth}) * at.scale;
    };
    paintBevelled(image, key, metal, 4.0f * at.scale, 1.2f * at.scale);
    // A glint along the shaft and on the ring.
    auto glint = [&](float ax, float ay, float bx, float by, float radius, float whiteness) {
        image.fillShape(
            [&](float x, float y) {
                return segmentDistance(keyX(x, y), keyY(x, y), ax, ay, bx, by, radius) * at.scale;
            },
            [&](float, float) {
                return withAlpha(mix(metal, {1, 1, 1, 1}, whiteness), 0.8f);
            });
    };
    glint(30.0f, 60.0f, 30.0f, 118.0f, 0.9f, 0.55f);
    glint(21.0f, 21.0f, 26.0f, 15.0f, 1.2f, 0.6f);
}

Image makeKey(int keyColour) {
    Image image(KEY_WIDTH, KEY_HEIGHT, withAlpha(keyColourOf(keyColour), 0.0f));
    paintKey(image, keyColour, {KEY_WIDTH / 2.0f, KEY_HEIGHT / 2.0f, 1.0f, 0.0f});
    return image;
}

Image makeLock(int keyColour) {
    constexpr int SIZE = LOCK_SIZE;
    const Colour plate = {0.21f, 0.22f, 0.25f, 1};
    const Colour field = {0.29f, 0.30f, 0.33f, 1};
    const Colour steel = {0.74f, 0.76f, 0.80f, 1};
    const Colour hole = {0.04f, 0.04f, 0.05f, 1};
    const Colour body = keyColourOf(keyColour);
    Image image(SIZE, SIZE, plate);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const int fromOutside = std::min(std::min(x, y), std::min(SIZE - 1 - x, SIZE - 1 - y));
            if (fromOutside < 2)
                image.at(x, y) = shade(plate, 1.35f);
            else if (fromOutside < LOCK_BORDER && fromOutside >= LOCK_BORDER - 2)
                image.at(x, y) = shade(plate, 0.7f);
        }
    }
    // The inner field with a ring of the lock's colour, so the colour shows
    // even where the padlock itself is small on screen.
    const float half = SIZE / 2.0f;
    image.fillShape(
        [&](float x, float y) {
            return roundedBoxDistance(x, y, half, half, half - LOCK_BORDER - 2, half - LOCK_BORDER - 2, 8.0f);
        },
        [&](float, float) { return body; });
    image.fillShape(
        [&](float x, float y) {
            return roundedBoxDistance(x, y, half, half, half - LOCK_BORDER - 6, half - LOCK_BORDER - 6, 6.0f);
        },
        [&](float, float) { return field; });
    // Screws in the corners.
    for (float cy : {LOCK_BORDER + 5.0f, SIZE - LOCK_BORDER - 5.0f}) {
        for (float cx : {LOCK_BORDER + 5.0f, SIZE - LOCK_BORDER - 5.0f}) {
            paintBevelled(
                image, [&](float x, float y) { return circleDistance(x, y, cx, cy, 3.0f); }, steel, 1.5f);
        }
    }
    // Padlock: the shackle arch, then the body over its legs, then the keyhole.
    auto shackle = [](float x, float y) {
        const float arch = std::fabs(circleDistance(x, y, 64.0f, 50.0f, 21.0f)) - 5.0f;
        const float upper = std::max(arch, y - 50.0f);
        const float left = segmentDistance(x, y, 43.0f, 50.0f, 43.0f, 66.0f, 5.0f);
        const float right = segmentDistance(x, y, 85.0f, 50.0f, 85.0f, 66.0f, 5.0f);
        return std::min({upper, left, right});
    };
    paintBevelled(image, shackle, steel, 3.0f);
    paintBevelled(
        image, [](float x, float y) { return roundedBoxDistance(x, y, 64.0f, 83.0f, 33.0f, 25.0f, 8.0f); },
        body, 5.0f);
    image.fillShape(
        [](float x, float y) { return roundedBoxDistance(x, y, 64.0f, 64.0f, 27.0f, 2.0f, 2.0f); },
        [&](float, float) {
            return withAlpha(mix(body, {1, 1, 1, 1}, 0.45f), 0.7f);
        });
    image.fillShape(
        [](float x, float y) {
            return std::min(circleDistance(x, y, 64.0f, 78.0f, 6.5f),
                            roundedBoxDistance(x, y, 64.0f, 89.0f, 3.0f, 9.0f, 1.0f));
        },
        [&](float, float) { return hole; });
    return image;
}
