#include <gtest/gtest.h>

#include <cmath>

#include "math/frustum.h"
#include "math/mat4.h"
#include "math/vec.h"

namespace {

Vec3 apply(const Mat4& m, const Vec3& v) {
    return Vec3(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
                m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]);
}

void expectNear(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

TEST(Vectors, CrossDotScaleAndSquaredLength) {
    const Vec3 c = cross(Vec3(1, 0, 0), Vec3(0, 1, 0));
    expectNear(c, 0, 0, 1);
    const Vec3 d = cross(Vec3(1, 2, 3), Vec3(4, 5, 6));
    expectNear(d, -3, 6, -3);
    EXPECT_FLOAT_EQ(dot(Vec3(1, 2, 3), Vec3(4, 5, 6)), 32.0f);
    Vec3 v(1, -2, 3);
    scaleInPlace(v, 2.0f);
    expectNear(v, 2, -4, 6);
    EXPECT_FLOAT_EQ(squaredLength(Vec2(3, 4)), 25.0f);
    EXPECT_FLOAT_EQ(Vec3().x + Vec3().y + Vec3().z, 0.0f);
}

TEST(Mat4, TranslateLeavesUpperBlockAndFillsElements12To14) {
    Mat4 m;
    m.identity();
    m.translate(1, 2, 3);
    EXPECT_EQ(m[12], 1.0f);
    EXPECT_EQ(m[13], 2.0f);
    EXPECT_EQ(m[14], 3.0f);
    const int upper[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int i : upper) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
}

// The builders touch only the columns their operation changes; the pictures
// stay the same only if they give the very floats of the full product.
TEST(Mat4, BuildersGiveTheFullProductsFloats) {
    Mat4 view;
    view.lookAt(3.1f, -7.3f, 2.9f, 20.0f, 11.0f, -15.0f, 0, 0, 10);
    const float c = std::cos(0.7f), s = std::sin(0.7f);
    const struct {
        void (*build)(Mat4&);
        Mat4 operand;
    } cases[] = {
        {[](Mat4& m) { m.translate(1.3f, -2.7f, 0.1f); },
         {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1.3f, -2.7f, 0.1f, 1}}},
        {[](Mat4& m) { m.rotateX(0.7f); }, {{1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1}}},
        {[](Mat4& m) { m.rotateY(0.7f); }, {{c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}}},
        {[](Mat4& m) { m.rotateZ(0.7f); }, {{c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}},
        {[](Mat4& m) { m.scale(0.3f, 7.0f, -1.1f); },
         {{0.3f, 0, 0, 0, 0, 7, 0, 0, 0, 0, -1.1f, 0, 0, 0, 0, 1}}},
    };
    // From the view, and from a piece placed and turned in it.
    Mat4 placed;
    multiply(placed, view, {{c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 17.3f, -41.9f, 5.7f, 1}});
    for (const Mat4& start : {view, placed}) {
        for (const auto& k : cases) {
            Mat4 built = start, full;
            k.build(built);
            multiply(full, start, k.operand);
            for (int i = 0; i < 16; ++i)
                EXPECT_EQ(built[i], full[i]) << "case " << (&k - cases) << ", element " << i;
        }
    }
}

// A ball is left out only when it lies wholly outside one plane of the view:
// for each plane, balls of radius 1 with their centres 0.5 inside and outside
// the plane (touching the volume: kept) and 1.5 outside (left out).
TEST(Frustum, LeavesOutOnlyBallsWhollyOutsideOnePlane) {
    Mat4 projection;
    projection.perspective(60, 16.0f / 9.0f, 1, 1000);
    const Frustum view(projection);
    const float up = std::tan(static_cast<float>(M_PI / 6)), side = up * 16.0f / 9.0f;
    const struct {
        const char* plane;
        Vec3 onIt;     // a point of the plane bounding the view
        Vec3 outward;  // the plane's outward normal
    } planes[] = {
        {"right", {10 * side, 0, -10}, {1 / std::hypot(1.0f, side), 0, side / std::hypot(1.0f, side)}},
        {"left", {-10 * side, 0, -10}, {-1 / std::hypot(1.0f, side), 0, side / std::hypot(1.0f, side)}},
        {"top", {0, 10 * up, -10}, {0, 1 / std::hypot(1.0f, up), up / std::hypot(1.0f, up)}},
        {"bottom", {0, -10 * up, -10}, {0, -1 / std::hypot(1.0f, up), up / std::hypot(1.0f, up)}},
        {"near", {0, 0, -1}, {0, 0, 1}},
        {"far", {0, 0, -1000}, {0, 0, -1}},
    };
    for (const auto& p : planes) {
        for (const float out : {-0.5f, 0.5f, 1.5f}) {
            Vec3 centre = p.outward;
            scaleInPlace(centre, out);
            centre = Vec3(p.onIt.x + centre.x, p.onIt.y + centre.y, p.onIt.z + centre.z);
            EXPECT_EQ(view.excludes(centre, 1.0f), out > 1.0f) << p.plane << ", " << out << " out";
            EXPECT_FALSE(Frustum().excludes(centre, 1.0f)) << "nothing is left out by default";
        }
    }
    // A mesh's ball, placed and scaled by a model-view matrix: 1.5 out to the
    // right, kept once scaled to radius 2.
    Mat4 modelView;
    modelView.translate(10 * side + 1.5f / std::hypot(1.0f, side), 0,
                        -10 + 1.5f * side / std::hypot(1.0f, side));
    EXPECT_TRUE(view.excludes(modelView, {Vec3(), 1.0f}, 1.0f));
    EXPECT_FALSE(view.excludes(modelView, {Vec3(), 1.0f}, 2.0f));
}

TEST(Mat4, PostMultiplyAppliesTheLastOperationFirst) {
    Mat4 m;
    m.translate(10, 0, 0);
    m.rotateZ(static_cast<float>(M_PI / 2));
    expectNear(apply(m, Vec3(1, 0, 0)), 10, 1, 0);
}

TEST(Mat4, MultiplyIntoEitherOperandMatchesSeparateDestination) {
    Mat4 a, b;
    a.rotateX(0.3f);
    a.translate(1, 2, 3);
    b.scale(2, 3, 4);
    b.rotateZ(1.1f);
    Mat4 expected;
    multiply(expected, a, b);
    Mat4 intoA = a;
    multiply(intoA, intoA, b);
    Mat4 intoB = b;
    multiply(intoB, a, intoB);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(intoA[i], expected[i]);
        EXPECT_FLOAT_EQ(intoB[i], expected[i]);
    }
    // D[c*4+r] = sum_k A[k*4+r] * B[c*4+k]
    float manual = 0;
    for (int k = 0; k < 4; ++k) manual += a[k * 4 + 1] * b[2 * 4 + k];
    EXPECT_FLOAT_EQ(expected[9], manual);
}

TEST(Mat4, RotationsFollowTheRightHandRule) {
    Mat4 x, y, z;
    x.rotateX(static_cast<float>(M_PI / 2));
    y.rotateY(static_cast<float>(M_PI / 2));
    z.rotateZ(static_cast<float>(M_PI / 2));
    expectNear(apply(x, Vec3(0, 1, 0)), 0, 0, 1);
    expectNear(apply(y, Vec3(0, 0, 1)), 1, 0, 0);
    expectNear(apply(z, Vec3(1, 0, 0)), 0, 1, 0);
}

TEST(Mat4, AxisAngleMatchesAxisRotationsAndDoesNotNormalise) {
    Mat4 axis, z;
    axis.rotateAxisDegrees(30.0f, 0, 0, 1);
    z.rotateZ(30.0f * DEG_TO_RAD);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(axis[i], z[i], 1e-6f);

    Mat4 scaled;
    scaled.rotateAxis(0.0f, 0, 0, 2);  // c = 1, t = 0: still identity
    EXPECT_FLOAT_EQ(scaled[10], 1.0f);
    Mat4 skew;
    skew.rotateAxis(static_cast<float>(M_PI), 0, 0, 2);  // t = 2 -> e10 = -1 + 2*4 = 7
    EXPECT_NEAR(skew[10], 7.0f, 1e-5f);
}

TEST(Mat4, PerspectiveOfTheOverlayCamera) {
    Mat4 m;
    m.perspective(40, 16.0f / 9.0f, -5, 5);
    const float cot20 = 1.0f / std::tan(20.0f * DEG_TO_RAD);
    EXPECT_NEAR(m[0], cot20 * 9.0f / 16.0f, 1e-5f);
    EXPECT_NEAR(m[5], cot20, 1e-5f);
    EXPECT_EQ(m[10], 0.0f);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_FLOAT_EQ(m[14], 5.0f);
    EXPECT_EQ(m[15], 0.0f);
    EXPECT_EQ(m[12], 0.0f);
}

TEST(Mat4, PerspectiveGuardKeepsTheMatrix) {
    Mat4 m;
    m.translate(4, 5, 6);
    const Mat4 before = m;
    m.perspective(60, 1.5f, 3, 3);    // near == far
    m.perspective(0, 1.5f, 1, 100);   // zero sine
    m.perspective(60, 0.0f, 1, 100);  // zero aspect
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], before[i]);
}

TEST(Mat4, PerspectiveAspectRelation) {
    Mat4 m;
    m.perspective(60, 1280.0f / 720.0f, 1, 1000);
    EXPECT_NEAR(m[0], m[5] * 720.0f / 1280.0f, 1e-6f);
}

TEST(Mat4, OrthoIsNotRecentredAndMapsDepthToZeroOne) {
    Mat4 m;
    const float b = 14.625f;
    m.ortho(-26, 26, -b, b, 1, 1000);
    EXPECT_FLOAT_EQ(m[0], 1.0f / 26.0f);
    EXPECT_FLOAT_EQ(m[5], 1.0f / b);
    EXPECT_FLOAT_EQ(m[10], -1.0f / 999.0f);
    EXPECT_FLOAT_EQ(m[14], -1.0f / 999.0f);
    EXPECT_EQ(m[12], 0.0f);
    EXPECT_EQ(m[13], 0.0f);
    EXPECT_EQ(m[15], 1.0f);

    Mat4 offCentre;
    offCentre.ortho(0, 20, 0, 11.25f, -10, 1000);
    EXPECT_EQ(offCentre[12], 0.0f);  // no re-centring even for 0..20
    offCentre.perspective(40, 16.0f / 9.0f, -5, 5);
    EXPECT_EQ(offCentre[10], 0.0f);  // a perspective after it leaves no trace
    EXPECT_FLOAT_EQ(offCentre[14], 5.0f);
}

TEST(Mat4, LookAtAlongMinusZIsAPureTranslation) {
    Mat4 m;
    m.scale(3, 3, 3);  // overwritten entirely
    m.lookAt(0, 0, 10, 0, 0, -10, 0, 10, 0);
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(m[i], (i % 5 == 0) ? 1.0f : 0.0f, 1e-6f) << i;
    EXPECT_EQ(m[12], 0.0f);
    EXPECT_EQ(m[13], 0.0f);
    EXPECT_FLOAT_EQ(m[14], -10.0f);
    EXPECT_EQ(m[15], 1.0f);
}

TEST(Mat4, LookAtFollowCameraPutsTheTargetOnTheViewAxis) {
    Mat4 m;
    m.lookAt(20, -5, 7, 20, 20, -5, 0, 0, 10);
    const Vec3 target = apply(m, Vec3(20, 20, -5));
    EXPECT_NEAR(target.x, 0.0f, 1e-4f);
    EXPECT_NEAR(target.y, 0.0f, 1e-4f);
    EXPECT_LT(target.z, 0.0f);  // in front of the eye
    const Vec3 above = apply(m, Vec3(20, 20, 5));
    EXPECT_GT(above.y, 0.0f);  // world up is screen up
}
