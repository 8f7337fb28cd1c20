#version 300 es
precision highp float;
in vec3 inVertex;
in vec2 inTexCoord;
in vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
out vec2 texCoord;
out vec3 eyeNormal;
out vec3 eyePosition;

void main() {
    vec4 eye = mvMat * vec4(inVertex, 1.0);
    eyePosition = eye.xyz;
    eyeNormal = mat3(mvMat) * inNormal;
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
