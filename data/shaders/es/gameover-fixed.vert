#version 300 es
precision highp float;
in vec3 inVertex;
in vec2 inTexCoord;
in vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
out vec2 texCoord;

void main() {
    texCoord = inTexCoord;
    gl_Position = projMat * (mvMat * vec4(inVertex, 1.0));
}
