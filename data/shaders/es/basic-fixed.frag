#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;
in vec2 shade;
const float cutOut = 0.05;
const vec3 rimColour = vec3(1.0, 0.96, 0.84);

void main() {
    vec4 colour = texture(surface, texCoord);
    if (colour.a < cutOut) discard;
    fragColour = vec4(colour.rgb * shade.x + rimColour * shade.y, colour.a);
}
