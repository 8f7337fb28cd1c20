#include "mesh_builder.h"

#include <cmath>
#include <cstdio>

#include "pi.h"

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

void MeshBuilder::addTwoSidedStrip(const std::vector<Rung>& rungs) {
    if (rungs.size() < 2) return;
    const Point3 normal = normalized(cross(rungs[0].right - rungs[0].left, rungs[1].right - rungs[0].left));
    std::vector<std::array<uint16_t, 2>> points;
    for (const Rung& r : rungs)
        points.push_back({addVertex(r.left, r.leftUv, normal), addVertex(r.right, r.rightUv, normal)});
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const uint16_t l0 = points[i][0], r0 = points[i][1], l1 = points[i + 1][0], r1 = points[i + 1][1];
        triangles_.push_back({l0, r0, r1});
        triangles_.push_back({l0, r1, l1});
        triangles_.push_back({l0, r1, r0});
        triangles_.push_back({l0, l1, r1});
    }
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

void MeshBuilder::addEllipsoid(const Point3& centre, const Point3& axisA, const Point3& axisB,
                               const Point3& poleAxis, int slices, int stacks, const Uv& uv,
                               float normalLength) {
    // On x = A sin t cos p + B sin t sin p + P cos t with perpendicular axes,
    // the outward normal points along A/|A|^2 sin t cos p + B/|B|^2 ... .
    const Point3 na = axisA * (1.0f / dot(axisA, axisA)), nb = axisB * (1.0f / dot(axisB, axisB)),
                 np = poleAxis * (1.0f / dot(poleAxis, poleAxis));
    auto vertex = [&](float theta, float phi) {
        const float st = std::sin(theta), ct = std::cos(theta), sp = std::sin(phi), cp = std::cos(phi);
        const Point3 p = centre + axisA * (st * cp) + axisB * (st * sp) + poleAxis * ct;
        const Point3 n = normalized(na * (st * cp) + nb * (st * sp) + np * ct) * normalLength;
        return addVertex(p, uv, n);
    };
    const uint16_t top = vertex(0.0f, 0.0f);
    std::vector<uint16_t> rings;  // (stacks - 1) rings of `slices` points, from the top down
    for (int stack = 1; stack < stacks; ++stack)
        for (int slice = 0; slice < slices; ++slice)
            rings.push_back(vertex(PI_FLOAT * static_cast<float>(stack) / static_cast<float>(stacks),
                                   2.0f * PI_FLOAT * static_cast<float>(slice) / static_cast<float>(slices)));
    const uint16_t bottom = vertex(PI_FLOAT, 0.0f);
    auto at = [&](int ring, int slice) { return rings[static_cast<size_t>(ring * slices + slice % slices)]; };
    // Wound counter-clockwise seen from outside whichever way the axes turn.
    const bool flip = dot(cross(axisA, axisB), poleAxis) < 0.0f;
    auto triangle = [&](uint16_t a, uint16_t b, uint16_t c) {
        triangles_.push_back(flip ? std::array<uint16_t, 3>{a, c, b} : std::array<uint16_t, 3>{a, b, c});
    };
    for (int slice = 0; slice < slices; ++slice) {
        triangle(top, at(0, slice), at(0, slice + 1));
        for (int ring = 0; ring + 1 < stacks - 1; ++ring) {
            triangle(at(ring, slice), at(ring + 1, slice), at(ring + 1, slice + 1));
            triangle(at(ring, slice), at(ring + 1, slice + 1), at(ring, slice + 1));
        }
        triangle(bottom, at(stacks - 2, slice + 1), at(stacks - 2, slice));
    }
}

void MeshBuilder::addLimb(const Point3& from, const Point3& to, float radius, float thickness, const Uv& uv,
                          float normalLength) {
    const Point3 along = (to - from) * 0.5f;
    const Point3 direction = normalized(along);
    Point3 side = normalized(cross(direction, {0, 0, 1}));
    const Point3 up = normalized(cross(side, direction));
    addEllipsoid((from + to) * 0.5f, side * radius, up * thickness, along, 6, 4, uv, normalLength);
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
