#pragma once

// GLSL 1.20 programs the GL tests build through ShaderProgram, written to a
// temporary folder as base + ".vert" / ".frag" like the game's own shaders.

#include <string>
#include <vector>

#include "gfx/shader_program.h"
#include "test_files.h"

// Reads only inVertex; moved by a matrix and a 2D shift, coloured by a
// colour scaled by a strength.
constexpr const char* FLAT_VERTEX_SOURCE = R"(#version 120
attribute vec3 inVertex;
uniform mat4 transform;
uniform vec2 shift;
void main() { gl_Position = transform * vec4(inVertex, 1.0) + vec4(shift, 0.0, 0.0); }
)";
constexpr const char* FLAT_FRAGMENT_SOURCE = R"(#version 120
uniform vec3 colour;
uniform float strength;
void main() { gl_FragColor = vec4(colour * strength, 1.0); }
)";

inline std::vector<ShaderVariable> flatUniforms() {
    return {{"transform", 0, 16}, {"shift", 0, 2}, {"colour", 0, 3}, {"strength", 0, 1}};
}

// Reads all three attributes.
constexpr const char* SHADED_VERTEX_SOURCE = R"(#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
varying vec3 shade;
void main() {
    shade = inNormal + vec3(inTexCoord, 0.0);
    gl_Position = vec4(inVertex, 1.0);
}
)";
constexpr const char* SHADED_FRAGMENT_SOURCE = R"(#version 120
varying vec3 shade;
void main() { gl_FragColor = vec4(shade, 1.0); }
)";

// Colours each fragment with its texture coordinate: red = s, green = t.
constexpr const char* TEXCOORD_VERTEX_SOURCE = R"(#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
varying vec2 coord;
void main() {
    coord = inTexCoord;
    gl_Position = vec4(inVertex, 1.0);
}
)";
constexpr const char* TEXCOORD_FRAGMENT_SOURCE = R"(#version 120
varying vec2 coord;
void main() { gl_FragColor = vec4(coord, 0.0, 1.0); }
)";

// Writes the pair under dir as name.vert / name.frag and runs the game's
// build steps on it; returns what they printed.
inline CapturedOutput buildProgram(ShaderProgram& program, const TempDir& dir, const std::string& name,
                                   const std::string& vertexSource, const std::string& fragmentSource,
                                   const std::vector<ShaderVariable>& uniforms = {}) {
    writeFile(dir.file(name + ".vert"), vertexSource);
    writeFile(dir.file(name + ".frag"), fragmentSource);
    return captureOutput([&] {
        program.load(dir.file(name));
        program.setVariables(uniforms);
        program.compileAndLink();
    });
}
