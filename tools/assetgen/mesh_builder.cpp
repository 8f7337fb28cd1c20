#include "mesh_builder.h"

#include <cmath>
#include <cstdio>

Point3 operator+(const Point3& a, const Point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator-(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 operator*(const Point3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point3 normalized(const Point3& a) {
    const float length = std::sqrt(dot(a, a));
    return length > 0.0f ? a * (1.0f / length) : a;
}

uint16_t MeshBuilder::addVertex(const Point3& p, const Uv& uv, const Point3& normal) {
    constexpr size_t INDEX_LIMIT = 65536;
    if (positions_.size() >= INDEX_LIMIT) tooManyVertices_ = true;
    positions_.push_back(p);
    uvs_.push_back(uv);
    normals_.push_back(normal);
    return static_cast<uint16_t>(positions_.size() - 1);
}

void MeshBuilder::addQuad(const std::array<Point3, 4>& corners, const std::array<Uv, 4>& uvs) {
    const Point3 normal = normalized(cross(corners[1] - corners[0], corners[2] - corners[0]));
    uint16_t index[4];
    for (int i = 0; i < 4; ++i) index[i] = addVertex(corners[i], uvs[i], normal);
    triangles_.push_back({index[0], index[1], index[2]});
    triangles_.push_back({index[0], index[2], index[3]});
}

void MeshBuilder::addTwoSidedQuad(const std::array<Point3, 4>& corners, const std::array<Uv, 4>& uvs) {
    addQuad(corners, uvs);
    addQuad({corners[0], corners[3], corners[2], corners[1]}, {uvs[0], uvs[3], uvs[2], uvs[1]});
}

void MeshBuilder::addBoxFace(const Point3& low, const Point3& high, BoxFace face, const UvRect& r) {
    const float x0 = low.x, y0 = low.y, z0 = low.z, x1 = high.x, y1 = high.y, z1 = high.z;
    // Lower-left, lower-right, upper-right, upper-left as seen from outside.
    std::array<Point3, 4> c;
    switch (face) {
        case BoxFace::MinusY: c = {{{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}}; break;
        case BoxFace::PlusX: c = {{{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}}; break;
        case BoxFace::PlusY: c = {{{x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}}}; break;
        case BoxFace::MinusX: c = {{{x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}}}; break;
        case BoxFace::PlusZ: c = {{{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}}; break;
        case BoxFace::MinusZ: c = {{{x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {x0, y0, z0}}}; break;
    }
    addQuad(c, {{{r.u0, r.v0}, {r.u1, r.v0}, {r.u1, r.v1}, {r.u0, r.v1}}});
}

void MeshBuilder::addTriangleFacing(const Point3& a, const Point3& b, const Point3& c, const Uv& uv,
                                    const Point3& outward) {
    Point3 normal = normalized(cross(b - a, c - a));
    if (dot(normal, outward) >= 0.0f) {
        const uint16_t i = addVertex(a, uv, normal), j = addVertex(b, uv, normal),
                       k = addVertex(c, uv, normal);
        triangles_.push_back({i, j, k});
    } else {
        normal = normal * -1.0f;
        const uint16_t i = addVertex(a, uv, normal), j = addVertex(c, uv, normal),
                       k = addVertex(b, uv, normal);
        triangles_.push_back({i, j, k});
    }
}

void MeshBuilder::addEllipsoid(const Point3& centre, const Point3& axisA, const Point3& axisB,
                               const Point3& poleAxis, int slices, int stacks, const Uv& uv) {
    constexpr float PI = 3.14159265358979f;
    auto point = [&](int stack, int slice) {
        // The poles are computed exactly so that neighbouring triangles share them.
        if (stack == 0) return centre + poleAxis;
        if (stack == stacks) return centre - poleAxis;
        const float theta = PI * static_cast<float>(stack) / static_cast<float>(stacks);
        const float phi = 2.0f * PI * static_cast<float>(slice % slices) / static_cast<float>(slices);
        return centre + axisA * (std::sin(theta) * std::cos(phi)) +
               axisB * (std::sin(theta) * std::sin(phi)) + poleAxis * std::cos(theta);
    };
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            const Point3 p00 = point(stack, slice), p01 = point(stack, slice + 1);
            const Point3 p10 = point(stack + 1, slice), p11 = point(stack + 1, slice + 1);
            // The ellipsoid is convex, so outward is away from its centre.
            if (stack != 0) {
                addTriangleFacing(p00, p10, p01, uv, (p00 + p10 + p01) * (1.0f / 3.0f) - centre);
            }
            if (stack != stacks - 1) {
                addTriangleFacing(p01, p10, p11, uv, (p01 + p10 + p11) * (1.0f / 3.0f) - centre);
            }
        }
    }
}

void MeshBuilder::addLimb(const Point3& from, const Point3& to, float radius, float thickness, const Uv& uv) {
    const Point3 along = (to - from) * 0.5f;
    const Point3 direction = normalized(along);
    Point3 side = normalized(cross(direction, {0, 0, 1}));
    const Point3 up = normalized(cross(side, direction));
    addEllipsoid((from + to) * 0.5f, side * radius, up * thickness, along, 8, 6, uv);
}

std::string formatNumber(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", static_cast<double>(value));
    std::string s = text;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

std::string MeshBuilder::toJson() const {
    if (tooManyVertices_) return {};
    std::string out = "{\n\"model\": {\n\"vertices\": [\n";
    auto separator = [](size_t i, size_t n) { return i + 1 < n ? ",\n" : "\n"; };
    for (size_t i = 0; i < positions_.size(); ++i) {
        const Point3& p = positions_[i];
        out += "{\"x\":" + formatNumber(p.x) + ",\"y\":" + formatNumber(p.y) + ",\"z\":" + formatNumber(p.z) +
               "}" + separator(i, positions_.size());
    }
    out += "],\n\"uvs\": [\n";
    for (size_t i = 0; i < uvs_.size(); ++i) {
        out += "{\"u\":" + formatNumber(uvs_[i].u) + ",\"v\":" + formatNumber(uvs_[i].v) + "}" +
               separator(i, uvs_.size());
    }
    out += "],\n\"colors\": [\n";
    for (size_t i = 0; i < normals_.size(); ++i) {
        const Point3& n = normals_[i];
        out += "{\"r\":" + formatNumber(n.x) + ",\"g\":" + formatNumber(n.y) + ",\"b\":" + formatNumber(n.z) +
               "}" + separator(i, normals_.size());
    }
    out += "],\n\"indices\": [\n";
    for (size_t i = 0; i < triangles_.size(); ++i) {
        const auto& t = triangles_[i];
        out += "{\"a\":" + std::to_string(t[0]) + ",\"b\":" + std::to_string(t[1]) +
               ",\"c\":" + std::to_string(t[2]) + "}" + separator(i, triangles_.size());
    }
    out += "]\n}\n}\n";
    return out;
}
