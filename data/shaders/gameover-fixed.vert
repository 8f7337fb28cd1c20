#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
varying vec2 texCoord;

void main() {
    texCoord = inTexCoord;
    gl_Position = projMat * (mvMat * vec4(inVertex, 1.0));
}
