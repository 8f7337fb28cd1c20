#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Buffers created together for one mesh's vertex arrays.
struct BufferGroup {
    std::vector<uint32_t> ids;  // GL buffer names, one per vertex array
    uint32_t count = 0;
};

// Which OpenGL the context speaks, asked of the driver (its version string)
// when the render state is set: desktop GL, or OpenGL ES (WebGL 2 in a
// browser), which compiles only GLSL ES, takes no blue-first pixels and has
// no clamp-to-border wrapping.
enum class GlFlavour { DESKTOP, ES };

// The one render-state object. State changes go straight to GL; the fields
// are the context's flavour and the two buffer lists, which everything else
// addresses by index. Indices are handed out in order and never reused, even
// after deletion.
class Renderer {
public:
    // Loads the GL entry points, asks the context's flavour and sets the
    // initial state: depth test (less-or-equal), back-face culling, white
    // clear colour, source-alpha blending, texture unit 0. Returns false when
    // an entry point the game calls is missing; nothing is then drawn.
    bool initState();
    // DESKTOP until initState has asked.
    GlFlavour flavour() const { return flavour_; }
    void setViewport(int x, int y, int width, int height);
    void clear();
    void setDepthTest(bool enabled);
    void setDepthMask(bool enabled);
    // Source-alpha blending on or off; a call that changes nothing makes none.
    void setBlending(bool enabled);
    uint32_t genTexture();

    // Vertex and index buffers.
    int createBufferGroup(int vertexCount, const uint8_t* components, const float* const* arrays,
                          uint32_t count);
    int createIndexBuffer(int indexCount, const uint16_t* indices);
    int createBuffer();
    void fillArrayBuffer(int index, const float* floats, int floatCount);
    void fillIndexBuffer(int index, const uint16_t* indices, int indexCount);
    void deleteBuffer(int index);
    void deleteBufferGroup(int index);
    void drawIndexed(int index, int indexCount);
    void drawElements(int indexCount);

    // GL name of a single buffer, or 0 for an index never handed out.
    uint32_t bufferName(int index) const;
    // The group at an index, or null for an index never handed out.
    const BufferGroup* group(int index) const;

    std::vector<uint32_t> buffers;
    std::vector<BufferGroup> bufferGroups;

private:
    GlFlavour flavour_ = GlFlavour::DESKTOP;
    bool blending_ = true;
};

extern Renderer renderer;

class ShaderProgram;
// The program made current last (ShaderProgram::use); null after
// Renderer::initState. Meshes and the frame renderer set their uniforms on it.
extern ShaderProgram* currentProgram;

// The GL start-up of every host, once the window's context is current: the
// viewport of the designed window and the initial render state. Returns false
// (and says why in message and on standard error) when the driver lacks an
// entry point the game calls: none of them may be called through null.
struct GlStartup {
    static bool start(std::string& message);
};
