#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;
in vec3 tint;

void main() {
    vec4 colour = texture(surface, texCoord);
    fragColour = vec4(colour.rgb * tint, colour.a);
}
