#include <gtest/gtest.h>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "gfx/shader_program.h"
#include "gl_test_support.h"
#include "platform/platform.h"
#include "test_files.h"
#include "test_programs.h"

namespace {

// A quad over the left half of the surface (x from -1 to 0), counter-clockwise
// so that back-face culling keeps it.
const float QUAD_POSITIONS[] = {-1, -1, 0, 0, -1, 0, 0, 1, 0, -1, 1, 0};
const float QUAD_TEX_COORDS[] = {1, 0, 1, 0, 1, 0, 1, 0};
const float QUAD_NORMALS[] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
const uint16_t QUAD_INDICES[] = {0, 1, 2, 0, 2, 3};
constexpr int QUAD_VERTICES = 4;
constexpr int QUAD_INDEX_COUNT = 6;

// The mesh layout: positions, texture coordinates, normals.
int createQuadGroup() {
    const uint8_t components[] = {3, 2, 3};
    const float* arrays[] = {QUAD_POSITIONS, QUAD_TEX_COORDS, QUAD_NORMALS};
    return renderer.createBufferGroup(QUAD_VERTICES, components, arrays, 3);
}

// Queries the game never makes, so they are not in the entry-point table.
GLint bufferSize(GLenum target, GLuint name) {
    static const auto getBufferParameteriv =
        reinterpret_cast<PFNGLGETBUFFERPARAMETERIVPROC>(platform::glProcAddress("glGetBufferParameteriv"));
    glBindBuffer(target, name);
    GLint size = -1;
    getBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    return size;
}

void expectPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    const std::vector<uint8_t> p = pixelAt(x, y);
    EXPECT_NEAR(p[0], r, 1) << "at " << x << "," << y;
    EXPECT_NEAR(p[1], g, 1) << "at " << x << "," << y;
    EXPECT_NEAR(p[2], b, 1) << "at " << x << "," << y;
}

void clearSurface() {
    renderer.setViewport(0, 0, GL_TEST_WIDTH, GL_TEST_HEIGHT);
    renderer.clear();
}

}  // namespace

TEST(BufferLists, IndicesAreHandedOutInOrderAndNeverReused) {
    const int firstBuffer = static_cast<int>(renderer.buffers.size());
    const int firstGroup = static_cast<int>(renderer.bufferGroups.size());

    EXPECT_EQ(createQuadGroup(), firstGroup);
    EXPECT_EQ(renderer.createBuffer(), firstBuffer);
    EXPECT_EQ(createQuadGroup(), firstGroup + 1);
    EXPECT_EQ(renderer.createIndexBuffer(QUAD_INDEX_COUNT, QUAD_INDICES), firstBuffer + 1);

    const GLuint deletedName = renderer.bufferName(firstBuffer);
    renderer.deleteBuffer(firstBuffer);
    EXPECT_FALSE(isBuffer(deletedName));
    EXPECT_EQ(renderer.createBuffer(), firstBuffer + 2);
    EXPECT_EQ(renderer.bufferName(firstBuffer), deletedName) << "the entry keeps its old name";

    renderer.deleteBufferGroup(firstGroup);
    ASSERT_NE(renderer.group(firstGroup), nullptr);
    for (uint32_t id : renderer.group(firstGroup)->ids) EXPECT_FALSE(isBuffer(id));
    EXPECT_EQ(createQuadGroup(), firstGroup + 2);

    renderer.deleteBuffer(firstBuffer + 1);
    renderer.deleteBuffer(firstBuffer + 2);
    renderer.deleteBufferGroup(firstGroup + 1);
    renderer.deleteBufferGroup(firstGroup + 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(BufferLists, StoresHoldTheGivenCountsOfFloatsAndIndices) {
    const int groupIndex = createQuadGroup();
    const BufferGroup* group = renderer.group(groupIndex);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 3u);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, group->ids[0]), 48);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, group->ids[1]), 32);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, group->ids[2]), 48);

    const int indexBuffer = renderer.createIndexBuffer(QUAD_INDEX_COUNT, QUAD_INDICES);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, renderer.bufferName(indexBuffer)), 12);
    renderer.fillIndexBuffer(indexBuffer, QUAD_INDICES, 3);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, renderer.bufferName(indexBuffer)), 6);

    const int arrayBuffer = renderer.createBuffer();
    renderer.fillArrayBuffer(arrayBuffer, QUAD_POSITIONS, 12);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, renderer.bufferName(arrayBuffer)), 48);
    renderer.fillArrayBuffer(arrayBuffer, QUAD_POSITIONS, 5);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, renderer.bufferName(arrayBuffer)), 20);

    renderer.deleteBufferGroup(groupIndex);
    renderer.deleteBuffer(indexBuffer);
    renderer.deleteBuffer(arrayBuffer);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(BufferLists, IndicesNeverHandedOutAreIgnored) {
    TempDir dir;
    ShaderProgram program;
    buildProgram(program, dir, "flat", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, flatUniforms());
    program.use();

    const int pastBuffers = static_cast<int>(renderer.buffers.size());
    const int pastGroups = static_cast<int>(renderer.bufferGroups.size());
    for (int index : {-1, pastBuffers, pastBuffers + 100}) {
        EXPECT_EQ(renderer.bufferName(index), 0u);
        renderer.fillArrayBuffer(index, QUAD_POSITIONS, 12);
        renderer.fillIndexBuffer(index, QUAD_INDICES, QUAD_INDEX_COUNT);
        renderer.drawIndexed(index, QUAD_INDEX_COUNT);
        renderer.deleteBuffer(index);
        program.bindVertexBuffer(index);
    }
    for (int index : {-1, pastGroups, pastGroups + 100}) {
        EXPECT_EQ(renderer.group(index), nullptr);
        program.bindAttributeBuffers(index);
        renderer.deleteBufferGroup(index);
    }
    EXPECT_EQ(renderer.buffers.size(), static_cast<size_t>(pastBuffers));
    EXPECT_EQ(renderer.bufferGroups.size(), static_cast<size_t>(pastGroups));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(IndexedDrawing, QuadThroughABufferGroupLandsOnTheExpectedPixels) {
    TempDir dir;
    ShaderProgram program;
    std::vector<ShaderVariable> uniforms = flatUniforms();
    buildProgram(program, dir, "flat", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, uniforms);
    const int group = createQuadGroup();
    const int indices = renderer.createIndexBuffer(QUAD_INDEX_COUNT, QUAD_INDICES);

    clearSurface();
    program.use();
    Mat4 transform;
    program.setMatrix4("transform", transform);
    program.setVec2("shift", Vec2(0, 0));
    program.setVec3("colour", Vec3(1, 0, 0));
    program.setFloat("strength", 1.0f);
    program.bindAttributeBuffers(group);
    renderer.drawIndexed(indices, QUAD_INDEX_COUNT);
    expectPixel(16, 32, 255, 0, 0);
    expectPixel(48, 32, 255, 255, 255);

    // Moved right by one unit through the matrix (column-major, translation in
    // elements 12 to 14), dimmed through the float, and drawn again with the
    // element buffer that is still bound.
    clearSurface();
    transform.translate(1, 0, 0);
    program.setMatrix4("transform", transform);
    program.setVec3("colour", Vec3(0, 1, 0));
    program.setFloat("strength", 0.5f);
    renderer.drawElements(QUAD_INDEX_COUNT);
    expectPixel(16, 32, 255, 255, 255);
    expectPixel(48, 32, 0, 128, 0);

    // And back down-left through the vector: only the lower left quarter stays covered.
    clearSurface();
    program.setVec2("shift", Vec2(-1, -1));
    renderer.drawElements(QUAD_INDEX_COUNT);
    expectPixel(16, 16, 0, 128, 0);
    expectPixel(16, 48, 255, 255, 255);
    expectPixel(48, 16, 255, 255, 255);

    renderer.deleteBufferGroup(group);
    renderer.deleteBuffer(indices);
    // The program reads neither inTexCoord nor inNormal: their pointers were skipped.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(IndexedDrawing, SingleBuffersFeedTheNamedAttributes) {
    TempDir dir;
    ShaderProgram program;
    buildProgram(program, dir, "coord", TEXCOORD_VERTEX_SOURCE, TEXCOORD_FRAGMENT_SOURCE);
    const int positions = renderer.createBuffer();
    renderer.fillArrayBuffer(positions, QUAD_POSITIONS, 12);
    const int texCoords = renderer.createBuffer();
    renderer.fillArrayBuffer(texCoords, QUAD_TEX_COORDS, 8);
    const int indices = renderer.createIndexBuffer(QUAD_INDEX_COUNT, QUAD_INDICES);

    clearSurface();
    program.use();
    program.bindVertexBuffer(positions);
    program.bindTexCoordBuffer(texCoords);
    renderer.drawIndexed(indices, QUAD_INDEX_COUNT);
    // Every texture coordinate is (1, 0): red, read as pairs.
    expectPixel(16, 32, 255, 0, 0);
    expectPixel(48, 32, 255, 255, 255);

    // The general form with a name outside the table points nothing.
    program.bindAttributeBuffer(texCoords, "inColour", 2);

    renderer.deleteBuffer(positions);
    renderer.deleteBuffer(texCoords);
    renderer.deleteBuffer(indices);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(IndexedDrawing, ArraysPointAtAGroupAgainWhenAnotherProgramPointedThemElsewhere) {
    // A program does not point its arrays again at the group they point at
    // already; a program made current after another one does.
    TempDir dir;
    ShaderProgram first, second;
    buildProgram(first, dir, "first", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, flatUniforms());
    buildProgram(second, dir, "second", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, flatUniforms());
    const int left = createQuadGroup(), other = createQuadGroup();
    static const auto getVertexAttribiv =
        reinterpret_cast<PFNGLGETVERTEXATTRIBIVPROC>(platform::glProcAddress("glGetVertexAttribiv"));
    auto pointedAt = [&](const ShaderProgram& program) {
        GLint buffer = 0;
        getVertexAttribiv(static_cast<GLuint>(program.attributeLocation("inVertex")),
                          GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffer);
        return static_cast<uint32_t>(buffer);
    };
    first.use();
    first.bindAttributeBuffers(left);
    first.bindAttributeBuffers(left);
    EXPECT_EQ(pointedAt(first), renderer.group(left)->ids[0]);
    second.use();
    second.bindAttributeBuffers(other);
    EXPECT_EQ(pointedAt(second), renderer.group(other)->ids[0]);
    first.use();
    first.bindAttributeBuffers(left);
    EXPECT_EQ(pointedAt(first), renderer.group(left)->ids[0]);
    renderer.deleteBufferGroup(left);
    renderer.deleteBufferGroup(other);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
