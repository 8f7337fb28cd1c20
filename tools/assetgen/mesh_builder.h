#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Point3 {
    float x = 0, y = 0, z = 0;
};
struct Uv {
    float u = 0, v = 0;
};
// A rectangle of texture space: (u0, v0) lands on a face's lower-left corner.
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

Point3 operator+(const Point3& a, const Point3& b);
Point3 operator-(const Point3& a, const Point3& b);
Point3 operator*(const Point3& a, float s);
Point3 cross(const Point3& a, const Point3& b);
float dot(const Point3& a, const Point3& b);
Point3 normalized(const Point3& a);

// The six faces of an axis-aligned box, named by their outward normal.
enum class BoxFace { MinusY, PlusX, PlusY, MinusX, PlusZ, MinusZ };

// Collects triangles. Quads and boxes are flat-shaded: every face gets its own
// vertices carrying the face normal, so lighting shows crisp edges; rounded
// parts are smooth. Front faces are counter-clockwise seen from outside, as
// the game culls back faces.
class MeshBuilder {
public:
    // A planar convex quad, corners counter-clockwise seen from its front.
    void addQuad(const std::array<Point3, 4>& corners, const std::array<Uv, 4>& uvs);
    // The same quad seen from both sides (the back shares the texture
    // coordinates, so a cut-out matches from either side).
    void addTwoSidedQuad(const std::array<Point3, 4>& corners, const std::array<Uv, 4>& uvs);
    // A strip of quads between two lines of points, from rung 0 up, seen from
    // both sides; neighbouring quads share their points. The back triangles
    // share the front's vertices too, normal included, which suits a program
    // that lights a surface by its better-facing side (the seaweed's) and
    // halves the vertices to shade. Each rung is a left and a right point
    // with their texture coordinates.
    struct Rung {
        Point3 left, right;
        Uv leftUv, rightUv;
    };
    void addTwoSidedStrip(const std::vector<Rung>& rungs);
    // A closed box. Each face is seen from outside with +z up on the sides and
    // +x to the right on top; uvFor gives the face's texture rectangle from its
    // width and height in mesh units.
    template <class UvFor>
    void addBox(const Point3& low, const Point3& high, UvFor uvFor);
    // A closed, smoothly shaded ellipsoid around centre with three mutually
    // perpendicular half-axes given as vectors, every vertex at one texture
    // coordinate (a flat-coloured part). Neighbouring triangles share their
    // vertices, so the vertex shader runs once per point. Normals are scaled
    // to normalLength (the scene shaders outline parts whose normals are
    // longer than 1).
    void addEllipsoid(const Point3& centre, const Point3& axisA, const Point3& axisB, const Point3& poleAxis,
                      int slices, int stacks, const Uv& uv, float normalLength = 1.0f);
    // A capsule-like limb: an ellipsoid from `from` to `to`, `radius` wide and
    // `thickness` high.
    void addLimb(const Point3& from, const Point3& to, float radius, float thickness, const Uv& uv,
                 float normalLength = 1.0f);

    // The mesh file: {"model": {"vertices", "uvs", "colors" (normals), "indices"}},
    // or an empty string when the vertices do not fit the game's 16-bit indices.
    std::string toJson() const;

private:
    void addBoxFace(const Point3& low, const Point3& high, BoxFace face, const UvRect& rect);
    uint16_t addVertex(const Point3& p, const Uv& uv, const Point3& normal);

    std::vector<Point3> positions_;
    std::vector<Uv> uvs_;
    std::vector<Point3> normals_;
    std::vector<std::array<uint16_t, 3>> triangles_;
    bool tooManyVertices_ = false;
};

template <class UvFor>
void MeshBuilder::addBox(const Point3& low, const Point3& high, UvFor uvFor) {
    const float sx = high.x - low.x, sy = high.y - low.y, sz = high.z - low.z;
    addBoxFace(low, high, BoxFace::MinusY, uvFor(BoxFace::MinusY, sx, sz));
    addBoxFace(low, high, BoxFace::PlusX, uvFor(BoxFace::PlusX, sy, sz));
    addBoxFace(low, high, BoxFace::PlusY, uvFor(BoxFace::PlusY, sx, sz));
    addBoxFace(low, high, BoxFace::MinusX, uvFor(BoxFace::MinusX, sy, sz));
    addBoxFace(low, high, BoxFace::PlusZ, uvFor(BoxFace::PlusZ, sx, sy));
    addBoxFace(low, high, BoxFace::MinusZ, uvFor(BoxFace::MinusZ, sx, sy));
}

// Formats a coordinate with at most five decimals and no trailing zeros, the
// same text on every run ("-0" is written as "0").
std::string formatNumber(float value);
