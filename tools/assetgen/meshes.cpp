#include "meshes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "texture_layout.h"

namespace {

// Texture rectangle proportional to the face size: `unitsPerRepeat` mesh units
// per copy of the texture, so blocks of any height keep square bricks.
auto tiledFaces(float unitsPerRepeat) {
    return [unitsPerRepeat](BoxFace, float width, float height) {
        return UvRect{0.0f, 0.0f, width / unitsPerRepeat, height / unitsPerRepeat};
    };
}

constexpr float BLOCK_SIZE = 2.0f;  // the world's grid step

}  // namespace

MeshBuilder makeQuadMesh() {
    // Both sides: the keys stand up in the world and the overlays face the
    // overlay camera, and either may be seen from behind.
    MeshBuilder mesh;
    mesh.addTwoSidedQuad({{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}, {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
    return mesh;
}

MeshBuilder makeWallMesh() {
    MeshBuilder mesh;
    mesh.addBox({0, 0, 0}, {BLOCK_SIZE, BLOCK_SIZE, BLOCK_SIZE}, tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makeTallWallMesh() {
    constexpr float TALL_WALL_HEIGHT = 6.0f;
    MeshBuilder mesh;
    mesh.addBox({0, 0, 0}, {BLOCK_SIZE, BLOCK_SIZE, TALL_WALL_HEIGHT}, tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makePlateMesh() {
    // The swimmer collides with the top surface at 5.25 (from above and below).
    constexpr float PLATE_TOP = 5.25f;
    constexpr float PLATE_THICKNESS = 0.25f;
    MeshBuilder mesh;
    mesh.addBox({0, 0, PLATE_TOP - PLATE_THICKNESS}, {BLOCK_SIZE, BLOCK_SIZE, PLATE_TOP},
                tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makeFloorPlankMesh() {
    constexpr float PLANK_THICKNESS = 0.15f;
    MeshBuilder mesh;
    mesh.addBox({0, 0, 0}, {BLOCK_SIZE, BLOCK_SIZE, PLANK_THICKNESS}, tiledFaces(BLOCK_SIZE));
    return mesh;
}

MeshBuilder makeDoorMesh() {
    // The broad faces show the whole door (or lock) picture; the narrow faces
    // take a strip of its frame.
    constexpr float HALF_THICKNESS = 0.1f;
    MeshBuilder mesh;
    mesh.addBox({-1, -HALF_THICKNESS, 0}, {1, HALF_THICKNESS, 1}, [](BoxFace face, float, float) {
        switch (face) {
            case BoxFace::MinusY:
            case BoxFace::PlusY: return UvRect{0, 0, 1, 1};
            case BoxFace::PlusX:
            case BoxFace::MinusX: return UvRect{0, 0, EDGE_STRIP, 1};
            default: return UvRect{0, 0, 1, EDGE_STRIP};
        }
    });
    return mesh;
}

MeshBuilder makeLeverMesh() {
    // The knob is about a dozen pixels across at the follow camera's
    // distance: a smooth ball of 6 x 4 reads as round there.
    constexpr float BAR_HALF_WIDTH = 0.25f;
    constexpr float BAR_LENGTH = 4.0f;
    constexpr float KNOB_RADIUS = 0.6f;
    MeshBuilder mesh;
    mesh.addBox({-BAR_HALF_WIDTH, -BAR_HALF_WIDTH, 0}, {BAR_HALF_WIDTH, BAR_HALF_WIDTH, BAR_LENGTH},
                [](BoxFace, float, float) { return LEVER_BAR_RECT; });
    mesh.addEllipsoid({0, 0, BAR_LENGTH}, {KNOB_RADIUS, 0, 0}, {0, KNOB_RADIUS, 0}, {0, 0, KNOB_RADIUS}, 6, 4,
                      LEVER_KNOB_UV);
    return mesh;
}

MeshBuilder makeLeverSocketMesh() {
    // A plinth with a narrower cap, dressed in the door's iron band. The game
    // stands a socket at its lever's height, and a lever on a plate stands
    // 0.75 above the plate's top (height 6 on a top at 5.25): the plinth
    // reaches that far below its origin so that it rests on the plate. The
    // socket is scaled by 0.5 in z, hence 1.5 mesh units. A socket on the
    // floor sinks the same into it, where the floor hides it.
    constexpr float SCALE_Z = 0.5f;
    constexpr float LEVER_ABOVE_PLATE = 6.0f - 5.25f;
    constexpr float FOOT = -LEVER_ABOVE_PLATE / SCALE_Z;
    MeshBuilder mesh;
    auto band = [](BoxFace, float, float) { return LEVER_SOCKET_RECT; };
    mesh.addBox({-1, -1, FOOT}, {1, 1, 0.6f}, band);
    mesh.addBox({-0.7f, -0.7f, 0.6f}, {0.7f, 0.7f, 1.0f}, band);
    return mesh;
}

namespace {

// Where a blade outline must reach at a height v (0 at the root, 1 at the
// tip): the u range from which a fragment can still see a texel the seaweed
// shader keeps (alpha at least one half). Linear filtering reaches the texels
// whose centres lie within one texel of the sample.
struct Span {
    float low = 2.0f, high = -1.0f;
};

std::vector<Span> spansToCover(const Image& blade, int samples) {
    const int w = blade.width(), h = blade.height();
    const std::vector<uint8_t> bytes = blade.rgba8();
    constexpr uint8_t KEPT = 128;  // alpha 0.5 and above survives the cut-out
    std::vector<Span> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (bytes[(static_cast<size_t>(y) * w + x) * 4 + 3] >= KEPT) {
                rows[y].low = std::min(rows[y].low, (static_cast<float>(x) - 0.5f) / w);
                rows[y].high = std::max(rows[y].high, (static_cast<float>(x) + 1.5f) / w);
            }
    std::vector<Span> spans(static_cast<size_t>(samples) + 1);
    for (int k = 0; k <= samples; ++k) {
        const float fromTop = (1.0f - static_cast<float>(k) / samples) * h;  // picture rows run top down
        for (int y = 0; y < h; ++y) {
            if (std::fabs(static_cast<float>(y) + 0.5f - fromTop) >= 1.0f) continue;
            spans[k].low = std::min(spans[k].low, rows[y].low);
            spans[k].high = std::max(spans[k].high, rows[y].high);
        }
    }
    return spans;
}

// The side of the outline at the given rungs (fractions of `samples`) that
// hugs the blade closest: for the left side the largest area to its left that
// keeps every span's low end to its right, for the right side likewise
// mirrored. Candidate positions are half texels; a small search, exact.
std::vector<float> fitSide(const std::vector<Span>& spans, const std::vector<int>& rungs, int width,
                           bool left) {
    const int candidates = 2 * width + 1;
    auto position = [&](int c) { return static_cast<float>(c) / (2.0f * width); };
    auto allowed = [&](int from, int to, float a, float b) {
        for (int k = rungs[from]; k <= rungs[to]; ++k) {
            const float t = static_cast<float>(k - rungs[from]) / static_cast<float>(rungs[to] - rungs[from]);
            const float u = a + (b - a) * t;
            const Span& s = spans[static_cast<size_t>(k)];
            if (s.low > s.high) continue;  // nothing kept at this height
            if (left ? u > s.low : u < s.high) return false;
        }
        return true;
    };
    // best[i][c]: the largest area (left side) or smallest (right side, as a
    // negative) up to rung i ending at candidate c; -1 when impossible.
    constexpr float NONE = -1e9f;
    std::vector<std::vector<float>> best(rungs.size(),
                                         std::vector<float>(static_cast<size_t>(candidates), 0.0f));
    std::vector<std::vector<int>> from(rungs.size(), std::vector<int>(static_cast<size_t>(candidates), -1));
    for (size_t i = 1; i < rungs.size(); ++i) {
        const float height = static_cast<float>(rungs[i] - rungs[i - 1]) / static_cast<float>(rungs.back());
        for (int b = 0; b < candidates; ++b) {
            best[i][b] = NONE;
            for (int a = 0; a < candidates; ++a) {
                if (best[i - 1][a] == NONE ||
                    !allowed(static_cast<int>(i) - 1, static_cast<int>(i), position(a), position(b)))
                    continue;
                const float area = (position(a) + position(b)) / 2.0f * height * (left ? 1.0f : -1.0f);
                if (best[i - 1][a] + area > best[i][b]) {
                    best[i][b] = best[i - 1][a] + area;
                    from[i][b] = a;
                }
            }
        }
    }
    int c = 0;
    for (int b = 1; b < candidates; ++b)
        if (best.back()[b] > best.back()[c]) c = b;
    std::vector<float> side(rungs.size());
    for (size_t i = rungs.size(); i-- > 0;) {
        side[i] = position(c);
        if (i > 0) c = from[i][c];
    }
    return side;
}

}  // namespace

MeshBuilder makeSeaweedMesh(const Image& blade) {
    // Two blades crossed at the root, each seen from both sides. The sway
    // shader moves a point in proportion to its height, a shear that keeps
    // straight lines straight, so the blade needs no rows for bending; it
    // needs an outline. Half of the picture is clear, and clear fragments are
    // shaded before the cut-out drops them, with six segments of a stalk over
    // each other: the outline is a trapezoid around the blade, 0.83 of the
    // picture, with the 16 vertices a segment of the rectangle. More steps
    // of height cover less but cost more vertices and thinner triangles,
    // which llvmpipe rasterises in partly covered blocks: two steps saved a
    // further 1% of a frame at 1280x720 and cost 4% at 1x1.
    constexpr float CENTRE = 0.5f;
    constexpr float A = CENTRE - SEAWEED_HALF_WIDTH;
    constexpr float WIDTH = 2.0f * SEAWEED_HALF_WIDTH;
    constexpr int STEPS = 1;
    const int samples = STEPS * 2 * blade.height();  // rungs fall on whole samples
    const std::vector<Span> spans = spansToCover(blade, samples);
    std::vector<int> rungs;
    for (int i = 0; i <= STEPS; ++i) rungs.push_back(samples * i / STEPS);
    const std::vector<float> left = fitSide(spans, rungs, blade.width(), true);
    const std::vector<float> right = fitSide(spans, rungs, blade.width(), false);
    MeshBuilder mesh;
    for (int bladeIndex = 0; bladeIndex < 2; ++bladeIndex) {
        std::vector<MeshBuilder::Rung> strip;
        for (size_t i = 0; i < rungs.size(); ++i) {
            const float v = static_cast<float>(rungs[i]) / static_cast<float>(samples);
            const float z = v * SEAWEED_HEIGHT;
            const float l = A + left[i] * WIDTH, r = A + right[i] * WIDTH;
            const Point3 lp = bladeIndex == 0 ? Point3{l, CENTRE, z} : Point3{CENTRE, l, z};
            const Point3 rp = bladeIndex == 0 ? Point3{r, CENTRE, z} : Point3{CENTRE, r, z};
            strip.push_back({lp, rp, {left[i], v}, {right[i], v}});
        }
        mesh.addTwoSidedStrip(strip);
    }
    return mesh;
}

MeshBuilder makeSwimmerMesh() {
    // Built around the origin and moved to (1, 1), the pivot the game draws it
    // with. It lies face down along y and swims toward -y. From the follow
    // camera it is some thirty pixels across, so it is drawn as a figure that
    // reads at that size: a red suit with long sleeves and legs spread in an
    // X, a yellow cap, pale hands and a face, blue flippers. Smooth parts of
    // five to eight segments around are enough there (each vertex it sheds
    // is a little less work for the software renderer's main thread on
    // every frame). Its normals are twice the unit length,
    // which asks the scene shaders for a light rim around it.
    constexpr float RIM = 2.0f;
    const Point3 pivot = {1, 1, 0};
    constexpr float LENGTH_CENTRE = 0.21f;  // shifts the body's middle onto the pivot
    auto at = [&](float x, float y, float z) { return Point3{x, y - LENGTH_CENTRE, z} + pivot; };
    MeshBuilder mesh;
    mesh.addEllipsoid(at(0, 0.05f, 0), {0.36f, 0, 0}, {0, 0, 0.22f}, {0, 0.72f, 0}, 8, 5, SWIMMER_SUIT_UV,
                      RIM);
    mesh.addEllipsoid(at(0, -0.92f, 0.04f), {0.21f, 0, 0}, {0, 0, 0.21f}, {0, 0.24f, 0}, 6, 5,
                      SWIMMER_SKIN_UV, RIM);
    mesh.addEllipsoid(at(0, -0.97f, 0.11f), {0.235f, 0, 0}, {0, 0, 0.18f}, {0, 0.22f, 0}, 6, 4,
                      SWIMMER_CAP_UV, RIM);
    for (float side : {-1.0f, 1.0f}) {
        const Point3 hand = at(side * 0.74f, -1.16f, 0.0f);
        mesh.addLimb(at(side * 0.28f, -0.46f, 0.03f), hand, 0.11f, 0.09f, SWIMMER_SUIT_UV, RIM);
        mesh.addEllipsoid(hand, {0.11f, 0, 0}, {0, 0.11f, 0}, {0, 0, 0.09f}, 5, 3, SWIMMER_SKIN_UV, RIM);
        mesh.addLimb(at(side * 0.15f, 0.60f, 0), at(side * 0.30f, 1.28f, -0.02f), 0.12f, 0.10f,
                     SWIMMER_SUIT_UV, RIM);
        mesh.addEllipsoid(at(side * 0.33f, 1.43f, -0.03f), {0.17f, 0, 0}, {0, 0, 0.045f}, {0, 0.22f, 0}, 6, 3,
                          SWIMMER_FIN_UV, RIM);
    }
    return mesh;
}

std::string makeQuadColliderJson() {
    return "{\n\"collider\": {\n"
           "\"vertices\": [\n{\"x\":0,\"y\":0},\n{\"x\":1,\"y\":0},\n{\"x\":1,\"y\":1},\n"
           "{\"x\":0,\"y\":1}\n],\n"
           "\"indices\": [\n{\"a\":0,\"b\":1},\n{\"a\":1,\"b\":2},\n{\"a\":2,\"b\":3},\n"
           "{\"a\":3,\"b\":0}\n],\n"
           "\"circles\": []\n}\n}\n";
}
