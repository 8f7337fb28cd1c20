#include "glsl_es.h"

#include <cctype>
#include <cstring>

namespace {

const char* const desktopVersion = "#version 120\n";
const char* const fragmentOutput = "fragColour";

bool identifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool identifierPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Built-ins our shaders may use that mean the same in ES 3.00 (gl_FragColor
// is rewritten). Any other gl_ name belongs to the fixed-function world or
// to another stage and has no faithful counterpart.
bool knownBuiltIn(const std::string& word) {
    for (const char* name :
         {"gl_Position", "gl_FragColor", "gl_FragCoord", "gl_FrontFacing", "gl_PointCoord"})
        if (word == name) return true;
    return false;
}

// The sampling functions of 1.20 besides texture2D would each need a rewrite
// of their own, and "texture" is a built-in function in ES 3.00: a 1.20 name
// spelt so would clash with it.
bool otherSamplingFunction(const std::string& word) {
    static const char* const names[] = {
        "texture",       "texture1D",        "texture1DProj",    "texture1DLod",   "texture1DProjLod",
        "texture2DProj", "texture2DLod",     "texture2DProjLod", "texture3D",      "texture3DProj",
        "texture3DLod",  "texture3DProjLod", "textureCube",      "textureCubeLod", "shadow1D",
        "shadow1DProj",  "shadow1DLod",      "shadow1DProjLod",  "shadow2D",       "shadow2DProj",
        "shadow2DLod",   "shadow2DProjLod"};
    for (const char* name : names)
        if (word == name) return true;
    return false;
}

}  // namespace

std::string toGlslEs(const std::string& source, ShaderStage stage, std::string& error) {
    const bool fragment = stage == ShaderStage::Fragment;
    if (source.compare(0, std::strlen(desktopVersion), desktopVersion) != 0) {
        error = "the source does not start with \"#version 120\"";
        return std::string();
    }
    std::string out = "#version 300 es\nprecision highp float;\n";
    if (fragment) out += std::string("out vec4 ") + fragmentOutput + ";\n";

    const size_t end = source.size();
    for (size_t i = std::strlen(desktopVersion); i < end;) {
        const char c = source[i];
        if (!identifierStart(c)) {
            // Digits included: letters inside a number (1e5) are then read as
            // a name of their own, which no rewrite ever matches.
            out += c;
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < end && identifierPart(source[i])) ++i;
        const std::string word = source.substr(start, i - start);
        if (word == fragmentOutput || (word.rfind("gl_", 0) == 0 && !knownBuiltIn(word)) ||
            otherSamplingFunction(word) || (!fragment && word == "gl_FragColor")) {
            error = "\"" + word + "\" has no rewrite to GLSL ES 3.00";
            return std::string();
        }
        if (word == "attribute" && !fragment)
            out += "in";
        else if (word == "varying")
            out += fragment ? "in" : "out";
        else if (word == "texture2D")
            out += "texture";
        else if (word == "gl_FragColor")
            out += fragmentOutput;
        else
            out += word;
    }
    return out;
}
