#include "game/asset_manifest.h"

#include "game/game.h"

namespace {

const std::vector<ShaderVariable> MATRIX_UNIFORMS = {{"mvMat", 0, 16}, {"projMat", 0, 16}};

std::vector<ShaderVariable> withUniform(const char* name, int32_t size) {
    std::vector<ShaderVariable> table = MATRIX_UNIFORMS;
    table.push_back({name, 0, size});
    return table;
}

constexpr TextureFilter LINEAR = TextureFilter::LINEAR;
// Pixel art stays crisp.
constexpr TextureFilter NEAREST = TextureFilter::NEAREST;
constexpr WrapMode MIRRORED = WRAP_MIRRORED_REPEAT;
// Tiled over a piece several times its texture's size.
constexpr WrapMode REPEAT = WRAP_REPEAT;
constexpr bool OPAQUE = true;

}  // namespace

AssetManifest assetManifest(Game& game) {
    return AssetManifest{
        {
            {game.fontTexture, "data/font.bmp.fnt", LINEAR, MIRRORED},
            {game.waterTexture, "data/water.png", LINEAR, MIRRORED},
            {game.wallTexture, "data/wall.bmp", NEAREST, REPEAT, OPAQUE},
            {game.goldWallTexture, "data/wallGold.bmp", NEAREST, MIRRORED, OPAQUE},
            {game.woodTexture, "data/wood.bmp", NEAREST, REPEAT, OPAQUE},
            {game.grassTexture, "data/grass.png", LINEAR, MIRRORED, OPAQUE},
            {game.tileTexture, "data/carrelage.png", LINEAR, MIRRORED, OPAQUE},
            {game.blackTexture, "data/blackpixel.bmp", LINEAR, MIRRORED, OPAQUE},
            {game.seaweedTexture, "data/seaweed.png", LINEAR, MIRRORED},
            {game.doorTexture, "data/door.bmp", LINEAR, MIRRORED, OPAQUE},
            {game.leverTexture, "data/lever.bmp", NEAREST, MIRRORED, OPAQUE},
            {game.cliffTexture, "data/cliff.png", LINEAR, MIRRORED, OPAQUE},
            {game.keyTextures[KEY_RED], "data/redkey.png", LINEAR, MIRRORED},
            {game.keyTextures[KEY_GREEN], "data/greenkey.png", LINEAR, MIRRORED},
            {game.keyTextures[KEY_BLUE], "data/bluekey.png", LINEAR, MIRRORED},
            {game.keyTextures[KEY_GOLD], "data/goldkey.png", LINEAR, MIRRORED},
            {game.ctrlHintTexture, "data/ctrl.png", LINEAR, MIRRORED},
            {game.swimmingControlsTexture, "data/swimmingcontrols.png", LINEAR, MIRRORED},
            {game.lockTextures[KEY_RED], "data/redlock.png", LINEAR, MIRRORED},
            {game.lockTextures[KEY_GREEN], "data/greenlock.png", LINEAR, MIRRORED},
            {game.lockTextures[KEY_BLUE], "data/bluelock.png", LINEAR, MIRRORED},
            {game.lockTextures[KEY_GOLD], "data/goldlock.png", LINEAR, MIRRORED},
        },
        {
            {game.quadMesh, "data/quad.json"},
            {game.seaweedMesh, "data/meshes/display/seaweed.json"},
            {game.wallMesh, "data/meshes/display/wall.json"},
            {game.swimmerMesh, "data/meshes/display/swimmer.json"},
            {game.tallWallMesh, "data/meshes/display/tallWall.json"},
            {game.plateMesh, "data/meshes/display/wood.json"},
            {game.floorPlankMesh, "data/meshes/display/floorWood.json"},
            // The water box is the wall's cube, scaled: a mesh of its own from the same file.
            {game.waterMesh, "data/meshes/display/wall.json"},
            {game.doorMesh, "data/meshes/display/door.json"},
            {game.leverMesh, "data/meshes/display/lever.json"},
            {game.leverBaseMesh, "data/meshes/display/leverSocle.json"},
        },
        game.quadCollider,
        "data/meshes/colliders/quadCollider.json",
        {
            {game.basicShader, "basic-fixed", MATRIX_UNIFORMS},
            {game.underwaterShader, "basic-fixed-underwater", MATRIX_UNIFORMS},
            {game.waterShader, "water", MATRIX_UNIFORMS},
            {game.gameOverShader, "gameover-fixed", MATRIX_UNIFORMS},
            {game.seaweedShader, "seaweed", withUniform("offset", 3)},
            {game.transitionShader, "room-transition", withUniform("ratio", 1)},
        },
    };
}

const char* shaderFolder(GlFlavour flavour) {
    return flavour == GlFlavour::ES ? "data/shaders/es/" : "data/shaders/";
}
