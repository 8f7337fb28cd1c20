#include "noise.h"

#include <cmath>

#include "random.h"

namespace {

int wrap(int v, int period) {
    const int m = v % period;
    return m < 0 ? m + period : m;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

float valueNoise(float x, float y, int period, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = fade(x - fx), ty = fade(y - fy);
    const int x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    const int y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    const float a = latticeHash(x0, y0, seed), b = latticeHash(x1, y0, seed);
    const float c = latticeHash(x0, y1, seed), d = latticeHash(x1, y1, seed);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fractalNoise(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f, scale = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * valueNoise(x * scale, y * scale, period * static_cast<int>(scale),
                                   seed + static_cast<uint32_t>(i) * 101u);
        total += weight;
        weight *= 0.5f;
        scale *= 2.0f;
    }
    return sum / total;
}
