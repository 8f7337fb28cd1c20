#include "scene/scene_object.h"

#include <algorithm>
#include <cmath>

#include "gfx/texture.h"
#include "scene/camera.h"
#include "scene/mesh.h"

void SceneObject::init(float x, float y, float z, Mesh* meshLink, Texture* textureLink, Camera* cameraLink) {
    Transform::init(x, y, z, meshLink, textureLink, cameraLink);
    scaleFactor = Vec3(1.0f, 1.0f, 1.0f);
    pivot = Vec2(0.0f, 0.0f);
}

void SceneObject::buildModelView(bool withAngleY) {
    setMatrix(camera ? camera->view() : Mat4());
    translate(position.x, position.y, position.z);
    rotateZ(toRadians(angleZ));
    rotateX(toRadians(angleX));
    if (withAngleY) rotateY(toRadians(angleY));
    scale(scaleFactor.x, scaleFactor.y, scaleFactor.z);
    translate(-pivot.x, -pivot.y, 0.0f);
}

void SceneObject::draw() {
    if (!mesh) return;
    buildModelView(false);
    if (texture) texture->bind();
    if (animationPlaying)
        mesh->drawAnimated(modelMatrix, static_cast<unsigned>(animationIndex), animationTime);
    else
        mesh->draw(modelMatrix);
}

bool SceneObject::drawUntextured(const Frustum& view, float reach) {
    if (!mesh) return false;
    buildModelView(true);
    const Sphere& bounds = mesh->bounds();
    const float maxScale =
        std::max({std::fabs(scaleFactor.x), std::fabs(scaleFactor.y), std::fabs(scaleFactor.z)});
    if (view.excludes(modelMatrix, {bounds.centre, bounds.radius + reach}, maxScale)) return false;
    mesh->draw(modelMatrix);
    return true;
}

void SceneObject::playAnimationAt(int index, float time) {
    animationPlaying = true;
    animationIndex = index;
    animationTime = time;
}

float SceneObject::advanceAnimation(float dt) {
    animationTime += dt;
    const MeshAnimation* animation = mesh ? mesh->animation() : nullptr;
    if (!animation) return -1.0f;
    const float duration = animation->duration(static_cast<unsigned>(animationIndex));
    return animationTime > duration ? animationTime - duration : -1.0f;
}
