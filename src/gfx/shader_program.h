#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/renderer.h"
#include "math/mat4.h"
#include "math/vec.h"

// The GL objects of one program.
struct ShaderObjects {
    uint32_t program = 0;
    uint32_t vertexShader = 0;    // 0 after a failed compile
    uint32_t fragmentShader = 0;  // 0 after a failed compile
};

// One attribute or uniform as the game refers to it.
struct ShaderVariable {
    std::string name;      // as written in the shader source
    int32_t location = 0;  // found by ShaderProgram::use; -1 when the program does not use it
    int32_t size = 0;      // float components: per vertex for attributes, 16 / 3 / 1 for uniforms
};

// A vertex and fragment program read from base + ".vert" and base + ".frag".
// Locations are cached in the tables, and uniforms are set by name on a
// program that is already current. Failures print and go on: a program that
// did not build simply draws nothing useful.
class ShaderProgram {
public:
    ShaderProgram() = default;
    // Currentness is tracked by address, so a program stays where it was built.
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;
    ~ShaderProgram();

    // Creates the shader and program objects and hands both sources to GL.
    bool load(const std::string& base);
    // Installs the fixed attribute table ("inVertex" 3, "inTexCoord" 2,
    // "inNormal" 3, in the order buffer groups feed them) and the uniforms.
    void setVariables(const std::vector<ShaderVariable>& uniformTable);
    // Compile and link failures are printed; the program is kept either way.
    bool compileAndLink();
    // Makes this program current with exactly its own attribute arrays
    // enabled (the previous program's are disabled) and every location cached.
    void use();
    void disableAttributes();

    // The whole file, or an empty string (and a message) when it cannot be opened.
    static std::string readSource(const std::string& path);
    // Cached location of the first entry with this name, -1 when there is none.
    int32_t uniformLocation(const std::string& name) const;
    int32_t attributeLocation(const std::string& name) const;

    void setMatrix4(const std::string& name, const Mat4& matrix);
    void setFloat(const std::string& name, float value);
    void setVec2(const std::string& name, const Vec2& value);
    void setVec3(const std::string& name, const Vec3& value);

    // Attribute i reads array buffer i of the renderer's buffer group.
    void bindAttributeBuffers(int groupIndex);
    // Points one named attribute at one of the renderer's single array buffers.
    void bindAttributeBuffer(int bufferIndex, const std::string& name, int size);
    void bindVertexBuffer(int bufferIndex);    // "inVertex", 3 components
    void bindTexCoordBuffer(int bufferIndex);  // "inTexCoord", 2 components

    ShaderObjects objects;
    std::vector<ShaderVariable> attributes;
    std::vector<ShaderVariable> uniforms;

    // The driver is not asked what is already known: use() of the program
    // that is current makes no call, the locations are looked up once after
    // the link (all -1 when it failed), an array both programs read stays
    // enabled across a switch, and while the program stays current the
    // arrays are pointed at a buffer group only when it is another than last
    // time. This trusts that only ShaderProgram changes the current program
    // and its arrays. False makes every call as the design lists them; the
    // benchmarks compare the two.
    bool skipsKnownCalls = true;

private:
    static constexpr int NO_GROUP = -1;

    void lookUpLocations();
    bool readsAttributeAt(int32_t location) const;

    bool linked_ = false;
    bool locationsKnown_ = false;
    int boundGroup_ = NO_GROUP;  // the group the arrays point at since this program became current
};
