#include <gtest/gtest.h>

#include <cmath>

#include "scene/camera.h"
#include "scene/scene_object.h"

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

// A scene object seen through an identity view, everything else neutral.
struct NeutralObject {
    Camera camera;
    SceneObject object;
    NeutralObject() {
        camera.resetView();
        object.init(0, 0, 0, nullptr, nullptr, &camera);
    }
    Vec3 place(const Vec3& v, bool withAngleY = false) {
        object.buildModelView(withAngleY);
        return apply(object.modelMatrix, v);
    }
};

}  // namespace

TEST(Transform, InitSetsLinksAndZeroesAngles) {
    Transform t;
    t.setAngleZ(30);
    t.setAngleX(90);
    EXPECT_EQ(t.getAngleX(), 90.0f);  // degrees, no conversion on access
    auto* mesh = reinterpret_cast<Mesh*>(0x10);
    auto* texture = reinterpret_cast<Texture*>(0x20);
    auto* camera = reinterpret_cast<Camera*>(0x30);
    t.init(1, 2, 3, mesh, texture, camera);
    EXPECT_EQ(t.getAngleZ(), 0.0f);
    EXPECT_EQ(t.getAngleX(), 0.0f);
    EXPECT_EQ(t.getAngleY(), 0.0f);
    EXPECT_EQ(t.mesh, mesh);
    EXPECT_EQ(t.texture, texture);
    EXPECT_EQ(t.camera, camera);
    expectNear(t.position, 1, 2, 3);
}

TEST(Transform, OperationsPostMultiplyTheModelMatrix) {
    Transform t;
    t.setMatrix(Mat4());
    t.translate(0, 0, 5);
    t.rotateZ(static_cast<float>(M_PI));
    expectNear(apply(t.modelMatrix, Vec3(1, 0, 0)), -1, 0, 5);

    // multiply with the model matrix on both sides: translation doubles.
    t.setMatrix(Mat4());
    t.translate(1, 2, 3);
    t.scale(2, 2, 2);
    t.multiply(t.modelMatrix, t.modelMatrix);
    expectNear(apply(t.modelMatrix, Vec3(0, 0, 0)), 3, 6, 9);
    expectNear(apply(t.modelMatrix, Vec3(1, 0, 0)), 7, 6, 9);
}

TEST(SceneObject, PivotIsShiftedThenScaledThenPlaced) {
    NeutralObject n;
    n.object.position = Vec3(10, 0, 0);
    n.object.setScale(2, 2, 2);
    n.object.setPivot(0.5f, 0.5f);
    expectNear(n.place(Vec3(0, 0, 0)), 9, -1, 0);
    expectNear(n.place(Vec3(1, 1, 0)), 11, 1, 0);
}

TEST(SceneObject, TiltAboutXActsBeforeTurnAboutZ) {
    NeutralObject n;
    n.object.setAngleZ(90);
    expectNear(n.place(Vec3(1, 0, 0)), 0, 1, 0);
    n.object.setAngleX(90);
    expectNear(n.place(Vec3(0, 1, 0)), 0, 0, 1);
    expectNear(n.place(Vec3(1, 0, 0)), 0, 1, 0);
}

TEST(SceneObject, OnlyTheUntexturedDrawAppliesAngleYAfterAngleX) {
    NeutralObject n;
    n.object.setAngleX(90);
    const Vec3 withoutRoll = n.place(Vec3(1, 0, 0));
    n.object.setAngleY(90);
    const Vec3 textured = n.place(Vec3(1, 0, 0), false);
    expectNear(textured, withoutRoll.x, withoutRoll.y, withoutRoll.z);
    // Roll first takes +X to -Z, the tilt then takes -Z to +Y.
    expectNear(n.place(Vec3(1, 0, 0), true), 0, 1, 0);
}

TEST(SceneObject, StartsFromTheCameraView) {
    NeutralObject n;
    n.camera.lookAt(0, 0, 10, 0, 0, -10, 0, 10, 0);
    n.object.position = Vec3(1, 2, 3);
    expectNear(n.place(Vec3(0, 0, 0)), 1, 2, -7);
}

TEST(SceneObject, InitResetsScaleAndPivotButKeepsAnimationState) {
    SceneObject o;
    EXPECT_FALSE(o.animationPlaying);
    o.setScale(3, 3, 3);
    o.setPivot(0.5f, 0.25f);
    o.playAnimationAt(2, 1.5f);
    o.init(0, 0, 0, nullptr, nullptr, nullptr);
    expectNear(o.scaleFactor, 1, 1, 1);
    EXPECT_EQ(o.pivot.x, 0.0f);
    EXPECT_EQ(o.pivot.y, 0.0f);
    EXPECT_TRUE(o.animationPlaying);
    EXPECT_EQ(o.animationIndex, 2);
    EXPECT_EQ(o.animationTime, 1.5f);
    o.playAnimation(1);
    EXPECT_EQ(o.animationIndex, 1);
    EXPECT_EQ(o.animationTime, 0.0f);
}
