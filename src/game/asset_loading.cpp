#include <cstdio>
#include <string>

#include "audio/sound_files.h"
#include "game/asset_manifest.h"
#include "game/game.h"

// Reads every file of the asset manifest in its order, uploads it, places
// the shared scene objects, builds the world and starts play. A missing
// image only leaves a blank texture and a broken shader only prints; a mesh
// or collider that cannot be read is fatal, since the rooms are made of them.
bool Game::load() {
    const AssetManifest manifest = assetManifest(*this);

    // Decode every image first; each block is released right after its upload.
    for (const TextureAsset& image : manifest.textures) image.texture.load(image.path);
    for (const TextureAsset& image : manifest.textures) {
        image.texture.upload();
        image.texture.freePixels();
        // An upload leaves linear filtering and mirrored repeat.
        if (image.filter == TextureFilter::NEAREST) image.texture.setFilter(false);
        if (image.wrap != WRAP_MIRRORED_REPEAT) image.texture.setWrap(image.wrap);
        image.texture.opaque = image.opaque;
    }

    for (const MeshAsset& file : manifest.meshes) {
        if (!file.mesh.load(file.path)) {
            std::fprintf(stderr, "Game data is incomplete: %s could not be loaded\n", file.path);
            return false;
        }
        file.mesh.upload();
    }

    waterObject.init(0, 0, -20, &waterMesh, &waterTexture, &worldCamera);
    waterObject.setScale(50, 50, 10);

    if (!manifest.collider.load(manifest.colliderPath)) {
        std::fprintf(stderr, "Game data is incomplete: %s could not be loaded\n", manifest.colliderPath);
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

    for (const ShaderAsset& shader : manifest.shaders) {
        shader.program.load(std::string(shaderFolder(renderer.flavour())) + shader.name);
        shader.program.setVariables(shader.uniforms);
        shader.program.compileAndLink();
    }

    // A sound that cannot be read is named and stays silent; the game plays on.
    loadSounds(sounds);

    startPlay();
    return true;
}

void Game::applyRoomTextures() {
    tallWallObject.texture = currentRoom->tallWallTexture;
    shortWallObject.texture = currentRoom->shortWallTexture;
    floorObject.texture = currentRoom->floorTexture;
}

void Game::startPlay() {
    for (bool& down : keyWasDown) down = false;
    currentRoom = &rooms[0];
    swimmerPosition = SWIMMER_START;
    speed = 0.0f;
    steering = Vec2();
    swimClock = 0.0f;
    for (bool& held : keysHeld) held = false;
    viewDistance = VIEW_DISTANCE;
    acceleration = SWIM_ACCELERATION;
    doorOpenDuration = DOOR_OPEN_SECONDS;
    leverPullDuration = LEVER_PULL_SECONDS;
    transitionDuration = TRANSITION_SECONDS;
    hintDuration = HINT_SECONDS;
    hintTimer = 0.0f;
    // The sounds of a run before this one end with it; the ambience starts again.
    mixer = Mixer();
    soundsStarted.clear();
    ambienceStarted = false;
    strokeTimer = 0.0f;
    soundMuted = false;
    applyRoomTextures();
}
