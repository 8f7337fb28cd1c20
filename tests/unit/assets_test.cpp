// The committed asset set under data/: every file the game reads is there, in
// the format its loader expects, and the meshes fit the placements the world
// is built with.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <numeric>
#include <string>
#include <vector>

#include "game/asset_manifest.h"
#include "game/game.h"
#include "gfx/image_decoders.h"
#include "scene/collider.h"
#include "scene/mesh.h"
#include "test_files.h"

namespace {

using nlohmann::json;

std::string dataPath(const std::string& relative) { return std::string(MIRELO_SOURCE_DIR) + "/" + relative; }

// The files the game reads, from its asset manifest; each mesh file once.
const AssetManifest& manifest() {
    static const std::unique_ptr<Game> game = std::make_unique<Game>();
    static const AssetManifest files = assetManifest(*game);
    return files;
}
template <class Asset>
std::vector<const char*> distinctPaths(const std::vector<Asset>& assets) {
    std::vector<const char*> paths;
    for (const Asset& asset : assets)
        if (std::find_if(paths.begin(), paths.end(),
                         [&](const char* p) { return std::strcmp(p, asset.path) == 0; }) == paths.end())
            paths.push_back(asset.path);
    return paths;
}
const std::vector<const char*> imagePaths = distinctPaths(manifest().textures);
const std::vector<const char*> meshPaths = distinctPaths(manifest().meshes);
const char* const colliderPath = manifest().colliderPath;
std::vector<const char*> programNames() {
    std::vector<const char*> names;
    for (const ShaderAsset& shader : manifest().shaders) names.push_back(shader.name);
    return names;
}
const std::vector<const char*> shaderPrograms = programNames();

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct Rgba {
    int r, g, b, a;
};

// A picture decoded for inspection, top row first, whatever the file format.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Checks the BMP header fields the game's decoder relies on and decodes the
// bottom-up B, G, R rows.
::testing::AssertionResult readBmp(const std::string& relative, Picture& picture) {
    const std::vector<uint8_t> b = readFile(dataPath(relative));
    if (b.size() < 54) return ::testing::AssertionFailure() << relative << ": shorter than a header";
    if (b[0] != 'B' || b[1] != 'M') return ::testing::AssertionFailure() << relative << ": no BM";
    const uint32_t offset = le32(b, 10), infoSize = le32(b, 14);
    const int32_t width = static_cast<int32_t>(le32(b, 18)), height = static_cast<int32_t>(le32(b, 22));
    const uint16_t planes = le16(b, 26), bitsPerPixel = le16(b, 28);
    const uint32_t compression = le32(b, 30), imageSize = le32(b, 34);
    if (offset != 54 || infoSize != 40 || planes != 1 || bitsPerPixel != 24 || compression != 0)
        return ::testing::AssertionFailure()
               << relative << ": offset " << offset << ", info " << infoSize << ", planes " << planes
               << ", bpp " << bitsPerPixel << ", compression " << compression;
    if (width <= 0 || height <= 0)
        return ::testing::AssertionFailure()
               << relative << ": size " << width << "x" << height << " (rows must be bottom-up)";
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    if (imageSize != rowBytes * static_cast<uint32_t>(height) || b.size() != 54 + imageSize ||
        le32(b, 2) != b.size())
        return ::testing::AssertionFailure()
               << relative << ": image size " << imageSize << " for a file of " << b.size() << " bytes";
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + static_cast<size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const size_t p = row + static_cast<size_t>(x) * 3;
            picture.pixels[static_cast<size_t>(y) * width + x] = {b[p + 2], b[p + 1], b[p], 255};
        }
    }
    return ::testing::AssertionSuccess();
}

// Checks that the PNG is 8-bit RGBA (colour type 6) as stored, then decodes it
// through libpng.
::testing::AssertionResult readPng(const std::string& relative, Picture& picture) {
    const std::vector<uint8_t> b = readFile(dataPath(relative));
    static const uint8_t signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    if (b.size() < 33 || std::memcmp(b.data(), signature, 8) != 0 ||
        std::memcmp(b.data() + 12, "IHDR", 4) != 0)
        return ::testing::AssertionFailure() << relative << ": no PNG signature and header";
    if (b[24] != 8 || b[25] != 6)
        return ::testing::AssertionFailure()
               << relative << ": bit depth " << int(b[24]) << ", colour type " << int(b[25]);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, b.data(), b.size()))
        return ::testing::AssertionFailure() << relative << ": " << image.message;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr))
        return ::testing::AssertionFailure() << relative << ": " << image.message;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.clear();
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        picture.pixels.push_back({rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]});
    return ::testing::AssertionSuccess();
}

Picture picture(const std::string& relative) {
    Picture p;
    if (endsWith(relative, ".png")) {
        EXPECT_TRUE(readPng(relative, p));
    } else {
        EXPECT_TRUE(readBmp(relative, p));
    }
    return p;
}

struct V3 {
    double x, y, z;
};
V3 operator-(const V3& a, const V3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 cross(const V3& a, const V3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct MeshFile {
    std::vector<V3> positions;
    std::vector<std::array<double, 2>> uvs;
    std::vector<V3> normals;
    std::vector<std::array<int, 3>> triangles;
    V3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
};

::testing::AssertionResult readMesh(const std::string& relative, MeshFile& mesh) {
    std::ifstream file(dataPath(relative));
    const json doc = json::parse(file, nullptr, false);
    if (doc.is_discarded() || !doc.contains("model"))
        return ::testing::AssertionFailure() << relative << ": not JSON with a \"model\"";
    const json& model = doc["model"];
    for (const char* key : {"vertices", "uvs", "colors", "indices"}) {
        if (!model.contains(key) || !model[key].is_array())
            return ::testing::AssertionFailure() << relative << ": no \"" << key << "\" array";
    }
    for (const json& v : model["vertices"]) {
        mesh.positions.push_back({v.at("x").get<double>(), v.at("y").get<double>(), v.at("z").get<double>()});
        const V3& p = mesh.positions.back();
        mesh.low = {std::min(mesh.low.x, p.x), std::min(mesh.low.y, p.y), std::min(mesh.low.z, p.z)};
        mesh.high = {std::max(mesh.high.x, p.x), std::max(mesh.high.y, p.y), std::max(mesh.high.z, p.z)};
    }
    for (const json& t : model["uvs"]) mesh.uvs.push_back({t.at("u").get<double>(), t.at("v").get<double>()});
    for (const json& n : model["colors"])
        mesh.normals.push_back({n.at("r").get<double>(), n.at("g").get<double>(), n.at("b").get<double>()});
    for (const json& i : model["indices"])
        mesh.triangles.push_back({i.at("a").get<int>(), i.at("b").get<int>(), i.at("c").get<int>()});
    if (mesh.uvs.size() != mesh.positions.size() || mesh.normals.size() != mesh.positions.size())
        return ::testing::AssertionFailure()
               << relative << ": " << mesh.positions.size() << " vertices, " << mesh.uvs.size() << " uvs, "
               << mesh.normals.size() << " colors";
    if (mesh.triangles.empty()) return ::testing::AssertionFailure() << relative << ": no triangles";
    for (const auto& t : mesh.triangles) {
        for (int i : t) {
            if (i < 0 || static_cast<size_t>(i) >= mesh.positions.size())
                return ::testing::AssertionFailure() << relative << ": index " << i << " out of range";
        }
    }
    return ::testing::AssertionSuccess();
}

MeshFile mesh(const std::string& relative) {
    MeshFile m;
    EXPECT_TRUE(readMesh(relative, m));
    return m;
}

V3 faceCross(const MeshFile& m, const std::array<int, 3>& t) {
    return cross(m.positions[t[1]] - m.positions[t[0]], m.positions[t[2]] - m.positions[t[0]]);
}

// Position as an exact key: vertices of neighbouring faces are written from
// the same numbers, so shared corners compare equal.
std::string key(const V3& p) {
    char text[96];
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f", p.x, p.y, p.z);
    return text;
}

void expectNear(const V3& actual, const V3& expected, double tolerance, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

}  // namespace

TEST(AssetFiles, EveryFileTheGameReadsIsPresent) {
    std::vector<std::string> all(std::begin(imagePaths), std::end(imagePaths));
    all.insert(all.end(), std::begin(meshPaths), std::end(meshPaths));
    all.push_back(colliderPath);
    for (const char* program : shaderPrograms) {
        all.push_back(std::string("data/shaders/") + program + ".vert");
        all.push_back(std::string("data/shaders/") + program + ".frag");
    }
    EXPECT_EQ(all.size(), 45u);
    for (const std::string& path : all) EXPECT_FALSE(readFile(dataPath(path)).empty()) << path;
}

TEST(AssetImages, EachFileIsInTheFormatItsDecoderExpects) {
    for (const char* path : imagePaths) {
        Picture p;
        if (endsWith(path, ".png")) {
            EXPECT_TRUE(readPng(path, p));
        } else {
            // ".bmp" and the font (read as a BMP whose red channel is alpha).
            EXPECT_TRUE(readBmp(path, p));
        }
        EXPECT_GT(p.width, 0) << path;
    }
    // The alpha-from-red loader does not skip row padding.
    const Picture font = picture("data/font.bmp.fnt");
    EXPECT_EQ(font.width % 4, 0);
}

TEST(AssetImages, ProportionsMatchTheQuadsTheyAreDrawnOn) {
    for (const char* colour : {"red", "green", "blue", "gold"}) {
        const Picture key = picture(std::string("data/") + colour + "key.png");
        EXPECT_EQ(key.height, 2 * key.width) << colour;  // drawn on a 2 x 4 quad
    }
    const Picture ctrl = picture("data/ctrl.png");
    EXPECT_EQ(ctrl.width, ctrl.height);
    const Picture help = picture("data/swimmingcontrols.png");
    EXPECT_EQ(help.width, 4 * help.height);
    const Picture black = picture("data/blackpixel.bmp");
    ASSERT_EQ(black.width * black.height, 1);
    EXPECT_EQ(black.at(0, 0).r + black.at(0, 0).g + black.at(0, 0).b, 0);
    // Nearest-filtered pixel art stays small; one copy of a floor spans the room.
    for (const char* path : {"data/wall.bmp", "data/wallGold.bmp", "data/wood.bmp", "data/lever.bmp"}) {
        const Picture p = picture(path);
        EXPECT_TRUE(p.width >= 32 && p.width <= 64 && p.height >= 32 && p.height <= 64) << path;
    }
    for (const char* path : {"data/grass.png", "data/carrelage.png"})
        EXPECT_GE(picture(path).width, 512) << path;
}

TEST(AssetImages, CutOutsAreClearAroundTheirShapeAndKeysShowTheirColour) {
    const int dominant[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
    const char* const colours[4] = {"red", "green", "blue", "gold"};
    for (int c = 0; c < 4; ++c) {
        const Picture key = picture(std::string("data/") + colours[c] + "key.png");
        ASSERT_GT(key.width, 0);
        EXPECT_EQ(key.at(0, 0).a, 0) << colours[c];
        EXPECT_EQ(key.at(key.width - 1, key.height - 1).a, 0) << colours[c];
        long sum[3] = {0, 0, 0};
        int opaque = 0;
        for (const Rgba& p : key.pixels) {
            if (p.a < 255) continue;
            ++opaque;
            sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
        }
        EXPECT_GT(opaque, key.width * key.height / 10) << colours[c];
        // Every dominant channel outweighs every other one.
        for (int strong = 0; strong < 3; ++strong) {
            for (int weak = 0; weak < 3; ++weak) {
                if (dominant[c][strong] && !dominant[c][weak]) {
                    EXPECT_GT(sum[strong], sum[weak] * 3 / 2) << colours[c];
                }
            }
        }
    }
    const Picture seaweed = picture("data/seaweed.png");
    EXPECT_EQ(seaweed.at(0, 0).a, 0);
    EXPECT_EQ(seaweed.at(seaweed.width - 1, 0).a, 0);
    EXPECT_EQ(seaweed.at(seaweed.width / 2, seaweed.height - 1).a, 255);  // the root

    const Picture water = picture("data/water.png");
    for (const Rgba& p : water.pixels) {
        ASSERT_GT(p.a, 40);
        ASSERT_LT(p.a, 220);
    }
    // Overlays: a clear margin around a panel that lets the scene show through.
    for (const char* path : {"data/ctrl.png", "data/swimmingcontrols.png"}) {
        const Picture p = picture(path);
        EXPECT_EQ(p.at(0, 0).a, 0) << path;
        const Rgba& inside = p.at(p.width / 2, 20);
        EXPECT_GT(inside.a, 100) << path;
        EXPECT_LT(inside.a, 255) << path;
    }
}

// Pieces with a texture the manifest calls opaque draw without blending,
// which gives the same colours only where every alpha is 1.
TEST(AssetImages, TexturesCalledOpaqueHaveNoTranslucentTexel) {
    for (const TextureAsset& texture : manifest().textures) {
        if (!texture.opaque) continue;
        const Picture p = picture(texture.path);
        ASSERT_GT(p.width, 0) << texture.path;
        const long translucent =
            std::count_if(p.pixels.begin(), p.pixels.end(), [](const Rgba& texel) { return texel.a != 255; });
        EXPECT_EQ(translucent, 0) << texture.path;
    }
}

TEST(AssetImages, FontAtlasIsWhiteGlyphsOnBlack) {
    const Picture font = picture("data/font.bmp.fnt");
    int white = 0, black = 0;
    for (const Rgba& p : font.pixels) {
        ASSERT_TRUE(p.r == p.g && p.g == p.b);
        white += p.r == 255;
        black += p.r == 0;
    }
    EXPECT_GT(white, 100);
    EXPECT_GT(black, font.width * font.height / 2);
}

TEST(AssetMeshes, NormalsAreUnitAndAgreeWithTheWinding) {
    for (const char* path : meshPaths) {
        // The swimmer's normals are twice the unit: the mark that asks the
        // scene shaders for its rim. No other mesh may carry it.
        const double length = endsWith(path, "swimmer.json") ? 2.0 : 1.0;
        const MeshFile m = mesh(path);
        for (const V3& n : m.normals) ASSERT_NEAR(std::sqrt(dot(n, n)), length, 1e-3) << path;
        // The seaweed shader lights a blade by its better-facing side, so a
        // blade's back shares its front's vertices and normal.
        const bool eitherSide = endsWith(path, "seaweed.json");
        for (const auto& t : m.triangles) {
            const V3 c = faceCross(m, t);
            const double area = std::sqrt(dot(c, c));
            ASSERT_GT(area, 1e-9) << path << ": degenerate triangle";
            // Flat faces carry their own normal, rounded parts the surface's:
            // either way on the front side of every triangle that uses it.
            for (int i : t) {
                if (eitherSide) {
                    ASSERT_NEAR(std::fabs(dot(m.normals[i], c)), area, 1e-3 * area)
                        << path << ": vertex " << i;
                } else {
                    ASSERT_GT(dot(m.normals[i], c), 0.0) << path << ": vertex " << i;
                }
            }
        }
    }
}

TEST(AssetMeshes, SolidMeshesAreClosedAndWoundOutward) {
    for (const char* path : meshPaths) {
        const std::string p = path;
        if (endsWith(p, "quad.json") || endsWith(p, "seaweed.json")) continue;
        const MeshFile m = mesh(p);
        // Corners become shared points; every edge must be crossed once each way.
        std::map<std::string, int> ids;
        std::vector<int> point(m.positions.size());
        for (size_t i = 0; i < m.positions.size(); ++i)
            point[i] = ids.emplace(key(m.positions[i]), static_cast<int>(ids.size())).first->second;
        std::map<std::pair<int, int>, int> edges;
        std::vector<int> parent(ids.size());
        std::iota(parent.begin(), parent.end(), 0);
        auto root = [&](int a) {
            while (parent[a] != a) a = parent[a] = parent[parent[a]];
            return a;
        };
        for (const auto& t : m.triangles) {
            for (int e = 0; e < 3; ++e) {
                const int a = point[t[e]], b = point[t[(e + 1) % 3]];
                ++edges[{a, b}];
                parent[root(a)] = root(b);
            }
        }
        for (const auto& [edge, count] : edges) {
            ASSERT_EQ(count, 1) << p << ": an edge is used twice the same way";
            ASSERT_EQ(edges.count({edge.second, edge.first}), 1u) << p << ": open edge";
        }
        // Each separate part encloses a positive volume: its faces point out.
        std::map<int, double> volume;
        for (const auto& t : m.triangles)
            volume[root(point[t[0]])] +=
                dot(m.positions[t[0]], cross(m.positions[t[1]], m.positions[t[2]])) / 6.0;
        for (const auto& [part, v] : volume) EXPECT_GT(v, 0.0) << p << ": a part is inside out";
    }
}

TEST(AssetMeshes, FlatMeshesShowTheirPictureFromBothSides) {
    for (const char* path : {"data/quad.json", "data/meshes/display/seaweed.json"}) {
        const MeshFile m = mesh(path);
        // Every triangle has a twin over the same points, wound the other way.
        std::map<std::string, int> fronts;
        for (const auto& t : m.triangles) {
            std::array<std::string, 3> k = {key(m.positions[t[0]]), key(m.positions[t[1]]),
                                            key(m.positions[t[2]])};
            std::rotate(k.begin(), std::min_element(k.begin(), k.end()), k.end());
            fronts[k[0] + "|" + k[1] + "|" + k[2]] += 1;
        }
        for (const auto& [front, count] : fronts) {
            const std::string a = front.substr(0, front.find('|'));
            const std::string rest = front.substr(front.find('|') + 1);
            const std::string b = rest.substr(0, rest.find('|')), c = rest.substr(rest.find('|') + 1);
            EXPECT_EQ(fronts.count(a + "|" + c + "|" + b), 1u) << path << ": one-sided triangle";
        }
    }
}

TEST(AssetMeshes, SizesFitThePlacementsOfTheWorld) {
    struct Box {
        const char* path;
        V3 low, high;
    };
    const Box boxes[] = {
        {"data/quad.json", {0, 0, 0}, {1, 1, 0}},
        {"data/meshes/display/wall.json", {0, 0, 0}, {2, 2, 2}},
        {"data/meshes/display/tallWall.json", {0, 0, 0}, {2, 2, 6}},
        {"data/meshes/display/floorWood.json", {0, 0, 0}, {2, 2, 0.15}},
        {"data/meshes/display/wood.json", {0, 0, 5}, {2, 2, 5.25}},  // plate collision at 5.25
        {"data/meshes/display/door.json", {-1, -0.1, 0}, {1, 0.1, 1}},
    };
    for (const Box& b : boxes) {
        const MeshFile m = mesh(b.path);
        expectNear(m.low, b.low, 1e-4, b.path);
        expectNear(m.high, b.high, 1e-4, b.path);
    }
    const MeshFile lever = mesh("data/meshes/display/lever.json");
    EXPECT_NEAR(lever.low.z, 0.0, 1e-4);  // hinged at the origin
    EXPECT_GT(lever.high.z, 3.0);
    EXPECT_NEAR(lever.low.x + lever.high.x, 0.0, 1e-4);
    EXPECT_NEAR(lever.low.y + lever.high.y, 0.0, 1e-4);
    const MeshFile socket = mesh("data/meshes/display/leverSocle.json");
    EXPECT_NEAR(socket.low.x + socket.high.x, 0.0, 1e-4);
    EXPECT_NEAR(socket.low.y + socket.high.y, 0.0, 1e-4);
    const MeshFile seaweed = mesh("data/meshes/display/seaweed.json");
    EXPECT_NEAR(seaweed.low.z, 0.0, 1e-4);  // rooted on the floor
    EXPECT_TRUE(seaweed.high.z >= 6.0 && seaweed.high.z <= 10.0);
    EXPECT_NEAR((seaweed.low.x + seaweed.high.x) / 2, 0.5, 1e-4);
    EXPECT_NEAR((seaweed.low.y + seaweed.high.y) / 2, 0.5, 1e-4);
    const MeshFile swimmer = mesh("data/meshes/display/swimmer.json");
    const double length = swimmer.high.y - swimmer.low.y;
    EXPECT_TRUE(length >= 2.0 && length <= 3.0) << length;
    EXPECT_LT(swimmer.high.x - swimmer.low.x, length);  // lies along y
    EXPECT_NEAR((swimmer.low.x + swimmer.high.x) / 2, 1.0, 0.05);
    EXPECT_NEAR((swimmer.low.y + swimmer.high.y) / 2, 1.0, 0.05);
    EXPECT_LT(std::fabs((swimmer.low.z + swimmer.high.z) / 2), 0.3);
}

TEST(AssetMeshes, LeverSocketsRestOnWhatTheirLeversStandOn) {
    // Game::load scales the socket by 0.5 in z and stands it at its lever's
    // height (room units over the floor); a plate spans 2 x 2 around its
    // position with its top where wood.json's is.
    constexpr double SOCKET_SCALE_Z = 0.5;
    constexpr double PLATE_HALF = 1.0;
    const double plateTop = mesh("data/meshes/display/wood.json").high.z;
    const double plateBottom = mesh("data/meshes/display/wood.json").low.z;
    const double foot = mesh("data/meshes/display/leverSocle.json").low.z * SOCKET_SCALE_Z;
    auto game = std::make_unique<Game>();
    game->setSeaweedSeed(7);
    game->buildWorld();
    int onPlates = 0, onFloor = 0;
    for (int r = 0; r < ROOM_COUNT; ++r) {
        const Room& room = game->rooms[r];
        for (uint32_t i = 0; i < room.leverCount; ++i) {
            const Vec3& lever = room.levers[i].position;
            double top = 0.0, bottom = -1e9;  // the floor, unless a plate lies under it
            for (uint32_t k = 0; k < room.plateCount; ++k) {
                const Vec3& plate = room.plates[k];
                if (std::fabs(lever.x - plate.x) <= PLATE_HALF &&
                    std::fabs(lever.y - plate.y) <= PLATE_HALF && plate.z + plateTop <= lever.z + 1e-4 &&
                    plate.z + plateTop > top) {
                    top = plate.z + plateTop;
                    bottom = plate.z + plateBottom;
                }
            }
            (top > 0.0 ? onPlates : onFloor) += 1;
            // Down to the top it stands on (into a plate no deeper than the
            // plate is thick; into the floor as deep as it likes, the floor hides it).
            const double lowest = lever.z + foot;
            EXPECT_LE(lowest, top + 1e-4) << "room " << r << ", lever " << i << " floats";
            EXPECT_GE(lowest, bottom - 1e-4)
                << "room " << r << ", lever " << i << " pokes out under its plate";
        }
    }
    EXPECT_GE(onPlates, 2);
    EXPECT_GE(onFloor, 1);
}

TEST(AssetMeshes, SeaweedBladesCoverEveryTexelTheCutOutKeeps) {
    // The blades follow the picture's outline rather than its rectangle; the
    // seaweed shader keeps alpha 0.5 and above, so every such texel (its
    // centre) lies inside each side of each blade, in texture space. A side
    // is told by its normal and whether it is wound toward it.
    const MeshFile m = mesh("data/meshes/display/seaweed.json");
    const Picture blade = picture("data/seaweed.png");
    ASSERT_GT(blade.width, 0);
    std::map<std::string, std::vector<std::array<int, 3>>> sides;
    for (const auto& t : m.triangles)
        sides[key(m.normals[t[0]]) + (dot(m.normals[t[0]], faceCross(m, t)) > 0 ? " front" : " back")]
            .push_back(t);
    EXPECT_EQ(sides.size(), 4u);  // two blades, each seen from both sides
    auto inside = [&](const std::vector<std::array<int, 3>>& triangles, double u, double v) {
        for (const auto& t : triangles) {
            const auto &a = m.uvs[t[0]], &b = m.uvs[t[1]], &c = m.uvs[t[2]];
            const double d1 = (b[0] - a[0]) * (v - a[1]) - (b[1] - a[1]) * (u - a[0]);
            const double d2 = (c[0] - b[0]) * (v - b[1]) - (c[1] - b[1]) * (u - b[0]);
            const double d3 = (a[0] - c[0]) * (v - c[1]) - (a[1] - c[1]) * (u - c[0]);
            if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0)) return true;
        }
        return false;
    };
    int kept = 0;
    for (int y = 0; y < blade.height; ++y)
        for (int x = 0; x < blade.width; ++x) {
            if (blade.at(x, y).a < 128) continue;
            ++kept;
            const double u = (x + 0.5) / blade.width, v = 1.0 - (y + 0.5) / blade.height;
            for (const auto& [normal, triangles] : sides)
                ASSERT_TRUE(inside(triangles, u, v))
                    << "texel " << x << ", " << y << " is cut off the side facing " << normal;
        }
    EXPECT_GT(kept, blade.width * blade.height / 4);
}

TEST(AssetMeshes, RepeatedPiecesHaveTheVerticesTheirSizeOnScreenNeeds) {
    // Vertices are shaded on the CPU with a software renderer, per draw: the
    // 120 seaweed segments of a room take the most, then the swimmer.
    const struct {
        const char* path;
        size_t most;
    } budgets[] = {
        {"data/meshes/display/seaweed.json", 8},    // two crossed blades, the sway a shear
        {"data/meshes/display/swimmer.json", 250},  // some thirty pixels across
        {"data/meshes/display/lever.json", 50},     // a bar and a knob a dozen pixels across
    };
    for (const auto& b : budgets) EXPECT_LE(mesh(b.path).positions.size(), b.most) << b.path;
}

TEST(AssetMeshes, QuadAndDoorFacesCoverTheWholePicture) {
    const MeshFile quad = mesh("data/quad.json");
    for (size_t i = 0; i < quad.positions.size(); ++i) {
        EXPECT_DOUBLE_EQ(quad.uvs[i][0], quad.positions[i].x);
        EXPECT_DOUBLE_EQ(quad.uvs[i][1], quad.positions[i].y);  // v = 0 at y = 0
    }
    const MeshFile door = mesh("data/meshes/display/door.json");
    for (double side : {-1.0, 1.0}) {
        double uLow = 1, uHigh = 0, vLow = 1, vHigh = 0;
        for (size_t i = 0; i < door.positions.size(); ++i) {
            if (door.normals[i].y * side < 0.99) continue;
            uLow = std::min(uLow, door.uvs[i][0]), uHigh = std::max(uHigh, door.uvs[i][0]);
            vLow = std::min(vLow, door.uvs[i][1]), vHigh = std::max(vHigh, door.uvs[i][1]);
        }
        EXPECT_TRUE(uLow == 0 && uHigh == 1 && vLow == 0 && vHigh == 1) << "face toward y " << side;
    }
}

TEST(AssetMeshes, SwimmerTakesBrightColoursFromTheWallTextureAndFacesMinusY) {
    const MeshFile swimmer = mesh("data/meshes/display/swimmer.json");
    const Picture wall = picture("data/wall.bmp");
    ASSERT_GT(wall.width, 0);
    double capY = 0, finY = 0;
    int caps = 0, fins = 0;
    for (size_t i = 0; i < swimmer.positions.size(); ++i) {
        // Nearest filtering with repeat, as the game sets the wall texture.
        const double u = swimmer.uvs[i][0] - std::floor(swimmer.uvs[i][0]);
        const double v = swimmer.uvs[i][1] - std::floor(swimmer.uvs[i][1]);
        const int x = std::min(wall.width - 1, static_cast<int>(u * wall.width));
        const int y = std::min(wall.height - 1, static_cast<int>((1.0 - v) * wall.height));
        const Rgba& c = wall.at(x, y);
        const int saturation = std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
        ASSERT_GT(saturation, 60) << "vertex " << i << " takes a stone colour";
        if (c.r > 200 && c.g > 180 && c.b < 100) capY += swimmer.positions[i].y, ++caps;
        if (c.b > 150 && c.r < 100) finY += swimmer.positions[i].y, ++fins;
    }
    ASSERT_GT(caps, 0);
    ASSERT_GT(fins, 0);
    // The capped head leads (toward -y, where it swims); the flippers trail.
    EXPECT_LT(capY / caps, 0.5);
    EXPECT_GT(finY / fins, 1.5);
}

TEST(AssetCollider, QuadColliderIsAClosedUnitSquare) {
    std::ifstream file(dataPath(colliderPath));
    const json doc = json::parse(file, nullptr, false);
    ASSERT_FALSE(doc.is_discarded());
    const json& c = doc.at("collider");
    ASSERT_EQ(c.at("vertices").size(), 4u);
    ASSERT_EQ(c.at("indices").size(), 4u);
    EXPECT_TRUE(c.at("circles").is_array());
    std::map<int, int> uses;
    for (const json& s : c["indices"]) {
        const int a = s.at("a").get<int>(), b = s.at("b").get<int>();
        ASSERT_TRUE(a >= 0 && a < 4 && b >= 0 && b < 4 && a != b);
        ++uses[a], ++uses[b];
    }
    for (const auto& [vertex, count] : uses) EXPECT_EQ(count, 2) << vertex;
    for (const json& v : c["vertices"]) {
        const double x = v.at("x").get<double>(), y = v.at("y").get<double>();
        EXPECT_TRUE((x == 0 || x == 1) && (y == 0 || y == 1));
    }
}

TEST(AssetShaders, EachProgramDeclaresTheAttributesAndUniformsTheGameSets) {
    for (const char* program : shaderPrograms) {
        const std::string base = std::string("data/shaders/") + program;
        const std::vector<uint8_t> v = readFile(dataPath(base + ".vert"));
        const std::vector<uint8_t> f = readFile(dataPath(base + ".frag"));
        const std::string vertex(v.begin(), v.end()), fragment(f.begin(), f.end());
        // One text for the 3.0 and the legacy context.
        EXPECT_EQ(vertex.rfind("#version 120\n", 0), 0u) << base;
        EXPECT_EQ(fragment.rfind("#version 120\n", 0), 0u) << base;
        for (const char* declaration :
             {"attribute vec3 inVertex;", "attribute vec2 inTexCoord;", "attribute vec3 inNormal;",
              "uniform mat4 mvMat;", "uniform mat4 projMat;"}) {
            EXPECT_NE(vertex.find(declaration), std::string::npos) << base << ": " << declaration;
        }
    }
    const std::vector<uint8_t> seaweed = readFile(dataPath("data/shaders/seaweed.vert"));
    EXPECT_NE(std::string(seaweed.begin(), seaweed.end()).find("uniform vec3 offset;"), std::string::npos);
    const std::vector<uint8_t> fade = readFile(dataPath("data/shaders/room-transition.frag"));
    EXPECT_NE(std::string(fade.begin(), fade.end()).find("uniform float ratio;"), std::string::npos);
}

// The same files through the game's own decoders and loaders.
TEST(AssetLoading, TheGamesDecodersReadEveryPicture) {
    for (const char* path : imagePaths) {
        const std::string relative = path;
        uint16_t width = 0, height = 0;
        PixelBlock pixels;
        if (endsWith(relative, ".bmp")) {
            pixels = loadBmp(dataPath(relative), width, height);
        } else if (endsWith(relative, ".png")) {
            pixels = loadPng(dataPath(relative), width, height);
        } else {
            pixels = loadBmpWithAlpha(dataPath(relative), width, height);
        }
        ASSERT_NE(pixels, nullptr) << relative;
        const Picture p = picture(relative);
        EXPECT_EQ(width, p.width) << relative;
        EXPECT_EQ(height, p.height) << relative;
        // The first decoded row is the picture's bottom row; compare its first pixel.
        const Rgba& bottomLeft = p.at(0, p.height - 1);
        if (endsWith(relative, ".png")) {
            EXPECT_EQ(pixels[0], bottomLeft.r) << relative;
            EXPECT_EQ(pixels[3], bottomLeft.a) << relative;
        } else {
            EXPECT_EQ(pixels[0], bottomLeft.b) << relative;
            EXPECT_EQ(pixels[2], bottomLeft.r) << relative;
        }
    }
}

TEST(AssetLoading, TheGamesMeshAndColliderLoadersReadEveryFile) {
    for (const char* path : meshPaths) {
        const MeshFile expected = mesh(path);
        Mesh loaded;
        ASSERT_TRUE(loaded.load(dataPath(path))) << path;
        EXPECT_EQ(loaded.positionCount(), static_cast<int>(3 * expected.positions.size())) << path;
        EXPECT_EQ(loaded.colourCount(), loaded.positionCount()) << path;
        EXPECT_EQ(loaded.texCoordCount(), static_cast<int>(2 * expected.positions.size())) << path;
        EXPECT_EQ(loaded.indexCount(), static_cast<int>(3 * expected.triangles.size())) << path;
        for (uint16_t index : loaded.indices()) ASSERT_LT(index, loaded.positionCount() / 3) << path;
    }
    Collider collider;
    ASSERT_TRUE(collider.load(dataPath(colliderPath)));
    EXPECT_EQ(collider.vertexCount(), 4u);
    EXPECT_EQ(collider.segmentCount(), 4u);
    EXPECT_EQ(collider.circleCount(), 0u);
    for (uint32_t s = 0; s < collider.segmentCount(); ++s) {
        float ax, ay, bx, by;
        EXPECT_TRUE(collider.segmentEnds(s, ax, ay, bx, by)) << s;
        EXPECT_NEAR(std::fabs(ax - bx) + std::fabs(ay - by), 1.0f, 1e-6f) << s;  // a unit side
    }
}
