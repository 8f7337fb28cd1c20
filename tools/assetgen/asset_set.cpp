#include "asset_set.h"

#include <cstdio>
#include <string>
#include <vector>

#include "glsl_es.h"
#include "image_files.h"
#include "meshes.h"
#include "shaders.h"
#include "sounds.h"
#include "text.h"
#include "textures.h"

namespace {

const char* const fontFolder = "/usr/share/fonts/truetype/dejavu/";

class AssetWriter {
public:
    explicit AssetWriter(std::string root) : root_(std::move(root)) {}

    void picture(const std::string& path, const Image& image) {
        const bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
        bytes(path, png ? encodePng(image) : encodeBmp(image));
    }
    void text(const std::string& path, const std::string& content) {
        bytes(path, std::vector<uint8_t>(content.begin(), content.end()));
    }
    bool ok() const { return ok_; }
    void fail() { ok_ = false; }

private:
    void bytes(const std::string& path, const std::vector<uint8_t>& content) {
        if (content.empty()) {
            std::fprintf(stderr, "assetgen: could not encode %s\n", path.c_str());
            ok_ = false;
            return;
        }
        if (!writeBytes(root_ + "/" + path, content)) ok_ = false;
    }

    std::string root_;
    bool ok_ = true;
};

}  // namespace

bool writeAssetSet(const std::string& root) {
    TextRenderer bold, mono;
    if (!bold.open(std::string(fontFolder) + "DejaVuSans-Bold.ttf") ||
        !mono.open(std::string(fontFolder) + "DejaVuSansMono.ttf")) {
        return false;
    }
    AssetWriter out(root);

    const char* const colourNames[4] = {"red", "green", "blue", "gold"};
    out.picture("data/font.bmp.fnt", makeFontAtlas(mono));
    out.picture("data/water.png", makeWaterSurface());
    out.picture("data/wall.bmp", makeStoneWall());
    out.picture("data/wallGold.bmp", makeGoldWall());
    out.picture("data/wood.bmp", makeWoodPlanks());
    out.picture("data/grass.png", makeSeaFloor());
    out.picture("data/carrelage.png", makeFloorTiles());
    out.picture("data/blackpixel.bmp", makeBlackPixel());
    const Image seaweedBlade = makeSeaweedBlade();
    out.picture("data/seaweed.png", seaweedBlade);
    out.picture("data/door.bmp", makeDoor());
    out.picture("data/lever.bmp", makeLeverMetal());
    out.picture("data/cliff.png", makeCliffRock());
    for (int c = 0; c < 4; ++c) out.picture(std::string("data/") + colourNames[c] + "key.png", makeKey(c));
    out.picture("data/ctrl.png", makeCtrlHint(bold));
    out.picture("data/swimmingcontrols.png", makeControlsHelp(bold));
    for (int c = 0; c < 4; ++c) out.picture(std::string("data/") + colourNames[c] + "lock.png", makeLock(c));

    const std::string display = "data/meshes/display/";
    out.text("data/quad.json", makeQuadMesh().toJson());
    out.text(display + "seaweed.json", makeSeaweedMesh(seaweedBlade).toJson());
    out.text(display + "wall.json", makeWallMesh().toJson());
    out.text(display + "swimmer.json", makeSwimmerMesh().toJson());
    out.text(display + "tallWall.json", makeTallWallMesh().toJson());
    out.text(display + "wood.json", makePlateMesh().toJson());
    out.text(display + "floorWood.json", makeFloorPlankMesh().toJson());
    out.text(display + "door.json", makeDoorMesh().toJson());
    out.text(display + "lever.json", makeLeverMesh().toJson());
    out.text(display + "leverSocle.json", makeLeverSocketMesh().toJson());
    out.text("data/meshes/colliders/quadCollider.json", makeQuadColliderJson());

    // Beside each shader, its GLSL ES 3.00 variant for the web build, made
    // from the same text.
    for (const ShaderFile& shader : makeShaderFiles()) {
        out.text("data/shaders/" + shader.name, shader.source);
        const bool fragment =
            shader.name.size() > 5 && shader.name.compare(shader.name.size() - 5, 5, ".frag") == 0;
        std::string error;
        const std::string es =
            toGlslEs(shader.source, fragment ? ShaderStage::Fragment : ShaderStage::Vertex, error);
        if (es.empty()) {
            std::fprintf(stderr, "assetgen: no GLSL ES variant of %s: %s\n", shader.name.c_str(),
                         error.c_str());
            out.fail();
            continue;
        }
        out.text("data/shaders/es/" + shader.name, es);
    }
    for (const SoundFileBytes& sound : makeSoundFiles())
        if (!writeBytes(root + "/" + sound.path, sound.bytes)) out.fail();
    return out.ok();
}
