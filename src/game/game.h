#pragma once

#include <optional>

#include "game/room.h"
#include "gfx/shader_program.h"
#include "gfx/texture.h"
#include "math/vec.h"
#include "scene/camera.h"
#include "scene/collider.h"
#include "scene/mesh.h"
#include "scene/scene_object.h"

// Index of each key in keyWasDown, the previous-frame key states.
enum KeyLatch { LATCH_F3 = 0, LATCH_F4, LATCH_F1, LATCH_F2, LATCH_SPACE, LATCH_LEFT_CONTROL, LATCH_COUNT };

// The one object holding the underwater world: every texture, mesh, program,
// camera, shared scene object and room, the swimmer, the held keys and the
// timers. The frame loop calls load once (with a current GL context), resize
// on every size change (also before load), and update then render per frame.
// Constructing it touches neither files nor GL.
//
// This layer loads, builds and draws the world; the rules of play live in
// the layer above (gameplay/), which defines update. Nothing here calls it.
class Game {
public:
    Game() = default;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool load();
    void resize(int width, int height);
    void update(float dt);  // gameplay/update.cpp
    void render();

    // Rooms, links, room textures, the shared room-content objects, the swimmer.
    void buildWorld();
    // Places the object at the room position lowered by 20 and draws it
    // untextured if it lies within radius of the room origin; then puts it back at 0.
    void drawAt(SceneObject& object, const Vec3& position, float radius);

    // Where the world camera looks from and at: behind and above the swimmer,
    // unless a door of the room is sliding open, which takes the camera over.
    struct CameraAim {
        Vec3 eye;
        Vec3 centre;
    };
    CameraAim aimWorldCamera() const;
    // Below (or at) this eye height the scene is drawn with the underwater look.
    static bool underwaterView(const Vec3& eye);
    // The water surface is drawn when seen from above, or from below the
    // surface while the eye is south of the room.
    static bool waterSurfaceVisible(const Vec3& eye);

    // Gives the shared floor and wall objects the current room's textures.
    void applyRoomTextures();

    // Fixes the seaweed generator's seed instead of taking the clock (before load).
    void setSeaweedSeed(unsigned seed) { seaweedSeed = seed; }

    // --- the world, in the order the design lists it ---
    bool keyWasDown[LATCH_COUNT] = {false, false, false, false, false, false};
    Texture fontTexture;
    Texture waterTexture;
    Camera worldCamera;
    Camera hudCamera;
    SceneObject floorObject;
    Collider quadCollider;
    Texture wallTexture;
    Texture goldWallTexture;
    Texture grassTexture;
    Texture tileTexture;
    Texture cliffTexture;
    Texture blackTexture;
    Texture seaweedTexture;
    Texture woodTexture;
    Texture doorTexture;
    Texture leverTexture;
    Texture keyTextures[KEY_COLOURS];
    Texture lockTextures[KEY_COLOURS];
    Texture ctrlHintTexture;
    Texture swimmingControlsTexture;
    Mesh quadMesh;
    Mesh seaweedMesh;
    Mesh wallMesh;
    Mesh tallWallMesh;
    Mesh plateMesh;
    Mesh floorPlankMesh;
    Mesh waterMesh;
    Mesh swimmerMesh;
    Mesh doorMesh;
    Mesh leverMesh;
    Mesh leverBaseMesh;
    ShaderProgram basicShader;
    ShaderProgram waterShader;
    ShaderProgram gameOverShader;
    ShaderProgram seaweedShader;
    ShaderProgram underwaterShader;
    ShaderProgram transitionShader;
    float hintTimer = 0.0f;
    float hintDuration = 10.0f;
    float doorOpenDuration = 3.0f;
    float leverPullDuration = 1.0f;
    Vec3 cliffPositions[BORDER_SLOTS];
    Room rooms[ROOM_SLOTS];
    Room* currentRoom = &rooms[0];
    float transitionDuration = 0.7f;
    SceneObject shortWallObject;
    SceneObject tallWallObject;
    SceneObject seaweedObject;
    SceneObject plateObject;
    SceneObject floorPlankObject;
    SceneObject bankObject;
    SceneObject waterObject;
    SceneObject doorObject;
    SceneObject leverObject;
    SceneObject leverBaseObject;
    SceneObject keyObjects[KEY_COLOURS];
    SceneObject fadeObject;
    SceneObject keyIconObjects[KEY_COLOURS];
    SceneObject lockObjects[KEY_COLOURS];
    SceneObject ctrlHintObject;
    SceneObject swimmingHintObject;
    Vec2 steering;
    float viewDistance = 150.0f;
    float viewWidth = 0.0f;
    float viewHeight = 0.0f;
    SceneObject swimmerObject;
    Vec3 swimmerPosition = Vec3(20.0f, 20.0f, -5.0f);
    float acceleration = 0.7f;
    float speed = 0.0f;
    float swimClock = 0.0f;
    bool keysHeld[KEY_COLOURS] = {false, false, false, false};

private:
    unsigned nextSeaweedSeed() const;

    std::optional<unsigned> seaweedSeed;
};
