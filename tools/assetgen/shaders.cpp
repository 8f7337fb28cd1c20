#include "shaders.h"

namespace {

// Every lit program works out its light once per vertex: the world is built
// of flat faces, whose normal is the same at all three corners, so per
// fragment it would only repeat the same sum. The light sits in eye space, up
// and slightly behind the viewer, so a surface facing the camera (every
// overlay) comes out at full brightness. Parts whose normals are longer than
// one (the swimmer's) also get a light rim where they turn away from the
// viewer, which keeps the swimmer readable against the floor at the follow
// camera's distance; nothing else is touched by it. mvMat is view x model;
// its upper 3 x 3 turns normals well enough for the axis-aligned scales the
// world uses (normalised after).
const char* litVertexCommon = R"(attribute vec3 inVertex;
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
)";

const char* basicVertexMain = R"(
void main() {
    vec4 eye = mvMat * vec4(inVertex, 1.0);
    shade = shading();
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
)";

// The keys lying in the rooms and the overlays are cut out of their pictures
// and drawn with the scene programs, so these keep the cut-out test. The
// opaque walls and floors drawn with them never meet it, and llvmpipe still
// tests depth before shading a program that may discard (it only writes depth
// after), so they lose little by it: about 3% of a frame, measured.
const char* basicFragment = R"(#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec2 shade;
const float cutOut = 0.05;
const vec3 rimColour = vec3(1.0, 0.96, 0.84);

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < cutOut) discard;
    gl_FragColor = vec4(colour.rgb * shade.x + rimColour * shade.y, colour.a);
}
)";

// Under water: a blue-green tint, rippling light and fog that is gentle at
// the swimmer (about 27 units away) and nearly opaque past 120. The fog needs
// the distance per fragment (one face of the floor spans the whole view), so
// the eye position comes in, over the fog distance. No clock reaches the
// shaders, so the ripples are fixed in eye space: their phase is linear in
// that same position (about one period per 16 units), and each fragment
// takes a parabola per period, which rises and falls like a cosine at a
// fraction of its cost. One varying fewer matters too: llvmpipe sets up
// every varying of every triangle, drawn or not.
const char* underwaterVertexMain = R"(varying vec3 fogPosition;
const float fogDistance = 90.0;

void main() {
    vec4 eye = mvMat * vec4(inVertex, 1.0);
    shade = shading();
    fogPosition = eye.xyz / fogDistance;
    texCoord = inTexCoord;
    gl_Position = projMat * eye;
}
)";

const char* underwaterFragment = R"(#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec2 shade;
varying vec3 fogPosition;
const float cutOut = 0.05;
const vec3 rimColour = vec3(1.0, 0.96, 0.84);
const vec3 deepWater = vec3(0.04, 0.22, 0.30);
const vec3 waterTint = vec3(0.72, 0.93, 1.0);
const float rippleLight = 0.14;
const vec3 rippleU = vec3(4.68, 1.62, 3.06);
const vec3 rippleV = vec3(-2.43, 3.96, 2.79);

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < cutOut) discard;
    vec2 wave = fract(vec2(dot(fogPosition, rippleU), dot(fogPosition, rippleV))) - 0.5;
    vec2 crest = 1.0 - 8.0 * wave * wave;
    float light = shade.x * (1.0 + rippleLight * crest.x * crest.y);
    vec3 lit = colour.rgb * light * waterTint + rimColour * shade.y;
    float fog = 1.0 - exp(-dot(fogPosition, fogPosition));
    gl_FragColor = vec4(mix(lit, deepWater, fog), colour.a);
}
)";

// The water box is the wall block scaled to the room, (50, 50, 10): its own
// texture coordinates would stretch the ripples five times on the sides. So
// the shader makes its own from the position: mesh units times the object's
// scale (the lengths of mvMat's first three columns; the view does not
// scale) give room units from the box's corner, and each face takes the two
// axes it spans, one copy of the picture per 100 units. Faces turned toward
// the viewer look a little brighter, like a sheen; faces are flat, so that is
// worked out per vertex too. The picture keeps its own transparency.
//
// The game also draws the box when the camera is under the surface south of
// the room. The camera is in the water then, as anywhere under water, where
// the fog shows it and no surface hangs between the camera and the room; the
// box's south side would veil the whole view, and it would vanish the moment
// the camera passed into the room. So from under the surface the sides are
// folded away beyond the far plane (the top, seen from below, is culled):
// under water looks the same everywhere, and that veil was a third of the
// software renderer's frame. The camera's height in mesh units comes from
// mvMat: its columns are perpendicular, so the inverse is their transpose
// over their squared lengths.
const char* waterVertex = R"(#version 120
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
)";

const char* waterFragment = R"(#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec3 tint;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    gl_FragColor = vec4(colour.rgb * tint, colour.a);
}
)";

// The sway moves each vertex by offset scaled by its height over the root
// (the blade is 8 units tall), so the root stays put and the tip sways most.
// Blades are seen from both sides, so they are lit by the better-facing side.
const char* seaweedVertex = R"(#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
uniform vec3 offset;
varying vec2 texCoord;
varying float light;
const vec3 lightDirection = vec3(0.218, 0.436, 0.873);
const float ambient = 0.45;
const float diffuse = 0.65;
const float bladeHeight = 8.0;

void main() {
    vec3 swayed = inVertex + offset * (inVertex.z / bladeHeight);
    vec3 normal = normalize(mat3(mvMat) * inNormal);
    light = min(1.0, ambient + diffuse * abs(dot(normal, lightDirection)));
    texCoord = inTexCoord;
    gl_Position = projMat * (mvMat * vec4(swayed, 1.0));
}
)";

// The cut-out is hard: the game draws the seaweed before the floor, so a
// half-transparent fringe would blend with the clear colour and then hide the
// floor behind it through the depth buffer.
const char* seaweedFragment = R"(#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying float light;
const float bladeEdge = 0.5;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < bladeEdge) discard;
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

std::string litVertex(const char* main) { return std::string("#version 120\n") + litVertexCommon + main; }

}  // namespace

std::vector<ShaderFile> makeShaderFiles() {
    return {
        {"basic-fixed.vert", litVertex(basicVertexMain)},
        {"basic-fixed.frag", basicFragment},
        {"basic-fixed-underwater.vert", litVertex(underwaterVertexMain)},
        {"basic-fixed-underwater.frag", underwaterFragment},
        {"water.vert", waterVertex},
        {"water.frag", waterFragment},
        {"gameover-fixed.vert", flatVertex},
        {"gameover-fixed.frag", gameOverFragment},
        {"seaweed.vert", seaweedVertex},
        {"seaweed.frag", seaweedFragment},
        {"room-transition.vert", flatVertex},
        {"room-transition.frag", transitionFragment},
    };
}
