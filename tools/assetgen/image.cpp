#include "image.h"

#include <algorithm>
#include <cmath>

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

float smoothStep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Colour mix(const Colour& from, const Colour& to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Colour shade(const Colour& c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

Colour withAlpha(const Colour& c, float alpha) { return {c.r, c.g, c.b, alpha}; }

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Image::blend(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Colour& d = at(x, y);
    const float sa = clamp01(c.a * coverage);
    const float outA = sa + d.a * (1.0f - sa);
    if (outA <= 0.0f) {
        // Fully transparent: keep the colour so filtering at cut-out edges
        // does not pull in black.
        d = {c.r, c.g, c.b, 0.0f};
        return;
    }
    const float keep = d.a * (1.0f - sa);
    d.r = (c.r * sa + d.r * keep) / outA;
    d.g = (c.g * sa + d.g * keep) / outA;
    d.b = (c.b * sa + d.b * keep) / outA;
    d.a = outA;
}

std::vector<uint8_t> Image::rgba8() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels_.size() * 4);
    auto toByte = [](float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); };
    for (const Colour& c : pixels_) {
        bytes.push_back(toByte(c.r));
        bytes.push_back(toByte(c.g));
        bytes.push_back(toByte(c.b));
        bytes.push_back(toByte(c.a));
    }
    return bytes;
}

float circleDistance(float x, float y, float centreX, float centreY, float radius) {
    return std::hypot(x - centreX, y - centreY) - radius;
}

float roundedBoxDistance(float x, float y, float centreX, float centreY, float halfWidth, float halfHeight,
                         float radius) {
    const float qx = std::fabs(x - centreX) - halfWidth + radius;
    const float qy = std::fabs(y - centreY) - halfHeight + radius;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float segmentDistance(float x, float y, float ax, float ay, float bx, float by, float radius) {
    const float px = x - ax, py = y - ay;
    const float dx = bx - ax, dy = by - ay;
    const float lengthSquared = dx * dx + dy * dy;
    const float t = lengthSquared > 0.0f ? clamp01((px * dx + py * dy) / lengthSquared) : 0.0f;
    return std::hypot(px - dx * t, py - dy * t) - radius;
}
