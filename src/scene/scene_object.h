#pragma once

#include "math/frustum.h"
#include "math/vec.h"
#include "scene/transform.h"

class Collider;

// One drawable thing of the world or the overlay: a Transform that also
// knows its scale, the pivot placed at its position, its collision shape and
// an optional mesh-animation state. It owns none of its links.
class SceneObject : public Transform {
public:
    // Resets position, links, angles, scale (1, 1, 1) and pivot (0, 0); the
    // animation state is kept. Note the argument order: mesh before texture.
    void init(float x, float y, float z, Mesh* meshLink, Texture* textureLink, Camera* cameraLink);
    void setScale(float sx, float sy, float sz) { scaleFactor = Vec3(sx, sy, sz); }
    void setPivot(float px, float py) { pivot = Vec2(px, py); }
    void setCollider(Collider* colliderLink) { collider = colliderLink; }

    // Model matrix := View * T(position) * Rz * Rx [* Ry] * S * T(-pivot):
    // a vertex is shifted by the pivot, scaled, tilted, turned and placed.
    // Without a camera the view is taken as identity.
    void buildModelView(bool withAngleY);
    // Textured draw turning about Z and X only; plays the animation when one runs.
    void draw();
    // Turns about Z, X and Y, binds no texture and never animates: the caller
    // binds what it wants and may stamp the object at many places in turn.
    // Nothing is drawn when the mesh's bounds, grown by reach (model units:
    // what the program may move a vertex by), lie wholly outside the view.
    // Returns whether it was drawn.
    bool drawUntextured(const Frustum& view = Frustum(), float reach = 0.0f);

    void playAnimation(int index) { playAnimationAt(index, 0.0f); }
    void playAnimationAt(int index, float time);
    void setAnimationTime(float time) { animationTime = time; }
    // Moves the time on by dt. Returns the overshoot past the animation's
    // last keyframe, or -1 while inside it; nothing wraps, so a caller that
    // loops sets the time from the overshoot.
    float advanceAnimation(float dt);

    // Point of the mesh's XY plane placed at the position, subtracted after scaling.
    Vec2 pivot;
    Vec3 scaleFactor{1.0f, 1.0f, 1.0f};
    Collider* collider = nullptr;
    bool animationPlaying = false;
    int animationIndex = 0;
    float animationTime = 0.0f;
};
