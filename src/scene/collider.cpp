#include "scene/collider.h"

#include <iostream>
#include <limits>

#include "platform/file_contents.h"
#include "scene/json_values.h"

using nlohmann::ordered_json;

namespace {

float valueAt(const std::vector<float>& values, uint32_t index) {
    return index < values.size() ? values[index] : 0.0f;
}

// The file's arrays as read, flat: (x, y) per vertex, (a, b) per segment,
// (x, y, radius) per circle.
struct ColliderArrays {
    std::vector<float> vertices;
    std::vector<int64_t> indices;
    std::vector<float> circles;
};

bool decodeCollider(const ordered_json& collider, ColliderArrays& out, std::string& error) {
    if (!collider.is_object()) {
        error = "\"collider\" is not an object";
        return false;
    }
    for (const char* name : {"vertices", "indices", "circles"}) {
        if (!jsonMember(collider, name)) {
            error = std::string("\"collider\" lacks \"") + name + "\"";
            return false;
        }
    }
    if (!readFloatRecords(*jsonMember(collider, "vertices"), "collider.vertices", {"x", "y"}, out.vertices,
                          error) ||
        !readIntegerRecords(*jsonMember(collider, "indices"), "collider.indices", {"a", "b"}, out.indices,
                            error) ||
        !readFloatRecords(*jsonMember(collider, "circles"), "collider.circles", {"x", "y", "radius"},
                          out.circles, error))
        return false;
    for (int64_t index : out.indices) {
        if (index < std::numeric_limits<int32_t>::min() || index > std::numeric_limits<int32_t>::max()) {
            error = "collider.indices holds " + std::to_string(index) + ", beyond 32 bits";
            return false;
        }
    }
    return true;
}

bool readColliderFile(const std::string& path, ColliderArrays& out, std::string& error) {
    std::string text;
    ordered_json document;
    if (!readFileContents(path, text, error) || !parseJson(text, document, error)) return false;
    if (!document.is_object()) {
        error = "the top level is not an object";
        return false;
    }
    // The parser keeps one value per name, so a repeated "collider" member
    // arrives here once, holding the last one's arrays.
    const ordered_json* collider = jsonMember(document, "collider");
    return !collider || decodeCollider(*collider, out, error);
}

}  // namespace

bool Collider::load(const std::string& path) {
    if (path.find(".json", 1) == std::string::npos) return true;

    circleX_.clear();
    circleY_.clear();
    circleRadius_.clear();
    vertexX_.clear();
    vertexY_.clear();
    segments_.clear();

    ColliderArrays arrays;
    std::string error;
    if (!readColliderFile(path, arrays, error)) {
        std::cerr << "Could not load collider: " << path << ": " << error << std::endl;
        return false;
    }
    const std::vector<float>& v = arrays.vertices;
    vertexX_.reserve(v.size() / 2);
    vertexY_.reserve(v.size() / 2);
    for (size_t i = 0; i + 1 < v.size(); i += 2) {
        vertexX_.push_back(v[i]);
        vertexY_.push_back(v[i + 1]);
    }
    const std::vector<int64_t>& s = arrays.indices;
    segments_.reserve(s.size() / 2);
    for (size_t i = 0; i + 1 < s.size(); i += 2)
        segments_.emplace_back(static_cast<int32_t>(s[i]), static_cast<int32_t>(s[i + 1]));
    const std::vector<float>& c = arrays.circles;
    circleX_.reserve(c.size() / 3);
    circleY_.reserve(c.size() / 3);
    circleRadius_.reserve(c.size() / 3);
    for (size_t i = 0; i + 2 < c.size(); i += 3) {
        circleX_.push_back(c[i]);
        circleY_.push_back(c[i + 1]);
        circleRadius_.push_back(c[i + 2]);
    }
    return true;
}

float Collider::circleX(uint32_t index) const { return valueAt(circleX_, index); }
float Collider::circleY(uint32_t index) const { return valueAt(circleY_, index); }
float Collider::circleRadius(uint32_t index) const { return valueAt(circleRadius_, index); }

bool Collider::segmentIndices(uint32_t segment, int32_t& a, int32_t& b) const {
    a = b = 0;
    if (segment >= segments_.size()) return false;
    a = segments_[segment].first;
    b = segments_[segment].second;
    return true;
}

bool Collider::segmentEnds(uint32_t segment, float& ax, float& ay, float& bx, float& by) const {
    ax = ay = bx = by = 0.0f;
    int32_t a = 0, b = 0;
    if (!segmentIndices(segment, a, b)) return false;
    const auto inRange = [this](int32_t i) { return i >= 0 && static_cast<size_t>(i) < vertexX_.size(); };
    if (!inRange(a) || !inRange(b)) return false;
    ax = vertexX_[a];
    ay = vertexY_[a];
    bx = vertexX_[b];
    by = vertexY_[b];
    return true;
}
