#pragma once

#include <string>
#include <vector>

// One shader source file: its name under data/shaders/ and its text.
struct ShaderFile {
    std::string name;
    std::string source;
};

// The six programs as ".vert"/".frag" pairs, GLSL 1.20 so that the same text
// runs on the 3.0 context and on the legacy one. Every program reads the
// attributes inVertex, inTexCoord and inNormal (the mesh's "colors") and the
// uniforms mvMat and projMat; seaweed adds offset and room-transition ratio.
// The sampler is left at its default, texture unit 0, which the game binds.
std::vector<ShaderFile> makeShaderFiles();
