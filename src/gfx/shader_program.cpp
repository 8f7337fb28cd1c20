#include "gfx/shader_program.h"

#include <iostream>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "platform/file_contents.h"
#include "platform/platform.h"

namespace {

// GL answers -1 for a name the linked program does not use; a call with it
// would only be ignored or rejected, so none is made.
constexpr GLint UNUSED_LOCATION = -1;

int32_t findLocation(const std::vector<ShaderVariable>& table, const std::string& name) {
    for (const ShaderVariable& variable : table)
        if (variable.name == name) return variable.location;
    return UNUSED_LOCATION;
}

void setSource(GLuint shader, const std::string& source) {
    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
}

// A shader that does not compile is reported with its log and deleted, so
// that it is not attached; with an empty log it is kept (and the link fails).
void compileShader(GLuint& shader, const char* label, GLenum type) {
    if (shader == 0) return;
    glCompileShader(shader);
    GLint status = GL_TRUE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) return;
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0) return;
    std::string log(static_cast<size_t>(length), '\0');
    GLsizei written = 0;
    glGetShaderInfoLog(shader, length, &written, log.data());
    log.resize(static_cast<size_t>(written));
    std::cout << "Could not compile " << label << " " << type << ":\n" << log << std::endl;
    glDeleteShader(shader);
    shader = 0;
}

}  // namespace

ShaderProgram::~ShaderProgram() {
    // The game is destroyed after its context is gone; there is nothing to tell GL then.
    if (!platform::glContextCurrent()) {
        if (currentProgram == this) currentProgram = nullptr;
        return;
    }
    if (currentProgram == this) {
        disableAttributes();
        glUseProgram(0);
        currentProgram = nullptr;
    }
    if (objects.program == 0) return;
    if (objects.vertexShader != 0) glDetachShader(objects.program, objects.vertexShader);
    if (objects.fragmentShader != 0) glDetachShader(objects.program, objects.fragmentShader);
}

bool ShaderProgram::load(const std::string& base) {
    objects.vertexShader = glCreateShader(GL_VERTEX_SHADER);
    objects.fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    objects.program = glCreateProgram();
    setSource(objects.vertexShader, readSource(base + ".vert"));
    setSource(objects.fragmentShader, readSource(base + ".frag"));
    return true;
}

void ShaderProgram::setVariables(const std::vector<ShaderVariable>& uniformTable) {
    attributes = {{"inVertex", 0, 3}, {"inTexCoord", 0, 2}, {"inNormal", 0, 3}};
    uniforms = uniformTable;
    locationsKnown_ = false;
    boundGroup_ = NO_GROUP;
}

bool ShaderProgram::compileAndLink() {
    compileShader(objects.vertexShader, "vertexShader", GL_VERTEX_SHADER);
    compileShader(objects.fragmentShader, "fragmentShader", GL_FRAGMENT_SHADER);
    // A deleted shader (name 0) cannot be attached; GL would only reject it.
    if (objects.vertexShader != 0) glAttachShader(objects.program, objects.vertexShader);
    if (objects.fragmentShader != 0) glAttachShader(objects.program, objects.fragmentShader);
    glLinkProgram(objects.program);
    GLint status = GL_TRUE;
    glGetProgramiv(objects.program, GL_LINK_STATUS, &status);
    if (status == GL_FALSE) std::cout << "programme non linke" << std::endl;
    linked_ = status != GL_FALSE;
    locationsKnown_ = false;
    boundGroup_ = NO_GROUP;
    return true;
}

void ShaderProgram::use() {
    if (!skipsKnownCalls) {
        if (currentProgram != nullptr) currentProgram->disableAttributes();
        glUseProgram(objects.program);
        for (ShaderVariable& attribute : attributes) {
            attribute.location = glGetAttribLocation(objects.program, attribute.name.c_str());
            if (attribute.location != UNUSED_LOCATION) glEnableVertexAttribArray(attribute.location);
        }
        for (ShaderVariable& uniform : uniforms)
            uniform.location = glGetUniformLocation(objects.program, uniform.name.c_str());
        locationsKnown_ = false;  // what was asked here may go stale on a later link
        boundGroup_ = NO_GROUP;
        currentProgram = this;
        return;
    }
    if (currentProgram == this && locationsKnown_) return;
    // Relinked or given a new table while current: its arrays are enabled afresh.
    const ShaderProgram* previous = currentProgram == this ? nullptr : currentProgram;
    if (!locationsKnown_) lookUpLocations();
    if (previous != nullptr) {
        for (const ShaderVariable& attribute : previous->attributes)
            if (attribute.location != UNUSED_LOCATION && !readsAttributeAt(attribute.location))
                glDisableVertexAttribArray(attribute.location);
    }
    glUseProgram(objects.program);
    for (const ShaderVariable& attribute : attributes)
        if (attribute.location != UNUSED_LOCATION &&
            (previous == nullptr || !previous->readsAttributeAt(attribute.location)))
            glEnableVertexAttribArray(attribute.location);
    // Another program may have pointed the arrays elsewhere since.
    boundGroup_ = NO_GROUP;
    currentProgram = this;
}

// A program that did not link has no locations to ask for: GL would only
// answer -1 with an error.
void ShaderProgram::lookUpLocations() {
    for (ShaderVariable& attribute : attributes)
        attribute.location =
            linked_ ? glGetAttribLocation(objects.program, attribute.name.c_str()) : UNUSED_LOCATION;
    for (ShaderVariable& uniform : uniforms)
        uniform.location =
            linked_ ? glGetUniformLocation(objects.program, uniform.name.c_str()) : UNUSED_LOCATION;
    locationsKnown_ = true;
}

bool ShaderProgram::readsAttributeAt(int32_t location) const {
    for (const ShaderVariable& attribute : attributes)
        if (attribute.location == location) return true;
    return false;
}

void ShaderProgram::disableAttributes() {
    for (const ShaderVariable& attribute : attributes)
        if (attribute.location != UNUSED_LOCATION) glDisableVertexAttribArray(attribute.location);
}

std::string ShaderProgram::readSource(const std::string& path) {
    std::string text, error;
    if (!readFileContents(path, text, error)) {
        std::cerr << "Could not load shader: " << path << std::endl;
        return std::string();
    }
    return text;
}

int32_t ShaderProgram::uniformLocation(const std::string& name) const { return findLocation(uniforms, name); }

int32_t ShaderProgram::attributeLocation(const std::string& name) const {
    return findLocation(attributes, name);
}

void ShaderProgram::setMatrix4(const std::string& name, const Mat4& matrix) {
    const GLint location = uniformLocation(name);
    if (location != UNUSED_LOCATION) glUniformMatrix4fv(location, 1, GL_FALSE, matrix.data());
}

void ShaderProgram::setFloat(const std::string& name, float value) {
    const GLint location = uniformLocation(name);
    if (location != UNUSED_LOCATION) glUniform1f(location, value);
}

void ShaderProgram::setVec2(const std::string& name, const Vec2& value) {
    const GLint location = uniformLocation(name);
    if (location != UNUSED_LOCATION) glUniform2f(location, value.x, value.y);
}

void ShaderProgram::setVec3(const std::string& name, const Vec3& value) {
    const GLint location = uniformLocation(name);
    if (location != UNUSED_LOCATION) glUniform3f(location, value.x, value.y, value.z);
}

void ShaderProgram::bindAttributeBuffers(int groupIndex) {
    const BufferGroup* group = renderer.group(groupIndex);
    if (group == nullptr) return;
    // The same mesh drawn again (a wall row, the seaweed): the arrays already
    // point at its buffers.
    if (skipsKnownCalls && groupIndex == boundGroup_) return;
    boundGroup_ = groupIndex;
    // A group with more arrays than the program has attributes feeds only as many as there are.
    for (size_t i = 0; i < group->ids.size() && i < attributes.size(); ++i) {
        glBindBuffer(GL_ARRAY_BUFFER, group->ids[i]);
        const ShaderVariable& attribute = attributes[i];
        if (attribute.location != UNUSED_LOCATION)
            glVertexAttribPointer(attribute.location, static_cast<uint16_t>(attribute.size), GL_FLOAT,
                                  GL_FALSE, 0, nullptr);
    }
}

void ShaderProgram::bindAttributeBuffer(int bufferIndex, const std::string& name, int size) {
    // With buffer name 0 bound, the null offset would become a client pointer
    // that the next draw dereferences, so an unknown buffer does nothing.
    const uint32_t buffer = renderer.bufferName(bufferIndex);
    if (buffer == 0) return;
    boundGroup_ = NO_GROUP;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLint location = attributeLocation(name);
    if (location != UNUSED_LOCATION) glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void ShaderProgram::bindVertexBuffer(int bufferIndex) { bindAttributeBuffer(bufferIndex, "inVertex", 3); }

void ShaderProgram::bindTexCoordBuffer(int bufferIndex) { bindAttributeBuffer(bufferIndex, "inTexCoord", 2); }
