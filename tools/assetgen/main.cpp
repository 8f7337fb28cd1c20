// assetgen: makes every file the game reads.
//
//   assetgen OUTPUT_DIR
//
// writes OUTPUT_DIR/data/... (OUTPUT_DIR is the folder the game runs from, so
// the repository root regenerates the committed data/) and the game's icon,
// OUTPUT_DIR/icons/..., for the packages and the web page. The output is the
// same byte for byte on every run: pictures, meshes and shaders come from
// fixed seeds and fixed encoder settings, never from the clock.
#include <cstdio>

#include "asset_set.h"
#include "icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: assetgen OUTPUT_DIR   (writes OUTPUT_DIR/data/... and OUTPUT_DIR/icons/...)\n");
        return 2;
    }
    if (!writeAssetSet(argv[1])) {
        std::fprintf(stderr, "assetgen: the asset set under %s/data is incomplete\n", argv[1]);
        return 1;
    }
    if (!writeIconSet(argv[1])) return 1;
    return 0;
}
