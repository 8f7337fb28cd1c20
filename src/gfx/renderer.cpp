#include "gfx/renderer.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>

#include "gfx/gl_api.h"
#include "platform/platform.h"
#include "platform/window_base.h"

Renderer renderer;
ShaderProgram* currentProgram = nullptr;

namespace {
constexpr const char* ES_VERSION_PREFIX = "OpenGL ES";
}  // namespace

bool GlStartup::start(std::string& message) {
    renderer.setViewport(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
    if (renderer.initState()) return true;
    message = "This OpenGL driver lacks functions the game needs:";
    for (const char* name : missingGlEntryPoints()) message += std::string(" ") + name;
    std::fprintf(stderr, "%s\n", message.c_str());
    return false;
}

bool Renderer::initState() {
    loadGlEntryPoints();
    if (!missingGlEntryPoints().empty()) return false;
    // "OpenGL ES 3.0 (WebGL 2.0 ...)" in a browser; desktop drivers name no ES.
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    flavour_ = version && std::strncmp(version, ES_VERSION_PREFIX, std::strlen(ES_VERSION_PREFIX)) == 0
                   ? GlFlavour::ES
                   : GlFlavour::DESKTOP;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    blending_ = true;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    currentProgram = nullptr;
    return true;
}

void Renderer::setViewport(int x, int y, int width, int height) { glViewport(x, y, width, height); }

void Renderer::clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void Renderer::setDepthTest(bool enabled) {
    if (enabled)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
}

void Renderer::setBlending(bool enabled) {
    if (enabled == blending_) return;
    blending_ = enabled;
    if (enabled)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
}

void Renderer::setDepthMask(bool enabled) { glDepthMask(enabled ? GL_TRUE : GL_FALSE); }

uint32_t Renderer::genTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}

// The buffer lists: vertex arrays and indices live in GL buffer objects
// that the rest of the game addresses by list index only.
namespace {

constexpr GLsizeiptr FLOAT_BYTES = sizeof(float);
constexpr GLsizeiptr INDEX_BYTES = sizeof(uint16_t);

template <class T>
bool inRange(const std::vector<T>& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

}  // namespace

int Renderer::createBufferGroup(int vertexCount, const uint8_t* components, const float* const* arrays,
                                uint32_t count) {
    BufferGroup group;
    group.ids.resize(count);
    group.count = count;
    glGenBuffers(static_cast<GLsizei>(count), group.ids.data());
    for (uint32_t i = 0; i < count; ++i) {
        glBindBuffer(GL_ARRAY_BUFFER, group.ids[i]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexCount) * components[i] * FLOAT_BYTES,
                     arrays[i], GL_STATIC_DRAW);
    }
    bufferGroups.push_back(std::move(group));
    return static_cast<int>(bufferGroups.size()) - 1;
}

int Renderer::createIndexBuffer(int indexCount, const uint16_t* indices) {
    const int index = createBuffer();
    fillIndexBuffer(index, indices, indexCount);
    return index;
}

int Renderer::createBuffer() {
    GLuint name = 0;
    glGenBuffers(1, &name);
    buffers.push_back(name);
    return static_cast<int>(buffers.size()) - 1;
}

// Refills respecify the whole store; the data changes as a whole every time.
void Renderer::fillArrayBuffer(int index, const float* floats, int floatCount) {
    if (!inRange(buffers, index)) return;
    glBindBuffer(GL_ARRAY_BUFFER, buffers[index]);
    glBufferData(GL_ARRAY_BUFFER, floatCount * FLOAT_BYTES, floats, GL_STATIC_DRAW);
}

void Renderer::fillIndexBuffer(int index, const uint16_t* indices, int indexCount) {
    if (!inRange(buffers, index)) return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[index]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indexCount * INDEX_BYTES, indices, GL_STATIC_DRAW);
}

// Deletions come from mesh destructors, which also run when the game is torn
// down after its context is gone. The list entries stay so that indices are
// never reused.
void Renderer::deleteBuffer(int index) {
    if (!platform::glContextCurrent() || !inRange(buffers, index)) return;
    glDeleteBuffers(1, &buffers[index]);
}

void Renderer::deleteBufferGroup(int index) {
    if (!platform::glContextCurrent() || !inRange(bufferGroups, index)) return;
    const BufferGroup& group = bufferGroups[index];
    glDeleteBuffers(static_cast<GLsizei>(group.ids.size()), group.ids.data());
}

void Renderer::drawIndexed(int index, int indexCount) {
    if (!inRange(buffers, index)) return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[index]);
    drawElements(indexCount);
}

void Renderer::drawElements(int indexCount) {
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_SHORT, nullptr);
}

uint32_t Renderer::bufferName(int index) const { return inRange(buffers, index) ? buffers[index] : 0; }

const BufferGroup* Renderer::group(int index) const {
    return inRange(bufferGroups, index) ? &bufferGroups[index] : nullptr;
}
