#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "math/frustum.h"
#include "math/mat4.h"
#include "scene/mesh_animation.h"

// One indexed triangle model: CPU arrays loaded from a JSON or raw binary
// file, copied once into GPU buffers and drawn with a model-view matrix.
// The third vertex array is called "colors" in the files; the programs read
// it as "inNormal".
class Mesh {
public:
    Mesh() = default;
    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // JSON when the path holds ".json" anywhere from its second character on
    // (so "x.json.bak" is JSON and ".json" alone is binary), raw binary
    // otherwise. A failure prints one line naming the file and leaves the
    // mesh empty.
    bool load(const std::string& path);
    bool loadJson(const std::string& path);
    bool loadBinary(const std::string& path);
    // The counts and the bounds of the arrays as they now are.
    void updateCounts();

    // Creates the GPU buffers; called once, right after load, with a context.
    void upload();
    void draw(const Mat4& modelView);
    void drawAnimated(const Mat4& modelView, unsigned animationIndex, float time);
    // Deletes what upload created; safe to call again, before upload, or
    // after the context is gone.
    void release();

    const std::vector<float>& positions() const { return positions_; }
    const std::vector<float>& colours() const { return colours_; }
    const std::vector<uint16_t>& indices() const { return indices_; }
    const std::vector<float>& texCoords() const { return texCoords_; }
    int positionCount() const { return positionCount_; }
    int colourCount() const { return colourCount_; }
    int indexCount() const { return indexCount_; }
    int texCoordCount() const { return texCoordCount_; }
    // A ball holding every position (centred on their box); radius 0 when there are none.
    const Sphere& bounds() const { return bounds_; }
    MeshAnimation* animation() { return animation_.get(); }
    const MeshAnimation* animation() const { return animation_.get(); }

    // Buffer-list indices (renderer.h); -1 until upload and after release.
    int vertexGroup() const { return vertexGroup_; }
    int indexBuffer() const { return indexBuffer_; }
    // 0 positions, 1 colours, 2 texture coordinates.
    int animationBuffer(int which) const { return which >= 0 && which < 3 ? animationBuffers_[which] : -1; }

private:
    void clear();

    std::vector<float> positions_;
    std::vector<float> colours_;
    std::vector<uint16_t> indices_;
    std::vector<float> texCoords_;
    int positionCount_ = 0;
    int colourCount_ = 0;
    int indexCount_ = 0;
    int texCoordCount_ = 0;
    Sphere bounds_;
    int vertexGroup_ = -1;
    int indexBuffer_ = -1;
    // Positions, colours, texture coordinates; only with an animation.
    int animationBuffers_[3] = {-1, -1, -1};
    std::unique_ptr<MeshAnimation> animation_;
};
