#include "scene/mesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <limits>

#include "gfx/renderer.h"
#include "gfx/shader_program.h"
#include "platform/file_contents.h"
#include "scene/json_values.h"

using nlohmann::ordered_json;

namespace {

constexpr int TRIANGLE_INDICES = 3;

void reportFailure(const std::string& path, const std::string& reason) {
    std::cerr << "Could not load mesh: " << path << ": " << reason << std::endl;
}

// The arrays of one file, filled completely before the mesh takes them so a
// failure half-way leaves nothing behind.
struct MeshArrays {
    std::vector<float> positions;
    std::vector<float> colours;
    std::vector<uint16_t> indices;
    std::vector<float> texCoords;
    std::unique_ptr<MeshAnimation> animation;
};

bool readModel(const ordered_json& model, MeshArrays& out, std::string& error) {
    const char* const arrayNames[] = {"vertices", "uvs", "colors", "indices"};
    const ordered_json* arrays[4] = {};
    for (int i = 0; i < 4; ++i) {
        arrays[i] = jsonMember(model, arrayNames[i]);
        if (!arrays[i]) {
            error = std::string("\"model\" lacks \"") + arrayNames[i] + "\"";
            return false;
        }
        if (!arrays[i]->is_array()) {
            error = std::string("model.") + arrayNames[i] + " is not an array";
            return false;
        }
    }
    const ordered_json& vertices = *arrays[0];
    const ordered_json& uvs = *arrays[1];
    const ordered_json& colors = *arrays[2];
    const ordered_json& triangles = *arrays[3];

    const size_t vertexCount = vertices.size();
    if (uvs.size() != vertexCount || colors.size() != vertexCount) {
        error = "model arrays differ in length: " + std::to_string(vertexCount) + " vertices, " +
                std::to_string(uvs.size()) + " uvs, " + std::to_string(colors.size()) + " colors";
        return false;
    }
    constexpr size_t MAX_COUNT = std::numeric_limits<int>::max() / POSITION_FLOATS;
    if (vertexCount > MAX_COUNT || triangles.size() > MAX_COUNT) {
        error = "model has too many vertices or triangles";
        return false;
    }

    out.positions.reserve(vertexCount * POSITION_FLOATS);
    out.texCoords.reserve(vertexCount * TEX_COORD_FLOATS);
    out.colours.reserve(vertexCount * COLOUR_FLOATS);
    std::vector<int64_t> rawIndices;
    rawIndices.reserve(triangles.size() * TRIANGLE_INDICES);
    if (!readFloatRecords(vertices, "model.vertices", {"x", "y", "z"}, out.positions, error) ||
        !readFloatRecords(uvs, "model.uvs", {"u", "v"}, out.texCoords, error) ||
        !readFloatRecords(colors, "model.colors", {"r", "g", "b"}, out.colours, error) ||
        !readIntegerRecords(triangles, "model.indices", {"a", "b", "c"}, rawIndices, error))
        return false;

    out.indices.reserve(rawIndices.size());
    for (size_t i = 0; i < rawIndices.size(); ++i) {
        // Indices are stored in 16 bits: only the low 16 bits of the value count.
        const uint16_t index = static_cast<uint16_t>(rawIndices[i]);
        if (index >= vertexCount) {
            error = "model.indices[" + std::to_string(i / TRIANGLE_INDICES) + "] refers to vertex " +
                    std::to_string(index) + " of " + std::to_string(vertexCount);
            return false;
        }
        out.indices.push_back(index);
    }
    return true;
}

bool readJsonMesh(const std::string& text, MeshArrays& out, std::string& error) {
    ordered_json document;
    if (!parseJson(text, document, error)) return false;
    if (!document.is_object()) {
        error = "the top level is not an object";
        return false;
    }
    for (const auto& member : document.items()) {
        if (member.key() == "model") {
            if (!member.value().is_object()) {
                error = "\"model\" is not an object";
                return false;
            }
            if (!readModel(member.value(), out, error)) return false;
        } else if (member.key() == "animations") {
            out.animation = std::make_unique<MeshAnimation>();
            if (!out.animation->load(member.value(), error)) return false;
        }
    }
    // Checked once both members are read: they may come in either order.
    const size_t vertexCount = out.positions.size() / POSITION_FLOATS;
    if (out.animation && static_cast<size_t>(out.animation->vertexCount()) != vertexCount) {
        error = "animation keyframes hold " + std::to_string(out.animation->vertexCount()) +
                " vertices, the model " + std::to_string(vertexCount);
        return false;
    }
    return true;
}

uint32_t littleEndian32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

int32_t readInt32(const unsigned char* p) {
    const uint32_t bits = littleEndian32(p);
    int32_t value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void readFloats(const unsigned char*& p, size_t count, std::vector<float>& out) {
    out.resize(count);
    for (size_t i = 0; i < count; ++i, p += 4) {
        const uint32_t bits = littleEndian32(p);
        std::memcpy(&out[i], &bits, sizeof(float));
    }
}

// Header: int32 vertex count n, int32 triangle count t; then 3n position,
// 3n colour and 2n texture-coordinate floats and 3t uint16 indices, all
// little-endian, and optionally a two-byte marker.
bool readBinaryMesh(const std::string& bytes, MeshArrays& out, bool& hasMarker, std::string& error) {
    constexpr size_t HEADER_SIZE = 8;
    constexpr uint64_t BYTES_PER_VERTEX = (POSITION_FLOATS + COLOUR_FLOATS + TEX_COORD_FLOATS) * 4;
    constexpr uint64_t BYTES_PER_TRIANGLE = TRIANGLE_INDICES * 2;
    constexpr size_t MARKER_SIZE = 2;
    if (bytes.size() < HEADER_SIZE) {
        error = "truncated: " + std::to_string(bytes.size()) + " bytes, no room for the counts";
        return false;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const int32_t vertexCount = readInt32(p);
    const int32_t triangleCount = readInt32(p + 4);
    if (vertexCount < 0 || triangleCount < 0) {
        error = "negative count (" + std::to_string(vertexCount) + " vertices, " +
                std::to_string(triangleCount) + " triangles)";
        return false;
    }
    // Counts are compared with the file before they size anything.
    const uint64_t needed = HEADER_SIZE + BYTES_PER_VERTEX * static_cast<uint64_t>(vertexCount) +
                            BYTES_PER_TRIANGLE * static_cast<uint64_t>(triangleCount);
    if (needed > bytes.size()) {
        error = "truncated: " + std::to_string(vertexCount) + " vertices and " +
                std::to_string(triangleCount) + " triangles need " + std::to_string(needed) +
                " bytes, the file has " + std::to_string(bytes.size());
        return false;
    }
    constexpr int32_t MAX_COUNT = std::numeric_limits<int>::max() / POSITION_FLOATS;
    if (vertexCount > MAX_COUNT || triangleCount > MAX_COUNT) {
        error = "too many vertices or triangles";
        return false;
    }
    const size_t n = static_cast<size_t>(vertexCount);
    p += HEADER_SIZE;
    readFloats(p, n * POSITION_FLOATS, out.positions);
    readFloats(p, n * COLOUR_FLOATS, out.colours);
    readFloats(p, n * TEX_COORD_FLOATS, out.texCoords);
    const size_t indexCount = static_cast<size_t>(triangleCount) * TRIANGLE_INDICES;
    out.indices.resize(indexCount);
    for (size_t i = 0; i < indexCount; ++i, p += 2) {
        out.indices[i] = static_cast<uint16_t>(p[0] | p[1] << 8);
        if (out.indices[i] >= n) {
            error = "index " + std::to_string(i) + " refers to vertex " + std::to_string(out.indices[i]) +
                    " of " + std::to_string(n);
            return false;
        }
    }
    hasMarker = bytes.size() - needed >= MARKER_SIZE;
    return true;
}

}  // namespace

Mesh::~Mesh() { release(); }

bool Mesh::load(const std::string& path) {
    if (path.find(".json", 1) != std::string::npos) return loadJson(path);
    return loadBinary(path);
}

bool Mesh::loadJson(const std::string& path) {
    clear();
    std::string text, error;
    MeshArrays arrays;
    if (!readFileContents(path, text, error) || !readJsonMesh(text, arrays, error)) {
        reportFailure(path, error);
        return false;
    }
    positions_ = std::move(arrays.positions);
    colours_ = std::move(arrays.colours);
    indices_ = std::move(arrays.indices);
    texCoords_ = std::move(arrays.texCoords);
    animation_ = std::move(arrays.animation);
    updateCounts();
    return true;
}

bool Mesh::loadBinary(const std::string& path) {
    clear();
    std::string bytes, error;
    MeshArrays arrays;
    bool hasMarker = false;
    if (!readFileContents(path, bytes, error) || !readBinaryMesh(bytes, arrays, hasMarker, error)) {
        reportFailure(path, error);
        return false;
    }
    positions_ = std::move(arrays.positions);
    colours_ = std::move(arrays.colours);
    indices_ = std::move(arrays.indices);
    texCoords_ = std::move(arrays.texCoords);
    updateCounts();
    // The binary format carries no animation; the marker only announces one.
    std::cout << (hasMarker ? "des anims!" : "pas d'anim") << std::endl;
    return true;
}

void Mesh::updateCounts() {
    positionCount_ = static_cast<int>(positions_.size());
    colourCount_ = static_cast<int>(colours_.size());
    indexCount_ = static_cast<int>(indices_.size());
    texCoordCount_ = static_cast<int>(texCoords_.size());

    bounds_ = Sphere();
    const size_t vertices = positions_.size() / POSITION_FLOATS;
    if (vertices == 0) return;
    Vec3 low(positions_[0], positions_[1], positions_[2]), high = low;
    for (size_t i = 1; i < vertices; ++i) {
        const float* p = &positions_[i * POSITION_FLOATS];
        low = Vec3(std::min(low.x, p[0]), std::min(low.y, p[1]), std::min(low.z, p[2]));
        high = Vec3(std::max(high.x, p[0]), std::max(high.y, p[1]), std::max(high.z, p[2]));
    }
    bounds_.centre = Vec3((low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2);
    float farthest = 0.0f;
    for (size_t i = 0; i < vertices; ++i) {
        const float* p = &positions_[i * POSITION_FLOATS];
        const Vec3 d(p[0] - bounds_.centre.x, p[1] - bounds_.centre.y, p[2] - bounds_.centre.z);
        farthest = std::max(farthest, dot(d, d));
    }
    bounds_.radius = std::sqrt(farthest);
}

void Mesh::clear() {
    positions_.clear();
    colours_.clear();
    indices_.clear();
    texCoords_.clear();
    animation_.reset();
    updateCounts();
}

void Mesh::upload() {
    const uint8_t components[3] = {POSITION_FLOATS, TEX_COORD_FLOATS, COLOUR_FLOATS};
    const float* const arrays[3] = {positions_.data(), texCoords_.data(), colours_.data()};
    vertexGroup_ = renderer.createBufferGroup(positionCount_ / POSITION_FLOATS, components, arrays, 3);
    indexBuffer_ = renderer.createIndexBuffer(indexCount_, indices_.data());
    if (!animation_) return;
    // The static arrays are the animation buffers' first contents.
    const float* const sources[3] = {positions_.data(), colours_.data(), texCoords_.data()};
    const int counts[3] = {positionCount_, colourCount_, texCoordCount_};
    for (int i = 0; i < 3; ++i) {
        animationBuffers_[i] = renderer.createBuffer();
        renderer.fillArrayBuffer(animationBuffers_[i], sources[i], counts[i]);
    }
}

void Mesh::draw(const Mat4& modelView) {
    if (!currentProgram || vertexGroup_ < 0) return;
    currentProgram->setMatrix4("mvMat", modelView);
    currentProgram->bindAttributeBuffers(vertexGroup_);
    renderer.drawIndexed(indexBuffer_, indexCount_);
}

void Mesh::drawAnimated(const Mat4& modelView, unsigned animationIndex, float time) {
    if (!animation_ || animationBuffers_[0] < 0) {
        draw(modelView);
        return;
    }
    if (!currentProgram) return;
    animation_->sample(animationIndex, time);
    // The current arrays describe the mesh's own vertices (checked at load),
    // so they hold exactly the static counts.
    renderer.fillArrayBuffer(animationBuffers_[0], animation_->currentPositions().data(), positionCount_);
    renderer.fillArrayBuffer(animationBuffers_[1], animation_->currentColours().data(), colourCount_);
    renderer.fillArrayBuffer(animationBuffers_[2], animation_->currentTexCoords().data(), texCoordCount_);
    currentProgram->setMatrix4("mvMat", modelView);
    currentProgram->bindAttributeBuffer(animationBuffers_[0], "inVertex", POSITION_FLOATS);
    currentProgram->bindAttributeBuffer(animationBuffers_[2], "inTexCoord", TEX_COORD_FLOATS);
    currentProgram->bindAttributeBuffer(animationBuffers_[1], "inNormal", COLOUR_FLOATS);
    renderer.drawIndexed(indexBuffer_, indexCount_);
}

void Mesh::release() {
    // Only what upload created; the renderer skips the GL calls once the
    // context is gone.
    if (vertexGroup_ >= 0) renderer.deleteBufferGroup(vertexGroup_);
    if (indexBuffer_ >= 0) renderer.deleteBuffer(indexBuffer_);
    for (int& buffer : animationBuffers_) {
        if (buffer >= 0) renderer.deleteBuffer(buffer);
        buffer = -1;
    }
    vertexGroup_ = -1;
    indexBuffer_ = -1;
}
