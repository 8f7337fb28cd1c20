#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Linear 0..1 channels; converted to bytes only when a file is written.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour mix(const Colour& from, const Colour& to, float t);
// Scales the colour channels (not alpha).
Colour shade(const Colour& c, float factor);
Colour withAlpha(const Colour& c, float alpha);
float clamp01(float v);
float smoothStep(float edge0, float edge1, float x);

// An RGBA picture, top row first; pixel (x, y) covers [x, x+1) x [y, y+1).
class Image {
public:
    Image(int width, int height, Colour fill = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Colour& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Source-over of colour (its alpha times coverage) onto pixel (x, y).
    void blend(int x, int y, const Colour& c, float coverage);

    // Paints every pixel whose centre lies inside the shape. signedDistance(x, y)
    // is in pixels, negative inside; the half-pixel ramp is the anti-aliasing.
    template <class Distance, class Paint>
    void fillShape(Distance signedDistance, Paint colourAt) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const float px = static_cast<float>(x) + 0.5f;
                const float py = static_cast<float>(y) + 0.5f;
                const float coverage = clamp01(0.5f - signedDistance(px, py));
                if (coverage > 0.0f) blend(x, y, colourAt(px, py), coverage);
            }
        }
    }

    // 8-bit R, G, B, A, top row first, rounded to nearest.
    std::vector<uint8_t> rgba8() const;

private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// Signed distances (negative inside) for the shapes the pictures are made of.
float circleDistance(float x, float y, float centreX, float centreY, float radius);
// Axis-aligned box given by its centre and half sizes, corners rounded by radius.
float roundedBoxDistance(float x, float y, float centreX, float centreY, float halfWidth, float halfHeight,
                         float radius);
// A capsule around the segment from (ax, ay) to (bx, by).
float segmentDistance(float x, float y, float ax, float ay, float bx, float by, float radius);
