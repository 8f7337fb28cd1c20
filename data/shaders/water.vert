#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
varying vec2 texCoord;
varying vec3 tint;
const vec3 waterTint = vec3(0.85, 0.97, 1.0);
const float unitsPerPicture = 100.0;
const float surfaceHeight = 2.0;

void main() {
    vec3 up = mvMat[2].xyz;
    float cameraHeight = -dot(up, mvMat[3].xyz) / dot(up, up);
    vec3 facing = abs(inNormal);
    if (facing.z < 0.5 && cameraHeight < surfaceHeight) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        texCoord = vec2(0.0);
        tint = vec3(0.0);
        return;
    }
    vec3 scale = vec3(length(mvMat[0].xyz), length(mvMat[1].xyz), length(up));
    vec3 room = inVertex * scale / unitsPerPicture;
    texCoord = facing.z > 0.5 ? room.xy : (facing.y > 0.5 ? room.xz : room.yz);
    tint = waterTint * (0.85 + 0.25 * abs(normalize(mat3(mvMat) * inNormal).z));
    gl_Position = projMat * (mvMat * vec4(inVertex, 1.0));
}
