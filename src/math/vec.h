#pragma once

// Small value types for positions, pairs of controls and directions.
struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
    Vec2() = default;
    constexpr Vec2(float x_, float y_) : x(x_), y(y_) {}
};

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

// Positions are uploaded as packed float triples, so no padding is allowed.
static_assert(sizeof(Vec3) == 3 * sizeof(float), "Vec3 must be three packed floats");

inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return Vec3(a.y * b.z - b.y * a.z, b.x * a.z - a.x * b.z, a.x * b.y - b.x * a.y);
}

inline float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline void scaleInPlace(Vec3& v, float s) {
    v.x *= s;
    v.y *= s;
    v.z *= s;
}

// No square root: callers compare against a squared radius.
inline float squaredLength(const Vec2& p) { return p.x * p.x + p.y * p.y; }
