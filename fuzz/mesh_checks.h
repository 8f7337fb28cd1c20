#pragma once

#include <cmath>
#include <limits>

#include "fuzz_file.h"
#include "scene/mesh.h"

// What drawing a loaded mesh relies on: three position and three colour
// floats and two texture coordinates per vertex, whole triangles, and every
// index naming a vertex. A failed load leaves the mesh empty.
inline void checkLoadedMesh(const Mesh& mesh, bool loaded) {
    FUZZ_REQUIRE(mesh.positionCount() == static_cast<int>(mesh.positions().size()));
    FUZZ_REQUIRE(mesh.colourCount() == static_cast<int>(mesh.colours().size()));
    FUZZ_REQUIRE(mesh.texCoordCount() == static_cast<int>(mesh.texCoords().size()));
    FUZZ_REQUIRE(mesh.indexCount() == static_cast<int>(mesh.indices().size()));
    if (!loaded) {
        FUZZ_REQUIRE(mesh.positionCount() == 0 && mesh.indexCount() == 0 && !mesh.animation());
        return;
    }
    const int vertices = mesh.positionCount() / 3;
    FUZZ_REQUIRE(mesh.positionCount() % 3 == 0);
    FUZZ_REQUIRE(mesh.colourCount() == vertices * 3);
    FUZZ_REQUIRE(mesh.texCoordCount() == vertices * 2);
    FUZZ_REQUIRE(mesh.indexCount() % 3 == 0);
    for (uint16_t index : mesh.indices()) FUZZ_REQUIRE(index < vertices);
}

// Samples every animation before, at, between and past its keyframes, as
// drawAnimated does with any time the game hands it; the current arrays must
// keep describing the mesh's own vertices.
inline void sampleEveryAnimation(Mesh& mesh) {
    MeshAnimation* animation = mesh.animation();
    if (!animation) return;
    FUZZ_REQUIRE(animation->vertexCount() * 3 == mesh.positionCount());
    FUZZ_REQUIRE(animation->animationCount() > 0);
    // Past the last index on purpose: such an index must change nothing.
    for (unsigned a = 0; a <= animation->animationCount(); ++a) {
        const float end = animation->duration(a);
        const float times[] = {-1.0f,
                               0.0f,
                               end * 0.5f,
                               end,
                               end + 1.0f,
                               std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity()};
        for (float time : times) {
            animation->sample(a, time);
            FUZZ_REQUIRE(animation->currentPositions().size() == mesh.positions().size());
            FUZZ_REQUIRE(animation->currentColours().size() == mesh.colours().size());
            FUZZ_REQUIRE(animation->currentTexCoords().size() == mesh.texCoords().size());
        }
    }
}
