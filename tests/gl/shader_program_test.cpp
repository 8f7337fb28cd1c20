#include "gfx/shader_program.h"

#include <gtest/gtest.h>

#include "gfx/gl_api.h"
#include "platform/platform.h"
#include "test_files.h"
#include "test_programs.h"

namespace {

bool attributeArrayEnabled(GLint location) {
    // A query the game never makes, so it is not in the entry-point table.
    static const auto getVertexAttribiv =
        reinterpret_cast<PFNGLGETVERTEXATTRIBIVPROC>(platform::glProcAddress("glGetVertexAttribiv"));
    GLint enabled = GL_FALSE;
    getVertexAttribiv(static_cast<GLuint>(location), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    return enabled == GL_TRUE;
}

const std::string BROKEN_SOURCE = "#version 120\nvoid main() { this is not glsl; }\n";

}  // namespace

TEST(ShaderProgramBuild, ReadsBothFilesOfTheBaseAndLinksQuietly) {
    TempDir dir;
    ShaderProgram program;
    const CapturedOutput output =
        buildProgram(program, dir, "shaded", SHADED_VERTEX_SOURCE, SHADED_FRAGMENT_SOURCE);
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    GLint linked = GL_FALSE;
    glGetProgramiv(program.objects.program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramBuild, CompileFailuresPrintTheShaderKindItsNumberAndTheLog) {
    TempDir dir;
    {
        ShaderProgram program;
        const CapturedOutput output =
            buildProgram(program, dir, "badvert", BROKEN_SOURCE, FLAT_FRAGMENT_SOURCE);
        const std::string firstLine = "Could not compile vertexShader 35633:\n";
        EXPECT_EQ(output.out.substr(0, firstLine.size()), firstLine);
        EXPECT_GT(output.out.size(), firstLine.size() + 1) << "the compiler's log follows the first line";
        EXPECT_EQ(program.objects.vertexShader, 0u);
        EXPECT_NE(program.objects.fragmentShader, 0u);
    }
    {
        ShaderProgram program;
        const CapturedOutput output =
            buildProgram(program, dir, "badfrag", FLAT_VERTEX_SOURCE, BROKEN_SOURCE);
        const std::string firstLine = "Could not compile fragmentShader 35632:\n";
        EXPECT_EQ(output.out.substr(0, firstLine.size()), firstLine);
        EXPECT_NE(program.objects.vertexShader, 0u);
        EXPECT_EQ(program.objects.fragmentShader, 0u);
    }
    // The deleted shader is not attached, so the failure raises no GL error.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramBuild, LinkFailureAndMissingFilesAreReported) {
    TempDir dir;
    {
        ShaderProgram program;
        const CapturedOutput output = buildProgram(
            program, dir, "nomain", "#version 120\nattribute vec3 inVertex;\n", FLAT_FRAGMENT_SOURCE);
        EXPECT_EQ(output.out, "programme non linke\n");
    }
    {
        ShaderProgram program;
        const std::string base = dir.file("absent");
        const CapturedOutput output = captureOutput([&] { program.load(base); });
        EXPECT_EQ(output.err,
                  "Could not load shader: " + base + ".vert\nCould not load shader: " + base + ".frag\n");
        EXPECT_EQ(output.out, "");
        captureOutput([&] { program.compileAndLink(); });
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramUse, DisablesThePreviousProgramsAttributesBeforeEnablingItsOwn) {
    TempDir dir;
    ShaderProgram shaded;
    ShaderProgram flat;
    buildProgram(shaded, dir, "shaded", SHADED_VERTEX_SOURCE, SHADED_FRAGMENT_SOURCE);
    buildProgram(flat, dir, "flat", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, flatUniforms());

    shaded.use();
    EXPECT_EQ(currentProgram, &shaded);
    for (const ShaderVariable& attribute : shaded.attributes) {
        ASSERT_GE(attribute.location, 0) << attribute.name;
        EXPECT_TRUE(attributeArrayEnabled(attribute.location)) << attribute.name;
    }

    flat.use();
    EXPECT_EQ(currentProgram, &flat);
    const GLint vertexLocation = flat.attributeLocation("inVertex");
    ASSERT_GE(vertexLocation, 0);
    EXPECT_TRUE(attributeArrayEnabled(vertexLocation));
    // The flat program reads no texture coordinates or normals.
    EXPECT_EQ(flat.attributeLocation("inTexCoord"), -1);
    EXPECT_EQ(flat.attributeLocation("inNormal"), -1);
    int checked = 0;
    for (const ShaderVariable& attribute : shaded.attributes) {
        if (attribute.location == vertexLocation) continue;
        EXPECT_FALSE(attributeArrayEnabled(attribute.location)) << attribute.name;
        ++checked;
    }
    EXPECT_GE(checked, 2);
    // Locations of -1 were neither enabled nor disabled: no GL error.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramUse, DestroyingTheCurrentProgramLeavesNoneCurrent) {
    TempDir dir;
    GLint vertexLocation = -1;
    {
        ShaderProgram program;
        buildProgram(program, dir, "flat", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, flatUniforms());
        program.use();
        vertexLocation = program.attributeLocation("inVertex");
        ASSERT_GE(vertexLocation, 0);
        ASSERT_TRUE(attributeArrayEnabled(vertexLocation));
    }
    EXPECT_EQ(currentProgram, nullptr);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    EXPECT_FALSE(attributeArrayEnabled(vertexLocation));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramUniforms, NamesOutsideTheTableOrUnusedByTheShaderAreIgnored) {
    TempDir dir;
    ShaderProgram program;
    std::vector<ShaderVariable> uniforms = flatUniforms();
    uniforms.push_back({"notInShader", 0, 1});
    buildProgram(program, dir, "flat", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, uniforms);
    program.use();
    EXPECT_GE(program.uniformLocation("transform"), 0);
    EXPECT_EQ(program.uniformLocation("notInTable"), -1);
    EXPECT_EQ(program.uniformLocation("notInShader"), -1);

    Mat4 identity;
    program.setMatrix4("notInTable", identity);
    program.setVec3("notInTable", Vec3(1, 2, 3));
    program.setVec2("notInShader", Vec2(1, 2));
    program.setFloat("notInShader", 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramUse, AProgramThatDidNotLinkHasNoLocationsAndItsSettersMakeNoCall) {
    TempDir dir;
    ShaderProgram program;
    buildProgram(program, dir, "nomain", "#version 120\nattribute vec3 inVertex;\nuniform mat4 transform;\n",
                 FLAT_FRAGMENT_SOURCE, flatUniforms());
    program.use();
    // Making a program current that did not link is rejected by GL itself.
    while (glGetError() != GL_NO_ERROR) {
    }
    for (const ShaderVariable& attribute : program.attributes)
        EXPECT_EQ(attribute.location, -1) << attribute.name;
    for (const ShaderVariable& uniform : program.uniforms) EXPECT_EQ(uniform.location, -1) << uniform.name;
    program.setMatrix4("transform", Mat4());
    program.setVec2("shift", Vec2(1, 2));
    program.setVec3("colour", Vec3(1, 2, 3));
    program.setFloat("strength", 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramUse, ANewUniformTableOnTheCurrentProgramIsLookedUpOnItsNextUse) {
    TempDir dir;
    ShaderProgram program;
    buildProgram(program, dir, "flat", FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE, flatUniforms());
    program.use();
    ASSERT_EQ(currentProgram, &program);
    // The table is replaced while the program is current; its fresh entries
    // hold no locations until the program is used again.
    program.setVariables({{"strength", 0, 1}, {"transform", 0, 16}});
    program.use();
    for (const char* name : {"strength", "transform"}) {
        const GLint actual = glGetUniformLocation(program.objects.program, name);
        ASSERT_GE(actual, 0) << name;
        EXPECT_EQ(program.uniformLocation(name), actual) << name;
    }
    const GLint vertexLocation = program.attributeLocation("inVertex");
    ASSERT_GE(vertexLocation, 0);
    EXPECT_TRUE(attributeArrayEnabled(vertexLocation));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
