#pragma once

#include <string>

enum class ShaderStage { Vertex, Fragment };

// The GLSL ES 3.00 text (WebGL 2) of one of our GLSL 1.20 shaders, made from
// it by a fixed rewrite so that the two never drift apart: the version line
// becomes "#version 300 es" with high float precision (what the desktop
// computes in), attribute and varying become in and out, texture2D becomes
// texture, and gl_FragColor becomes the fragment shader's own output. A
// source the rewrite cannot carry over faithfully (no "#version 120" first
// line, a built-in that ES 3.00 lacks, a name the rewrite would clash with)
// gives an empty string and the reason in `error`.
std::string toGlslEs(const std::string& source, ShaderStage stage, std::string& error);
