#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
varying vec2 texCoord;
varying vec2 shade;
const vec3 lightDirection = vec3(0.218, 0.436, 0.873);
const float ambient = 0.45;
const float diffuse = 0.65;
const float rimMarker = 2.25;
const float rimStrength = 0.9;

// x: the light on the surface; y: how much rim colour it adds. The follow
// camera keeps the swimmer in the middle of the view, so the rim takes the
// view's own direction rather than the way to each vertex.
vec2 shading() {
    vec3 normal = normalize(mat3(mvMat) * inNormal);
    float light = min(1.0, ambient + diffuse * max(dot(normal, lightDirection), 0.0));
    float edge = 1.0 - abs(normal.z);
    float rim = dot(inNormal, inNormal) > rimMarker ? rimStrength * smoothstep(0.6, 0.95, edge) : 0.0;
    return vec2(light, rim);
}
varying vec3 fogPosition;
const float fogDistance = 90.0;

void main() {
    vec4 eye = mvMat * vec4(inVertex, 1.0);
    shade = shading();
    fogPosition = eye.xyz / fogDistance;
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
