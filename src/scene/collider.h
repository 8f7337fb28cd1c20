#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A flat (x, y) collision outline of circles and line segments, read from a
// collider file and attached to scene objects. Coordinates are in the
// object's own plane and units. Kept by design: the swimmer's collisions
// test the room's blocks (gameplay/), not colliders.
class Collider {
public:
    // Paths without ".json" from their second character on are not read:
    // true, and the collider is left as it was. A file that cannot be read or
    // decoded prints one line naming it, returns false and leaves the
    // collider empty.
    bool load(const std::string& path);

    uint32_t circleCount() const { return static_cast<uint32_t>(circleX_.size()); }
    uint32_t segmentCount() const { return static_cast<uint32_t>(segments_.size()); }
    uint32_t vertexCount() const { return static_cast<uint32_t>(vertexX_.size()); }

    // Circle values by index; 0 for an index past the last circle.
    float circleX(uint32_t index) const;
    float circleY(uint32_t index) const;
    float circleRadius(uint32_t index) const;

    // The two vertex indices of a segment as the file gave them (they may
    // lie outside the vertex list); false, and zeros, past the last segment.
    bool segmentIndices(uint32_t segment, int32_t& a, int32_t& b) const;
    // The end points of a segment; false, and zeros, when the segment or one
    // of its vertex indices is out of range.
    bool segmentEnds(uint32_t segment, float& ax, float& ay, float& bx, float& by) const;

private:
    std::vector<float> circleX_;
    std::vector<float> circleY_;
    std::vector<float> circleRadius_;
    std::vector<float> vertexX_;
    std::vector<float> vertexY_;
    std::vector<std::pair<int32_t, int32_t>> segments_;
};
