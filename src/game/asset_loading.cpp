#include <cstdio>
#include <string>
#include <vector>

#include "game/game.h"

namespace {

constexpr WrapMode WRAP_REPEAT = 1;
constexpr bool NEAREST = false;

// WebGL 2 compiles GLSL ES only: the web build reads the ES variants that
// assetgen writes from the same sources, under the same names.
#ifdef __EMSCRIPTEN__
constexpr const char* SHADER_DIR = "data/shaders/es/";
#else
constexpr const char* SHADER_DIR = "data/shaders/";
#endif

const std::vector<ShaderVariable> MATRIX_UNIFORMS = {{"mvMat", 0, 16}, {"projMat", 0, 16}};

std::vector<ShaderVariable> withUniform(const char* name, int32_t size) {
    std::vector<ShaderVariable> table = MATRIX_UNIFORMS;
    table.push_back({name, 0, size});
    return table;
}

void build(ShaderProgram& program, const char* name, const std::vector<ShaderVariable>& uniforms) {
    program.load(std::string(SHADER_DIR) + name);
    program.setVariables(uniforms);
    program.compileAndLink();
}

}  // namespace

// Reads every asset in a fixed order, uploads it, places the shared scene
// objects and builds the world. A missing image only leaves a blank texture
// and a broken shader only prints; a mesh or collider that cannot be read is
// fatal, since the rooms are made of them.
bool Game::load() {
    for (bool& down : keyWasDown) down = false;

    // Decode every image first; each block is released right after its upload.
    struct Image {
        Texture& texture;
        const char* path;
    };
    const Image images[] = {{fontTexture, "data/font.bmp.fnt"},
                            {waterTexture, "data/water.png"},
                            {wallTexture, "data/wall.bmp"},
                            {goldWallTexture, "data/wallGold.bmp"},
                            {woodTexture, "data/wood.bmp"},
                            {grassTexture, "data/grass.png"},
                            {tileTexture, "data/carrelage.png"},
                            {blackTexture, "data/blackpixel.bmp"},
                            {seaweedTexture, "data/seaweed.png"},
                            {doorTexture, "data/door.bmp"},
                            {leverTexture, "data/lever.bmp"},
                            {cliffTexture, "data/cliff.png"},
                            {keyTextures[KEY_RED], "data/redkey.png"},
                            {keyTextures[KEY_GREEN], "data/greenkey.png"},
                            {keyTextures[KEY_BLUE], "data/bluekey.png"},
                            {keyTextures[KEY_GOLD], "data/goldkey.png"},
                            {ctrlHintTexture, "data/ctrl.png"},
                            {swimmingControlsTexture, "data/swimmingcontrols.png"},
                            {lockTextures[KEY_RED], "data/redlock.png"},
                            {lockTextures[KEY_GREEN], "data/greenlock.png"},
                            {lockTextures[KEY_BLUE], "data/bluelock.png"},
                            {lockTextures[KEY_GOLD], "data/goldlock.png"}};
    for (const Image& image : images) image.texture.load(image.path);

    Texture* const uploads[] = {&fontTexture,
                                &waterTexture,
                                &wallTexture,
                                &goldWallTexture,
                                &woodTexture,
                                &blackTexture,
                                &grassTexture,
                                &tileTexture,
                                &cliffTexture,
                                &seaweedTexture,
                                &doorTexture,
                                &keyTextures[KEY_RED],
                                &keyTextures[KEY_GREEN],
                                &keyTextures[KEY_BLUE],
                                &keyTextures[KEY_GOLD],
                                &lockTextures[KEY_RED],
                                &lockTextures[KEY_GREEN],
                                &lockTextures[KEY_BLUE],
                                &lockTextures[KEY_GOLD],
                                &ctrlHintTexture,
                                &swimmingControlsTexture,
                                &leverTexture};
    for (Texture* texture : uploads) {
        texture->upload();
        texture->freePixels();
        // Pixel-art textures stay crisp.
        if (texture == &goldWallTexture || texture == &leverTexture) texture->setFilter(NEAREST);
    }
    for (Texture* tiled : {&wallTexture, &woodTexture}) {
        tiled->setWrap(WRAP_REPEAT);
        tiled->setFilter(NEAREST);
    }

    struct MeshFile {
        Mesh& mesh;
        const char* path;
    };
    const MeshFile meshes[] = {{quadMesh, "data/quad.json"},
                               {seaweedMesh, "data/meshes/display/seaweed.json"},
                               {wallMesh, "data/meshes/display/wall.json"},
                               {swimmerMesh, "data/meshes/display/swimmer.json"},
                               {tallWallMesh, "data/meshes/display/tallWall.json"},
                               {plateMesh, "data/meshes/display/wood.json"},
                               {floorPlankMesh, "data/meshes/display/floorWood.json"},
                               {waterMesh, "data/meshes/display/wall.json"},
                               {doorMesh, "data/meshes/display/door.json"},
                               {leverMesh, "data/meshes/display/lever.json"},
                               {leverBaseMesh, "data/meshes/display/leverSocle.json"}};
    for (const MeshFile& file : meshes) {
        if (!file.mesh.load(file.path)) {
            std::fprintf(stderr, "Game data is incomplete: %s could not be loaded\n", file.path);
            return false;
        }
        file.mesh.upload();
    }

    waterObject.init(0, 0, -20, &waterMesh, &waterTexture, &worldCamera);
    waterObject.setScale(50, 50, 10);

    const char* colliderPath = "data/meshes/colliders/quadCollider.json";
    if (!quadCollider.load(colliderPath)) {
        std::fprintf(stderr, "Game data is incomplete: %s could not be loaded\n", colliderPath);
        return false;
    }

    floorObject.init(0, 0, -20, &quadMesh, &grassTexture, &worldCamera);
    floorObject.setScale(100, 100, 1);
    bankObject.init(0, 0, -20, &wallMesh, &grassTexture, &worldCamera);
    bankObject.setScale(1, 10, 10);
    doorObject.init(0, 0, -20, &doorMesh, &doorTexture, &worldCamera);
    doorObject.setScale(5, 1, 7);
    leverObject.init(10, 10, -10, &leverMesh, &leverTexture, &worldCamera);
    leverObject.setScale(0.5f, 0.5f, 0.5f);
    leverBaseObject.init(10, 10, -10, &leverBaseMesh, &doorTexture, &worldCamera);
    leverBaseObject.setScale(1, 0.75f, 0.5f);
    ctrlHintObject.init(0, 0, 1, &quadMesh, &ctrlHintTexture, &hudCamera);
    swimmingHintObject.init(0, 0, 1, &quadMesh, &swimmingControlsTexture, &hudCamera);
    fadeObject.init(0, 0, 1, &quadMesh, &blackTexture, &hudCamera);
    for (int c = 0; c < KEY_COLOURS; ++c) {
        keyIconObjects[c].init(0, 0, 1, &quadMesh, &keyTextures[c], &hudCamera);
        keyIconObjects[c].setScale(0.5f, 1, 2);
    }
    for (int c = 0; c < KEY_COLOURS; ++c) {
        keyObjects[c].init(0, 0, 1, &quadMesh, &keyTextures[c], &worldCamera);
        keyObjects[c].setAngleX(90);
        keyObjects[c].setScale(2, 4, 2);
    }
    for (int c = 0; c < KEY_COLOURS; ++c) {
        lockObjects[c].init(0, 0, 1, &doorMesh, &lockTextures[c], &worldCamera);
        lockObjects[c].setScale(1.1f, 1.1f, 2);
    }

    buildWorld();

    build(basicShader, "basic-fixed", MATRIX_UNIFORMS);
    build(underwaterShader, "basic-fixed-underwater", MATRIX_UNIFORMS);
    build(waterShader, "water", MATRIX_UNIFORMS);
    build(gameOverShader, "gameover-fixed", MATRIX_UNIFORMS);
    build(seaweedShader, "seaweed", withUniform("offset", 3));
    build(transitionShader, "room-transition", withUniform("ratio", 1));

    viewDistance = 150.0f;
    acceleration = 0.7f;
    swimmerPosition.x = 20.0f;
    swimmerPosition.y = 20.0f;
    swimClock = 0.0f;
    for (bool& held : keysHeld) held = false;
    doorOpenDuration = 3.0f;
    leverPullDuration = 1.0f;
    transitionDuration = 0.7f;
    hintDuration = 10.0f;
    hintTimer = 0.0f;

    applyRoomTextures();
    return true;
}

void Game::applyRoomTextures() {
    tallWallObject.texture = currentRoom->tallWallTexture;
    shortWallObject.texture = currentRoom->shortWallTexture;
    floorObject.texture = currentRoom->floorTexture;
}
