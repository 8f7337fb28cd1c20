#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;
in vec2 shade;
in vec3 fogPosition;
const float cutOut = 0.05;
const vec3 rimColour = vec3(1.0, 0.96, 0.84);
const vec3 deepWater = vec3(0.04, 0.22, 0.30);
const vec3 waterTint = vec3(0.72, 0.93, 1.0);
const float rippleLight = 0.14;
const vec3 rippleU = vec3(4.68, 1.62, 3.06);
const vec3 rippleV = vec3(-2.43, 3.96, 2.79);

void main() {
    vec4 colour = texture(surface, texCoord);
    if (colour.a < cutOut) discard;
    vec2 wave = fract(vec2(dot(fogPosition, rippleU), dot(fogPosition, rippleV))) - 0.5;
    vec2 crest = 1.0 - 8.0 * wave * wave;
    float light = shade.x * (1.0 + rippleLight * crest.x * crest.y);
    vec3 lit = colour.rgb * light * waterTint + rimColour * shade.y;
    float fog = 1.0 - exp(-dot(fogPosition, fogPosition));
    fragColour = vec4(mix(lit, deepWater, fog), colour.a);
}
