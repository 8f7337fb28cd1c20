#include <ctime>

#include "game/game.h"

namespace {
// Height of the cliff ring above the bank ring.
constexpr float CLIFF_HEIGHT = 20.0f;
}  // namespace

unsigned Game::nextSeaweedSeed() const {
    return seaweedSeed ? *seaweedSeed : static_cast<unsigned>(std::time(nullptr));
}

void Game::buildWorld() {
    rooms[0].buildRoom0(nextSeaweedSeed());
    rooms[1].buildRoom1(nextSeaweedSeed());
    rooms[2].buildRoom2(nextSeaweedSeed());
    rooms[3].buildRoom3(nextSeaweedSeed());
    rooms[4].buildRoom4(nextSeaweedSeed());
    rooms[5].buildRoom5(nextSeaweedSeed());
    rooms[6].buildRoom6(nextSeaweedSeed());
    rooms[7].buildRoom7(nextSeaweedSeed());

    // Room 7's lever opens both sides of the passage back to room 4.
    rooms[7].levers[0].linkedOpenFlag = &rooms[4].doors[2].open;

    // The building is two rows: 0 1 2 4 7 below, 3 5 6 above.
    auto link = [this](int room, int direction, int neighbour) {
        rooms[room].neighbours[direction] = &rooms[neighbour];
    };
    link(0, DOOR_TOWARD_PLUS_X, 1);
    link(1, DOOR_TOWARD_MINUS_X, 0);
    link(1, DOOR_TOWARD_PLUS_X, 2);
    link(2, DOOR_TOWARD_MINUS_X, 1);
    link(2, DOOR_TOWARD_PLUS_X, 4);
    link(2, DOOR_TOWARD_PLUS_Y, 3);
    link(3, DOOR_TOWARD_MINUS_Y, 2);
    link(4, DOOR_TOWARD_MINUS_X, 2);
    link(4, DOOR_TOWARD_PLUS_X, 7);
    link(4, DOOR_TOWARD_PLUS_Y, 5);
    link(5, DOOR_TOWARD_PLUS_X, 6);
    link(5, DOOR_TOWARD_MINUS_Y, 4);
    link(6, DOOR_TOWARD_MINUS_X, 5);
    link(6, DOOR_TOWARD_MINUS_Y, 7);
    link(7, DOOR_TOWARD_MINUS_X, 4);
    link(7, DOOR_TOWARD_PLUS_Y, 6);

    for (int i = 0; i < ROOM_COUNT; ++i) {
        rooms[i].tallWallTexture = &wallTexture;
        rooms[i].shortWallTexture = &wallTexture;
        rooms[i].floorTexture = &grassTexture;
    }
    rooms[2].shortWallTexture = &goldWallTexture;
    rooms[3].tallWallTexture = &goldWallTexture;
    rooms[3].shortWallTexture = &goldWallTexture;
    rooms[3].floorTexture = &tileTexture;
    rooms[7].tallWallTexture = &goldWallTexture;

    fillBorderRing(cliffPositions, CLIFF_HEIGHT);

    struct Shared {
        SceneObject& object;
        Mesh& mesh;
        Texture& texture;
        float pivot;
    };
    const Shared shared[] = {{seaweedObject, seaweedMesh, seaweedTexture, 0.5f},
                             {shortWallObject, wallMesh, wallTexture, 1.0f},
                             {tallWallObject, tallWallMesh, wallTexture, 1.0f},
                             {plateObject, plateMesh, woodTexture, 1.0f},
                             {floorPlankObject, floorPlankMesh, woodTexture, 1.0f},
                             {swimmerObject, swimmerMesh, wallTexture, 1.0f}};
    for (const Shared& s : shared) {
        s.object.init(0, 0, 0, &s.mesh, &s.texture, &worldCamera);
        s.object.setPivot(s.pivot, s.pivot);
        s.object.setCollider(&quadCollider);
    }
}
