#pragma once

#include <optional>
#include <vector>

#include "audio/mixer.h"
#include "audio/sound.h"
#include "audio/sound_id.h"
#include "game/room.h"
#include "gfx/shader_program.h"
#include "gfx/texture.h"
#include "math/vec.h"
#include "scene/camera.h"
#include "scene/collider.h"
#include "scene/mesh.h"
#include "scene/scene_object.h"

// Index of each key in keyWasDown, the previous-frame key states.
enum KeyLatch {
    LATCH_F3 = 0,
    LATCH_F4,
    LATCH_F1,
    LATCH_F2,
    LATCH_SPACE,
    LATCH_LEFT_CONTROL,
    LATCH_MUTE,
    LATCH_COUNT
};

// The start of every run (Game::startPlay): the swimmer five under the surface
// in the south-west of the first room, and the values play is tuned with.
constexpr Vec3 SWIMMER_START(20.0f, 20.0f, -5.0f);
// Pieces farther than this (and a margin) from the room origin are not drawn.
constexpr float VIEW_DISTANCE = 150.0f;
// Speed gained per second while Space is held.
constexpr float SWIM_ACCELERATION = 0.7f;
// How long a door takes to slide open, a lever to be pulled, a fade to black
// or back, and how long the controls help shows.
constexpr float DOOR_OPEN_SECONDS = 3.0f;
constexpr float LEVER_PULL_SECONDS = 1.0f;
constexpr float TRANSITION_SECONDS = 0.7f;
constexpr float HINT_SECONDS = 10.0f;

// A sound the update started: which, how high, and, for one that has a
// place, where (in the swimmer's coordinates, as the camera sees them).
struct SoundStart {
    SoundId id = SOUND_AMBIENCE;
    float pitch = 1.0f;
    bool placed = false;
    Vec3 place;
};

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

    // GPU and file work: reads the asset manifest, uploads it, places the
    // shared scene objects and builds the world, then starts play.
    bool load();
    // The start of a run: the swimmer at SWIMMER_START in the first room,
    // still, holding no key; the tuning values and timers at their start; the
    // first room's textures on the shared objects. Touches neither files nor GL.
    void startPlay();
    void resize(int width, int height);
    void update(float dt);  // gameplay/update.cpp
    void render();

    // Rooms, links, room textures, the shared room-content objects.
    void buildWorld();
    // Places the object at the room position lowered by 20 and draws it
    // untextured if it lies within radius of the room origin and may show in
    // viewFrustum (its program moving no vertex farther than reach); then
    // puts it back at 0.
    void drawAt(SceneObject& object, const Vec3& position, float radius, float reach = 0.0f);

    // Where the world camera looks from and at: behind and above the swimmer,
    // unless a door of the room is sliding open, which takes the camera over
    // (game/queries.cpp, with the other questions rendering and play ask).
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
    bool keyWasDown[LATCH_COUNT] = {false, false, false, false, false, false, false};
    Texture fontTexture;  // kept by design: loaded with the others, no text is drawn
    Texture waterTexture;
    Camera worldCamera;
    // The world camera's view volume, set by render: pieces wholly outside it
    // are not drawn. False draws every piece within the draw radius, as the
    // game did before it culled; the tests compare the two.
    Frustum viewFrustum;
    bool cullsOutOfView = true;
    Camera hudCamera;
    SceneObject floorObject;
    Collider quadCollider;  // kept by design: loaded and attached, collisions test the room's blocks
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
    ShaderProgram gameOverShader;  // kept by design: built with the others, the game never ends
    ShaderProgram seaweedShader;
    ShaderProgram underwaterShader;
    ShaderProgram transitionShader;
    float hintTimer = 0.0f;
    float hintDuration = HINT_SECONDS;
    float doorOpenDuration = DOOR_OPEN_SECONDS;
    float leverPullDuration = LEVER_PULL_SECONDS;
    Vec3 cliffPositions[BORDER_SLOTS];
    Room rooms[ROOM_SLOTS];
    Room* currentRoom = &rooms[0];
    float transitionDuration = TRANSITION_SECONDS;
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
    float viewDistance = VIEW_DISTANCE;
    float viewWidth = 0.0f;
    float viewHeight = 0.0f;
    SceneObject swimmerObject;
    Vec3 swimmerPosition = SWIMMER_START;
    float acceleration = SWIM_ACCELERATION;
    float speed = 0.0f;
    float swimClock = 0.0f;
    bool keysHeld[KEY_COLOURS] = {false, false, false, false};

    // --- sound: heard, never reported (the state report leaves it out) ---
    Sound sounds[SOUND_COUNT];  // by SoundId; one that could not be read stays empty and silent
    Mixer mixer;                // whoever drives the game renders it (the frame loop, --audio)
    // What the last update started, in order; mirelo-headless's sound log reads it.
    std::vector<SoundStart> soundsStarted;
    bool ambienceStarted = false;
    float strokeTimer = 0.0f;  // until the next swim stroke while Space is held
    bool soundMuted = false;   // the player's choice (M, the controller's Y, the page's button)

private:
    unsigned nextSeaweedSeed() const;

    std::optional<unsigned> seaweedSeed;
};
