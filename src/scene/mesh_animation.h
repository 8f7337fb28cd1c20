#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// Floats per vertex in each of a mesh's arrays, in its files and its buffers.
constexpr int POSITION_FLOATS = 3;
constexpr int COLOUR_FLOATS = 3;
constexpr int TEX_COORD_FLOATS = 2;

// Keyframe animations of one mesh, read from the mesh file's "animations"
// member. Every keyframe holds a full copy of the per-vertex positions,
// colours and texture coordinates; sampling blends the two keyframes that
// bracket a time. All animations sit back to back in the frame arrays.
// Kept by design: no mesh of the game's data has animations.
class MeshAnimation {
public:
    // False, with a reason naming the offending member, when the structure is
    // malformed or a keyframe does not hold exactly as many entries as the
    // first keyframe's "vertices".
    bool load(const nlohmann::ordered_json& animations, std::string& error);

    // Writes the current arrays for a time in seconds; clamps at both ends
    // and never wraps. An index past the last animation changes nothing.
    void sample(unsigned animation, float time);
    // Start time of the animation's last keyframe, or -1 for an unknown index.
    float duration(unsigned animation) const;

    const std::vector<float>& currentPositions() const { return currentPositions_; }
    const std::vector<float>& currentColours() const { return currentColours_; }
    const std::vector<float>& currentTexCoords() const { return currentTexCoords_; }

    unsigned animationCount() const { return animationCount_; }
    int totalFrames() const { return totalFrames_; }
    int vertexCount() const { return vertexCount_; }
    // Index of the animation's first keyframe, or -1 for an unknown index.
    int firstFrame(unsigned animation) const;

private:
    int lastFrame(unsigned animation) const;
    void copyKeyframe(int frame);
    void blendKeyframes(int from, float weight);

    std::vector<float> framePositions_;
    std::vector<float> frameColours_;
    std::vector<float> frameTexCoords_;
    int totalFrames_ = 0;
    std::vector<float> frameTimes_;
    std::vector<int32_t> firstFrames_;
    uint16_t animationCount_ = 0;
    int vertexCount_ = 0;
    std::vector<float> currentPositions_;
    std::vector<float> currentColours_;
    std::vector<float> currentTexCoords_;
};
