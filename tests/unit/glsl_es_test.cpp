#include <gtest/gtest.h>

#include <string>

#include "glsl_es.h"

namespace {

const std::string head = "#version 300 es\nprecision highp float;\n";
const std::string fragmentHead = head + "out vec4 fragColour;\n";

std::string rewrite(const std::string& source, ShaderStage stage) {
    std::string error;
    const std::string es = toGlslEs(source, stage, error);
    EXPECT_EQ(es.empty(), !error.empty()) << error;
    return es;
}

}  // namespace

TEST(GlslEs, RewritesQualifiersSamplingAndOutputByStage) {
    struct Case {
        ShaderStage stage;
        const char* body;
        std::string expected;
    };
    const Case cases[] = {
        {ShaderStage::Vertex, "attribute vec3 inVertex;\nvarying vec2 texCoord;\n",
         head + "in vec3 inVertex;\nout vec2 texCoord;\n"},
        {ShaderStage::Fragment,
         "varying vec2 texCoord;\nvoid main() { gl_FragColor = texture2D(s, texCoord); }\n",
         fragmentHead + "in vec2 texCoord;\nvoid main() { fragColour = texture(s, texCoord); }\n"},
        // Whole words only: names that merely contain a keyword stay.
        {ShaderStage::Vertex, "float varyingScale; vec2 attributes; float texture2Dness;\n",
         head + "float varyingScale; vec2 attributes; float texture2Dness;\n"},
        // The stage's built-ins that mean the same in ES pass through.
        {ShaderStage::Vertex, "void main() { gl_Position = vec4(0.0); }\n",
         head + "void main() { gl_Position = vec4(0.0); }\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(rewrite(std::string("#version 120\n") + c.body, c.stage), c.expected);
    }
}

TEST(GlslEs, RefusesWhatItCannotCarryOverFaithfully) {
    struct Case {
        ShaderStage stage;
        const char* source;
    };
    const Case cases[] = {
        {ShaderStage::Vertex, "attribute vec3 inVertex;\n"},                // no version line
        {ShaderStage::Vertex, "#version 110\nattribute vec3 inVertex;\n"},  // another version
        {ShaderStage::Fragment, "#version 120\nvoid main() { gl_FragData[0] = vec4(1.0); }\n"},
        {ShaderStage::Vertex, "#version 120\nvoid main() { gl_Position = gl_ModelViewMatrix[0]; }\n"},
        {ShaderStage::Fragment, "#version 120\nvoid main() { gl_FragColor = texture2DLod(s, c, 0.0); }\n"},
        {ShaderStage::Fragment, "#version 120\nvoid main() { gl_FragColor = textureCube(s, c); }\n"},
        {ShaderStage::Fragment, "#version 120\nuniform float texture;\n"},  // a built-in in ES
        {ShaderStage::Fragment, "#version 120\nvec4 fragColour;\n"},        // the output's own name
        {ShaderStage::Vertex, "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n"},  // wrong stage
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        std::string error;
        EXPECT_EQ(toGlslEs(c.source, c.stage, error), "");
        EXPECT_FALSE(error.empty());
    }
}
