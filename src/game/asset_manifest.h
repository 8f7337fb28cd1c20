#pragma once

#include <vector>

#include "gfx/renderer.h"
#include "gfx/shader_program.h"
#include "gfx/texture.h"

class Game;
class Collider;
class Mesh;

// Every file the game reads, written once, with the Game member each one
// fills. Game::load reads through it; the asset tests and the benchmarks list
// the files from it; the build's shader checks (tests/CMakeLists.txt) take
// the programs' names from its shader rows, one row per line. Paths are
// relative to the working directory, which holds data/.

enum class TextureFilter { LINEAR, NEAREST };

struct TextureAsset {
    Texture& texture;
    const char* path;
    TextureFilter filter;
    WrapMode wrap;
    // Every texel's alpha is 1: pieces with it draw without blending, which
    // would give the same colours (tests/unit/assets_test.cpp checks the files).
    bool opaque = false;
};

struct MeshAsset {
    Mesh& mesh;
    const char* path;
};

struct ShaderAsset {
    ShaderProgram& program;
    const char* name;  // the file names without the folder and ".vert" / ".frag"
    std::vector<ShaderVariable> uniforms;
};

struct AssetManifest {
    // Decoded in this order, all before the first upload; then uploaded,
    // filtered and wrapped in the same order.
    std::vector<TextureAsset> textures;
    // Read and uploaded in this order; one file may fill two meshes.
    std::vector<MeshAsset> meshes;
    Collider& collider;
    const char* colliderPath;
    // Built in this order, from shaderFolder() + name + ".vert" and ".frag".
    std::vector<ShaderAsset> shaders;
};

AssetManifest assetManifest(Game& game);

// Where the shader sources of a GL flavour lie: GLSL 1.20 for desktop GL
// (the 3.0 and the legacy context alike), and the GLSL ES 3.00 variants that
// assetgen writes from the same text, under the same names, for OpenGL ES.
const char* shaderFolder(GlFlavour flavour);
