#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;
in float light;
const float bladeEdge = 0.5;

void main() {
    vec4 colour = texture(surface, texCoord);
    if (colour.a < bladeEdge) discard;
    fragColour = vec4(colour.rgb * light, 1.0);
}
