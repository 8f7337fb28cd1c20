#include <cmath>

#include "game/game.h"
#include "game/queries.h"
#include "gfx/renderer.h"

namespace {

// Pieces farther than viewDistance + this from the room origin are not drawn.
constexpr float DRAW_RADIUS_MARGIN = 15.0f;
constexpr float SURFACE_EYE_HEIGHT = 1.0f;
// seaweed.vert sways a vertex by its offset times its height over this.
constexpr float SEAWEED_BLADE_HEIGHT = 8.0f;

// Door leaves sit 5 from the doorway centre when shut and slide to 10.
constexpr float LEAF_SHUT = 5.0f;
constexpr float LEAF_OPEN = 10.0f;
constexpr float LOCK_RAISE = 5.0f;
constexpr float LOCK_NUDGE_Y = -0.05f;
constexpr float LEVER_UP_ANGLE = 45.0f;

// Overlay placements, in the overlay camera's space.
constexpr float FADE_X = -16.5f, FADE_Y = -12.0f;
constexpr float HELP_X = -1.5f, HELP_Y = -3.0f;
constexpr float HELP_FADE_SECONDS = 2.0f;
constexpr float HINT_X = -4.5f, HINT_Y = -2.0f;
constexpr float KEY_ICON_X = -4.5f, KEY_ICON_TOP_Y = 2.0f;

// Binds a piece's texture. An opaque one draws without blending: with alpha
// 1 blending gives the same colours, and llvmpipe saves reading the
// framebuffer for every fragment.
void useTexture(const Texture& texture) {
    texture.bind();
    renderer.setBlending(!texture.opaque);
}

}  // namespace

void Game::resize(int width, int height) {
    renderer.setViewport(0, 0, width, height);
    viewWidth = static_cast<float>(width);
    viewHeight = static_cast<float>(height);
    hudCamera.resetProjection();
    hudCamera.ortho(0, 20, 0, 11.25f, -10, 1000);
    hudCamera.perspective(40, 16.0f / 9.0f, -5, 5);
    hudCamera.lookAt(0, 0, 10, 0, 0, -10, 0, 10, 0);
}

bool Game::underwaterView(const Vec3& eye) { return eye.z <= SURFACE_EYE_HEIGHT; }

bool Game::waterSurfaceVisible(const Vec3& eye) {
    return eye.z > SURFACE_EYE_HEIGHT || (eye.z < 0.0f && eye.y < 0.0f);
}

void Game::drawAt(SceneObject& object, const Vec3& position, float radius, float reach) {
    object.position = Vec3(position.x, position.y, position.z - DEPTH_OFFSET);
    if (radius * radius > position.x * position.x + position.y * position.y)
        object.drawUntextured(viewFrustum, reach);
    object.position = Vec3(0.0f, 0.0f, 0.0f);
}

void Game::render() {
    basicShader.use();
    renderer.clear();

    worldCamera.resetView();
    // A minimised window has no aspect: keep the last projection.
    if (viewWidth > 0.0f && viewHeight > 0.0f) {
        worldCamera.resetProjection();
        worldCamera.perspective(60, viewWidth / viewHeight, 1, 1000);
    }
    const CameraAim aim = aimWorldCamera();
    const Vec3& eye = aim.eye;
    worldCamera.lookAt(eye.x, eye.y, eye.z, aim.centre.x, aim.centre.y, aim.centre.z, 0, 0, 10);
    const float radius = viewDistance + DRAW_RADIUS_MARGIN;
    viewFrustum = cullsOutOfView ? Frustum(worldCamera.projection()) : Frustum();

    ShaderProgram& sceneShader = underwaterView(eye) ? underwaterShader : basicShader;
    sceneShader.use();
    sceneShader.setMatrix4("projMat", worldCamera.projection());

    // The border: banks along the floor, cliffs above them; the north side turned.
    auto drawBorder = [&](const Vec3* ring) {
        bankObject.setAngleZ(0);
        for (int i = 0; i < 10; ++i) drawAt(bankObject, ring[i], radius);
        bankObject.setAngleZ(-90);
        for (int i = 10; i < BORDER_PIECES; ++i) drawAt(bankObject, ring[i], radius);
    };
    useTexture(*bankObject.texture);
    drawBorder(currentRoom->bankPositions);
    useTexture(cliffTexture);
    drawBorder(cliffPositions);

    seaweedObject.texture->bind();
    // The blades' program writes alpha 1 where it keeps a fragment.
    renderer.setBlending(false);
    seaweedShader.use();
    seaweedShader.setMatrix4("projMat", worldCamera.projection());
    // No vertex of a blade stands higher than this above or below its base.
    const Sphere& blade = seaweedMesh.bounds();
    const float bladeTop = std::fabs(blade.centre.z) + blade.radius;
    for (const SeaweedSegment& segment : currentRoom->seaweed) {
        seaweedShader.setVec3("offset", segment.offset);
        seaweedObject.setAngleY(segment.tilt.x);
        seaweedObject.setAngleX(segment.tilt.y);
        const float sway = std::sqrt(dot(segment.offset, segment.offset)) * bladeTop / SEAWEED_BLADE_HEIGHT;
        drawAt(seaweedObject, segment.position, radius, sway);
    }

    sceneShader.use();
    useTexture(*shortWallObject.texture);
    for (uint32_t i = 0; i < currentRoom->shortWallCount; ++i)
        drawAt(shortWallObject, currentRoom->shortWalls[i], radius);
    useTexture(*tallWallObject.texture);
    for (uint32_t i = 0; i < currentRoom->tallWallCount; ++i)
        drawAt(tallWallObject, currentRoom->tallWalls[i], radius);
    useTexture(*plateObject.texture);
    for (uint32_t i = 0; i < currentRoom->plateCount; ++i)
        drawAt(plateObject, currentRoom->plates[i], radius);
    for (uint32_t i = 0; i < currentRoom->floorPlankCount; ++i)
        drawAt(floorPlankObject, currentRoom->floorPlanks[i], radius);

    useTexture(*doorObject.texture);
    for (uint32_t i = 0; i < currentRoom->doorCount; ++i) {
        const Door& door = currentRoom->doors[i];
        float leaf = door.open ? LEAF_OPEN : LEAF_SHUT;
        if (door.opening) leaf = door.openTimer / doorOpenDuration * (LEAF_OPEN - LEAF_SHUT) + LEAF_SHUT;
        const Vec3& d = door.position;
        const float angle = door.orientation == DOOR_IN_Y_WALL ? 0.0f : 90.0f;
        doorObject.setAngleZ(angle);
        if (door.orientation == DOOR_IN_Y_WALL) {
            drawAt(doorObject, Vec3(d.x - leaf, d.y, d.z), radius);
            drawAt(doorObject, Vec3(d.x + leaf, d.y, d.z), radius);
        } else {
            drawAt(doorObject, Vec3(d.x, d.y - leaf, d.z), radius);
            drawAt(doorObject, Vec3(d.x, d.y + leaf, d.z), radius);
        }
        if (door.locked && isKeyColour(door.lockColour)) {
            SceneObject& lock = lockObjects[door.lockColour];
            useTexture(*lock.texture);
            lock.setAngleZ(angle);
            const float nudge = door.orientation == DOOR_IN_Y_WALL ? LOCK_NUDGE_Y : 0.0f;
            drawAt(lock, Vec3(d.x, d.y + nudge, d.z + LOCK_RAISE), radius);
            useTexture(*doorObject.texture);
        }
    }

    useTexture(*doorObject.texture);
    leverBaseObject.setAngleZ(90);
    for (uint32_t i = 0; i < currentRoom->leverCount; ++i)
        drawAt(leverBaseObject, currentRoom->levers[i].position, radius);
    useTexture(*leverObject.texture);
    for (uint32_t i = 0; i < currentRoom->leverCount; ++i) {
        const Lever& lever = currentRoom->levers[i];
        float tilt = LEVER_UP_ANGLE;
        if (lever.pulled)
            tilt = -LEVER_UP_ANGLE;
        else if (lever.pulling)
            tilt = LEVER_UP_ANGLE - lever.pullTimer / leverPullDuration * 2.0f * LEVER_UP_ANGLE;
        leverObject.setAngleX(tilt);
        leverObject.setAngleZ(90);
        drawAt(leverObject, lever.position, radius);
    }

    for (int c = 0; c < KEY_COLOURS; ++c) {
        if (!currentRoom->keyPresent[c]) continue;
        useTexture(*keyObjects[c].texture);
        drawAt(keyObjects[c], currentRoom->keyPositions[c], radius);
    }

    renderer.setBlending(!floorObject.texture->opaque);
    floorObject.draw();
    // The swimmer bobs gently as it swims.
    swimmerObject.position =
        Vec3(swimmerPosition.x, swimmerPosition.y, swimmerPosition.z + std::cos(swimClock) / 3.0f);
    renderer.setBlending(!swimmerObject.texture->opaque);
    swimmerObject.draw();
    // The see-through layers and the overlays blend.
    renderer.setBlending(true);

    if (waterSurfaceVisible(eye)) {
        waterShader.use();
        waterShader.setMatrix4("projMat", worldCamera.projection());
        waterObject.draw();
    }

    renderer.setDepthMask(false);
    renderer.setDepthTest(false);

    if (currentRoom->fadingOut || currentRoom->fadingIn) {
        transitionShader.use();
        const float ratio = currentRoom->fadingOut
                                ? currentRoom->transitionTimer / transitionDuration
                                : (transitionDuration - currentRoom->transitionTimer) / transitionDuration;
        transitionShader.setFloat("ratio", ratio);
        transitionShader.setMatrix4("projMat", hudCamera.projection());
        fadeObject.position.x = FADE_X;
        fadeObject.position.y = FADE_Y;
        fadeObject.setScale(40, 30, 1);
        fadeObject.draw();
    }

    if (hintTimer < hintDuration) {
        transitionShader.use();
        transitionShader.setMatrix4("projMat", hudCamera.projection());
        const float ratio = hintDuration - HELP_FADE_SECONDS > hintTimer
                                ? 1.0f
                                : (hintDuration - hintTimer) / HELP_FADE_SECONDS;
        transitionShader.setFloat("ratio", ratio);
        swimmingHintObject.position.x = HELP_X;
        swimmingHintObject.position.y = HELP_Y;
        swimmingHintObject.setScale(4, 1, 1);
        swimmingHintObject.draw();
    }

    basicShader.use();
    basicShader.setMatrix4("projMat", hudCamera.projection());
    for (uint32_t i = 0; i < currentRoom->leverCount; ++i) {
        const Lever& lever = currentRoom->levers[i];
        if (lever.pulled || lever.pulling) continue;
        if (inLeverZone(swimmerPosition, lever)) {
            ctrlHintObject.position.x = HINT_X;
            ctrlHintObject.position.y = HINT_Y;
            ctrlHintObject.draw();
        }
    }
    for (int c = 0; c < KEY_COLOURS; ++c) {
        if (!keysHeld[c]) continue;
        keyIconObjects[c].position.x = KEY_ICON_X;
        keyIconObjects[c].position.y = KEY_ICON_TOP_Y - static_cast<float>(c);
        keyIconObjects[c].draw();
    }

    renderer.setDepthMask(true);
    renderer.setDepthTest(true);
}
