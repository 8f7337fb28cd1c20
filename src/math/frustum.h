#pragma once

#include "math/mat4.h"
#include "math/vec.h"

// A ball: everything within radius of the centre.
struct Sphere {
    Vec3 centre;
    float radius = 0.0f;
};

// The view volume of a projection, as six planes in the eye space the
// projection maps from: a point is in view when it lies on the inner side of
// all six (the clip volume -w <= x, y, z <= w). It answers one question, for
// leaving out pieces that cannot show: does a ball lie wholly outside one
// plane? The answer is conservative: a ball that touches the volume, or comes
// within rounding of it, is never left out.
class Frustum {
public:
    // Leaves nothing out.
    Frustum() = default;
    explicit Frustum(const Mat4& projection);

    // True when the ball (in eye space) lies wholly outside one plane.
    bool excludes(const Vec3& centre, float radius) const;
    // The same for a ball in a model's own space, placed by its model-view
    // matrix, which turns, moves and scales by at most maxScale along any axis.
    bool excludes(const Mat4& modelView, const Sphere& ball, float maxScale) const;

private:
    // a, b, c, d per plane: a x + b y + c z + d >= 0 inside, (a, b, c) of unit length.
    float planes_[6][4] = {};
    bool active_ = false;
};
