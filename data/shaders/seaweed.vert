#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
uniform vec3 offset;
varying vec2 texCoord;
varying vec3 eyeNormal;
varying vec3 eyePosition;
const float bladeHeight = 8.0;

void main() {
    vec3 swayed = inVertex + offset * (inVertex.z / bladeHeight);
    vec4 eye = mvMat * vec4(swayed, 1.0);
    eyePosition = eye.xyz;
    eyeNormal = mat3(mvMat) * inNormal;
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
