#include "math/frustum.h"

#include <cmath>

namespace {

// Clear of the rounding in the driver's own transform of the vertices: a ball
// is left out only when it lies this much farther out, plus this share of its
// distance from the eye.
constexpr float MARGIN = 0.01f;
constexpr float MARGIN_PER_DISTANCE = 1e-4f;

}  // namespace

// Each plane is the projection's fourth row plus or minus one of the others
// (w + x >= 0, w - x >= 0, ... w - z >= 0), scaled to a unit normal.
Frustum::Frustum(const Mat4& projection) {
    auto row = [&projection](int r, int c) { return projection[c * 4 + r]; };
    for (int i = 0; i < 6; ++i) {
        const int axis = i / 2;
        const float sign = i % 2 == 0 ? 1.0f : -1.0f;
        float* plane = planes_[i];
        for (int c = 0; c < 4; ++c) plane[c] = row(3, c) + sign * row(axis, c);
        const float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        // A degenerate plane (a projection that keeps nothing of an axis) cannot exclude.
        if (length == 0.0f) {
            plane[0] = plane[1] = plane[2] = 0.0f;
            plane[3] = 1.0f;
            continue;
        }
        for (float& v : planes_[i]) v /= length;
    }
    active_ = true;
}

bool Frustum::excludes(const Vec3& centre, float radius) const {
    if (!active_) return false;
    const float reach = radius + MARGIN + MARGIN_PER_DISTANCE * std::sqrt(dot(centre, centre));
    for (const auto& p : planes_)
        if (p[0] * centre.x + p[1] * centre.y + p[2] * centre.z + p[3] < -reach) return true;
    return false;
}

bool Frustum::excludes(const Mat4& modelView, const Sphere& ball, float maxScale) const {
    if (!active_) return false;
    const Vec3& c = ball.centre;
    const Mat4& m = modelView;
    const Vec3 eye(m[0] * c.x + m[4] * c.y + m[8] * c.z + m[12], m[1] * c.x + m[5] * c.y + m[9] * c.z + m[13],
                   m[2] * c.x + m[6] * c.y + m[10] * c.z + m[14]);
    return excludes(eye, ball.radius * maxScale);
}
