#include "shaders.h"

namespace {

// Shared by the lit programs: eye-space position, normal and texture
// coordinate. mvMat is view x model; its upper 3 x 3 turns normals well
// enough for the axis-aligned scales the world uses (normalised later).
const char* litVertex = R"(#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
varying vec2 texCoord;
varying vec3 eyeNormal;
varying vec3 eyePosition;

void main() {
    vec4 eye = mvMat * vec4(inVertex, 1.0);
    eyePosition = eye.xyz;
    eyeNormal = mat3(mvMat) * inNormal;
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
)";

// The light sits in eye space, up and slightly behind the viewer, so a
// surface facing the camera (every overlay) comes out at full brightness.
const char* litCommon = R"(uniform sampler2D surface;
varying vec2 texCoord;
varying vec3 eyeNormal;
varying vec3 eyePosition;
const vec3 lightDirection = vec3(0.218, 0.436, 0.873);
const float ambient = 0.45;
const float diffuse = 0.65;
const float cutOut = 0.05;

float lighting() {
    vec3 normal = normalize(eyeNormal);
    return min(1.0, ambient + diffuse * max(dot(normal, lightDirection), 0.0));
}
)";

const char* basicFragment = R"(
void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < cutOut) discard;
    gl_FragColor = vec4(colour.rgb * lighting(), colour.a);
}
)";

// Under water: a blue-green tint, rippling light (no clock reaches the
// shaders, so the caustics are fixed in eye space) and fog that is gentle at
// the swimmer (about 27 units away) and nearly opaque past 120.
const char* underwaterFragment = R"(const vec3 deepWater = vec3(0.04, 0.22, 0.30);
const vec3 waterTint = vec3(0.72, 0.93, 1.0);
const float fogDistance = 90.0;

float caustics(vec3 p) {
    vec3 q = p * 0.32;
    float a = sin(q.x + 1.7 * sin(q.y * 0.9 + q.z * 0.6));
    float b = sin(q.z * 1.2 - 1.3 * sin(q.x * 0.8 - q.y * 0.5));
    return a * b;
}

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < cutOut) discard;
    float light = lighting() * (1.0 + 0.14 * caustics(eyePosition));
    vec3 lit = colour.rgb * light * waterTint;
    float depth = length(eyePosition) / fogDistance;
    float fog = 1.0 - exp(-depth * depth);
    gl_FragColor = vec4(mix(lit, deepWater, fog), colour.a);
}
)";

const char* waterVertex = R"(#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
varying vec2 texCoord;
varying vec3 eyeNormal;

void main() {
    eyeNormal = mat3(mvMat) * inNormal;
    texCoord = inTexCoord;
    gl_Position = projMat * (mvMat * vec4(inVertex, 1.0));
}
)";

// The surface keeps the picture's own transparency; faces turned toward the
// viewer look a little brighter, like a sheen.
const char* waterFragment = R"(#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec3 eyeNormal;
const vec3 waterTint = vec3(0.85, 0.97, 1.0);

void main() {
    vec4 colour = texture2D(surface, texCoord);
    float sheen = 0.85 + 0.25 * abs(normalize(eyeNormal).z);
    gl_FragColor = vec4(colour.rgb * waterTint * sheen, colour.a);
}
)";

// The sway moves each vertex by offset scaled by its height over the root
// (the blade is 8 units tall), so the root stays put and the tip sways most.
const char* seaweedVertex = R"(#version 120
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
)";

// Blades are seen from both sides, so they are lit by the better-facing side.
// The cut-out is hard: the game draws the seaweed before the floor, so a
// half-transparent fringe would blend with the clear colour and then hide the
// floor behind it through the depth buffer.
const char* seaweedFragment = R"(const float bladeEdge = 0.5;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < bladeEdge) discard;
    vec3 normal = normalize(eyeNormal);
    float light = min(1.0, ambient + diffuse * abs(dot(normal, lightDirection)));
    gl_FragColor = vec4(colour.rgb * light, 1.0);
}
)";

const char* flatVertex = R"(#version 120
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
)";

// Fades: the picture with its opacity scaled by ratio (0 clear, 1 as drawn).
const char* transitionFragment = R"(#version 120
uniform sampler2D surface;
uniform float ratio;
varying vec2 texCoord;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    gl_FragColor = vec4(colour.rgb, colour.a * ratio);
}
)";

// Kept for the program table; the game builds it but never draws with it.
const char* gameOverFragment = R"(#version 120
uniform sampler2D surface;
varying vec2 texCoord;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    gl_FragColor = vec4(vec3(dot(colour.rgb, vec3(0.3, 0.59, 0.11))), colour.a);
}
)";

std::string litFragment(const char* body) { return std::string("#version 120\n") + litCommon + body; }

}  // namespace

std::vector<ShaderFile> makeShaderFiles() {
    return {
        {"basic-fixed.vert", litVertex},
        {"basic-fixed.frag", litFragment(basicFragment)},
        {"basic-fixed-underwater.vert", litVertex},
        {"basic-fixed-underwater.frag", litFragment(underwaterFragment)},
        {"water.vert", waterVertex},
        {"water.frag", waterFragment},
        {"gameover-fixed.vert", flatVertex},
        {"gameover-fixed.frag", gameOverFragment},
        {"seaweed.vert", seaweedVertex},
        {"seaweed.frag", litFragment(seaweedFragment)},
        {"room-transition.vert", flatVertex},
        {"room-transition.frag", transitionFragment},
    };
}
