#version 300 es
precision highp float;
in vec3 inVertex;
in vec2 inTexCoord;
in vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
uniform vec3 offset;
out vec2 texCoord;
out vec3 eyeNormal;
out vec3 eyePosition;
const float bladeHeight = 8.0;

void main() {
    vec3 swayed = inVertex + offset * (inVertex.z / bladeHeight);
    vec4 eye = mvMat * vec4(swayed, 1.0);
    eyePosition = eye.xyz;
    eyeNormal = mat3(mvMat) * inNormal;
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
