#include "app/renderer.h"

#include "app/gl_api.h"
#include "gfx/shader_program.h"

Renderer renderer;

bool Renderer::initState() {
    loadGlEntryPoints();
    if (!missingGlEntryPoints().empty()) return false;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
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

void Renderer::setDepthMask(bool enabled) { glDepthMask(enabled ? GL_TRUE : GL_FALSE); }

uint32_t Renderer::genTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}
