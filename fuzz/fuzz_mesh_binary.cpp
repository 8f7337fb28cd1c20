// Mesh::loadBinary on arbitrary bytes: a loaded mesh must be drawable.
#include "mesh_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Mesh mesh;
    const bool loaded = mesh.loadBinary(writeFuzzFile(data, size, ".mesh"));
    checkLoadedMesh(mesh, loaded);
    FUZZ_REQUIRE(!mesh.animation());
    return 0;
}
