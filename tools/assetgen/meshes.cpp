#include "meshes.h"

#include "texture_layout.h"

namespace {

// Texture rectangle proportional to the face size: `unitsPerRepeat` mesh units
// per copy of the texture, so blocks of any height keep square bricks.
auto tiledFaces(float unitsPerRepeat) {
    return [unitsPerRepeat](BoxFace, float width, float height) {
        return UvRect{0.0f, 0.0f, width / unitsPerRepeat, height / unitsPerRepeat};
    };
}

constexpr float BLOCK_SIZE = 2.0f;  // the world's grid step

}  // namespace

MeshBuilder makeQuadMesh() {
    // Both sides: the keys stand up in the world and the overlays face the
    // overlay camera, and either may be seen from behind.
    MeshBuilder mesh;
    mesh.addTwoSidedQuad({{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}, {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
    return mesh;
}

MeshBuilder makeWallMesh() {
    MeshBuilder mesh;
    mesh.addBox({0, 0, 0}, {BLOCK_SIZE, BLOCK_SIZE, BLOCK_SIZE}, tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makeTallWallMesh() {
    constexpr float TALL_WALL_HEIGHT = 6.0f;
    MeshBuilder mesh;
    mesh.addBox({0, 0, 0}, {BLOCK_SIZE, BLOCK_SIZE, TALL_WALL_HEIGHT}, tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makePlateMesh() {
    // The swimmer collides with the top surface at 5.25 (from above and below).
    constexpr float PLATE_TOP = 5.25f;
    constexpr float PLATE_THICKNESS = 0.25f;
    MeshBuilder mesh;
    mesh.addBox({0, 0, PLATE_TOP - PLATE_THICKNESS}, {BLOCK_SIZE, BLOCK_SIZE, PLATE_TOP},
                tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makeFloorPlankMesh() {
    constexpr float PLANK_THICKNESS = 0.15f;
    MeshBuilder mesh;
    mesh.addBox({0, 0, 0}, {BLOCK_SIZE, BLOCK_SIZE, PLANK_THICKNESS}, tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makeDoorMesh() {
    // The broad faces show the whole door (or lock) picture; the narrow faces
    // take a strip of its frame.
    constexpr float HALF_THICKNESS = 0.1f;
    MeshBuilder mesh;
    mesh.addBox({-1, -HALF_THICKNESS, 0}, {1, HALF_THICKNESS, 1}, [](BoxFace face, float, float) {
        switch (face) {
            case BoxFace::MinusY:
            case BoxFace::PlusY: return UvRect{0, 0, 1, 1};
            case BoxFace::PlusX:
            case BoxFace::MinusX: return UvRect{0, 0, EDGE_STRIP, 1};
            default: return UvRect{0, 0, 1, EDGE_STRIP};
        }
    });
    return mesh;
}

MeshBuilder makeLeverMesh() {
    constexpr float BAR_HALF_WIDTH = 0.25f;
    constexpr float BAR_LENGTH = 4.0f;
    constexpr float KNOB_RADIUS = 0.6f;
    MeshBuilder mesh;
    mesh.addBox({-BAR_HALF_WIDTH, -BAR_HALF_WIDTH, 0}, {BAR_HALF_WIDTH, BAR_HALF_WIDTH, BAR_LENGTH},
                [](BoxFace, float, float) { return LEVER_BAR_RECT; });
    mesh.addEllipsoid({0, 0, BAR_LENGTH}, {KNOB_RADIUS, 0, 0}, {0, KNOB_RADIUS, 0}, {0, 0, KNOB_RADIUS}, 10,
                      7, LEVER_KNOB_UV);
    return mesh;
}

MeshBuilder makeLeverSocketMesh() {
    // A plinth with a narrower cap, dressed in the door's iron band.
    MeshBuilder mesh;
    auto band = [](BoxFace, float, float) { return LEVER_SOCKET_RECT; };
    mesh.addBox({-1, -1, 0}, {1, 1, 0.6f}, band);
    mesh.addBox({-0.7f, -0.7f, 0.6f}, {0.7f, 0.7f, 1.0f}, band);
    return mesh;
}

MeshBuilder makeSeaweedMesh() {
    // Two blades crossed at the root, each seen from both sides, with many ROWS
    // so that the sway shader can bend them smoothly.
    constexpr int ROWS = 16;
    constexpr float CENTRE = 0.5f;
    MeshBuilder mesh;
    for (int blade = 0; blade < 2; ++blade) {
        for (int row = 0; row < ROWS; ++row) {
            const float v0 = static_cast<float>(row) / ROWS;
            const float v1 = static_cast<float>(row + 1) / ROWS;
            const float z0 = v0 * SEAWEED_HEIGHT, z1 = v1 * SEAWEED_HEIGHT;
            const float a = CENTRE - SEAWEED_HALF_WIDTH, b = CENTRE + SEAWEED_HALF_WIDTH;
            std::array<Point3, 4> corners;
            if (blade == 0) {
                corners = {{{a, CENTRE, z0}, {b, CENTRE, z0}, {b, CENTRE, z1}, {a, CENTRE, z1}}};
            } else {
                corners = {{{CENTRE, a, z0}, {CENTRE, b, z0}, {CENTRE, b, z1}, {CENTRE, a, z1}}};
            }
            mesh.addTwoSidedQuad(corners, {{{0, v0}, {1, v0}, {1, v1}, {0, v1}}});
        }
    }
    return mesh;
}

MeshBuilder makeSwimmerMesh() {
    // Built around the origin and moved to (1, 1), the pivot the game draws it
    // with. It lies face down along y and swims toward -y, arms reaching
    // forward and out, legs trailing toward +y in flippers.
    const Point3 pivot = {1, 1, 0};
    constexpr float LENGTH_CENTRE = 0.21f;  // shifts the body's middle onto the pivot
    auto at = [&](float x, float y, float z) { return Point3{x, y - LENGTH_CENTRE, z} + pivot; };
    MeshBuilder mesh;
    mesh.addEllipsoid(at(0, 0.05f, 0), {0.36f, 0, 0}, {0, 0, 0.21f}, {0, 0.72f, 0}, 10, 7, SWIMMER_SUIT_UV);
    mesh.addEllipsoid(at(0, -0.92f, 0.04f), {0.22f, 0, 0}, {0, 0, 0.22f}, {0, 0.25f, 0}, 10, 7,
                      SWIMMER_SKIN_UV);
    mesh.addEllipsoid(at(0, -0.99f, 0.10f), {0.235f, 0, 0}, {0, 0, 0.19f}, {0, 0.21f, 0}, 10, 7,
                      SWIMMER_CAP_UV);
    for (float side : {-1.0f, 1.0f}) {
        mesh.addLimb(at(side * 0.30f, -0.48f, 0.03f), at(side * 0.70f, -1.22f, 0.0f), 0.09f, 0.08f,
                     SWIMMER_SKIN_UV);
        mesh.addLimb(at(side * 0.16f, 0.62f, 0), at(side * 0.24f, 1.30f, -0.02f), 0.11f, 0.10f,
                     SWIMMER_SKIN_UV);
        mesh.addEllipsoid(at(side * 0.26f, 1.42f, -0.03f), {0.15f, 0, 0}, {0, 0, 0.04f}, {0, 0.22f, 0}, 8, 6,
                          SWIMMER_FIN_UV);
    }
    return mesh;
}

std::string makeQuadColliderJson() {
    return "{\n\"collider\": {\n"
           "\"vertices\": [\n{\"x\":0,\"y\":0},\n{\"x\":1,\"y\":0},\n{\"x\":1,\"y\":1},\n"
           "{\"x\":0,\"y\":1}\n],\n"
           "\"indices\": [\n{\"a\":0,\"b\":1},\n{\"a\":1,\"b\":2},\n{\"a\":2,\"b\":3},\n"
           "{\"a\":3,\"b\":0}\n],\n"
           "\"circles\": []\n}\n}\n";
}
