// Mesh::loadJson on arbitrary text, animations included: a loaded mesh must
// be drawable and every animation sampleable at any time.
#include "mesh_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Mesh mesh;
    const bool loaded = mesh.loadJson(writeFuzzFile(data, size, ".json"));
    checkLoadedMesh(mesh, loaded);
    if (loaded) sampleEveryAnimation(mesh);
    return 0;
}
